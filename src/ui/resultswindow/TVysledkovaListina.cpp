#include "resultswindow/TVysledkovaListina.h"

#include "app/Model.h"
#include "common/Guard.h"
#include "common/Printing.h"
#include "common/ScreenFit.h"
#include "look/Look.h"

#include "results/standings.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorbon::ui {
namespace {

// The printer as a line printer: a fixed-pitch font, so that the header values line up in column
// 25 as the lines are laid out; one line under the other, a new page when one is full.
bool printText(QPagedPaintDevice& printer, const std::vector<std::string>& lines)
{
    QPainter p;
    if (!p.begin(&printer))
        return false;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(11);
    p.setFont(font);
    const QFontMetrics fm = p.fontMetrics();
    const int height = p.viewport().height();
    int y = 0;
    for (const auto& line : lines) {
        if (y + fm.lineSpacing() > height) {
            printer.newPage();
            y = 0;
        }
        p.drawText(0, y + fm.ascent(), qs(line));
        y += fm.lineSpacing();
    }
    return p.end();
}

} // namespace

TVysledkovaListina::TVysledkovaListina(Model& model)
    : m_model(model)
{
    connect(&m_model, &Model::changed, this, [this](unsigned what) {
        if (what & kTournamentChanged)
            m_exported.clear();
        if (what & (kResultsChanged | kTournamentChanged))
            syncFromSession();
    });
    setObjectName(QStringLiteral("TVysledkovaListina"));
    setWindowTitle(QStringLiteral("Zorbon - Výsledková listina"));
    // The controls come on first need (ensureBuilt), not at start-up: three lists, a menu and a
    // list font of its own are a good part of what the program would otherwise make before its
    // main window appears, for a window seen only after a draw.
}

void TVysledkovaListina::build()
{
    paintBackground(this, TColor::clYellow);

    auto* bar = new QMenuBar(this);
    auto* soubor = bar->addMenu(QStringLiteral("&Soubor"));
    soubor->setObjectName(QStringLiteral("Soubor1"));
    auto add = [this](QMenu* menu, const char* name, const QString& text, auto handler) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
    };
    add(soubor, "Tisk1", QStringLiteral("&Tisk"), [this] { SpeedButton1Click(); });
    add(soubor, "Ulo1", QStringLiteral("&Ulož"), [this] { SpeedButton2Click(); });
    add(soubor, "Export1", QStringLiteral("&Export"), [this] { SpeedButton3Click(); });
    add(soubor, "ExportCsv1", QStringLiteral("Export do &CSV"), [this] { ExportCsv1Click(); });
    soubor->addSeparator();
    add(soubor, "Zavt1", QStringLiteral("&Zavřít"), [this] { close(); });
    auto* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    add(help, "Help2", QStringLiteral("H&elp"), [this] { Help2Click(); });
    help->addSeparator();
    add(help, "Oprogramu1", QStringLiteral("O progr&amu"), [this] { Oprogramu1Click(); });

    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("Panel1"));
    top->setFixedHeight(40);
    paintBackground(top, TColor::clBlue);
    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(8, 6, 8, 6);
    const QString captions[] = {QStringLiteral("Tisk"), QStringLiteral("Ulož"), QStringLiteral("Export")};
    const QString hints[] = {QStringLiteral("Tisknout listinu"), QStringLiteral("Uložení listiny"),
                             QStringLiteral("Export listiny do html")};
    QFont bold = font();
    bold.setBold(true);
    for (int i = 0; i < 3; ++i) {
        auto* b = new QToolButton(top);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        b->setText(captions[i]);
        b->setToolTip(hints[i]);
        b->setFont(bold);
        b->setMinimumWidth(70);
        row->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, i] {
            if (i == 0)
                SpeedButton1Click();
            else if (i == 1)
                SpeedButton2Click();
            else
                SpeedButton3Click();
        });
    }
    row->addStretch();

    auto* heading = new QLabel(QStringLiteral("Výsledková listina :"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont big = bold;
    big.setPointSizeF(big.pointSizeF() * 1.4);
    heading->setFont(big);

    m_memo1 = new QPlainTextEdit(this);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setReadOnly(true);
    m_memo1->setFocusPolicy(Qt::NoFocus);
    m_memo1->setTextInteractionFlags(Qt::NoTextInteraction);
    m_memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont listFont = font();
    listFont.setPointSizeF(listFont.pointSizeF() * 1.15);
    m_memo1->setFont(listFont);
    m_memo2 = new QPlainTextEdit(this);
    m_memo2->setObjectName(QStringLiteral("Memo2"));
    m_memo2->hide();
    m_memo3 = new QPlainTextEdit(this);
    m_memo3->setObjectName(QStringLiteral("Memo3"));
    m_memo3->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 10, 14, 14);
    body->setSpacing(8);
    body->addWidget(heading);
    body->addWidget(m_memo1, 1);
    layout->addLayout(body, 1);
    resize(440, 520);
    syncFromSession();
}

