#include "bracketwindow/TBracketWindow.h"

#include "app/Model.h"
#include "bracketwindow/BoardPanel.h"
#include "bracketwindow/BracketPrint.h"
#include "bracketwindow/BracketWidgets.h"
#include "bracketwindow/CorrectionPanel.h"
#include "common/Dartboard.h"
#include "common/Dialogs.h"
#include "common/Guard.h"
#include "common/ScreenFit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QWheelEvent>

namespace zorbon::ui {
namespace {

constexpr int kTopBar = 40;
constexpr int kPanelW = 160;

// The zooms "Zvětšit" and "Zmenšit" step through.
constexpr double kZoomSteps[] = {0.1, 0.15, 0.2, 0.25, 0.33, 0.4,  0.5, 0.6, 0.67, 0.75, 0.8,
                                 0.9, 1.0,  1.1, 1.25, 1.5,  1.75, 2.0, 2.5, 3.0,  4.0};

const QString kCloseQuestion =
    QStringLiteral("Při zavření okna se vymaží veškerá data o turnaji včetně registrovaných hráčů !!! Pokračovat ???");

QLabel* hiddenLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->hide();
    return l;
}

} // namespace

TBracketWindow::TBracketWindow(Model& model, int size)
    : m_model(model)
    , m_size(size)
    , m_look(lookFor(size))
{
    setObjectName(m_look.windowName);
    setWindowTitle(m_look.caption);
    connect(&m_model, &Model::changed, this, [this](unsigned what) {
        if (what & (kBracketChanged | kTournamentChanged | kHistoryChanged))
            refresh();
    });
    // The widgets come on first need (ensureBuilt): the hundreds of cells of the three windows
    // would otherwise more than double the program's start-up, and what they show lives in the session.
}

void TBracketWindow::build()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Client"));
    central->resize(m_look.client);
    setCentralWidget(central);
    buildMenus();
    buildChrome(central);
    buildCorrectionControls();
    // The board panel and the button bar must stay whole; the bracket scrolls or zooms in the rest.
    const int boardsBottom = kTopBar + 40 + 40 * (bracket().boardCount() - 1) + 30 + 8;
    central->setMinimumSize(kPanelW + 340, std::max(boardsBottom, kTopBar + 160));
    central->installEventFilter(this);
    m_viewport->installEventFilter(this);
    refresh();
    layoutChrome();
    scrollHome();
    resize(openingSize());
}

QSize TBracketWindow::openingSize() const
{
    return {m_look.client.width(), m_look.client.height() + menuBar()->sizeHint().height()};
}

void TBracketWindow::placeAt(const QRect& geometry, bool maximized, double zoom)
{
    m_placeOnShow = geometry;
    m_maximizeOnShow = maximized;
    m_zoomOnShow = std::clamp(zoom, kLeastZoom, kMostZoom);
}

const Bracket& TBracketWindow::bracket() const
{
    return m_model.session().brackets.bySize(m_size);
}

