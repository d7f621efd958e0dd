// Hostile input at the keyboard: score texts no number can be read from, names no roster or bracket
// can hold, and tournament names that would lead out of their folder. Each case checks what the
// operator is told and that nothing changed on disk or in the bracket.

#include "bracketui.h"
#include "lobbytest.h"
#include "tournament/tournament.h"

#include "records/textcodec.h"
#include "results/standings.h"
#include "resultswindow/TVysledkovaListina.h"

#include <QClipboard>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>

using namespace bracketui;

namespace {

const QString kNotANumber = QStringLiteral("'%1' is not a valid integer value");

// Types digits key by key; anything else is pasted (as from the field's context menu), which the
// field's validator then judges.
void enter(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    bool digits = true;
    for (QChar c : text)
        digits = digits && c.isDigit();
    if (digits) {
        QTest::keyClicks(e, text);
        return;
    }
    QGuiApplication::clipboard()->setText(text);
    e->paste();
}

// The working files and every file in the folder, as one comparable text.
QString disk()
{
    QString s = QString::fromLatin1(QByteArray::fromStdString(rosterOnDisk()).toHex()) + QLatin1Char('|');
    const TournamentRecord r = recordOnDisk();
    s += QStringLiteral("%1,%2,%3,%4").arg(r.PlayerCount).arg(r.FirstOpenMatch).arg(r.BoardCount).arg(r.Reserved);
    QDirIterator it(QStringLiteral("."), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    return s + QLatin1Char('|') + files.join(QLatin1Char(','));
}

// Every cell text, box state and board of the bracket in play.
QString bracketState(const Bracket& b)
{
    QString s;
    for (SlotId i = 0; i < static_cast<SlotId>(b.table().slotSpecs.size()); ++i)
        s += bracketui::s(b.name(i)) + QLatin1Char('|') + bracketui::s(b.score(i)) + QLatin1Char('|');
    for (int m = 1; m <= b.table().boxCount(); ++m)
        s += QString::number(static_cast<int>(b.state(m)));
    for (int n = 1; n <= b.boardCount(); ++n)
        s += QString::number(static_cast<int>(b.board(n).state)) + bracketui::s(b.board(n).player1);
    return s + bracketui::s(b.winnerLine) + (b.correctionMode ? QStringLiteral("M") : QString());
}

// Score texts: what the operator leaves in the two fields, and what he is told.
void scoreRows()
{
    QTest::addColumn<QString>("s1");
    QTest::addColumn<QString>("s2");
    QTest::addColumn<QString>("message"); // empty: accepted
    const QString zeros(1000, QLatin1Char('0'));
    QTest::newRow("empty") << QString() << QStringLiteral("3") << kNotANumber.arg(QString());
    QTest::newRow("only spaces") << QStringLiteral("   ") << QStringLiteral("3")
                                 << kNotANumber.arg(QStringLiteral("   "));
    QTest::newRow("longer than any integer") << QStringLiteral("3") << QStringLiteral("99999999999999999999")
                                             << kNotANumber.arg(QStringLiteral("99999999999999999999"));
    QTest::newRow("one past 32 bits") << QStringLiteral("2147483648") << QStringLiteral("1")
                                      << kNotANumber.arg(QStringLiteral("2147483648"));
    QTest::newRow("thousand zeros twice") << zeros << zeros << QStringLiteral("Je zadán špatný výsledek");
    QTest::newRow("thousand zeros against three") << zeros << QStringLiteral("3") << QString();
    QTest::newRow("largest score") << QStringLiteral("2147483647") << QStringLiteral("0") << QString();
}

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT
private slots:
    void resultScores_data() { scoreRows(); }
    void resultScores();
    void correctionScores_data() { scoreRows(); }
    void correctionScores();
    void playerNames_data();
    void playerNames();
    void aTenThousandCharacterNamePlays();
    void tournamentNames_data();
    void tournamentNames();
};

void HostileInputTest::resultScores()
{
    QFETCH(QString, s1);
    QFETCH(QString, s2);
    QFETCH(QString, message);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    clickButton(w, "SpeedButton2");
    const Bracket& b = w->bracket();
    const QString upper = s(b.name(b.table().box(1).upper));
    const QString lower = s(b.name(b.table().box(1).lower));
    const QString before = bracketState(b);
    const QString files = disk();
    Dialogs::clearShown();
    bool stayedOpen = false;
    QString fields;
    Dialogs::script([&](QDialog* d) {
        enter(child<QLineEdit>(d, "Edit1"), s1);
        enter(child<QLineEdit>(d, "Edit2"), s2);
        fields = child<QLineEdit>(d, "Edit1")->text() + QLatin1Char(':') + child<QLineEdit>(d, "Edit2")->text();
        clickButton(d, "Button1");
        stayedOpen = d->isVisible();
        if (stayedOpen)
            clickButton(d, "Button2");
    });
    click(child<QWidget>(w, "Terc1"));
    QCOMPARE(fields, s1 + QLatin1Char(':') + s2); // the text reached the field as typed or pasted
    QCOMPARE(disk(), files);
    if (message.isEmpty()) {
        QVERIFY(!stayedOpen);
        QVERIFY(Dialogs::messages().isEmpty());
        QCOMPARE(b.state(1), BoxState::Finished);
        const bool lowerWon = s2.toLongLong() > s1.toLongLong();
        QCOMPARE(label(w, s(b.table().slot(b.table().box(1).winnerTo).name))->text(), lowerWon ? lower : upper);
        QCOMPARE(label(w, QStringLiteral("Labv1"))->text(), QLatin1Char(' ') + QString::number(s1.toLongLong()));
        return;
    }
    QVERIFY(stayedOpen);
    QCOMPARE(Dialogs::messages(), QStringList{message});
    QCOMPARE(bracketState(b), before);
    QCOMPARE(colourOfFrame(w, QStringLiteral("Shape1")), kLime);
}

void HostileInputTest::correctionScores()
{
    QFETCH(QString, s1);
    QFETCH(QString, s2);
    QFETCH(QString, message);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    TBracketWindow* w = draw(app, 2);
    clickButton(w, "SpeedButton2");
    enterResult(w, 1, QStringLiteral("1"), QStringLiteral("2"));
    const Bracket& b = w->bracket();
    const auto& box = b.table().box(1);
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    click(label(w, s(b.table().slot(box.upper).name)));
    QVERIFY(b.correctionMode);
    const QString upper = s(b.name(box.upper));
    const QString before = bracketState(b);
    const QString files = disk();
    Dialogs::clearShown();
    enter(child<QLineEdit>(w, "Edit1"), s1);
    enter(child<QLineEdit>(w, "Edit2"), s2);
    clickButton(w, "Button1");
    QCOMPARE(disk(), files);
    if (message.isEmpty()) {
        QVERIFY(!b.correctionMode);
        QVERIFY(Dialogs::messages().isEmpty());
        const bool lowerWon = s2.toLongLong() > s1.toLongLong();
        QCOMPARE(s(b.name(box.winnerTo)), s(b.name(lowerWon ? box.lower : box.upper)));
        QCOMPARE(b.state(1), BoxState::Finished);
        QCOMPARE(s(b.name(box.upper)), upper);
        return;
    }
    QCOMPARE(Dialogs::messages(), QStringList{message});
    QVERIFY(b.correctionMode);
    QVERIFY(child<QWidget>(w, "Button1")->isVisible());
    QCOMPARE(bracketState(b), before);
    clickButton(w, "Button2");
}

void HostileInputTest::playerNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message"); // empty: registered
    const QString control = QStringLiteral("Jméno nesmí obsahovat konec řádku, tabulátor ani jiný řídicí znak !!!");
    const QString codePage = QStringLiteral(
        "Jméno obsahuje znak, který nelze uložit do soupisky hráčů (lze použít latinku včetně české diakritiky) !!!");
    QTest::newRow("start of heading") << QStringLiteral("Eva\u0001") << control;
    QTest::newRow("escape") << QStringLiteral("\u001b[31mEva") << control;
    QTest::newRow("delete") << QStringLiteral("Eva\u007f") << control;
    QTest::newRow("next line (C1)") << QStringLiteral("Eva\u0085Novák") << control;
    QTest::newRow("carriage return") << QStringLiteral("Eva\rNovák") << control;
    QTest::newRow("zero-width space") << QStringLiteral("Eva\u200bNovák") << codePage;
    QTest::newRow("o with stroke") << QStringLiteral("Ørjan") << codePage;
    QTest::newRow("cyrillic") << QStringLiteral("Иван") << codePage;
    QTest::newRow("outside the basic plane") << QStringLiteral("𝔄ugen") << codePage;
    QTest::newRow("no-break space") << QStringLiteral("Jan\u00a0Novák") << QString();
    QTest::newRow("euro and L with stroke") << QStringLiteral("€ Łukasz") << QString();
    QTest::newRow("ten thousand characters") << QString(10000, QLatin1Char('x')) << QString();
    QTest::newRow("bye with a space") << QStringLiteral("Volný los ") << QString();
    QTest::newRow("unknown without its space") << QStringLiteral("?") << QString();
}

