// The program started again after it was killed: the question, "Ano" with every cell, colour and
// board back as it was and play going on, "Ne" with the plain start, a clean end that asks nothing,
// a damaged journal moved aside, a second program in the same folder, and a journal that cannot be
// written.

#include "bracketui.h"
#include "lobbytest.h"

#include "archive/TPredchoziTurnaje.h"
#include "resultswindow/TVysledkovaListina.h"

#include "journal/journal.h"
#include "records/files.h"
#include "tournament/state_codec.h"
#include "tournament/tournament.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <csignal>
#include <future>
#include <memory>
#include <sys/resource.h>

using namespace bracketui;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Everything the bracket window shows, as one comparable text: every cell's text and colour, every
// frame, every board with its lines, colour and visibility, the winner line.
QString windowPicture(TBracketWindow* w)
{
    QString out;
    const AdvancementTable& t = w->bracket().table();
    for (const SlotSpec& slot : t.slotSpecs)
        for (const std::string& cell : {slot.name, slot.score}) {
            QLabel* l = label(w, QString::fromStdString(cell));
            out +=
                l->text() + QLatin1Char('|') + QString::number(colourOfCell(w, l->objectName()), 16) + QLatin1Char(';');
        }
    for (const BoxSpec& box : t.boxes)
        out += QString::number(colourOfFrame(w, QString::fromUtf8(box.frame.data(), qsizetype(box.frame.size()))), 16);
    for (int n = 1; n <= w->bracket().boardCount(); ++n) {
        QLabel* board = label(w, QStringLiteral("Terc%1").arg(n));
        out += QLatin1Char('#') + board->text() + QString::number(colourOfCell(w, board->objectName()), 16) +
               (board->isVisibleTo(w) ? QLatin1Char('v') : QLatin1Char('h'));
    }
    return out + label(w, QStringLiteral("LabVitez"))->text();
}

// A tournament of `players` drawn with 2 boards and played for `rounds` rounds of "Hraj" and results.
TBracketWindow* playSomeRounds(Zorbon& app, int players, int boards, int rounds)
{
    registerTournament(app, players);
    TBracketWindow* w = draw(app, boards);
    for (int r = 0; w && r < rounds; ++r) {
        clickButton(w, "SpeedButton2");
        finishBoards(w);
    }
    // One more call, so that boards are occupied when the program dies.
    if (w)
        clickButton(w, "SpeedButton2");
    return w;
}

// Answers the resume question when it comes; its text lands in the returned string then.
std::shared_ptr<QString> answerResume(bool yes)
{
    auto text = std::make_shared<QString>();
    Dialogs::script([text, yes](QDialog* d) {
        *text = child<QLabel>(d, "Label1")->text();
        clickButton(d, yes ? "Button1" : "Button2");
    });
    return text;
}

} // namespace

class ResumeTest : public QObject {
    Q_OBJECT
private slots:
    void ano_data();
    void ano();
    void anoBeforeTheDraw();
    void ne();
    void aCleanEndAsksNothing();
    void theEndOfARunLeavesAClosedJournal();
    void aClosedTournamentComesBackFromTheArchive();
    void aDamagedJournalIsMovedAside_data();
    void aDamagedJournalIsMovedAside();
    void aSecondProgramInTheFolderTouchesNothing();
    void theJournalOpenedWhileTheWindowsAreMadeIsTheOneTheyUse();
    void aJournalThatCannotBeWrittenIsToldOncePerTournament();
};

void ResumeTest::ano_data()
{
    QTest::addColumn<int>("players");
    QTest::addColumn<int>("boards");
    QTest::addColumn<int>("rounds");
    QTest::newRow("8 window, 7 players") << 7 << 2 << 2;
    QTest::newRow("16 window, 12 players") << 12 << 3 << 3;
    QTest::newRow("32 window, 27 players") << 27 << 6 << 4;
    QTest::newRow("64 window, 47 players") << 47 << 12 << 4;
}

