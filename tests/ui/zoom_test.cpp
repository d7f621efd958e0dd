// The operator's screen: bracket windows that resize, zoom and fit, names whole in their cells, and
// accents of capitals drawn whole in every kind of place. CTest runs it at 96 dpi and at 200 %.
// With ZORBON_ZOOM_PICTURES=<folder> it keeps a picture of every window it fits there.

#include "bracketui.h"
#include "display/FitLabel.h"

#include <QGuiApplication>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QWheelEvent>

using namespace bracketui;

namespace {

const QString kAccents = QStringLiteral("ŽŠČŘĎŤŇ Úlehlová");

// Names of 20 to 30 characters full of diacritics, as a venue's list may hold.
QStringList longNames(int n)
{
    static const QStringList first = {"Žofie", "Šimon",  "Čeněk",    "Řehoř",  "Ďáblice",  "Ťoupal",
                                      "Ňadra", "Úlehla", "Kateřina", "Božena", "Gabriela", "Přemysl"};
    static const QStringList last = {"Úlehlová-Řezníčková", "Šimková Žďárská", "Čermáková-Ďurčová", "Řezníček z Ústí",
                                     "Ťoupalová Šťastná",   "Žďárský Čížek",   "Nováková-Šípková",  "Dvořáček Ondřejů"};
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << first[i % first.size()] + QLatin1Char(' ') + last[(i * 5 + i / 8) % last.size()] +
                   (i >= 48   ? QStringLiteral(" st.")
                    : i >= 24 ? QStringLiteral(" ml.")
                              : QString());
    return out;
}

TBracketWindow* drawLong(Zorbon& app, int size)
{
    app.start();
    if (!app.core().acceptNewTournament({"Zimní liga 2025/2026", "Hospoda U Šípku", "9. 12. 2026"}).ok())
        return nullptr;
    for (const QString& name : longNames(size))
        if (!app.core().addPlayer(name.toStdString()).ok())
            return nullptr;
    app.HlavniOkno->refresh();
    return draw(app, size == 8 ? 2 : size == 16 ? 4 : size == 32 ? 10 : 16);
}

QAction* action(QWidget* w, const char* name)
{
    return child<QAction>(w, name);
}

// Where a widget lies in the window's bracket viewport.
QRect inViewport(TBracketWindow* w, QWidget* cell)
{
    QWidget* viewport = child<QWidget>(w, "ScrollBox1");
    return QRect(cell->mapTo(viewport, QPoint(0, 0)), cell->size());
}

void keepPicture(QWidget* w, const QString& name)
{
    const QByteArray folder = qgetenv("ZORBON_ZOOM_PICTURES");
    if (folder.isEmpty())
        return;
    w->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The bounding box of what is drawn in a colour far from `background`.
QRect inkBox(const QImage& image, QColor background)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int d = std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
                          std::abs(c.blue() - background.blue());
            if (d > 120)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

// How tall the text's ink is when nothing can cut it: drawn alone on a large picture.
int inkHeightUncut(const QFont& font, const QString& text, qreal dpr, QColor ink, QColor background)
{
    QImage image(QSize(1600, 300) * dpr, QImage::Format_ARGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(background);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QPoint(20, 150), text);
    p.end();
    return inkBox(image, background).height();
}

// The text's ink as drawn in the widget's picture is as tall as when nothing can cut it: a cut accent
// or descender makes it shorter.
void verifyWhole(QWidget* w, QColor background, const QFont& font, const QString& text, QColor ink = Qt::black)
{
    const QImage picture = w->grab().toImage();
    if (!qEnvironmentVariableIsEmpty("ZORBON_ZOOM_PICTURES"))
        picture.save(qEnvironmentVariable("ZORBON_ZOOM_PICTURES") + QStringLiteral("/ink-") + w->objectName() +
                     QStringLiteral(".png"));
    const QRect drawn = inkBox(picture, background);
    const int whole = inkHeightUncut(font, text, picture.devicePixelRatio(), ink, background);
    QVERIFY2(
        drawn.height() >= whole - 1,
        qPrintable(QStringLiteral("%1: ink %2 px tall, uncut %3").arg(w->objectName()).arg(drawn.height()).arg(whole)));
}

} // namespace

class ZoomTest : public QObject {
    Q_OBJECT
private slots:
    void sizes_data();
    void viewMenu_data() { sizes_data(); }
    void viewMenu();
    void fitShowsEveryCell_data();
    void fitShowsEveryCell();
    void zoomKeepsScrollingAndCorrection_data() { sizes_data(); }
    void zoomKeepsScrollingAndCorrection();
    void ctrlWheelZooms();
    void namesShrinkTogetherBeforeTheyAreCut_data() { sizes_data(); }
    void namesShrinkTogetherBeforeTheyAreCut();
    void accentsWholeInEveryPlace_data() { sizes_data(); }
    void accentsWholeInEveryPlace();
    void focusFrameOnlyFromTheKeyboard();
    void placeAndZoomRememberedAcrossStarts();
};

void ZoomTest::sizes_data()
{
    QTest::addColumn<int>("size");
    for (const int size : kBracketSizes)
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

// "Zobrazení" comes after "Příkazy"; no shortcut of the window takes a board's key (Ctrl+1 … Ctrl+0,
// Alt+1 … Alt+6 of a bracket with more boards).
void ZoomTest::viewMenu()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = app.bracketWindow(size);
    QStringList menus;
    for (QAction* a : w->menuBar()->actions())
        menus << a->menu()->objectName();
    QCOMPARE(menus, (QStringList{"Soubor1", "Pkazy1", "Zobrazeni1", "Help1"}));
    QStringList entries;
    for (QAction* a : child<QMenu>(w, "Zobrazeni1")->actions())
        entries << a->text().remove(QLatin1Char('&'));
    QCOMPARE(entries, (QStringList{"Zvětšit", "Zmenšit", "Skutečná velikost", "Přizpůsobit oknu"}));
    QCOMPARE(action(w, "Zvetsit1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    QCOMPARE(action(w, "Zmensit1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));

    QList<QKeySequence> boards;
    for (int n = 0; n <= 9; ++n)
        boards << QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key(Qt::Key_0 + n)));
    for (int n = 1; n <= 6; ++n)
        boards << QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(Qt::Key_0 + n)));
    for (const QAction* a : w->findChildren<QAction*>()) {
        if (a->objectName().startsWith(QStringLiteral("TercKlavesa")))
            continue;
        for (const QKeySequence& k : a->shortcuts())
            QVERIFY2(!boards.contains(k), qPrintable(a->objectName() + QLatin1Char(' ') + k.toString()));
    }
    for (const QShortcut* sc : w->findChildren<QShortcut*>())
        QVERIFY(!boards.contains(sc->key()));
}

