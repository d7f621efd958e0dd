// The phones page in a real browser: headless Chromium opens it at a phone's size, shows the boards
// after a call, and after the next result updates itself without reloading. Skipped only when no
// Chromium is installed. Loopback only, bounded in time.
//
// ZORBON_PAGE_PICTURES=<folder> keeps screenshots of the page at 390x844 and 1280x800 there.

#include "../server/client.h"
#include "bracketui.h"

#include "mobile/MobileService.h"

#include <QAction>
#include <QProcess>
#include <QStandardPaths>

#include <atomic>
#include <condition_variable>
#include <mutex>

using namespace bracketui;

namespace {

QString chromium()
{
    for (const char* name : {"chromium", "chromium-browser"})
        if (const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name)); !path.isEmpty())
            return path;
    return {};
}

QStringList browserFlags(const QString& profile)
{
    return {QStringLiteral("--headless"),
            QStringLiteral("--no-sandbox"),
            QStringLiteral("--disable-gpu"),
            QStringLiteral("--disable-quic"),
            QStringLiteral("--no-first-run"),
            QStringLiteral("--disable-background-networking"),
            QStringLiteral("--disable-component-update"),
            QStringLiteral("--disable-sync"),
            QStringLiteral("--user-data-dir=") + profile};
}

// Runs the browser while the event loop goes on (the test changes the tournament meanwhile).
QByteArray runBrowser(const QStringList& arguments, int ms)
{
    QProcess p;
    p.setProgram(chromium());
    p.setArguments(arguments);
    p.start();
    if (!p.waitForStarted(5000))
        return {};
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < ms)
        QTest::qWait(20);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(2000);
    }
    return p.readAllStandardOutput();
}

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT
private slots:
    void pageFollowsPlayByItself();
};

void BrowserTest::pageFollowsPlayByItself()
{
    if (chromium().isEmpty())
        QSKIP("no Chromium installed");
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    QVERIFY(w);
    clickButton(w, "SpeedButton2"); // "Hraj": both boards called
    const Bracket& b = w->bracket();
    const int match = b.board(1).match;
    const QString p1 = s(b.board(1).player1), p2 = s(b.board(1).player2);

    // The page's second poll is held until the result is in: it must then show it by itself.
    std::mutex m;
    std::condition_variable cv;
    int polls = 0;
    bool released = false;
    app.mobile().server().beforeAnswer = [&](const std::string&) {
        std::unique_lock lock(m);
        if (++polls == 2) {
            cv.notify_all();
            cv.wait_for(lock, std::chrono::seconds(20), [&] { return released; });
        }
    };
    app.mobile().listenOnLoopbackOnly();
    app.mobile().usePorts(38321, 38330);
    child<QAction>(w, "Mobil1")->trigger();
    QVERIFY(app.mobile().isOn());
    const QString url = QStringLiteral("http://127.0.0.1:%1/").arg(app.mobile().port());

    QTemporaryDir profile;
    QStringList args = browserFlags(profile.path());
    args << QStringLiteral("--window-size=390,844") << QStringLiteral("--virtual-time-budget=12000")
         << QStringLiteral("--dump-dom") << url;
    QProcess browser;
    browser.setProgram(chromium());
    browser.setArguments(args);
    browser.start();
    QVERIFY(browser.waitForStarted(5000));
    {
        // Waits (boundedly, with the event loop running) for the page's second poll.
        QElapsedTimer t;
        t.start();
        for (;;) {
            {
                std::lock_guard lock(m);
                if (polls >= 2)
                    break;
            }
            QVERIFY2(t.elapsed() < 25000, "the page did not poll twice");
            QVERIFY2(browser.state() != QProcess::NotRunning, browser.readAllStandardError().constData());
            QTest::qWait(20);
        }
    }
    enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1"));
    {
        std::lock_guard lock(m);
        released = true;
    }
    cv.notify_all();
    QVERIFY(browser.waitForFinished(30000));
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    app.mobile().server().beforeAnswer = nullptr;

    QVERIFY2(dom.contains(QStringLiteral("Moje jméno")), qPrintable(dom.left(2000)));
    QVERIFY2(dom.contains(QStringLiteral("Terč 2")), qPrintable(dom.left(4000)));
    // The result entered while the page was open: on its list, and board 1 free again.
    const QString result =
        QStringLiteral("zápas %1</span><span>%2</span><span class=\"skore\"> 3 : 1 </span><span>%3</span>")
            .arg(match)
            .arg(p1, p2);
    QVERIFY2(dom.contains(result), qPrintable(dom));
    QVERIFY(dom.contains(QStringLiteral("volný")));
    QVERIFY2(dom.contains(QStringLiteral("<div id=\"spojeni\" hidden=\"\">")), "the connection was never lost");

    const QString folder = qEnvironmentVariable("ZORBON_PAGE_PICTURES");
    if (!folder.isEmpty() && QDir().mkpath(folder)) {
        for (const auto& [size, name] : {std::pair{QStringLiteral("390,844"), QStringLiteral("mobil-telefon.png")},
                                         std::pair{QStringLiteral("1280,800"), QStringLiteral("mobil-pocitac.png")}}) {
            QTemporaryDir shot;
            QStringList a = browserFlags(shot.path());
            a << QStringLiteral("--window-size=") + size << QStringLiteral("--hide-scrollbars")
              << QStringLiteral("--virtual-time-budget=4000")
              << QStringLiteral("--screenshot=") + folder + QLatin1Char('/') + name << url;
            runBrowser(a, 30000);
        }
    }
    child<QAction>(w, "Mobil1")->trigger();
    QVERIFY(!app.mobile().isOn());
}

QTEST_MAIN(BrowserTest)
#include "browser_test.moc"