void HostileInputTest::playerNames()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    UiTestEnv env;
    prepareFiles({1, 0, 0, 0}, "Eva\r\n");
    Zorbon app;
    app.start();
    app.core().editableSession().lobby.header.name = "Turnaj";
    const QString files = disk();
    Dialogs::clearShown();
    Dialogs::script([&](QDialog* d) {
        type(d, "JmenoHrace", name);
        click(d, "Button1");
        QVERIFY(d->isVisible());
        click(d, "Button2");
    });
    click(app.HlavniOkno, "SpeedButton2");
    if (!message.isEmpty()) {
        QCOMPARE(Dialogs::messages(), QStringList{message});
        QCOMPARE(disk(), files);
        QCOMPARE(memoText(app.HlavniOkno), QStringLiteral("Eva"));
        return;
    }
    QVERIFY(Dialogs::messages().isEmpty());
    QCOMPARE(rosterOnDisk(), "Eva\r\n" + *toCp1250(name.toStdString()) + "\r\n");
    QCOMPARE(recordOnDisk().PlayerCount, 2);
    QCOMPARE(app.session.lobby.registered, (std::vector<std::string>{"Eva", name.toStdString()}));
}

// A name of 10,000 characters goes through the draw, a call, a result and the standings whole.
void HostileInputTest::aTenThousandCharacterNamePlays()
{
    UiTestEnv env;
    Zorbon app;
    app.start();
    QVERIFY(app.core().acceptNewTournament({"Turnaj", "", ""}).ok());
    const QString longName = QStringLiteral("Dlouhé jméno ") + QString(10000, QLatin1Char('x'));
    for (const QString& n : {longName, QStringLiteral("Eva"), QStringLiteral("Jan"), QStringLiteral("Ota")})
        QVERIFY(app.core().addPlayer(n.toStdString()).ok());
    app.HlavniOkno->refresh();
    TBracketWindow* w = draw(app, 2);
    QVERIFY(w);
    const Bracket& b = w->bracket();
    for (int guard = 0; guard < 40 && b.state(b.table().finalNumber()) != BoxState::Finished; ++guard) {
        clickButton(w, "SpeedButton2");
        finishBoards(w);
    }
    QCOMPARE(b.state(b.table().finalNumber()), BoxState::Finished);
    bool announced = false;
    for (const QString& m : Dialogs::messages())
        announced = announced || m.contains(longName);
    QVERIFY(announced);
    bool placed = false;
    for (const auto& line : standings(b))
        placed = placed || s(line).endsWith(longName);
    QVERIFY(placed);
}