void ZoomTest::fitShowsEveryCell_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<bool>("maximised");
    for (const int size : kBracketSizes) {
        const QString n = QString::number(size);
        QTest::newRow(qPrintable(n + QStringLiteral(" maximised"))) << size << QSize() << true;
        QTest::newRow(qPrintable(n + QStringLiteral(" 1366x768"))) << size << QSize(1366, 740) << false;
        QTest::newRow(qPrintable(n + QStringLiteral(" small"))) << size << QSize(820, 560) << false;
        // The 64's sixteen boards make its panel taller than 600 pixels.
        QTest::newRow(qPrintable(n + QStringLiteral(" wide"))) << size << QSize(1900, size == 64 ? 840 : 600) << false;
    }
}

// "Přizpůsobit oknu" in a resized or maximised window: every cell whole in view, nothing to scroll;
// the board panel at the right edge at its own size.
void ZoomTest::fitShowsEveryCell()
{
    QFETCH(int, size);
    QFETCH(QSize, window);
    QFETCH(bool, maximised);
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = drawLong(app, size);
    QVERIFY(w);
    const QRect screen = w->screen()->availableGeometry();
    if (maximised)
        w->showMaximized();
    else
        w->resize(window.boundedTo(screen.size()));
    QCoreApplication::processEvents();
    action(w, "Prizpusobit1")->trigger();
    QVERIFY(w->fitting());
    QWidget* viewport = child<QWidget>(w, "ScrollBox1");
    const QRect view = viewport->rect();
    const auto& t = w->bracket().table();
    for (const auto& slot : t.slotSpecs) {
        for (const std::string& name : {slot.name, slot.score}) {
            QWidget* cell = label(w, s(name));
            QVERIFY2(view.contains(inViewport(w, cell)), name.c_str());
        }
    }
    for (const char* bar : {"ScrollBar1", "ScrollBar2", "ZoomScrollH", "ZoomScrollV"})
        if (auto* b = w->findChild<QScrollBar*>(QString::fromLatin1(bar)))
            QCOMPARE(b->maximum(), 0);
    QWidget* panel = child<QWidget>(w, "Panel2");
    QCOMPARE(panel->width(), 160);
    QCOMPARE(panel->x() + 160, child<QWidget>(w, "Client")->width());
    QVERIFY(viewport->geometry().right() < panel->x());
    const int boards = w->bracket().boardCount();
    QCOMPARE(child<QWidget>(w, qPrintable(QStringLiteral("Terc%1").arg(boards)))->size(), QSize(98, 30));
    keepPicture(w, QStringLiteral("fit-%1-%2").arg(size).arg(QString(QTest::currentDataTag()).section(' ', 1)));

    // A fitted window follows its size.
    const double before = w->zoom();
    if (!maximised) {
        w->resize(w->QWidget::size() - QSize(200, 100));
        QCoreApplication::processEvents();
        QVERIFY(w->zoom() < before);
        for (const auto& slot : t.slotSpecs)
            QVERIFY(viewport->rect().contains(inViewport(w, label(w, s(slot.name)))));
    }
    // Any other zoom ends the fitting.
    action(w, "SkutecnaVelikost1")->trigger();
    QVERIFY(!w->fitting());
    QCOMPARE(w->zoom(), 1.0);
}

