// "Výsledky na mobilu": the menu entry, the address and QR code, the page, JSON and bracket served
// while play goes on, the players' display's corner, a taken port, and the operator's commands kept
// fast while phones poll. Loopback only; every loop is bounded.

#include "../server/client.h"
#include "bracketui.h"

#include "common/Modules.h"
#include "display/TTabule.h"
#include "mobile/MobileService.h"
#include "mobile/QrCode.h"
#include "mobile/TMobil.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

using namespace bracketui;
using zorbon::test::Reply;
using zorbon::test::request;

namespace {

// Away from the program's own ports, so that a Zorbon running beside the tests disturbs nothing.
constexpr int kTestPorts = 28321;

// The page on loopback only, on the ten ports the tests use.
void onTestPorts(Zorbon& app)
{
    app.mobile().listenOnLoopbackOnly();
    app.mobile().usePorts(kTestPorts, kTestPorts + 9);
}

QAction* mobileAction(TBracketWindow* w)
{
    return w->findChild<QAction*>(QStringLiteral("Mobil1"));
}

Reply get(Zorbon& app, const char* path, const std::string& headers = {})
{
    return request(app.mobile().port(), "GET", path, headers);
}

// Waits (boundedly) until the bracket's picture of the state now is served.
void drawn(Zorbon& app)
{
    QSignalSpy spy(&app.mobile(), &zorbon::ui::MobileService::bracketPublished);
    QVERIFY(spy.wait(5000));
    while (spy.wait(200)) {
    }
}

// Holds a port the way another program would.
int holdPort(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

class MobileTest : public QObject {
    Q_OBJECT
private slots:
    void entryServesThePageAndFollowsPlay_data();
    void entryServesThePageAndFollowsPlay();
    void namesAreEscapedEverywhere();
    void noFreePortLeavesItOff();
    void operatorStaysFastWhilePhonesPoll();
    void qrCodeHoldsTheAddress();
    void rememberedAcrossAResume();
    void withoutTheSvgModuleOnlyThePictureIsMissing();
};

void MobileTest::entryServesThePageAndFollowsPlay_data()
{
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("boards");
    QTest::newRow("8") << 8 << 2;
    QTest::newRow("16") << 13 << 4;
    QTest::newRow("32") << 27 << 10;
}

// After "Tabule pro hráče", checkable; on: the address and its code in TMobil and on the display;
// the JSON follows a call, a result, an undo; off: the port is closed.
void MobileTest::entryServesThePageAndFollowsPlay()
{
    QFETCH(int, players);
    QFETCH(int, boards);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, players);
    TBracketWindow* w = draw(app, boards);
    QVERIFY(w);
    const QList<QAction*> entries = child<QMenu>(w, "Pkazy1")->actions();
    const int at = static_cast<int>(entries.indexOf(mobileAction(w)));
    QVERIFY(at > entries.indexOf(child<QAction>(w, "Tabule1"))); // after "Tabule pro hráče"
    QCOMPARE(mobileAction(w)->text().remove('&'), QStringLiteral("Výsledky na mobilu"));
    QVERIFY(mobileAction(w)->isCheckable());
    QVERIFY(!mobileAction(w)->isChecked());

    mobileAction(w)->trigger();
    QVERIFY(app.mobile().isOn());
    QVERIFY(mobileAction(w)->isChecked());
    const int port = app.mobile().port();
    QVERIFY(port >= 8321 && port <= 8330);
    QVERIFY(app.Mobil->isVisible());
    const QString address = label(app.Mobil, QStringLiteral("MobilAdresa"))->text();
    QCOMPARE(address, QStringLiteral("http://%1:%2/").arg(QString::fromStdString(zorbon::lanAddress())).arg(port));
    QVERIFY(!label(app.Mobil, QStringLiteral("MobilQR"))->pixmap().isNull());
    const QString pictures = qEnvironmentVariable("ZORBON_PAGE_PICTURES");
    if (!pictures.isEmpty() && players == 8 && QDir().mkpath(pictures))
        app.Mobil->grab().save(pictures + QStringLiteral("/mobil-okno.png"));

    // The display shows the same address in its corner while it is open.
    child<QAction>(w, "Tabule1")->trigger();
    QWidget* corner = child<QWidget>(app.Tabule, "MobilRoh");
    QVERIFY(corner->isVisible());
    QVERIFY(label(app.Tabule, QStringLiteral("MobilRohAdresa"))->text().contains(address));
    QVERIFY(app.Tabule->rect().contains(corner->geometry()));
    if (!pictures.isEmpty() && players == 8)
        app.Tabule->grab().save(pictures + QStringLiteral("/mobil-tabule.png"));

    const Reply page = get(app, "/");
    QCOMPARE(page.status, 200);
    QVERIFY(page.body.find("Moje jméno") != std::string::npos);
    QVERIFY(page.body.find("/pavouk.svg") != std::string::npos);
    QVERIFY(page.body.find("http") == std::string::npos || page.body.find("https://") == std::string::npos);

    Reply json = get(app, "/stav.json");
    QCOMPARE(json.status, 200);
    QVERIFY(json.body.find("\"nazev\":\"Velká cena Brna\"") != std::string::npos);
    QVERIFY(json.body.find("\"volny\":true") != std::string::npos);
    const std::string before = json.header("ETag");
    QCOMPARE(get(app, "/stav.json", "If-None-Match: " + before + "\r\n").status, 304);

    clickButton(w, "SpeedButton2"); // "Hraj"
    const Bracket& b = w->bracket();
    const int match = b.board(1).match;
    QVERIFY(match > 0);
    json = get(app, "/stav.json", "If-None-Match: " + before + "\r\n");
    QCOMPARE(json.status, 200);
    const std::string board1 = "{\"cislo\":1,\"zapas\":" + std::to_string(match) + ",\"hrac1\":";
    QVERIFY2(json.body.find(board1) != std::string::npos, json.body.c_str());

    drawn(app); // the picture is drawn once the command is done
    const std::string svg = get(app, "/pavouk.svg").body;
    QVERIFY(svg.starts_with("<?xml") || svg.find("<svg") != std::string::npos);
    QVERIFY(svg.find(b.board(1).player1) != std::string::npos);

    enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1"));
    json = get(app, "/stav.json");
    const std::string result = "\"vysledky\":[{\"zapas\":" + std::to_string(match);
    QVERIFY2(json.body.find(result) != std::string::npos, json.body.c_str());

    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); }); // "Opravdu vrátit zpět ...": Ano
    child<QAction>(w, "Zpet1")->trigger();
    json = get(app, "/stav.json");
    QVERIFY2(json.body.find("\"vysledky\":[]") != std::string::npos, json.body.c_str());
    QVERIFY(json.body.find(board1) != std::string::npos);

    mobileAction(w)->trigger();
    QVERIFY(!app.mobile().isOn());
    QVERIFY(!mobileAction(w)->isChecked());
    QVERIFY(!corner->isVisible());
    QCOMPARE(zorbon::test::connectLocal(port), -1);
    QCOMPARE(Dialogs::unanswered(), 0);
}

