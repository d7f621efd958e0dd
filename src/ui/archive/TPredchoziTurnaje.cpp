#include "archive/TPredchoziTurnaje.h"

#include "app/Model.h"
#include "common/Dialogs.h"
#include "common/Guard.h"
#include "common/ScreenFit.h"
#include "common/WindowFrame.h"
#include "look/Look.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>

namespace zorbon::ui {
namespace {

QString winnerColumn(const TournamentSummary& s)
{
    if (s.size == 0)
        return QStringLiteral("(nerozlosován)");
    if (s.winner.empty())
        return QStringLiteral("(nedohrán)");
    return qs(s.winner);
}

// "2026-12-09 14:05:31" as a Czech date and time: "9. 12. 2026 14:05".
QString endedColumn(const StoredTournament& t)
{
    const QDateTime at = QDateTime::fromString(qs(t.ended), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return at.isValid() ? at.toString(QStringLiteral("d. M. yyyy H:mm")) : qs(t.ended);
}

} // namespace

TPredchoziTurnaje::TPredchoziTurnaje(Model& model)
    : m_model(model)
{
    setObjectName(QStringLiteral("TPredchoziTurnaje"));
    setWindowTitle(QStringLiteral("Zorbon - Předchozí turnaje"));
}

void TPredchoziTurnaje::build()
{
    paintBackground(this, TColor::clYellow);
    m_label1 = boldHeading(this, QStringLiteral("Ukončené turnaje (nejnovější nahoře) :"));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("Seznam"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({QStringLiteral("Název turnaje"), QStringLiteral("Hrací místo"), QStringLiteral("Datum"),
                             QStringLiteral("Hráčů"), QStringLiteral("Vítěz"), QStringLiteral("Ukončen")});
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->setMinimumSize(720, 260);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { ButtonVysledkyClick(); });

    auto button = [this](const char* name, const QString& text, void (TPredchoziTurnaje::*handler)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    m_results = button("ButtonVysledky", QStringLiteral("Výsledková listina"), &TPredchoziTurnaje::ButtonVysledkyClick);
    m_reopen = button("ButtonPokracovat", QStringLiteral("Pokračovat"), &TPredchoziTurnaje::ButtonPokracovatClick);
    m_delete = button("ButtonSmazat", QStringLiteral("Smazat"), &TPredchoziTurnaje::ButtonSmazatClick);
    m_register =
        button("ButtonRegistrovat", QStringLiteral("Registrovat hráče"), &TPredchoziTurnaje::ButtonRegistrovatClick);
    auto* close = closeButton(this, QStringLiteral("ButtonZavrit"));
    m_results->setToolTip(QStringLiteral("Výsledková listina vybraného turnaje: tisk, uložení, export"));
    m_reopen->setToolTip(QStringLiteral("Vybraný turnaj znovu otevřít a hrát dál"));
    m_delete->setToolTip(QStringLiteral("Vybraný turnaj smazat ze zálohy"));
    m_register->setToolTip(QStringLiteral("Hráče vybraného turnaje registrovat do nového turnaje"));

    auto* layout = windowColumn(this);
    layout->addWidget(m_label1);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttonRow({m_results, m_reopen, m_delete, m_register}, close));
    resize(820, 380);
}

void TPredchoziTurnaje::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous()) {
        fitResizableWindow(this);
        fill();
    }
}

void TPredchoziTurnaje::fill()
{
    m_list->clear();
    const Result<std::vector<ArchivedTournament>> listed =
        m_model.perform(this, [](Tournament& t) { return t.archive(); });
    const std::vector<ArchivedTournament>& archive = listed.value();
    const std::string& problem = listed.message();
    for (const ArchivedTournament& t : archive) {
        const TournamentSummary& s = t.summary;
        auto* item = new QTreeWidgetItem(
            m_list, {qs(s.name), qs(s.place), qs(s.date), QString::number(s.players), winnerColumn(s), endedColumn(t)});
        item->setData(0, Qt::UserRole, QVariant::fromValue<qlonglong>(t.id));
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (!archive.empty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    if (!problem.empty())
        m_label1->setText(QString::fromUtf8(kUnreadableArchive) + qs(problem));
    else if (archive.empty())
        m_label1->setText(QStringLiteral("Zatím žádný ukončený turnaj."));
    else
        m_label1->setText(QStringLiteral("Ukončené turnaje (nejnovější nahoře) :"));
    updateButtons();
    m_list->setFocus();
}

void TPredchoziTurnaje::updateButtons()
{
    const bool any = chosen() != 0;
    for (QPushButton* b : {m_results, m_reopen, m_delete, m_register})
        b->setEnabled(any);
}

std::int64_t TPredchoziTurnaje::chosen() const
{
    const QTreeWidgetItem* item = m_list ? m_list->currentItem() : nullptr;
    return item && item->isSelected() ? item->data(0, Qt::UserRole).toLongLong() : 0;
}

void TPredchoziTurnaje::ButtonVysledkyClick()
{
    const std::int64_t id = chosen();
    if (id == 0)
        return;
    if (const auto sheet = m_model.run(this, [id](Tournament& t) { return t.archivedSheet(id); }); sheet.ok())
        emit resultsRequested(sheet.value());
}

void TPredchoziTurnaje::ButtonPokracovatClick()
{
    const std::int64_t id = chosen();
    if (id == 0)
        return;
    if (!m_model.run(this, [&](Tournament& t) { return t.reopen(id); }).ok()) {
        fill();
        return;
    }
    accept();
    emit reopened();
}

void TPredchoziTurnaje::ButtonRegistrovatClick()
{
    const std::int64_t id = chosen();
    if (id == 0)
        return;
    const Result<ImportSummary> outcome =
        m_model.perform(this, [id](Tournament& t) { return t.registerArchivedPlayers(id); });
    if (outcome.ok())
        Dialogs::message(this, qs(importSummaryText(*outcome)));
    else
        Model::show(this, outcome);
}

void TPredchoziTurnaje::ButtonSmazatClick()
{
    const std::int64_t id = chosen();
    if (id == 0)
        return;
    const QString name = m_list->currentItem()->text(0);
    if (!Dialogs::ask(this, QStringLiteral("TSmazatTurnaj"),
                      QStringLiteral("Opravdu smazat turnaj ") + name + QStringLiteral(" z archivu ???")))
        return;
    m_model.act(this, [&](Tournament& t) { return t.deleteArchived(id); });
    fill();
}

} // namespace zorbon::ui
