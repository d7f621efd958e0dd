#include "display/TTabule.h"

#include "app/Model.h"
#include "common/Guard.h"
#include "display/BracketCanvas.h"
#include "display/FitLabel.h"
#include "look/Look.h"

#include "live/display_text.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace zorbon::ui {
namespace {

// Dark, so that the state colours of the bracket windows stand out from across the room.
constexpr QRgb kBackground = 0xFF141E2B;
constexpr QRgb kFreeBoard = 0xFF26323F;
constexpr QRgb kTitle = 0xFFFFFFFF;
constexpr QRgb kMuted = 0xFFB8C4D0;
// The bracket windows' own state colours: lime on a board, aqua played, sky blue waiting.
const QRgb kOnBoard = qrgb(colourOf(BoxState::OnBoard));
const QRgb kFinished = qrgb(colourOf(BoxState::Finished));
const QRgb kWaiting = qrgb(colourOf(BoxState::Pending));
constexpr QRgb kSilver = 0xFFC0C0C0;
constexpr QRgb kWinner = 0xFFFFFF00;

constexpr int kMostReady = 8;
constexpr int kMostResults = 5;
constexpr int kBoardsAcross = 5; // as many boards as stand across the whole page

void setColours(QWidget* w, QRgb text, QRgb fill = 0)
{
    // A new palette repaints the widget: only when a colour changes.
    if (w->palette().color(QPalette::WindowText).rgba() == text &&
        (!fill || (w->autoFillBackground() && w->palette().color(QPalette::Window).rgba() == fill)))
        return;
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, QColor::fromRgba(text));
    if (fill) {
        p.setColor(QPalette::Window, QColor::fromRgba(fill));
        w->setAutoFillBackground(true);
    }
    w->setPalette(p);
}

FitLabel* makeLabel(const QString& name, Weight weight, QRgb colour, QWidget* parent)
{
    auto* l = new FitLabel(name, 32, weight, parent);
    setColours(l, colour);
    return l;
}

qint64 area(const QRect& r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

} // namespace

DisplayPlacement placeDisplay(const QList<QRect>& screens, const QRect& operatorWindow)
{
    if (screens.isEmpty())
        return {0, QRect(0, 0, 1280, 720), false};
    // The operator's screen holds the most of the operator's window (the first one if none does).
    int mine = 0;
    for (int i = 1; i < screens.size(); ++i)
        if (area(screens[i].intersected(operatorWindow)) > area(screens[mine].intersected(operatorWindow)))
            mine = i;
    // Another screen, unless it only mirrors the operator's: the largest one.
    int other = -1;
    for (int i = 0; i < screens.size(); ++i) {
        if (i == mine || screens[i] == screens[mine] || screens[i].isEmpty())
            continue;
        if (other < 0 || area(screens[i]) > area(screens[other]))
            other = i;
    }
    const int on = other >= 0 ? other : mine;
    // Not full-screen: three fifths of the screen, in its middle, for the operator to move.
    const QRect s = screens[on];
    QRect window(0, 0, s.width() * 3 / 5, s.height() * 3 / 5);
    window.moveCenter(s.center());
    return {on, window, other >= 0};
}

TTabule::TTabule(Model& model)
    : QWidget(nullptr, Qt::Window | Qt::WindowDoesNotAcceptFocus)
    , m_model(model)
{
    setObjectName(QStringLiteral("TTabule"));
    setWindowTitle(QStringLiteral("Zorbon - Tabule"));
    // Every key keeps going to the operator's window; the display is only looked at.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // Left open at the end, it must not keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    setColours(this, kTitle, kBackground);
    setMinimumSize(320, 180);

    m_pageTimer.setInterval(kPageInterval);
    connect(&m_pageTimer, &QTimer::timeout, this,
            [this] { setPage(m_page == Page::Boards ? Page::Bracket : Page::Boards); });
    connect(&m_model, &Model::changed, this, [this] { follow(); });
    // A window system that activates every window shown (or a click on it) would take the
    // keyboard from the operator: it goes straight back to the window that had it.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
        if (!focus)
            return;
        if (focus != windowHandle())
            m_operatorWindow = focus;
        else if (m_operatorWindow && m_operatorWindow->isVisible())
            m_operatorWindow->requestActivate();
    });
    resize(1280, 720);
    // The labels and pages come on first need (ensureBuilt): a display most tournaments never open
    // would otherwise cost a third of the program's start-up.
}