void ResumeTest::ano()
{
    QFETCH(int, players);
    QFETCH(int, boards);
    QFETCH(int, rounds);
    UiTestEnv env;
    QString before;
    QByteArray record, roster;
    int size = 0;
    {
        Zorbon app;
        TBracketWindow* w = playSomeRounds(app, players, boards, rounds);
        QVERIFY(w);
        size = w->size();
        before = windowPicture(w);
        record = bytesOf(QString::fromUtf8(kRecordPath));
        roster = bytesOf(QString::fromUtf8(kRosterPath));
        // Gone without its exit, as when the program is killed.
    }
    // Whatever happened to the working files since, the resume writes them back.
    WriteRecord({0, 0, 0, 0});
    replaceFile(kRosterPath, "");
    Dialogs::clearShown();

    Zorbon app;
    const auto text = answerResume(true);
    app.start();
    const QString question = *text;
    QCOMPARE(Dialogs::unanswered(), 0);
    const QStringList lines = question.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("Rozehraný turnaj nebyl ukončen. Chcete v něm pokračovat ???"));
    QVERIFY2(lines[1].startsWith(QStringLiteral("Velká cena Brna, Hospoda U Šípku, 1. 5. 2024 – pavouk %1 hráčů, "
                                                "rozhodnuté zápasy: ")
                                     .arg(size)),
             qPrintable(lines[1]));

    TBracketWindow* w = app.bracketWindow(size);
    QVERIFY(w->isVisible());
    QVERIFY(!app.HlavniOkno->isVisible());
    QCOMPARE(windowPicture(w), before);
    QCOMPARE(bytesOf(QString::fromUtf8(kRecordPath)), record);
    QCOMPARE(bytesOf(QString::fromUtf8(kRosterPath)), roster);
    // No announcement is repeated and no dialog reopens.
    QVERIFY(Dialogs::messages().isEmpty());
    if (QScrollBar* h = w->findChild<QScrollBar*>(QStringLiteral("ScrollBar1")))
        QCOMPARE(h->value(), w->look().horizontal.home);

    // Play goes on to the end as if nothing had happened.
    playToFinal(w);
    const int fin = w->bracket().table().finalNumber();
    enterResult(w, boardOf(w->bracket(), fin), QStringLiteral("2"), QStringLiteral("1"));
    QCOMPARE(w->bracket().state(fin), BoxState::Finished);
    QVERIFY(label(w, QStringLiteral("LabVitez"))
                ->text()
                .contains(s(w->bracket().name(w->bracket().table().box(fin).upper))));
}

void ResumeTest::anoBeforeTheDraw()
{
    UiTestEnv env;
    {
        Zorbon app;
        app.start();
        createTournament(app, QStringLiteral("Jarní turnaj"), QStringLiteral("Klub"), QStringLiteral("1. 4."));
        registerPlayers(app, {QStringLiteral("Eva"), QStringLiteral("Jan"), QStringLiteral("Ota")});
    }
    Zorbon app;
    const auto question = answerResume(true);
    app.start();
    QCOMPARE(question->section(QLatin1Char('\n'), 1),
             QStringLiteral("Jarní turnaj, Klub, 1. 4. – rozlosování ještě nebylo provedeno"));
    QVERIFY(app.HlavniOkno->isVisible());
    QCOMPARE(labelText(app.HlavniOkno, "Label2"), QStringLiteral("Jarní turnaj"));
    QCOMPARE(labelText(app.HlavniOkno, "Label7"), QStringLiteral("Klub"));
    QCOMPARE(labelText(app.HlavniOkno, "Label8"), QStringLiteral("1. 4."));
    QCOMPARE(memoText(app.HlavniOkno), QStringLiteral("Eva\nJan\nOta")); // once, not twice
    QCOMPARE(labelText(app.HlavniOkno, "Label3"), QStringLiteral("Počet přihlášených hráčů : 3"));
    QCOMPARE(recordOnDisk().PlayerCount, 3);
    // Registration goes on under the same header.
    registerPlayers(app, {QStringLiteral("Petr")});
    QCOMPARE(memoText(app.HlavniOkno), QStringLiteral("Eva\nJan\nOta\nPetr"));
}