// At every zoom the scroll bars reach the whole bracket, and the correction controls come into view;
// back at the actual size in the opening size, the specified ranges hold again.
void ZoomTest::zoomKeepsScrollingAndCorrection()
{
    QFETCH(int, size);
    // The 64's board panel is taller than a 1080 screen at 200 %: the window then scrolls as a whole,
    // which this test does not follow yet.
    if (size == 64 && qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2"))
        QSKIP("the 64 window is taller than this screen");
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, size);
    TBracketWindow* w = draw(app, size == 8 ? 2 : 4);
    clickButton(w, "SpeedButton2");
    enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1"));
    QWidget* drawing = child<QWidget>(w, "Drawing");
    QWidget* viewport = child<QWidget>(w, "ScrollBox1");
    const QSize base = drawing->size();
    for (const double zoom : {2.0, 1.5, 0.5, 1.0}) {
        w->setZoom(zoom);
        QCOMPARE(drawing->size(), QSize(qRound(base.width() * zoom), qRound(base.height() * zoom)));
        QScrollBar* h =
            w->findChild<QScrollBar*>(size == 8 ? QStringLiteral("ZoomScrollH") : QStringLiteral("ScrollBar1"));
        QScrollBar* v =
            w->findChild<QScrollBar*>(size >= 32 ? QStringLiteral("ScrollBar2") : QStringLiteral("ZoomScrollV"));
        if (zoom > 1.2) {
            // Everything can be scrolled to: the far corner comes into view.
            QVERIFY(h->isVisible() && v->isVisible());
            h->setValue(h->maximum());
            v->setValue(v->maximum());
            QVERIFY(drawing->x() + drawing->width() <= viewport->width() + 1);
            QVERIFY(drawing->y() + drawing->height() <= viewport->height() + 1);
            h->setValue(0);
            QCOMPARE(drawing->x(), 0);
        }
        // The correction controls open in view at this zoom and it scrolls back after.
        h->setValue(h->maximum() / 3);
        const int savedH = h->value();
        const auto& t = w->bracket().table();
        Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
        click(label(w, s(t.slot(t.box(1).upper).name)));
        QWidget* ok = child<QWidget>(w, "Button1");
        QVERIFY(ok->isVisible());
        QVERIFY2(viewport->rect().contains(inViewport(w, ok)), qPrintable(QString::number(zoom)));
        clickButton(w, "Button2");
        QCOMPARE(h->value(), savedH);
    }
    // At the actual size in the opening size the ranges are the specified ones.
    w->resize(w->openingSize());
    QCoreApplication::processEvents();
    if (size == 16)
        QCOMPARE(child<QScrollBar>(w, "ScrollBar1")->maximum(), 370);
    if (size == 32) {
        QCOMPARE(child<QScrollBar>(w, "ScrollBar1")->maximum(), 900);
        QCOMPARE(child<QScrollBar>(w, "ScrollBar2")->maximum(), 380);
    }
    for (const char* extra : {"ZoomScrollH", "ZoomScrollV"})
        if (auto* b = w->findChild<QScrollBar*>(QString::fromLatin1(extra)))
            QVERIFY(!b->isVisible());
    // Zvětšit and Zmenšit step through the zooms and back.
    action(w, "Zvetsit1")->trigger();
    QVERIFY(w->zoom() > 1.0);
    action(w, "Zmensit1")->trigger();
    QCOMPARE(w->zoom(), 1.0);
    action(w, "Zmensit1")->trigger();
    QVERIFY(w->zoom() < 1.0);
    for (int i = 0; i < 30; ++i)
        action(w, "Zmensit1")->trigger();
    QCOMPARE(w->zoom(), TBracketWindow::kLeastZoom);
}