TVysledkovaListina::~TVysledkovaListina() = default;

void TVysledkovaListina::showResults(bool modal)
{
    ensureBuilt();
    m_archived.reset();
    m_memo2->setPlainText(lines(m_model.session().placings));
    if (isVisible()) {
        // Already open beside the bracket: show the standings just computed, not the old ones.
        fillDisplayed();
        raise();
        activateWindow();
        return;
    }
    if (modal) {
        Dialogs::exec(this);
    } else {
        show();
        raise();
        activateWindow();
    }
}

void TVysledkovaListina::showArchived(const ResultsSheet& sheet)
{
    ensureBuilt();
    m_archived = sheet;
    m_memo2->setPlainText(lines(displayedOrder(sheet.displayed)));
    if (isVisible())
        hide();
    Dialogs::exec(this);
    // Back to the running tournament's lists for whoever opens the window next.
    m_archived.reset();
    syncFromSession();
}

ResultsSheet TVysledkovaListina::sheet() const
{
    return m_archived ? *m_archived : m_model.core().runningSheet();
}

void TVysledkovaListina::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous()) {
        fitResizableWindow(this);
        fillDisplayed();
    }
}

void TVysledkovaListina::fillDisplayed()
{
    if (m_archived) {
        m_memo1->setPlainText(lines(m_archived->displayed));
        return;
    }
    m_model.change(this, [](Tournament& t) { t.showResultsList(); });
    m_memo1->setPlainText(lines(m_model.session().displayed));
}

void TVysledkovaListina::syncFromSession()
{
    if (!m_memo1 || m_archived)
        return; // made later, it takes the lists from the session then
    m_memo1->setPlainText(lines(m_model.session().displayed));
    m_memo2->setPlainText(lines(m_model.session().placings));
    m_memo3->setPlainText(lines(m_exported));
}

void TVysledkovaListina::SpeedButton1Click()
{
    const ResultsSheet list = sheet();
    const auto counted = m_model.run(this, [&](Tournament& t) { return t.sheetPlayers(list); });
    if (!counted.ok())
        return;
    const int players = counted.value();
    QDialog* dialog = printDialog(this, QStringLiteral("PrintDialog1"));
    if (!dialog)
        return;
    Printer& printer = printerOf(dialog);
    printer.setCopyCount(1);
    if (Dialogs::exec(dialog) != QDialog::Accepted)
        return;
    if (!printText(*printer.device(), printLines(list.header, players, list.displayed)))
        Dialogs::error(this, QStringLiteral("Tisk se nezdařil"));
}

void TVysledkovaListina::SpeedButton2Click()
{
    const ResultsSheet list = sheet();
    if (const auto saved = m_model.run(this, [&](Tournament& t) { return t.saveResultsText(list); }); saved.ok())
        Dialogs::message(this, qs(saved.value()));
}

void TVysledkovaListina::SpeedButton3Click()
{
    const ResultsSheet list = sheet();
    ensureBuilt();
    const auto exported = m_model.run(this, [&](Tournament& t) { return t.exportResultsHtml(list); });
    // The page's lines show even when its file could not be written.
    if (exported.value().lines)
        m_exported = *exported.value().lines;
    m_memo3->setPlainText(lines(m_exported));
    if (exported.ok())
        Dialogs::message(this, qs(exported.value().confirmation));
}

void TVysledkovaListina::ExportCsv1Click()
{
    const ResultsSheet list = sheet();
    if (const auto saved = m_model.run(this, [&](Tournament& t) { return t.exportResultsCsv(list); }); saved.ok())
        Dialogs::message(this, qs(saved.value()));
}

void TVysledkovaListina::Help2Click()
{
    emit helpRequested();
}

void TVysledkovaListina::Oprogramu1Click()
{
    emit aboutRequested();
}

} // namespace zorbon::ui