void TTabule::setVisible(bool visible)
{
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
}

void TTabule::ensureBuilt()
{
    m_built.once([this] { build(); });
}

void TTabule::build()
{
    m_strana = makeLabel(QStringLiteral("TabuleStrana"), Weight::Normal, kMuted, this);
    m_strana->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_vitez = makeLabel(QStringLiteral("TabuleVitez"), Weight::Bold, kWinner, this);
    m_vitez->setAlignment(Qt::AlignCenter);
    m_vitez->hide();

    m_boardsPage = new QWidget(this);
    m_boardsPage->setObjectName(QStringLiteral("TabuleTerce"));
    m_boardsPage->setFocusPolicy(Qt::NoFocus);
    m_nazev = makeLabel(QStringLiteral("TabuleNazev"), Weight::Bold, kTitle, m_boardsPage);
    m_terceTitle = makeLabel(QStringLiteral("TabuleTerceNadpis"), Weight::Bold, kMuted, m_boardsPage);
    m_terceTitle->setFullText(QStringLiteral("Kde se hraje"));
    for (int n = 1; n <= kMostBoards; ++n) {
        FitLabel* board = makeLabel(QStringLiteral("TabuleTerc%1").arg(n), Weight::Bold, kSilver, m_boardsPage);
        setColours(board, kSilver, kFreeBoard);
        board->hide();
        m_boards[static_cast<std::size_t>(n - 1)] = board;
    }
    m_naRadeTitle = makeLabel(QStringLiteral("TabuleNaRadeNadpis"), Weight::Bold, kMuted, m_boardsPage);
    m_naRadeTitle->setFullText(QStringLiteral("Na řadě"));
    m_naRade = makeLabel(QStringLiteral("TabuleNaRade"), Weight::Normal, kWaiting, m_boardsPage);
    m_naRade->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_naRade->setSameSize(true);
    m_vysledkyTitle = makeLabel(QStringLiteral("TabuleVysledkyNadpis"), Weight::Bold, kMuted, m_boardsPage);
    m_vysledkyTitle->setFullText(QStringLiteral("Poslední výsledky"));
    m_vysledky = makeLabel(QStringLiteral("TabuleVysledky"), Weight::Normal, kFinished, m_boardsPage);
    m_vysledky->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_vysledky->setSameSize(true);

    m_bracketPage = new BracketCanvas(m_model, this);
    // The page's name and the winner stand over either page.
    m_strana->raise();
    m_vitez->raise();

    setPage(Page::Bracket);
}

void TTabule::setPageInterval(int ms)
{
    m_pageTimer.setInterval(ms);
}

void TTabule::toggle(const QRect& operatorWindow)
{
    if (isVisible())
        close();
    else
        open(operatorWindow);
}

void TTabule::open(const QRect& operatorWindow)
{
    if (!m_model.session().active())
        return;
    const QList<QScreen*> screens = QGuiApplication::screens();
    QList<QRect> geometries;
    for (const QScreen* s : screens)
        geometries << s->geometry();
    const DisplayPlacement place = placeDisplay(geometries, operatorWindow);
    if (place.screen < screens.size())
        setScreen(screens[place.screen]);
    // Back on one screen, the window opens where the operator last left it.
    const bool keepPlace =
        !place.fullScreen && m_lastWindow.isValid() && geometries.value(place.screen).intersects(m_lastWindow);
    setGeometry(keepPlace ? m_lastWindow : place.window);
    setFullScreen(place.fullScreen);
}