void ResumeTest::ne()
{
    UiTestEnv env;
    {
        Zorbon app;
        QVERIFY(playSomeRounds(app, 6, 2, 1));
    }
    const QByteArray record = bytesOf(QString::fromUtf8(kRecordPath));
    const QByteArray roster = bytesOf(QString::fromUtf8(kRosterPath));
    Zorbon app;
    answerResume(false);
    app.start();
    // The start is the plain one: the roster's names and count under an empty header.
    QVERIFY(app.HlavniOkno->isVisible());
    QCOMPARE(labelText(app.HlavniOkno, "Label2"), QString());
    QCOMPARE(memoText(app.HlavniOkno), playerNames(6).join(QLatin1Char('\n')));
    QCOMPARE(labelText(app.HlavniOkno, "Label3"), QStringLiteral("Počet přihlášených hráčů : 6"));
    QCOMPARE(bytesOf(QString::fromUtf8(kRecordPath)), record);
    QCOMPARE(bytesOf(QString::fromUtf8(kRosterPath)), roster);
    // Kept in the archive as ended, and not offered again.
    QCOMPARE(app.core().archive().value().size(), std::size_t(1));
    QCOMPARE(app.core().archive().value().front().summary.name, std::string("Velká cena Brna"));
    QVERIFY(!app.core().resumeDescription());
}

void ResumeTest::aCleanEndAsksNothing()
{
    UiTestEnv env;
    {
        Zorbon app;
        TBracketWindow* w = playSomeRounds(app, 5, 2, 1);
        QVERIFY(w);
        Dialogs::answer(true);
        w->close();
        QVERIFY(app.HlavniOkno->isVisible());
        Dialogs::answer(true);
        app.HlavniOkno->close();
    }
    Zorbon app;
    app.start(); // a question here would fail the test: none is prepared
    QVERIFY(app.HlavniOkno->isVisible());
    QCOMPARE(Dialogs::unanswered(), 0);
}

// The program leaves without its tear-down once finish() is through: by then the journal holds the
// tournament and the bracket window's place and zoom, and is closed with its log folded in.
void ResumeTest::theEndOfARunLeavesAClosedJournal()
{
    UiTestEnv env;
    History played;
    {
        Zorbon app;
        TBracketWindow* w = playSomeRounds(app, 5, 2, 1);
        QVERIFY(w);
        w->setZoom(1.5);
        played = app.core().history();
        app.finish();
        QCOMPARE(app.core().journal(), nullptr);
        QVERIFY(!QFile::exists(QString::fromUtf8(kJournalPath) + QStringLiteral("-wal")));
        app.finish(); // a second call does nothing
        // Still standing, the windows are torn down after it as before.
    }
    Journal::Opened opened = Journal::open(kJournalPath, "test", &isReadableState);
    QVERIFY(opened.journal);
    QVERIFY(opened.running);
    QCOMPARE(opened.running->id, played.id);
    QCOMPARE(opened.running->entries().size(), played.entries().size());
    QCOMPARE(opened.running->head(), played.head());
    bool kept = false;
    for (const WindowPlace& p : opened.journal->windowPlaces())
        kept = kept || (p.window == "Tturnaj8" && p.zoom == 1.5);
    QVERIFY(kept);
    opened.journal.reset();

    // The next start, resuming, shows the bracket at the zoom it was left at.
    answerResume(true);
    Zorbon again;
    QVERIFY(again.start());
    QVERIFY(again.bracketWindow(8)->isVisible());
    QCOMPARE(again.bracketWindow(8)->zoom(), 1.5);
}