void MobileTest::namesAreEscapedEverywhere()
{
    UiTestEnv env;
    Zorbon app;
    onTestPorts(app);
    app.start();
    QVERIFY(app.core().acceptNewTournament({"<b>Turnaj</b>", "U \"Šípku\"", "1. 5."}).ok());
    const std::string evil = "<script>alert(1)</script>";
    QVERIFY(app.core().addPlayer(evil).ok());
    for (const QString& name : playerNames(4))
        QVERIFY(app.core().addPlayer(name.toStdString()).ok());
    app.HlavniOkno->refresh();
    TBracketWindow* w = draw(app, 2);
    mobileAction(w)->trigger();
    QVERIFY(app.mobile().isOn());
    const std::string json = get(app, "/stav.json").body;
    QVERIFY(json.find(evil) == std::string::npos);
    QVERIFY(json.find("\\u003cscript\\u003ealert(1)\\u003c/script\\u003e") != std::string::npos);
    QVERIFY(json.find("\\u003cb\\u003eTurnaj") != std::string::npos);
    const std::string svg = get(app, "/pavouk.svg").body; // drawn when the page came on
    QVERIFY(svg.find("<script") == std::string::npos);
    QVERIFY(svg.find("&lt;script&gt;") != std::string::npos);
    mobileAction(w)->trigger();
}