void TTabule::toggleFullScreen(const QRect& operatorWindow)
{
    if (!isVisible()) {
        open(operatorWindow);
        if (isVisible() && !isFullScreen())
            setFullScreen(true);
        return;
    }
    setFullScreen(!isFullScreen());
}

void TTabule::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("TabuleMenu"));
    QAction* full = menu.addAction(QStringLiteral("Na &celou obrazovku"));
    full->setObjectName(QStringLiteral("TabuleCelaObrazovka"));
    full->setShortcut(QKeySequence(Qt::Key_F11));
    full->setCheckable(true);
    full->setChecked(isFullScreen());
    menu.addSeparator();
    QAction* close = menu.addAction(QStringLiteral("&Zavřít"));
    close->setObjectName(QStringLiteral("TabuleZavrit"));
    bool toggle = false;
    bool closing = false;
    connect(full, &QAction::triggered, &menu, [&toggle] { toggle = true; });
    connect(close, &QAction::triggered, &menu, [&closing] { closing = true; });
    menu.exec(e->globalPos());
    if (toggle)
        setFullScreen(!isFullScreen());
    else if (closing)
        this->close();
}

void TTabule::setFullScreen(bool on)
{
    // Not showFullScreen(): that activates the window.
    setWindowState(on ? (windowState() | Qt::WindowFullScreen) : (windowState() & ~Qt::WindowFullScreen));
    show();
}

void TTabule::follow()
{
    const Bracket* b = m_model.session().active();
    if (!b) {
        // The tournament is over and cleared: nothing is left to show.
        m_finished.clear();
        m_shownMatch = {};
        if (isVisible())
            close();
        return;
    }
    m_finished.follow(*b);
    if (isVisible())
        refresh();
}

void TTabule::refresh()
{
    const Session& s = m_model.session();
    const Bracket* b = s.active();
    if (!b || !m_boardsPage)
        return;
    m_nazev->setFullText(qs(headerLine(s.lobby.header)));

    bool newCall = false;
    for (int n = 1; n <= kMostBoards; ++n) {
        FitLabel* label = m_boards[static_cast<std::size_t>(n - 1)];
        const bool inPlay = n <= b->boardCount() && b->board(n).visible();
        int& shown = m_shownMatch[static_cast<std::size_t>(n - 1)];
        const int match = inPlay && b->board(n).state == BoardState::Occupied ? b->board(n).match : 0;
        newCall = newCall || (match != 0 && match != shown);
        shown = match;
        if (inPlay) {
            if (match)
                setColours(label, 0xFF000000, kOnBoard);
            else
                setColours(label, kSilver, kFreeBoard);
        }
        label->setVisible(inPlay);
    }

    const QString winner = qs(winnerText(*b));
    m_vitez->setVisible(!winner.isEmpty());

    // The pages take turns while matches are being played; before the first call and after the
    // final the bracket says it all. A new call shows the boards at once.
    if (!isUnderWay(*b) || isDecided(*b)) {
        m_pageTimer.stop();
        setPage(Page::Bracket);
    } else if (!m_pageTimer.isActive() || newCall) {
        m_pageTimer.start();
        setPage(Page::Boards);
    }
    for (int n = 1; n <= kMostBoards; ++n)
        if (n <= b->boardCount() && b->board(n).visible())
            m_boards[static_cast<std::size_t>(n - 1)]->setFullText(qs(boardLine(*b, n)));
    // With the boards' texts in, their lines share one size.
    arrange();
    m_vitez->setFullText(winner);
    fillLists();
    m_bracketPage->redraw();
}

void TTabule::fillLists()
{
    const Bracket* b = m_model.session().active();
    if (!b || !m_boardsPage)
        return;
    QStringList ready;
    for (const int box : readyMatches(*b, std::min(kMostReady, m_naRade->linesThatFit())))
        ready << qs(matchLine(*b, box));
    m_naRade->setFullText(ready.join(QLatin1Char('\n')));
    QStringList results;
    for (const int box : m_finished.latestResults(*b, std::min(kMostResults, m_vysledky->linesThatFit())))
        results << qs(resultLine(*b, box));
    m_vysledky->setFullText(results.join(QLatin1Char('\n')));
}