void ResumeTest::aClosedTournamentComesBackFromTheArchive()
{
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = playSomeRounds(app, 10, 2, 2);
    QVERIFY(w);
    const QString before = windowPicture(w);
    // The close question answered "Yes" by mistake.
    Dialogs::answer(true);
    w->close();
    QVERIFY(!w->isVisible());

    // While somebody is registered the archive refuses to reopen.
    createTournament(app, QStringLiteral("Jiný"));
    registerPlayers(app, {QStringLiteral("Eva")});
    Dialogs::clearShown();
    Dialogs::script([](QDialog* d) {
        auto* list = child<QTreeWidget>(d, "Seznam");
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Velká cena Brna"));
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("10"));
        QCOMPARE(list->topLevelItem(0)->text(4), QStringLiteral("(nedohrán)"));
        clickButton(d, "ButtonPokracovat");
        QVERIFY(d->isVisible());
        d->reject();
    });
    click(app.HlavniOkno, "PredchoziTurnaje1");
    QCOMPARE(Dialogs::messages().size(), 1);
    QVERIFY(Dialogs::messages().front().contains(QStringLiteral("registrováni")));

    // With nobody registered it comes back as it was before the close.
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    click(app.HlavniOkno, "SpeedButton3"); // Vymaž
    Dialogs::script([](QDialog* d) { clickButton(d, "ButtonPokracovat"); });
    click(app.HlavniOkno, "PredchoziTurnaje1");
    QVERIFY(w->isVisible());
    QVERIFY(!app.HlavniOkno->isVisible());
    QCOMPARE(windowPicture(w), before);
    QCOMPARE(recordOnDisk().PlayerCount, 10);
    // And play goes on.
    finishBoards(w);
    clickButton(w, "SpeedButton2");
}

void ResumeTest::aDamagedJournalIsMovedAside_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("folder");
    QTest::newRow("not SQLite") << QByteArray("Toto není databáze, jen text.\n") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("a folder") << QByteArray() << true;
    QTest::newRow("cut SQLite header") << QByteArray("SQLite format 3\0\x10\0", 19) << false;
}