void ZoomTest::ctrlWheelZooms()
{
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = app.bracketWindow(32);
    w->show();
    QWidget* viewport = child<QWidget>(w, "ScrollBox1");
    QWidget* drawing = child<QWidget>(w, "Drawing");
    const QPoint at(200, 150);
    const QPoint before = at - drawing->pos();
    QWheelEvent up(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                   Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &up);
    QVERIFY(w->zoom() > 1.0);
    // The point under the pointer stays under it.
    const QPoint after = at - drawing->pos();
    QVERIFY(qAbs(after.x() - before.x() * w->zoom()) <= 2);
    QVERIFY(qAbs(after.y() - before.y() * w->zoom()) <= 2);
    QWheelEvent down(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::ControlModifier,
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &down);
    QCOMPARE(w->zoom(), 1.0);
    // Without Ctrl the wheel scrolls.
    const int v = child<QScrollBar>(w, "ScrollBar2")->value();
    QWheelEvent plain(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &plain);
    QVERIFY(child<QScrollBar>(w, "ScrollBar2")->value() > v);
    QCOMPARE(w->zoom(), 1.0);
}

// A name too wide for its cell takes the one smaller size all such names share; it is cut only below
// that size's floor; every name cell has the whole name as its tooltip.
void ZoomTest::namesShrinkTogetherBeforeTheyAreCut()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = drawLong(app, size);
    QVERIFY(w);
    const auto& t = w->bracket().table();
    auto* drawing = static_cast<BracketDrawing*>(child<QWidget>(w, "Drawing"));
    QVERIFY(drawing->smallNameSize() < 11);
    int shrunk = 0;
    for (SlotId id = 0; id < static_cast<SlotId>(t.slotSpecs.size()); ++id) {
        auto* cell = qobject_cast<Cell*>(label(w, s(t.slot(id).name)));
        QVERIFY(cell);
        const QString name = cell->text();
        if (name.trimmed() != QStringLiteral("?"))
            QCOMPARE(cell->toolTip(), name);
        else
            QVERIFY(cell->toolTip().isEmpty());
        const Cell::Fit fit = cell->fit();
        QFont small = cell->font();
        small.setPixelSize(drawing->smallNameSize());
        const int atOwn = QFontMetrics(cell->font()).horizontalAdvance(name);
        const int atSmall = QFontMetrics(small).horizontalAdvance(name);
        // Each cell at the first size its name fits: its own, the shared smaller one, or cut there.
        QCOMPARE(fit, atOwn <= cell->textRoom()     ? Cell::Fit::Own
                      : atSmall <= cell->textRoom() ? Cell::Fit::Small
                                                    : Cell::Fit::Cut);
        shrunk += fit != Cell::Fit::Own ? 1 : 0;
    }
    QVERIFY2(shrunk > 0, "long names shrink");
    // A name that fits at a smaller size is shown whole, at the one smaller size.
    auto* first = qobject_cast<Cell*>(label(w, QStringLiteral("Lab1")));
    first->setCellText(QStringLiteral("Jana Dvořáková"));
    drawing->fitNames();
    QCOMPARE(first->fit(), Cell::Fit::Small);
    QCOMPARE(first->toolTip(), QStringLiteral("Jana Dvořáková"));
    QVERIFY(drawing->smallNameSize() >= 8);
    keepPicture(w, QStringLiteral("names-%1").arg(size));
}