void TTabule::setPage(Page page)
{
    m_page = page;
    m_strana->setFullText(page == Page::Boards ? QStringLiteral("Terče") : QStringLiteral("Pavouk"));
    // The boards page's widget also holds the strip of boards under the bracket (arrange shows it).
    m_boardsPage->setVisible(page == Page::Boards);
    m_bracketPage->setVisible(page == Page::Bracket);
    arrange();
}

void TTabule::arrange()
{
    if (!m_boardsPage)
        return;
    const int w = width();
    const int h = height();
    // Everything is drawn for 1920x1080 and scaled to the window, by the side that is shorter.
    const double u = std::min(w / 1920.0, h / 1080.0);
    auto px = [u](double v) { return std::max(1, static_cast<int>(std::lround(v * u))); };
    const int m = px(24);
    const bool notice = !m_vitez->isHidden();
    const int stranaW = px(260);
    const int noticeH = px(96);
    const int noticeRoom = notice ? noticeH + px(16) : px(8);

    // The page's name top right. On the bracket page the drawing has the whole window unless the
    // winner or the final's notice takes the top line; on the boards page it comes under the name.
    // Both pages are laid out, so that the hidden one is ready when its turn comes.
    const int topH = px(72);
    const bool bracketPage = m_page == Page::Bracket;
    m_strana->place(QRect(w - m - stranaW, m, stranaW, bracketPage && !notice ? px(44) : topH), px(30));
    if (notice && bracketPage)
        m_vitez->place(QRect(m, m, w - 3 * m - stranaW, topH), px(56));
    else if (notice)
        m_vitez->place(QRect(m, m + topH + px(8), w - 2 * m, noticeH), px(64));
    const int bracketTop = notice ? m + topH + px(8) : 0;
    int inPlay = 0;
    for (const FitLabel* b : m_boards)
        inPlay += b->isHidden() ? 0 : 1;

    // The boards stay in view on the bracket page: a strip across its bottom, five boards a row.
    const int stripRows = bracketPage && inPlay ? (inPlay + kBoardsAcross - 1) / kBoardsAcross : 0;
    const int stripRowH = px(64);
    const int stripH = stripRows ? stripRows * stripRowH + px(12) : 0;
    m_bracketPage->setGeometry(0, bracketTop, w, std::max(0, h - bracketTop - stripH));
    for (QWidget* onlyOnBoardsPage :
         {static_cast<QWidget*>(m_nazev), static_cast<QWidget*>(m_terceTitle), static_cast<QWidget*>(m_naRadeTitle),
          static_cast<QWidget*>(m_naRade), static_cast<QWidget*>(m_vysledkyTitle), static_cast<QWidget*>(m_vysledky)})
        onlyOnBoardsPage->setVisible(!bracketPage);
    if (bracketPage) {
        m_boardsPage->setVisible(stripRows > 0);
        m_boardsPage->setGeometry(0, h - stripH, w, stripH);
        const int across = std::min(inPlay, kBoardsAcross);
        const int cellW = across ? (w - m - m) / across : w;
        std::array<QRect, kMostBoards> cells{};
        int i = 0;
        for (std::size_t n = 0; n < m_boards.size(); ++n) {
            if (m_boards[n]->isHidden())
                continue;
            cells[n] = QRect(m + (i % kBoardsAcross) * cellW, px(4) + (i / kBoardsAcross) * stripRowH, cellW - px(8),
                             stripRowH - px(8));
            m_boards[n]->setContentsMargins(px(10), 0, px(10), 0);
            ++i;
        }
        placeBoards(cells, stripRowH - px(8));
    } else {
        m_boardsPage->setGeometry(0, 0, w, h);
    }
    m_nazev->place(QRect(m, m, w - 3 * m - stranaW, topH), px(48));
    const int y = m + topH + noticeRoom;

    // Up to five boards stand across the page with the two lists side by side below them; more
    // boards take the left side, the lists one above the other on the right.
    const int headingH = px(52);
    const int gap = px(12);
    const int bottom = h - m;
    QFont listFont = m_naRade->font();
    listFont.setPixelSize(px(40));
    const int listLine = QFontMetrics(listFont).lineSpacing();
    const bool across = inPlay <= kBoardsAcross;
    const int boardsW = across ? w - 2 * m : static_cast<int>((w - 3 * m) * 0.6);
    const int boardsTop = y + headingH;
    // Across, the lists below keep room for five lines each.
    const int listsRoom = across ? gap + headingH + 5 * listLine : 0;
    const int pitch = inPlay ? std::min(px(100), (bottom - boardsTop - listsRoom) / inPlay) : px(100);
    const int rowH = std::max(1, pitch - gap);
    m_terceTitle->place(QRect(m, y, boardsW, headingH), px(32));
    if (!bracketPage) { // on the bracket page they stand in the strip
        std::array<QRect, kMostBoards> rows{};
        int row = 0;
        for (std::size_t n = 0; n < m_boards.size(); ++n) {
            if (m_boards[n]->isHidden())
                continue;
            m_boards[n]->setContentsMargins(px(16), 0, px(16), 0);
            rows[n] = QRect(m, boardsTop + row * pitch, boardsW, rowH);
            ++row;
        }
        placeBoards(rows, rowH);
    }

    QRect naRade;
    QRect vysledky;
    if (across) {
        const int top = boardsTop + inPlay * pitch + gap;
        const int half = (w - 3 * m) / 2;
        naRade = QRect(m, top, half, bottom - top);
        vysledky = QRect(2 * m + half, top, w - 3 * m - half, bottom - top);
    } else {
        const int x = 2 * m + boardsW;
        const int listW = w - x - m;
        const int naRadeH = (bottom - y - gap) / 2;
        naRade = QRect(x, y, listW, naRadeH);
        vysledky = QRect(x, y + naRadeH + gap, listW, bottom - y - naRadeH - gap);
    }
    m_naRadeTitle->place(QRect(naRade.topLeft(), QSize(naRade.width(), headingH)), px(32));
    m_naRade->place(naRade.adjusted(0, headingH, 0, 0), px(40));
    m_vysledkyTitle->place(QRect(vysledky.topLeft(), QSize(vysledky.width(), headingH)), px(32));
    m_vysledky->place(vysledky.adjusted(0, headingH, 0, 0), px(40));
}