void ResumeTest::aDamagedJournalIsMovedAside()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, folder);
    UiTestEnv env;
    QDir().mkpath(QStringLiteral("data/setup"));
    if (folder) {
        QDir().mkpath(QStringLiteral("data/setup/turnaj.db/uvnitr"));
    } else {
        QFile f(QStringLiteral("data/setup/turnaj.db"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    Zorbon app;
    app.start();
    QVERIFY(app.HlavniOkno->isVisible());
    QCOMPARE(Dialogs::messages().size(), 1);
    QVERIFY2(Dialogs::messages().front().startsWith(QStringLiteral("Uložený turnaj nelze přečíst")),
             qPrintable(Dialogs::messages().front()));
    const QStringList aside =
        QDir(QStringLiteral("data/setup")).entryList({QStringLiteral("turnaj.db.poskozeno-*")}, QDir::AllEntries);
    QCOMPARE(aside.size(), 1);
    QVERIFY(Dialogs::messages().front().contains(aside.front()));
    if (folder)
        QVERIFY(QDir(QStringLiteral("data/setup/") + aside.front() + QStringLiteral("/uvnitr")).exists());
    else
        QCOMPARE(bytesOf(QStringLiteral("data/setup/") + aside.front()), content);
    // A new journal takes the next tournament.
    QVERIFY(QFileInfo(QStringLiteral("data/setup/turnaj.db")).isFile());
    createTournament(app, QStringLiteral("Nový začátek"));
    registerPlayers(app, {QStringLiteral("Eva")});
    QVERIFY(app.core().history().id != 0);
}

void ResumeTest::aSecondProgramInTheFolderTouchesNothing()
{
    UiTestEnv env;
    Zorbon first;
    first.start();
    createTournament(first, QStringLiteral("První"));
    const QStringList filesBefore = QDir(QStringLiteral("data/setup")).entryList(QDir::Files);
    const QByteArray journalBefore = bytesOf(QStringLiteral("data/setup/turnaj.db"));
    {
        Zorbon second;
        QVERIFY(!second.start());
        QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Zorbon už v této složce běží.")});
        QVERIFY(!second.HlavniOkno->isVisible());
    }
    QCOMPARE(QDir(QStringLiteral("data/setup")).entryList(QDir::Files), filesBefore);
    QCOMPARE(bytesOf(QStringLiteral("data/setup/turnaj.db")), journalBefore);
    // The first goes on, and once it is gone the folder is free again.
    registerPlayers(first, {QStringLiteral("Eva")});
    QCOMPARE(recordOnDisk().PlayerCount, 1);
}

// As the program starts: the journal opened on another thread, taken once every window stands.
void ResumeTest::theJournalOpenedWhileTheWindowsAreMadeIsTheOneTheyUse()
{
    UiTestEnv env;
    {
        Zorbon app;
        app.start();
        createTournament(app, QStringLiteral("Jarní turnaj"), QStringLiteral("Klub"), QStringLiteral("1. 4."));
        registerPlayers(app, {QStringLiteral("Eva")});
    }
    std::future<Zorbon::Prepared> opening = std::async(std::launch::async, &Zorbon::prepare);
    QStringList standing;
    Zorbon app([&] {
        for (const QWidget* w : QApplication::topLevelWidgets())
            standing << w->objectName();
        return opening.get();
    });
    for (const char* name : {"THlavniOkno", "Tturnaj8", "TTurnaj64", "TTabule", "THraciKlubu"})
        QVERIFY2(standing.contains(QLatin1String(name)), name);
    QVERIFY(app.core().journal());
    // The folder is this program's from then on.
    QVERIFY(!Zorbon::prepare().lock->held());
    const auto question = answerResume(true);
    QVERIFY(app.start());
    QCOMPARE(question->section(QLatin1Char('\n'), 1),
             QStringLiteral("Jarní turnaj, Klub, 1. 4. – rozlosování ještě nebylo provedeno"));
    registerPlayers(app, {QStringLiteral("Jan")});
    QCOMPARE(memoText(app.HlavniOkno), QStringLiteral("Eva\nJan"));
    app.finish();
    Journal::Opened opened = Journal::open(kJournalPath, "test", &isReadableState);
    QVERIFY(opened.running);
    QCOMPARE(opened.running->entries().size(), app.core().history().entries().size());
}

void ResumeTest::aJournalThatCannotBeWrittenIsToldOncePerTournament()
{
    UiTestEnv env;
    Zorbon app;
    app.start();
    // A disk that is full for anything but the small working files: no file may grow past 4 KiB.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto restore = qScopeGuard([&] { setrlimit(RLIMIT_FSIZE, &old); });

    createTournament(app, QStringLiteral("Bez zálohy"));
    registerPlayers(app, playerNames(5));
    QStringList warnings;
    for (const QString& m : Dialogs::messages())
        if (m.startsWith(QStringLiteral("Zálohu turnaje nelze uložit: ")))
            warnings << m;
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.front().endsWith(QStringLiteral(". Turnaj pokračuje bez zálohy.")), qPrintable(warnings.front()));
    // Play goes on exactly as it would: files written, the bracket drawn and played.
    QCOMPARE(recordOnDisk().PlayerCount, 5);
    Dialogs::clearShown();
    TBracketWindow* w = draw(app, 2);
    QVERIFY(w);
    clickButton(w, "SpeedButton2");
    finishBoards(w);
    for (const QString& m : Dialogs::messages())
        QVERIFY2(!m.startsWith(QStringLiteral("Zálohu")), qPrintable(m));
    // The next tournament is told again.
    Dialogs::answer(true);
    w->close();
    Dialogs::clearShown();
    createTournament(app, QStringLiteral("Další"));
    registerPlayers(app, {QStringLiteral("Eva")});
    int again = 0;
    for (const QString& m : Dialogs::messages())
        again += m.startsWith(QStringLiteral("Zálohu turnaje nelze uložit: ")) ? 1 : 0;
    QCOMPARE(again, 1);
}

QTEST_MAIN(ResumeTest)
#include "restart_test.moc"