void MobileTest::noFreePortLeavesItOff()
{
    UiTestEnv env;
    Zorbon app;
    onTestPorts(app);
    registerTournament(app, 5);
    TBracketWindow* w = draw(app, 2);
    std::vector<int> held;
    for (int port = kTestPorts; port <= kTestPorts + 9; ++port)
        if (const int fd = holdPort(port); fd >= 0)
            held.push_back(fd);
    Dialogs::clearShown();
    mobileAction(w)->trigger();
    QVERIFY(!app.mobile().isOn());
    QVERIFY(!mobileAction(w)->isChecked());
    QCOMPARE(Dialogs::messages().size(), 1);
    QVERIFY2(
        Dialogs::messages().front().startsWith(QStringLiteral("Výsledky na mobilu nelze zapnout: porty 8321 až 8330")),
        qPrintable(Dialogs::messages().front()));
    QVERIFY(!app.Mobil->isVisible());
    for (const int fd : held)
        ::close(fd);
    mobileAction(w)->trigger();
    QVERIFY(app.mobile().isOn());
    mobileAction(w)->trigger();
}

// Sixty phones polling five times a second each (each request its own connection, for a bounded
// time): what the page adds to the window thread's work after a command stays small, so "Hraj" and
// result entry stay within 16 ms (the whole command is timed on an idle machine by the benchmark;
// here, beside other builds, only the page's own share is held to it).
void MobileTest::operatorStaysFastWhilePhonesPoll()
{
    UiTestEnv env;
    Zorbon app;
    onTestPorts(app);
    registerTournament(app, 27);
    TBracketWindow* w = draw(app, 10);
    mobileAction(w)->trigger();
    const int port = app.mobile().port();
    std::atomic<bool> stop{false};
    std::atomic<int> failed{0}, done{0};
    std::vector<std::thread> phones;
    for (int i = 0; i < 60; ++i)
        phones.emplace_back([&] {
            for (int k = 0; k < 300 && !stop.load(); ++k) {
                const Reply r = request(port, "GET", k % 5 ? "/stav.json" : "/pavouk.svg");
                (r.status == 200 ? done : failed)++;
                if (r.status != 200)
                    qWarning("phone got %d", r.status);
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        });
    qint64 slowest = 0;
    QElapsedTimer t;
    for (int round = 0; round < 6; ++round) {
        t.start();
        clickButton(w, "SpeedButton2");
        // One "Hraj" shows one announcement per board: the time per call is what the operator waits.
        slowest = std::max(slowest, t.elapsed() / 10);
        QCoreApplication::processEvents();
        const Bracket& b = w->bracket();
        for (int n = 1; n <= b.boardCount(); ++n) {
            if (b.board(n).state != BoardState::Occupied)
                continue;
            t.start();
            enterResult(w, n, QStringLiteral("3"), QStringLiteral("1"));
            slowest = std::max(slowest, t.elapsed());
            QCoreApplication::processEvents();
        }
    }
    stop = true;
    for (auto& p : phones)
        p.join();
    qInfo("slowest command %lld ms; snapshot typically %lld us, at worst %lld us, bracket picture %lld us", slowest,
          app.mobile().typicalPublishUs(), app.mobile().slowestPublishUs(), app.mobile().slowestDrawUs());
    // Beside other builds a single snapshot can lose its core; the typical one must stay small and
    // even the slowest within the operator's frame. Under the sanitizers every instruction costs
    // several times more, so the frame is theirs too.
#if defined(__SANITIZE_ADDRESS__)
    constexpr long long kSlower = 4;
#else
    constexpr long long kSlower = 1;
#endif
    QVERIFY2(app.mobile().typicalPublishUs() <= 4000 * kSlower,
             "a snapshot typically takes the window thread more than 4 ms");
    QVERIFY2(app.mobile().slowestPublishUs() <= 16000 * kSlower, "a snapshot takes the window thread more than 16 ms");
    QVERIFY2(app.mobile().slowestDrawUs() <= 16000 * kSlower,
             "handing the bracket over takes the window thread more than 16 ms");
    QCOMPARE(failed.load(), 0);
    QVERIFY(done.load() > 0);
    mobileAction(w)->trigger();
}

void MobileTest::qrCodeHoldsTheAddress()
{
    // Longer addresses need larger codes; each is square with the finder patterns in three corners.
    int last = 0;
    for (const QString& text :
         {QStringLiteral("http://10.0.0.5:8321/"), QStringLiteral("http://192.168.100.200:8330/")}) {
        const auto rows = zorbon::ui::qrModules(text);
        QVERIFY(rows.size() >= 21);
        QVERIFY(static_cast<int>(rows.size()) >= last);
        last = static_cast<int>(rows.size());
        const std::size_t n = rows.size();
        for (auto [x, y] : {std::pair<std::size_t, std::size_t>{0, 0}, {n - 7, 0}, {0, n - 7}}) {
            for (std::size_t k = 0; k < 7; ++k) {
                QVERIFY(rows[y][x + k] && rows[y + 6][x + k]); // the finder's dark border
                QVERIFY(rows[y + k][x] && rows[y + k][x + 6]);
            }
            QVERIFY(!rows[y + 1][x + 1] && rows[y + 3][x + 3]);
        }
        const QImage image = zorbon::ui::qrImage(text, 3);
        QCOMPARE(image.width(), (static_cast<int>(n) + 8) * 3);
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(image.pixelColor(4 * 3, 4 * 3), QColor(Qt::black));
    }
}

// On when the program stopped: on again after "Ano" to the resume question, serving the resumed
// tournament; turned off before: stays off.
void MobileTest::rememberedAcrossAResume()
{
    UiTestEnv env;
    std::string before;
    {
        Zorbon app;
        registerTournament(app, 8);
        TBracketWindow* w = draw(app, 2);
        clickButton(w, "SpeedButton2");
        enterResult(w, 1, QStringLiteral("3"), QStringLiteral("2"));
        onTestPorts(app);
        mobileAction(w)->trigger();
        QVERIFY(app.mobile().isOn());
        before = get(app, "/stav.json").body;
        // Gone without its exit, as when the program is killed.
    }
    {
        Zorbon app;
        onTestPorts(app);
        Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); }); // "Ano": continue
        app.start();
        QCOMPARE(Dialogs::unanswered(), 0);
        QVERIFY(app.mobile().isOn());
        TBracketWindow* w = app.bracketWindow(8);
        QVERIFY(mobileAction(w)->isChecked());
        std::string after = get(app, "/stav.json").body;
        // The same tournament; only the version counter starts again.
        before.erase(before.rfind("\"verze\""));
        after.erase(after.rfind("\"verze\""));
        QCOMPARE(after, before);
        mobileAction(w)->trigger(); // off, and remembered so
    }
    {
        Zorbon app;
        onTestPorts(app);
        Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
        app.start();
        QVERIFY(!app.mobile().isOn());
        QVERIFY(!mobileAction(app.bracketWindow(8))->isChecked());
    }
}