void TBracketWindow::buildMenus()
{
    auto addAction = [this](QMenu* menu, const char* name, const QString& text, auto handler) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    QMenu* soubor = menuBar()->addMenu(QStringLiteral("&Soubor"));
    soubor->setObjectName(QStringLiteral("Soubor1"));
    addAction(soubor, "TiskPavouka1", QStringLiteral("&Tisk pavouka"), [this] { TiskPavouka1Click(); });
    addAction(soubor, "ExportPavoukaPdf1", QStringLiteral("&Export pavouka do PDF"),
              [this] { ExportPavoukaPdf1Click(); });
    soubor->addSeparator();
    addAction(soubor, "Zavt1", QStringLiteral("&Zavřít"), [this] { close(); });

    QMenu* prikazy = menuBar()->addMenu(QStringLiteral("&Příkazy"));
    prikazy->setObjectName(QStringLiteral("Pkazy1"));
    addAction(prikazy, "Tere1", QStringLiteral("&Terče"), [this] { SpeedButton1Click(); });
    addAction(prikazy, "Hraj1", QStringLiteral("&Hraj"), [this] { SpeedButton2Click(); });
    addAction(prikazy, "Vsledkovlistina1", QStringLiteral("&Výsledková listina"), [this] { SpeedButton3Click(); });
    prikazy->addSeparator();
    m_zpet = addAction(prikazy, "Zpet1", QStringLiteral("&Zpět"), [this] { Zpet1Click(); });
    m_zpet->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_znovu = addAction(prikazy, "Znovu1", QStringLiteral("Z&novu"), [this] { Znovu1Click(); });
    m_znovu->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    prikazy->addSeparator();
    // The players' display opens and closes from here; the application holds it.
    QAction* tabule = addAction(prikazy, "Tabule1", QStringLiteral("Ta&bule pro hráče"), [this] { Tabule1Click(); });
    tabule->setShortcut(QKeySequence(Qt::Key_F9));
    QAction* celaObrazovka = addAction(prikazy, "TabuleCelaObrazovka1", QStringLiteral("Na &celou obrazovku"),
                                       [this] { TabuleCelaObrazovka1Click(); });
    celaObrazovka->setShortcut(QKeySequence(Qt::Key_F11));
    m_mobil = addAction(prikazy, "Mobil1", QStringLiteral("Výsledky na &mobilu"),
                        [this](bool on) { emit mobileRequested(on); });
    m_mobil->setCheckable(true);
    m_mobil->setChecked(m_mobilOn);

    // Zooming: Ctrl+0 and the other digits belong to the boards, so "Skutečná velikost" has none.
    QMenu* zobrazeni = menuBar()->addMenu(QStringLiteral("Zo&brazení"));
    zobrazeni->setObjectName(QStringLiteral("Zobrazeni1"));
    QAction* zvetsit = addAction(zobrazeni, "Zvetsit1", QStringLiteral("&Zvětšit"), [this] { Zvetsit1Click(); });
    zvetsit->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* zmensit = addAction(zobrazeni, "Zmensit1", QStringLiteral("Z&menšit"), [this] { Zmensit1Click(); });
    zmensit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    addAction(zobrazeni, "SkutecnaVelikost1", QStringLiteral("&Skutečná velikost"),
              [this] { SkutecnaVelikost1Click(); });
    addAction(zobrazeni, "Prizpusobit1", QStringLiteral("&Přizpůsobit oknu"), [this] { Prizpusobit1Click(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    addAction(help, "Help2", QStringLiteral("H&elp"), [this] { Help2Click(); });
    help->addSeparator();
    addAction(help, "OProgramu1", m_look.aboutItem, [this] { OProgramu1Click(); });
}

void TBracketWindow::buildChrome(QWidget* central)
{
    const QSize client = m_look.client;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int vpW = client.width() - kPanelW - (m_look.vertical.max ? bar : 0);
    const int vpH = client.height() - kTopBar - (m_look.horizontal.max ? bar : 0);

    // The blue button bar.
    auto* top = new QWidget(central);
    m_topBar = top;
    top->setObjectName(QStringLiteral("Panel1"));
    top->setGeometry(0, 0, client.width(), kTopBar);
    paintBackground(top, TColor::clBlue);
    const QString captions[] = {QStringLiteral("Terče"), QStringLiteral("Hraj"), QStringLiteral("Výsledková listina")};
    const int widths[] = {80, 80, 150};
    int x = 8;
    for (int i = 0; i < 3; ++i) {
        auto* b = new QToolButton(top);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        b->setText(captions[i]);
        b->setToolTip(m_look.hints[static_cast<std::size_t>(i)]);
        b->setFont(pixelFont(13, Weight::Bold));
        b->setGeometry(x, 6, widths[i], 28);
        b->setCursor(Qt::PointingHandCursor);
        x += widths[i] + 6;
        m_speed.push_back(b);
    }
    connect(m_speed[0], &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(m_speed[1], &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(m_speed[2], &QToolButton::clicked, this, [this] { SpeedButton3Click(); });

    // The board panel on the right: it stays put while the drawing scrolls.
    m_boardPanel = new BoardPanel(m_look, bracket().boardCount(), central);
    m_panel = m_boardPanel;
    m_boardPanel->setGeometry(client.width() - kPanelW, kTopBar, kPanelW, client.height() - kTopBar);
    connect(m_boardPanel, &BoardPanel::boardClicked, this, [this](int n) { TercClick(n); });

    // The drawing inside a clipping viewport, moved by the scroll bars.
    m_viewport = new QWidget(central);
    m_viewport->setObjectName(QStringLiteral("ScrollBox1"));
    m_viewport->setGeometry(0, kTopBar, vpW, vpH);
    paintBackground(m_viewport, TColor::clYellow);
    m_drawing = new BracketDrawing(m_look, bracket().table(), m_viewport);
    for (int n = 1; n <= bracket().table().boxCount(); ++n) {
        const auto& box = bracket().table().box(n);
        // From the keyboard: Tab and the arrows reach the box, Enter or Space is its click.
        Shape* frame = m_drawing->frame(n);
        connect(frame, &Shape::activated, this, [this, n] { BoxClick(n); });
        connect(frame, &Shape::focused, this, [this, frame] { showFocusedBox(frame); });
        connect(frame, &Shape::arrowPressed, this, [this, frame](int key) {
            if (Shape* next = m_drawing->neighbour(frame, key))
                next->setFocus(Qt::OtherFocusReason);
        });
        if (n > 1)
            setTabOrder(m_drawing->frame(n - 1), frame);
        // In the final only its upper name cell answers a click.
        if (box.isFinal()) {
            connect(m_drawing->nameCell(box.upper), &Cell::clicked, this, [this, n] { BoxClick(n); });
            continue;
        }
        for (const SlotId id : {box.upper, box.lower}) {
            connect(m_drawing->nameCell(id), &Cell::clicked, this, [this, n] { BoxClick(n); });
            connect(m_drawing->scoreCell(id), &Cell::clicked, this, [this, n] { BoxClick(n); });
        }
    }
    auto* picture = new QLabel(m_drawing);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(dartboardPicture(64));
    picture->setGeometry(QRect(m_look.picturePos, QSize(64, 64)));

    m_vitez = new QLabel(m_drawing);
    m_vitez->setObjectName(QStringLiteral("LabVitez"));
    m_vitez->setTextFormat(Qt::PlainText);
    m_vitez->setFont(pixelFont(17, Weight::Bold));
    m_vitez->setGeometry(m_look.vitezPos.x(), m_look.vitezPos.y(), m_look.vitezWidth, 26);
    m_porazeny = hiddenLabel(QStringLiteral("porazeny"), m_drawing);

    // Both bars exist in every window: the ones the window always had keep their names, ranges and
    // positions; the others appear only when the zoom or a small window needs them.
    m_hbar = new QScrollBar(Qt::Horizontal, central);
    m_hbar->setObjectName(m_look.horizontal.max ? QStringLiteral("ScrollBar1") : QStringLiteral("ZoomScrollH"));
    m_hbar->setPageStep(m_look.horizontal.max ? m_look.horizontal.page : 50);
    m_vbar = new QScrollBar(Qt::Vertical, central);
    m_vbar->setObjectName(m_look.vertical.max ? QStringLiteral("ScrollBar2") : QStringLiteral("ZoomScrollV"));
    m_vbar->setPageStep(m_look.vertical.max ? m_look.vertical.page : 50);
    for (QScrollBar* b : {m_hbar, m_vbar}) {
        b->setSingleStep(10);
        connect(b, &QScrollBar::valueChanged, this, [this] { layoutChrome(); });
    }
    if (m_look.horizontal.max)
        m_scrollH = hiddenLabel(m_look.hScrollLabel, m_drawing);
    if (m_look.vertical.max)
        m_scrollV = hiddenLabel(m_look.vScrollLabel, m_drawing);
    m_baseViewport = QSize(vpW, vpH);
    // The specified ranges go a little past the drawing's overhang or stop short of it; that
    // difference stays at every zoom. Without a bar, what the drawing overhangs is not scrolled to.
    const QSize over = m_look.drawing - m_baseViewport;
    m_slack = QSize(m_look.horizontal.max ? m_look.horizontal.max - over.width() : std::max(0, over.width()),
                    m_look.vertical.max ? m_look.vertical.max - over.height() : std::max(0, over.height()));
}

void TBracketWindow::layoutChrome()
{
    if (!built() || !m_drawing)
        return;
    QWidget* client = m_topBar->parentWidget();
    const QSize c = client->size();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize d = m_drawing->size();
    const bool hSpec = m_look.horizontal.max > 0;
    const bool vSpec = m_look.vertical.max > 0;
    const int roomW = std::max(1, c.width() - kPanelW);
    const int roomH = std::max(1, c.height() - kTopBar);
    // A bar shows when the window always had it, or when the drawing overhangs by more than it did.
    bool hShown = hSpec;
    bool vShown = vSpec;
    for (int pass = 0; pass < 2; ++pass) {
        const int vpW = roomW - (vShown ? bar : 0);
        const int vpH = roomH - (hShown ? bar : 0);
        hShown = hSpec || d.width() - vpW > m_slack.width();
        vShown = vSpec || d.height() - vpH > m_slack.height();
    }
    const int vpW = std::max(1, roomW - (vShown ? bar : 0));
    const int vpH = std::max(1, roomH - (hShown ? bar : 0));

    m_topBar->setGeometry(0, 0, c.width(), kTopBar);
    m_panel->setGeometry(c.width() - kPanelW, kTopBar, kPanelW, roomH);
    m_viewport->setGeometry(0, kTopBar, vpW, vpH);
    // At the actual size the specified ranges hold exactly; zoomed, the whole drawing can be reached.
    const bool actual = m_drawing->zoom() == 1.0;
    auto range = [actual](int drawing, int viewport, bool designed, int slack) {
        if (drawing <= viewport)
            return 0;
        return std::max(0, drawing - viewport + (designed ? (actual ? slack : std::max(0, slack)) : 0));
    };
    const QSignalBlocker hb(m_hbar);
    const QSignalBlocker vb(m_vbar);
    m_hbar->setRange(0, range(d.width(), vpW, hSpec, m_slack.width()));
    m_vbar->setRange(0, range(d.height(), vpH, vSpec, m_slack.height()));
    m_hbar->setGeometry(0, kTopBar + vpH, vpW, bar);
    m_vbar->setGeometry(vpW, kTopBar, bar, vpH);
    m_hbar->setVisible(hShown);
    m_vbar->setVisible(vShown);
    // A drawing smaller than the view stands in its middle.
    const int x = d.width() < vpW ? (vpW - d.width()) / 2 : -m_hbar->value();
    const int y = d.height() < vpH ? (vpH - d.height()) / 2 : -m_vbar->value();
    m_drawing->move(x, y);
}

int TBracketWindow::scaledPosition(int base, int baseViewport, int viewport, int max) const
{
    // The middle of what the position showed at zoom 1 stays in the middle.
    const double middle = base + baseViewport / 2.0;
    return std::clamp(static_cast<int>(std::lround(middle * zoom() - viewport / 2.0)), 0, max);
}

double TBracketWindow::zoom() const
{
    return m_drawing ? m_drawing->zoom() : 1.0;
}

double TBracketWindow::fitZoom() const
{
    if (!m_drawing)
        return 1.0;
    QWidget* client = m_topBar->parentWidget();
    const QSize room(client->width() - kPanelW, client->height() - kTopBar);
    // The window's own bars stay: they take their room whether or not there is anything to scroll.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int w = room.width() - (m_look.vertical.max ? bar : 0);
    const int h = room.height() - (m_look.horizontal.max ? bar : 0);
    const QSize base = m_drawing->baseSize();
    const double z = std::min(double(w) / base.width(), double(h) / base.height());
    // A hair below, so that rounding never leaves a pixel to scroll.
    return std::clamp(std::floor(z * 1000.0) / 1000.0, kLeastZoom, kMostZoom);
}

void TBracketWindow::setZoom(double zoom)
{
    m_fitting = false;
    zoomAround(zoom, QPoint(m_viewport->width() / 2, m_viewport->height() / 2));
}

void TBracketWindow::zoomAround(double zoom, QPoint anchor)
{
    ensureBuilt();
    zoom = std::clamp(zoom, kLeastZoom, kMostZoom);
    const double old = m_drawing->zoom();
    if (zoom == old)
        return;
    // The point of the bracket under the anchor, at zoom 1.
    const QPointF at((anchor.x() - m_drawing->x()) / old, (anchor.y() - m_drawing->y()) / old);
    m_drawing->setZoom(zoom);
    layoutChrome();
    m_hbar->setValue(static_cast<int>(std::lround(at.x() * zoom - anchor.x())));
    m_vbar->setValue(static_cast<int>(std::lround(at.y() * zoom - anchor.y())));
    layoutChrome();
    emit zoomChanged(zoom);
}

void TBracketWindow::Zvetsit1Click()
{
    const double z = zoom();
    for (const double step : kZoomSteps)
        if (step > z + 0.001) {
            setZoom(step);
            return;
        }
}

void TBracketWindow::Zmensit1Click()
{
    const double z = zoom();
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
        if (*it < z - 0.001) {
            setZoom(*it);
            return;
        }
}

void TBracketWindow::SkutecnaVelikost1Click()
{
    setZoom(1.0);
}

void TBracketWindow::Prizpusobit1Click()
{
    setZoom(fitZoom());
    m_fitting = true;
}

bool TBracketWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (built() && e->type() == QEvent::Resize && watched == m_topBar->parentWidget()) {
        if (m_fitting) {
            zoomAround(fitZoom(), QPoint());
        }
        layoutChrome();
    } else if (e->type() == QEvent::Wheel && watched == m_viewport) {
        auto* wheel = static_cast<QWheelEvent*>(e);
        const int delta = wheel->angleDelta().y() ? wheel->angleDelta().y() : wheel->angleDelta().x();
        if (wheel->modifiers() & Qt::ControlModifier) {
            // Ctrl and the wheel zoom around the pointer.
            if (delta == 0)
                return true;
            const double z = zoom();
            double next = z;
            if (delta > 0) {
                for (const double step : kZoomSteps)
                    if (step > z + 0.001) {
                        next = step;
                        break;
                    }
            } else {
                for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
                    if (*it < z - 0.001) {
                        next = *it;
                        break;
                    }
            }
            m_fitting = false;
            zoomAround(next, wheel->position().toPoint());
            return true;
        }
        // The wheel alone scrolls down and up, with Shift across.
        QScrollBar* b = (wheel->modifiers() & Qt::ShiftModifier) || !m_vbar->maximum() ? m_hbar : m_vbar;
        b->setValue(b->value() - delta / 2);
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void TBracketWindow::buildCorrectionControls()
{
    m_correction = new CorrectionPanel(m_look, m_drawing);
    connect(m_correction, &CorrectionPanel::accepted, this, [this] { Button1Click(); });
    connect(m_correction, &CorrectionPanel::cancelled, this, [this] { Button2Click(); });
}

void TBracketWindow::refresh()
{
    if (!built())
        return; // building paints everything from the session
    const Bracket& b = bracket();
    const AdvancementTable& t = b.table();
    for (SlotId id = 0; id < static_cast<SlotId>(t.slotSpecs.size()); ++id) {
        const QRgb c = qrgb(colourOf(b.slotState(id)));
        Cell* name = m_drawing->nameCell(id);
        Cell* score = m_drawing->scoreCell(id);
        name->setCellText(qs(b.name(id)));
        name->setColour(c);
        score->setCellText(qs(b.score(id)));
        score->setColour(c);
    }
    for (int n = 1; n <= t.boxCount(); ++n)
        m_drawing->frame(n)->setColour(qrgb(colourOf(b.state(n))));
    m_drawing->fitNames();

    const bool correcting = b.correctionMode;
    m_boardPanel->refresh(b, correcting);
    for (auto* button : m_speed)
        button->setEnabled(!correcting);
    // Undo waits, like the buttons and the boards, until the correction is done.
    m_zpet->setEnabled(!correcting);
    m_znovu->setEnabled(!correcting);

    m_vitez->setText(qs(b.winnerLine));
    m_vitez->setVisible(!correcting);
    m_porazeny->setText(qs(b.porazeny));

    // The view goes to the correction controls when a correction opens and back to where the
    // operator was when it ends; a second correction opened meanwhile keeps the first saved place.
    if (correcting && !m_correctionShown) {
        m_correctionShown = true;
        m_savedH = m_hbar ? m_hbar->value() : 0;
        m_savedV = m_vbar ? m_vbar->value() : 0;
        if (m_scrollH)
            m_scrollH->setText(QString::number(m_savedH));
        if (m_scrollV)
            m_scrollV->setText(QString::number(m_savedV));
        m_correction->show();
        scrollToBase(m_look.correctionH, m_look.correctionV);
        showFocusedBox(m_correction);
        // On a screen too small for the window the controls must come into view there as well.
        if (auto* area = qobject_cast<QScrollArea*>(centralWidget()))
            area->ensureWidgetVisible(m_correction);
    } else if (!correcting && m_correctionShown) {
        m_correctionShown = false;
        // The keyboard goes back to the corrected box rather than to wherever Qt would send it.
        const bool keyboardInside = m_correction->isAncestorOf(QApplication::focusWidget());
        m_correction->hide();
        if (keyboardInside && b.correction)
            m_drawing->frame(b.correction->box)->setFocus(Qt::OtherFocusReason);
        scrollTo(m_savedH, m_savedV);
    }
}

void TBracketWindow::showFocusedBox(QWidget* frame)
{
    // The scroll bars move just far enough to show the box and a little room around it.
    constexpr int room = 12;
    const QRect r = QRect(frame->mapTo(m_drawing, QPoint(0, 0)), frame->size())
                        .translated(m_drawing->pos())
                        .adjusted(-room, -room, room, room);
    if (m_hbar) {
        if (r.left() < 0)
            m_hbar->setValue(m_hbar->value() + r.left());
        else if (r.right() >= m_viewport->width())
            m_hbar->setValue(m_hbar->value() + r.right() - m_viewport->width() + 1);
    }
    if (m_vbar) {
        if (r.top() < 0)
            m_vbar->setValue(m_vbar->value() + r.top());
        else if (r.bottom() >= m_viewport->height())
            m_vbar->setValue(m_vbar->value() + r.bottom() - m_viewport->height() + 1);
    }
    if (auto* area = qobject_cast<QScrollArea*>(centralWidget()))
        area->ensureWidgetVisible(frame);
}

void TBracketWindow::scrollTo(int h, int v)
{
    if (m_hbar)
        m_hbar->setValue(h);
    if (m_vbar)
        m_vbar->setValue(v);
}

void TBracketWindow::scrollToBase(int h, int v)
{
    scrollTo(scaledPosition(h, m_baseViewport.width(), m_viewport->width(), m_hbar->maximum()),
             scaledPosition(v, m_baseViewport.height(), m_viewport->height(), m_vbar->maximum()));
}

void TBracketWindow::scrollHome()
{
    scrollToBase(m_look.horizontal.home, m_look.vertical.home);
}

void TBracketWindow::showTournament()
{
    refresh();
    show();
    raise();
    activateWindow();
}

void TBracketWindow::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!e->spontaneous()) {
        // The opening size the first time (unless a remembered place came first), always on the screen.
        if (!m_sized) {
            m_sized = true;
            if (m_placeOnShow.isValid()) {
                setGeometry(m_placeOnShow);
                if (m_maximizeOnShow)
                    setWindowState(windowState() | Qt::WindowMaximized);
            } else {
                resize(openingSize());
            }
            if (m_zoomOnShow != 1.0)
                setZoom(m_zoomOnShow);
        }
        fitGrowingWindow(this);
        layoutChrome();
        scrollHome();
    }
}

void TBracketWindow::SpeedButton1Click()
{
    if (const Outcome check = m_model.core().checkBoardCountChange(); !check.ok()) {
        Model::show(this, check);
        return;
    }
    emit boardCountRequested();
}

void TBracketWindow::SpeedButton2Click()
{
    const Say say = m_model.sayer(this);
    m_model.act(this, [&](Tournament& t) { return t.callReadyMatches(say); });
}

void TBracketWindow::SpeedButton3Click()
{
    if (m_model.run(this, [](Tournament& t) { return t.showStandings(); }).ok())
        emit resultsRequested(bracket().table().rules.resultsModal);
}

void TBracketWindow::TercClick(int board)
{
    if (const Outcome click = m_model.core().boardClick(board); !click.ok()) {
        Model::show(this, click);
        return;
    }
    emit resultRequested(board);
}

void TBracketWindow::BoxClick(int box)
{
    const Say say = m_model.sayer(this);
    const std::optional<CorrectionContext> context =
        m_model.run(this, [&](Tournament& t) { return t.clickBox(box, say); }).value();
    if (!context || !confirmCorrection || !confirmCorrection())
        return;
    m_model.change(this, [&](Tournament& t) { t.openCorrection(*context); });
    scrollToBase(m_look.correctionH, m_look.correctionV);
    showFocusedBox(m_correction);
    const Bracket& b = bracket();
    m_correction->open(qs(b.name(context->name1)), qs(b.name(context->name2)), qs(b.score(context->name1)),
                       qs(b.score(context->name2)));
}

void TBracketWindow::Button1Click()
{
    // Not a structured binding: clang 14 (clang-tidy's) cannot capture one in a lambda.
    const std::pair<std::string, std::string> scores = m_correction->scores();
    m_model.act(this, [&](Tournament& t) { return t.applyCorrection(scores.first, scores.second); });
}

void TBracketWindow::Button2Click()
{
    m_model.change(this, [](Tournament& t) { t.cancelCorrection(); });
}

void TBracketWindow::Zpet1Click()
{
    if (bracket().correctionMode)
        return;
    const std::optional<std::string> what = m_model.core().undoDescription();
    if (!what) {
        Dialogs::message(this, QString::fromUtf8(kNothingToUndo));
        return;
    }
    if (!Dialogs::ask(this, QStringLiteral("TVratitZpet"),
                      QStringLiteral("Opravdu vrátit zpět: ") + qs(*what) + QStringLiteral(" ???")))
        return;
    m_model.act(this, [](Tournament& t) { return t.undo(); });
}

void TBracketWindow::Znovu1Click()
{
    if (bracket().correctionMode)
        return;
    m_model.act(this, [](Tournament& t) { return t.redo(); });
}

void TBracketWindow::Tabule1Click()
{
    emit displayRequested();
}

void TBracketWindow::TabuleCelaObrazovka1Click()
{
    emit displayFullScreenRequested();
}

void TBracketWindow::setMobileChecked(bool on)
{
    m_mobilOn = on;
    if (m_mobil) {
        const QSignalBlocker quiet(m_mobil);
        m_mobil->setChecked(on);
    }
}

void TBracketWindow::TiskPavouka1Click()
{
    tiskPavouka(this, bracket(), m_model.session().lobby.header);
}

void TBracketWindow::ExportPavoukaPdf1Click()
{
    const auto makePdf = [this] {
        const QByteArray pdf = bracketPdf(bracket(), m_model.session().lobby.header);
        return std::string(pdf.constData(), static_cast<std::size_t>(pdf.size()));
    };
    if (const auto pdf = m_model.run(this, [&](Tournament& t) { return t.exportBracketPdf(makePdf); }); pdf.ok())
        Dialogs::message(this, qs(pdf.value()));
}

void TBracketWindow::Help2Click()
{
    emit helpRequested();
}

void TBracketWindow::OProgramu1Click()
{
    emit aboutRequested();
}

void TBracketWindow::closeEvent(QCloseEvent* e)
{
    if (!Dialogs::question(this, kCloseQuestion)) {
        e->ignore();
        return;
    }
    // The clear-down stops where a working file fails; the window then stays open.
    if (!m_model.run(this, [](Tournament& t) { return t.closeTournament(); }).ok()) {
        e->ignore();
        return;
    }
    e->accept();
    emit closed();
}

} // namespace zorbon::ui