void HostileInputTest::tournamentNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file"); // the file name the tournament's files get
    QTest::newRow("a slash") << QStringLiteral("Zimní liga 2025/2026") << QStringLiteral("Zimní liga 2025-2026");
    QTest::newRow("a/b") << QStringLiteral("a/b") << QStringLiteral("a-b");
    QTest::newRow("a backslash") << QStringLiteral("a\\b") << QStringLiteral("a-b");
    QTest::newRow("..") << QStringLiteral("..") << QStringLiteral("bez názvu");
    QTest::newRow("up two folders") << QStringLiteral("../../ven") << QStringLiteral("-..-ven");
    QTest::newRow("absolute") << QStringLiteral("/tmp/ven") << QStringLiteral("-tmp-ven");
    QTest::newRow("what a file system refuses")
        << QStringLiteral("Cena: \"A\" * <B> | C?") << QStringLiteral("Cena- -A- - -B- - C-");
    // Longer than a file name may be: cut to what the file system takes.
    QTest::newRow("longer than a file name") << QString(300, QLatin1Char('x')) << QString(240, QLatin1Char('x'));
    QTest::newRow("empty") << QString() << QStringLiteral("bez názvu");
    QTest::newRow("dots inside") << QStringLiteral("Cena. 1. kolo") << QStringLiteral("Cena. 1. kolo");
    QTest::newRow("dots and spaces around") << QStringLiteral(" .Cena. ") << QStringLiteral("Cena");
}

void HostileInputTest::tournamentNames()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    UiTestEnv env;
    Zorbon app;
    app.start();
    createTournament(app, name, QStringLiteral("Brno"));
    QCOMPARE(s(app.session.lobby.header.name), name);
    for (const QString& n : bracketui::playerNames(4))
        QVERIFY(app.core().addPlayer(n.toStdString()).ok());
    app.HlavniOkno->refresh();
    TBracketWindow* w = draw(app, 2);
    QVERIFY(w);
    const QString bracket = bracketState(w->bracket());
    Dialogs::clearShown();
    app.VysledkovaListina->SpeedButton2Click();
    app.VysledkovaListina->SpeedButton3Click();
    // The confirmations name the files as written.
    QCOMPARE(Dialogs::messages(),
             (QStringList{QStringLiteral("Výsledková listina byla uložena do adresáře vysledky jako soubor: ") + file +
                              QStringLiteral(".txt"),
                          QStringLiteral("Uloženo v adresáři export pod názvem") + file + QStringLiteral(".htm")}));
    QCOMPARE(bracketState(w->bracket()), bracket);
    QVERIFY(QFile::exists(QStringLiteral("vysledky/") + file + QStringLiteral(".txt")));
    QVERIFY(QFile::exists(QStringLiteral("export/") + file + QStringLiteral(".htm")));
    // Nothing beside them: no hidden file, nothing in another folder or outside the working one.
    QDirIterator it(QStringLiteral("."), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.startsWith(QStringLiteral("./data/")))
            continue;
        QVERIFY2(path == QStringLiteral("./vysledky/") + file + QStringLiteral(".txt") ||
                     path == QStringLiteral("./export/") + file + QStringLiteral(".htm"),
                 qPrintable(path));
    }
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/ven.txt")));
}

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
