// The windows on the screen they are shown on. CTest runs this twice: on a desktop-sized screen,
// where nothing may change, and on a 1366x768 screen at 200 % (683x384 for the program), where
// every window must stay on the screen and what does not fit must scroll.

#include "app/Zorbon.h"
#include "bracketwindow/TBracketWindow.h"
#include "common/HelpViewer.h"
#include "common/ScreenFit.h"
#include "mainwindow/THlavniOkno.h"
#include "mainwindow/TRegistrace.h"
#include "mainwindow/TZpravaNovyTurnaj.h"
#include "resultswindow/TVysledkovaListina.h"
#include "tournament/tournament.h"
#include "uitest.h"

#include "lobby/lobby.h"

#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

using namespace zorbon;
using namespace zorbon::ui;

namespace {

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The window lies on the screen with room for a title bar above it.
void verifyOnScreen(QWidget* w)
{
    const QRect area = screenArea();
    const QSize room = roomOnScreen(w);
    QVERIFY2(w->width() <= room.width() && w->height() <= room.height(),
             qPrintable(QStringLiteral("%1 is %2x%3 on a room of %4x%5")
                            .arg(w->objectName())
                            .arg(w->width())
                            .arg(w->height())
                            .arg(room.width())
                            .arg(room.height())));
    QVERIFY2(area.contains(w->pos()), qPrintable(w->objectName()));
}

bool fits(QSize full, QWidget* w)
{
    const QSize room = roomOnScreen(w);
    return full.width() <= room.width() && full.height() <= room.height();
}

} // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindow();
    void bracketWindows_data();
    void bracketWindows();
    void resizableWindows();
    void longTextsTakeMoreLines();
};

void ScreenFitTest::mainWindow()
{
    UiTestEnv env;
    Zorbon app;
    app.start();
    THlavniOkno* w = app.HlavniOkno;
    const QSize full(660, 540);
    auto* area = qobject_cast<QScrollArea*>(w->centralWidget());
    if (fits(full, w)) {
        // Opens at its own size and can be made larger, down to where the list still reads.
        QVERIFY(!area);
        QCOMPARE(w->size(), full);
        QVERIFY(w->minimumSize().width() < full.width() && w->minimumSize().height() < full.height());
        QVERIFY(w->maximumWidth() > full.width() && w->maximumHeight() > full.height());
        w->resize(1200, 900);
        QTRY_COMPARE(w->size(), QSize(1200, 900));
        QTRY_VERIFY(child<QWidget>(w, "Memo1")->width() > 900);
    } else {
        QVERIFY(area);
        QCOMPARE(area->widget()->objectName(), QStringLiteral("Panel1"));
        verifyOnScreen(w);
        QTRY_VERIFY(area->verticalScrollBar()->maximum() > 0);
        QVERIFY(w->maximumSize().width() >= full.width());
    }
    Dialogs::answer(true);
    w->close();
}

void ScreenFitTest::bracketWindows_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("client");
    QTest::newRow("8") << 8 << QSize(1134, 482);
    QTest::newRow("16") << 16 << QSize(1150, 530);
    QTest::newRow("32") << 32 << QSize(1235, 580);
}

void ScreenFitTest::bracketWindows()
{
    QFETCH(int, size);
    QFETCH(QSize, client);
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = app.bracketWindow(size);
    w->show();
    auto* area = qobject_cast<QScrollArea*>(w->centralWidget());
    QWidget* clientWidget = child<QWidget>(w, "Client");
    const bool opens = fits(w->openingSize(), w);
    if (opens) {
        // The opening size, and the window can be made larger.
        QVERIFY(!area);
        QCOMPARE(clientWidget->size(), client);
        QCOMPARE(w->QWidget::size(), w->openingSize());
        QVERIFY(w->maximumWidth() > client.width() && w->maximumHeight() > client.height());
    } else {
        // Shrunk to the screen; what the board panel needs scrolls if even that does not fit.
        verifyOnScreen(w);
        QVERIFY(clientWidget->width() >= clientWidget->minimumWidth());
        QVERIFY(clientWidget->height() >= clientWidget->minimumHeight());
        if (area) {
            QTRY_COMPARE(area->verticalScrollBar()->maximum(),
                         std::max(0, clientWidget->height() - area->viewport()->height()));
        }
    }
    // The board panel keeps its size at the right edge.
    QWidget* panel = child<QWidget>(w, "Panel2");
    QCOMPARE(panel->width(), 160);
    QCOMPARE(panel->x() + panel->width(), clientWidget->width());
    // The bracket's own scroll bars keep their ranges and home positions in the opening size.
    if (opens && size == 16)
        QCOMPARE(child<QScrollBar>(w, "ScrollBar1")->maximum(), 370);
    if (opens && size == 32) {
        QCOMPARE(child<QScrollBar>(w, "ScrollBar1")->value(), 550);
        QCOMPARE(child<QScrollBar>(w, "ScrollBar2")->maximum(), 380);
    }
    // A second showing keeps the fit.
    w->hide();
    w->show();
    QCOMPARE(qobject_cast<QScrollArea*>(w->centralWidget()), area);
    verifyOnScreen(w);
    w->hide();
}

void ScreenFitTest::resizableWindows()
{
    UiTestEnv env;
    QDir().mkpath(QStringLiteral("HELP"));
    QVERIFY(QFile::copy(QStringLiteral(ZORBON_SOURCE_DIR "/HELP/HELP.HLP"), QStringLiteral("HELP/HELP.HLP")));
    Zorbon app;
    app.start();
    app.VysledkovaListina->show();
    verifyOnScreen(app.VysledkovaListina);
    app.VysledkovaListina->hide();
    showHelp(app.HlavniOkno, app.HlavniOkno);
    auto* viewer = app.HlavniOkno->findChild<HelpViewer*>();
    QVERIFY(viewer);
    verifyOnScreen(viewer);
    viewer->close();
    app.core().editableSession().lobby.header.name = "Turnaj";
    Dialogs::script([](QDialog* d) { verifyOnScreen(d); });
    app.HlavniOkno->SpeedButton2Click();
    QCOMPARE(Dialogs::unanswered(), 0);
}

// Names and headers have no length limit: the main window's header and the questions wrap.
void ScreenFitTest::longTextsTakeMoreLines()
{
    UiTestEnv env;
    Zorbon app;
    app.start();
    const std::string longName = "Velká cena města Brna v elektronických šipkách – jarní kolo, kategorie muži a ženy";
    QVERIFY(app.core().acceptNewTournament({longName, "Hospoda", "1. 5."}).ok());
    app.HlavniOkno->refresh();
    QCoreApplication::processEvents();
    auto* name = child<QLabel>(app.HlavniOkno, "Label2");
    auto* image = child<QLabel>(app.HlavniOkno, "Image2");
    QVERIFY(name->geometry().right() < image->geometry().left());
    QVERIFY(name->height() >= name->heightForWidth(name->width()));
    QVERIFY(name->height() > child<QLabel>(app.HlavniOkno, "Label7")->height());

    bool wrapped = false;
    Dialogs::script([&](QDialog* d) {
        QCoreApplication::processEvents();
        auto* text = child<QLabel>(d, "Label1");
        QVERIFY(text->text().contains(QString::fromStdString(longName)));
        QVERIFY(d->width() <= std::min(roomOnScreen(d).width(), 720));
        wrapped = text->height() >= 2 * text->fontMetrics().lineSpacing();
        d->reject();
    });
    app.HlavniOkno->SpeedButton1Click();
    QVERIFY(wrapped);
}

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