// "ŽŠČŘĎŤŇ Úlehlová" whole in a cell, on a board, in the winner line, on the display and in the
// correction controls, at the actual size and zoomed.
void ZoomTest::accentsWholeInEveryPlace()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, size);
    TBracketWindow* w = draw(app, size == 8 ? 2 : 4);
    QVERIFY(w);
    for (const double zoom : {1.0, 0.6, 1.75}) {
        w->setZoom(zoom);
        auto* cell = qobject_cast<Cell*>(label(w, QStringLiteral("Lab1")));
        cell->setCellText(kAccents.left(9)); // what fits a cell
        verifyWhole(cell, QColor::fromRgb(cell->colour()), cell->font(), kAccents.left(9));
    }
    w->setZoom(1.0);
    // A board of three lines: the number, and both names full of accents.
    auto* board = qobject_cast<BoardView*>(child<QWidget>(w, "Terc1"));
    board->setLines({QStringLiteral("17"), QStringLiteral("ŽŠČŘĎŤ Úlehl"), QStringLiteral("ŘĎŤŇ Ťoupal")}, kLime);
    const QList<BoardView::Line> lines = board->layout();
    QCOMPARE(lines.size(), 3);
    QRect previous;
    for (const BoardView::Line& line : lines) {
        const QRect ink = QFontMetrics(line.font).tightBoundingRect(line.text).translated(line.baseline);
        QVERIFY2(board->contentsRect().contains(ink), qPrintable(line.text));
        QVERIFY2(!ink.intersects(previous), qPrintable(line.text));
        previous = ink;
    }
    // The ink runs from the top of the number line's digits to the descenders of the last line.
    const QRect inks = QFontMetrics(lines[0].font).tightBoundingRect(lines[0].text).translated(lines[0].baseline) |
                       QFontMetrics(lines[2].font).tightBoundingRect(lines[2].text).translated(lines[2].baseline);
    const QRect drawn = inkBox(board->grab().toImage(), QColor::fromRgb(kLime));
    const qreal dpr = board->devicePixelRatioF();
    QVERIFY2(drawn.height() >= (inks.height() - 1) * dpr, qPrintable(QString::number(drawn.height())));
    for (const BoardView::Line& line : lines.mid(1)) {
        QImage one(board->size() * dpr, QImage::Format_ARGB32);
        one.setDevicePixelRatio(dpr);
        one.fill(QColor::fromRgb(kLime));
        QPainter p(&one);
        p.setFont(line.font);
        p.drawText(line.baseline, line.text);
        p.end();
        QCOMPARE(inkBox(one, QColor::fromRgb(kLime)).height(),
                 inkHeightUncut(line.font, line.text, dpr, Qt::black, QColor::fromRgb(kLime)));
    }
    board->setLines({QStringLiteral(" VOLNÝ")}, kSilver);
    verifyWhole(board, QColor::fromRgb(kSilver), board->layout().front().font, QStringLiteral("Ý"));
    // The display's labels.
    FitLabel display(QStringLiteral("TabuleTerc1"), 40, Weight::Bold, nullptr);
    display.resize(500, 44);
    QPalette p = display.palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    display.setPalette(p);
    display.setAutoFillBackground(true);
    display.setFullText(kAccents);
    verifyWhole(&display, Qt::black, display.font(), kAccents, Qt::white);
}

// The focus mark shows while the operator moves through the boxes with the keyboard, and is gone
// once the mouse takes over.
void ZoomTest::focusFrameOnlyFromTheKeyboard()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    QCoreApplication::processEvents();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QWidget* frame = child<QWidget>(w, "Shape1");
    auto* drawing = static_cast<BracketDrawing*>(child<QWidget>(w, "Drawing"));
    frame->setFocus(Qt::TabFocusReason);
    QTest::keyClick(frame, Qt::Key_Down);
    QVERIFY(drawing->keyboardInUse());
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused && focused->objectName().startsWith(QStringLiteral("Shape")));
    const QRect mark = focused->geometry().adjusted(-3, -3, 2, 2);
    const QImage withMark = drawing->grab(mark).toImage();
    QTest::mouseClick(label(w, QStringLiteral("Lab11P")), Qt::LeftButton);
    QVERIFY(!drawing->keyboardInUse());
    const QImage without = drawing->grab(mark).toImage();
    QVERIFY(withMark != without);
    QCOMPARE(inkBox(without.copy(0, 0, without.width(), 2), QColor::fromRgb(qrgb(TColor::clYellow))), QRect());
}

// A window's size, place and zoom come back at the next start, from the journal; a place off every
// screen is not used.
void ZoomTest::placeAndZoomRememberedAcrossStarts()
{
    UiTestEnv env;
    const QRect left(60, 70, 700, 420);
    {
        Zorbon app;
        registerTournament(app, 12);
        TBracketWindow* w = draw(app, 2);
        w->setGeometry(left);
        w->setZoom(1.5);
    } // the program ends with the tournament running
    auto resume = [] { Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); }); };
    {
        Zorbon app;
        resume();
        QVERIFY(app.start());
        TBracketWindow* w = app.bracketWindow(16);
        QVERIFY(w->isVisible());
        QCOMPARE(w->geometry(), left);
        QCOMPARE(w->zoom(), 1.5);
        // Left where no screen is now (a TV since unplugged).
        w->setZoom(1.0);
        w->setGeometry(QRect(5000, 4000, 640, 400));
    }
    {
        Zorbon app;
        resume();
        QVERIFY(app.start());
        TBracketWindow* w = app.bracketWindow(16);
        QVERIFY(w->screen()->availableGeometry().intersects(w->geometry()));
        QCOMPARE(w->QWidget::size(), QSize(640, 400));
        QCOMPARE(w->zoom(), 1.0);
    }
}

QTEST_MAIN(ZoomTest)
#include "zoom_test.moc"
