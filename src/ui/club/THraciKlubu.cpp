#include "club/THraciKlubu.h"

#include "app/Model.h"
#include "common/Dialogs.h"
#include "common/Guard.h"
#include "common/ScreenFit.h"
#include "common/WindowFrame.h"
#include "look/Look.h"

#include <QCollator>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include <limits>
#include <unordered_set>

namespace zorbon::ui {
namespace {

enum Column { Name, Tournaments, Best, LastPlayed, ColumnCount };

// A cell that sorts by a key of its own (numbers as numbers, names in Czech order, "never" last).
class SortedCell : public QTableWidgetItem {
public:
    SortedCell(const QString& text, const QVariant& key)
        : QTableWidgetItem(text)
    {
        setData(Qt::UserRole, key);
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
    bool operator<(const QTableWidgetItem& other) const override
    {
        const QVariant a = data(Qt::UserRole);
        const QVariant b = other.data(Qt::UserRole);
        if (a.typeId() == QMetaType::QString) {
            static const QCollator czech{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
            return czech.compare(a.toString(), b.toString()) < 0;
        }
        return a.toLongLong() < b.toLongLong();
    }
};

// "2026-12-09 21:40:12" as "9. 12. 2026".
QString day(const std::string& at)
{
    const QDateTime t = QDateTime::fromString(qs(at), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return t.isValid() ? t.toString(QStringLiteral("d. M. yyyy")) : qs(at);
}

} // namespace

TSloucit::TSloucit(QWidget* parent)
    : QDialog(parent)
    , m_comboBox1(new QComboBox(this))
{
    setObjectName(QStringLiteral("TSloucit"));
    setWindowTitle(QStringLiteral("Zorbon - Sloučit hráče"));
    auto* label1 = new QLabel(QStringLiteral("Oba zápisy jména patří jednomu hráči. Ponechat jméno :"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    auto* label2 = new QLabel(QStringLiteral("Druhý zápis zmizí z registru hráčů a jeho turnaje se započítají "
                                             "ponechanému jménu. Výsledky předchozích turnajů se nemění."),
                              this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto* storno = new QPushButton(QStringLiteral("Storno"), this);
    storno->setObjectName(QStringLiteral("Button2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(storno, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(storno);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->addWidget(label1);
    layout->addWidget(m_comboBox1);
    layout->addWidget(label2);
    layout->addLayout(buttons);
    setMinimumWidth(460);
}

void TSloucit::offer(const QString& first, const QString& second)
{
    m_names = {first, second};
    m_comboBox1->clear();
    m_comboBox1->addItems(m_names);
    m_comboBox1->setCurrentIndex(0);
    m_comboBox1->setFocus();
}

QString TSloucit::kept() const
{
    return m_comboBox1->currentText();
}

QString TSloucit::merged() const
{
    return m_names.value(m_comboBox1->currentIndex() == 0 ? 1 : 0);
}

THraciKlubu::THraciKlubu(Model& model)
    : m_model(model)
{
    setObjectName(QStringLiteral("THraciKlubu"));
    setWindowTitle(QStringLiteral("Zorbon - Hráči klubu"));
}

void THraciKlubu::build()
{
    paintBackground(this, TColor::clYellow);
    m_label1 = boldHeading(this);

    auto* label2 = new QLabel(QStringLiteral("&Hledat :"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_hledat = new QLineEdit(this);
    m_hledat->setObjectName(QStringLiteral("Hledat"));
    m_hledat->setToolTip(QStringLiteral("Začátek jména nebo příjmení; na velikosti písmen a diakritice nezáleží"));
    m_hledat->setClearButtonEnabled(true);
    label2->setBuddy(m_hledat);
    connect(m_hledat, &QLineEdit::textChanged, this, &THraciKlubu::filter);

    m_tabulka = new QTableWidget(0, ColumnCount, this);
    m_tabulka->setObjectName(QStringLiteral("Tabulka"));
    m_tabulka->setHorizontalHeaderLabels({QStringLiteral("Hráč"), QStringLiteral("Turnaje"),
                                          QStringLiteral("Nejlepší umístění"), QStringLiteral("Naposledy hrál")});
    m_tabulka->verticalHeader()->hide();
    m_tabulka->verticalHeader()->setDefaultSectionSize(m_tabulka->fontMetrics().height() + 8);
    m_tabulka->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabulka->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tabulka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabulka->setWordWrap(false);
    m_tabulka->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tabulka->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
    m_tabulka->setMinimumSize(640, 300);
    connect(m_tabulka, &QTableWidget::itemSelectionChanged, this, [this] { updateButtons(); });

    m_sloucit = new QPushButton(QStringLiteral("Sloučit"), this);
    m_sloucit->setObjectName(QStringLiteral("Sloucit"));
    m_sloucit->setToolTip(QStringLiteral("Dva vybrané zápisy jména jednoho hráče (překlep) sloučit v jeden"));
    connect(m_sloucit, &QPushButton::clicked, this, &THraciKlubu::SloucitClick);
    m_smazat = new QPushButton(QStringLiteral("Smazat"), this);
    m_smazat->setObjectName(QStringLiteral("Smazat"));
    m_smazat->setToolTip(QStringLiteral("Vybrané hráče smazat z registru; výsledky turnajů zůstanou"));
    connect(m_smazat, &QPushButton::clicked, this, &THraciKlubu::SmazatClick);
    auto* close = closeButton(this, QStringLiteral("Zavrit"));
    for (QPushButton* b : {m_sloucit, m_smazat, close})
        b->setAutoDefault(false);

    auto* search = new QHBoxLayout;
    search->addWidget(label2);
    search->addWidget(m_hledat, 1);
    auto* layout = windowColumn(this);
    layout->addWidget(m_label1);
    layout->addLayout(search);
    layout->addWidget(m_tabulka, 1);
    layout->addLayout(buttonRow({m_sloucit, m_smazat}, close));
    resize(760, 480);

    m_sloucitDialog = new TSloucit(this);

    connect(&m_model, &Model::changed, this, [this](unsigned what) {
        if (isVisible() && (what & (kLobbyChanged | kTournamentChanged)))
            fill();
    });
}

void THraciKlubu::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous()) {
        fitResizableWindow(this);
        m_hledat->clear();
        fill();
        m_hledat->setFocus();
    }
}

void THraciKlubu::fill()
{
    const Result<std::vector<ClubPlayer>> outcome =
        m_model.perform(this, [](Tournament& t) { return t.clubPlayers(); });
    const std::vector<ClubPlayer>& table = outcome.value();
    m_tabulka->setSortingEnabled(false);
    m_tabulka->clearContents();
    m_tabulka->setRowCount(static_cast<int>(table.size()));
    std::vector<std::string> names;
    names.reserve(table.size());
    for (int row = 0; row < static_cast<int>(table.size()); ++row) {
        const ClubPlayer& p = table[static_cast<std::size_t>(row)];
        names.push_back(p.name);
        m_tabulka->setItem(row, Name, new SortedCell(qs(p.name), qs(p.name)));
        auto* played = new SortedCell(QString::number(p.tournaments), p.tournaments);
        played->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_tabulka->setItem(row, Tournaments, played);
        // Never placed sorts after every placing.
        auto* best = new SortedCell(p.bestPlacing ? qs(p.bestText) : QStringLiteral("–"),
                                    p.bestPlacing ? p.bestPlacing : std::numeric_limits<int>::max());
        best->setTextAlignment(Qt::AlignCenter);
        m_tabulka->setItem(row, Best, best);
        m_tabulka->setItem(row, LastPlayed,
                           new SortedCell(p.lastPlayed.empty() ? QStringLiteral("–") : day(p.lastPlayed),
                                          qs(p.lastPlayed.empty() ? std::string() : p.lastPlayed)));
    }
    m_tabulka->setSortingEnabled(true);
    m_tabulka->sortByColumn(Name, Qt::AscendingOrder);
    m_index = PlayerIndex(std::move(names));
    if (!outcome.ok())
        m_label1->setText(QString::fromUtf8(kUnreadableRegister) + qs(outcome.message()));
    else if (table.empty())
        m_label1->setText(QStringLiteral("Zatím žádný registrovaný hráč."));
    else
        m_label1->setText(QStringLiteral("Registrovaní hráči (%1) :").arg(table.size()));
    filter(m_hledat->text());
    updateButtons();
}

void THraciKlubu::filter(const QString& typed)
{
    const std::vector<std::string> found = m_index.find(typed.toStdString(), m_index.size());
    const std::unordered_set<std::string> shown(found.begin(), found.end());
    const bool all = typed.trimmed().isEmpty();
    for (int row = 0; row < m_tabulka->rowCount(); ++row)
        m_tabulka->setRowHidden(row, !all && !shown.contains(m_tabulka->item(row, Name)->text().toStdString()));
}

void THraciKlubu::updateButtons()
{
    const int n = static_cast<int>(chosen().size());
    m_sloucit->setEnabled(n == 2);
    m_smazat->setEnabled(n >= 1);
}

QStringList THraciKlubu::chosen() const
{
    QStringList out;
    if (!m_tabulka)
        return out;
    for (int row = 0; row < m_tabulka->rowCount(); ++row)
        if (!m_tabulka->isRowHidden(row) && m_tabulka->item(row, Name)->isSelected())
            out << m_tabulka->item(row, Name)->text();
    return out;
}

void THraciKlubu::SloucitClick()
{
    const QStringList names = chosen();
    if (names.size() != 2) {
        Dialogs::message(this, QStringLiteral("Vyberte v tabulce dva zápisy jména jednoho hráče (druhý se stisknutou "
                                              "klávesou Ctrl) !!!"));
        return;
    }
    // The spelling with more tournaments behind it is the likelier one to keep.
    auto played = [this](const QString& name) {
        for (int row = 0; row < m_tabulka->rowCount(); ++row)
            if (m_tabulka->item(row, Name)->text() == name)
                return m_tabulka->item(row, Tournaments)->data(Qt::UserRole).toInt();
        return 0;
    };
    if (played(names[1]) > played(names[0]))
        m_sloucitDialog->offer(names[1], names[0]);
    else
        m_sloucitDialog->offer(names[0], names[1]);
    if (Dialogs::exec(m_sloucitDialog) != QDialog::Accepted)
        return;
    const std::string kept = m_sloucitDialog->kept().toStdString();
    const std::string merged = m_sloucitDialog->merged().toStdString();
    m_model.act(this, [&](Tournament& t) { return t.mergePlayers(merged, kept); });
    fill();
}

void THraciKlubu::SmazatClick()
{
    const QStringList names = chosen();
    if (names.isEmpty())
        return;
    const QString who = names.size() == 1 ? QStringLiteral("hráče ") + names.front()
                                          : QStringLiteral("%1 vybraných hráčů").arg(names.size());
    if (!Dialogs::ask(this, QStringLiteral("TSmazatHrace"),
                      QStringLiteral("Opravdu smazat ") + who +
                          QStringLiteral(" z registru hráčů ??? Výsledky předchozích turnajů zůstanou beze změny.")))
        return;
    for (const QString& name : names)
        if (!m_model.run(this, [&](Tournament& t) { return t.forgetPlayer(name.toStdString()); }).ok())
            break;
    fill();
}

} // namespace zorbon::ui