void TTabule::placeBoards(const std::array<QRect, kMostBoards>& cells, int cellH)
{
    // Every board line at one size: the largest at which the longest of them fits (it alone is cut
    // short, should it not fit even at the smallest size a line may shrink to). Each label is placed
    // once, at that size, so that none is fitted or painted at a size it does not keep.
    const int nominal = cellH * 3 / 5;
    int smallest = 0;
    for (std::size_t n = 0; n < m_boards.size(); ++n) {
        if (m_boards[n]->isHidden())
            continue;
        if (const int px = m_boards[n]->shrunkSize(cells[n].size(), nominal))
            smallest = smallest ? std::min(smallest, px) : px;
    }
    for (std::size_t n = 0; n < m_boards.size(); ++n)
        if (!m_boards[n]->isHidden())
            m_boards[n]->place(cells[n], smallest ? smallest : nominal, smallest == 0);
}

void TTabule::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    arrange();
    // How many lines the lists hold depends on their height.
    fillLists();
}

void TTabule::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // A resume after a crash opens the display again when it was open.
    m_model.change(this, [](Tournament& t) { t.setFlag(kOpenFlag, "1"); });
    refresh();
}

void TTabule::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (!QCoreApplication::closingDown())
        m_model.change(this, [](Tournament& t) { t.setFlag(kOpenFlag, ""); });
    m_pageTimer.stop();
    if (!isFullScreen())
        m_lastWindow = geometry();
}

void TTabule::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
    setFullScreen(!isFullScreen());
}

} // namespace zorbon::ui
