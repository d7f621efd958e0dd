#include "seeding/TNasazeni.h"

#include "app/Model.h"
#include "common/ButtonRow.h"
#include "common/Guard.h"
#include "common/ScreenFit.h"
#include "common/WindowFrame.h"
#include "look/Look.h"

#include "bracket/tables.h"
#include "lobby/seeding.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zorbon::ui {

TNasazeni::TNasazeni(Model& model)
    : m_model(model)
{
    setObjectName(QStringLiteral("TNasazeni"));
    setWindowTitle(QStringLiteral("Zorbon - Nasazení hráčů"));
    connect(&m_model, &Model::changed, this, [this](unsigned what) {
        // The registered players changed under the open window (a resume, an undo): who is gone
        // cannot stay seeded, and the lists show who is there now.
        if ((what & kLobbyChanged) && m_players && isVisible()) {
            m_seeds = registeredSeeds(m_model.session().lobby.registered, m_seeds);
            fill(m_seedList->currentRow(), m_players->currentRow());
        }
    });
}

void TNasazeni::build()
{
    paintBackground(this, TColor::clYellow);
    auto caption = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        return l;
    };
    auto list = [this](const char* name) {
        auto* w = new QListWidget(this);
        w->setObjectName(QString::fromLatin1(name));
        w->setSelectionMode(QAbstractItemView::SingleSelection);
        w->setMinimumSize(230, 300);
        w->installEventFilter(this);
        connect(w, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
        return w;
    };
    m_players = list("SeznamHracu");
    m_seedList = list("SeznamNasazenych");
    // A double click does what Enter does in each list.
    connect(m_players, &QListWidget::itemDoubleClicked, this, [this] { NasaditClick(); });
    connect(m_seedList, &QListWidget::itemDoubleClicked, this, [this] { OdebratClick(); });

    auto button = [this](const char* name, const QString& text, const QString& hint, void (TNasazeni::*handler)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    m_seed = button("Nasadit", QStringLiteral("Nasadit  →"),
                    QStringLiteral("Vybraný hráč bude dalším nasazeným (Enter)"), &TNasazeni::NasaditClick);
    m_unseed = button("Odebrat", QStringLiteral("←  Odebrat"), QStringLiteral("Vybraný hráč nebude nasazen (Delete)"),
                      &TNasazeni::OdebratClick);
    m_up = button("Nahoru", QStringLiteral("Nahoru"), QStringLiteral("Nasadit o místo výš (Ctrl+šipka nahoru)"),
                  &TNasazeni::NahoruClick);
    m_down = button("Dolu", QStringLiteral("Dolů"), QStringLiteral("Nasadit o místo níž (Ctrl+šipka dolů)"),
                    &TNasazeni::DoluClick);
    // Enter in the window seeds the chosen player, so a keyboard seeds player after player.
    m_seed->setDefault(true);

    auto* byRanking = button("PodleZebricku", QStringLiteral("Podle žebříčku"),
                             QStringLiteral("Nasadit registrované hráče nejlépe umístěné v letošním žebříčku"),
                             &TNasazeni::PodleZebrickuClick);

    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    for (QPushButton* b : {m_seed, m_unseed})
        middle->addWidget(b);
    middle->addSpacing(16);
    for (QPushButton* b : {m_up, m_down})
        middle->addWidget(b);
    middle->addSpacing(16);
    middle->addWidget(byRanking);
    middle->addStretch(2);

    m_limit = new QLabel(this);
    m_limit->setObjectName(QStringLiteral("Label3"));
    m_limit->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(caption("Label1", QStringLiteral("Registrovaní hráči :")), 0, 0);
    grid->addWidget(caption("Label2", QStringLiteral("Nasazení hráči (1. nahoře) :")), 0, 2);
    grid->addWidget(m_players, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_seedList, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    auto* buttons = okStornoRow(
        this, QStringLiteral("Button1"), [this] { Button1Click(); }, [this] { Button2Click(); });
    // OK and Storno are pressed, not reached by Enter: Enter belongs to "Nasadit".
    for (auto* b : findChildren<QPushButton*>())
        if (b->objectName() == QLatin1String("Button1") || b->objectName() == QLatin1String("Button2"))
            b->setAutoDefault(false);
    m_seed->setDefault(true);

    auto* layout = windowColumn(this);
    layout->addLayout(grid, 1);
    layout->addWidget(m_limit);
    layout->addLayout(buttons);
    resize(620, 440);
}

void TNasazeni::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    fitResizableWindow(this);
    m_seeds = m_model.session().lobby.seeds;
    fill(m_seeds.empty() ? -1 : 0, 0);
    const int count = m_model.session().lobby.count;
    m_limit->setText(qs(seedLimitText(count)));
    m_players->setFocus();
}

void TNasazeni::fill(int chosenSeed, int chosenPlayer)
{
    const std::vector<std::string>& registered = m_model.session().lobby.registered;
    m_players->clear();
    for (const std::string& name : unseeded(registered, m_seeds))
        m_players->addItem(qs(name));
    m_seedList->clear();
    for (const std::string& name : m_seeds)
        m_seedList->addItem(qs(name));
    if (m_players->count() > 0)
        m_players->setCurrentRow(std::clamp(chosenPlayer, 0, m_players->count() - 1));
    if (chosenSeed >= 0 && chosenSeed < m_seedList->count())
        m_seedList->setCurrentRow(chosenSeed);
    updateButtons();
}

void TNasazeni::updateButtons()
{
    if (!m_seedList)
        return;
    const int seed = m_seedList->currentRow();
    m_seed->setEnabled(m_players->currentRow() >= 0);
    m_unseed->setEnabled(seed >= 0);
    m_up->setEnabled(seed > 0);
    m_down->setEnabled(seed >= 0 && seed + 1 < m_seedList->count());
}

bool TNasazeni::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == m_seedList) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Enter belongs to "Nasadit" of the left list; here it would seed somebody out of sight.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return true;
        if (key->key() == Qt::Key_Delete) {
            OdebratClick();
            return true;
        }
        if (key->modifiers() & Qt::ControlModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            key->key() == Qt::Key_Up ? NahoruClick() : DoluClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TNasazeni::NasaditClick()
{
    const QListWidgetItem* item = m_players->currentItem();
    if (!item)
        return;
    const int row = m_players->currentRow();
    seedPlayer(m_seeds, item->text().toStdString());
    // The next player is chosen, so Enter after Enter seeds them in turn.
    fill(static_cast<int>(m_seeds.size()) - 1, row);
}

void TNasazeni::OdebratClick()
{
    const int row = m_seedList->currentRow();
    if (row < 0)
        return;
    unseedAt(m_seeds, row);
    fill(std::min(row, static_cast<int>(m_seeds.size()) - 1), m_players->currentRow());
}

void TNasazeni::NahoruClick()
{
    fill(moveSeed(m_seeds, m_seedList->currentRow(), -1), m_players->currentRow());
}

void TNasazeni::DoluClick()
{
    fill(moveSeed(m_seeds, m_seedList->currentRow(), +1), m_players->currentRow());
}

void TNasazeni::PodleZebrickuClick()
{
    const int wanted = static_cast<int>(m_seeds.size());
    Result<std::vector<std::string>> seeds =
        m_model.run(this, [wanted](Tournament& t) { return t.seedsFromRanking(wanted); });
    if (!seeds.ok())
        return;
    m_seeds = std::move(seeds).value();
    fill(m_seeds.empty() ? -1 : 0, 0);
}

void TNasazeni::Button1Click()
{
    if (m_model.run(this, [this](Tournament& t) { return t.setSeeds(m_seeds); }).ok())
        accept();
}

void TNasazeni::Button2Click()
{
    reject();
}

} // namespace zorbon::ui