// The bracket's picture is drawn by a module opened when the page first draws: without it the page
// and its state are still served, without the picture, whose address says why (not that the bracket
// is not drawn yet); the picture comes once the module is back.
void MobileTest::withoutTheSvgModuleOnlyThePictureIsMissing()
{
    UiTestEnv env;
    Zorbon app;
    onTestPorts(app);
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    QTemporaryDir nowhere;
    zorbon::ui::lookForModulesIn(QStringList{nowhere.path()});
    struct Restore {
        ~Restore() { zorbon::ui::lookForModulesIn(std::nullopt); }
    } restore;
    Dialogs::clearShown();
    mobileAction(w)->trigger();
    QVERIFY(app.mobile().isOn());
    QCOMPARE(Dialogs::messages(), QStringList());
    QCOMPARE(get(app, "/").status, 200);
    QCOMPARE(get(app, "/stav.json").status, 200);
    const Reply missing = get(app, "/pavouk.svg");
    QCOMPARE(missing.status, 503);
    QCOMPARE(QString::fromStdString(missing.body),
             QStringLiteral("Obrázek pavouka není k dispozici: chybí soubor libzorbon_svg.so.\n"));
    // A new state keeps saying why until the picture is drawn again.
    clickButton(w, "SpeedButton2");
    QCOMPARE(get(app, "/pavouk.svg").body, missing.body);
    drawn(app);
    QCOMPARE(get(app, "/pavouk.svg").status, 503);

    // With the module back the picture is drawn again: here as the page comes on once more.
    zorbon::ui::lookForModulesIn(std::nullopt);
    mobileAction(w)->trigger();
    mobileAction(w)->trigger();
    QVERIFY(app.mobile().isOn());
    const Reply svg = get(app, "/pavouk.svg");
    QCOMPARE(svg.status, 200);
    QVERIFY(svg.body.find(w->bracket().board(1).player1) != std::string::npos);
    mobileAction(w)->trigger();
}

QTEST_MAIN(MobileTest)
#include "mobile_test.moc"
