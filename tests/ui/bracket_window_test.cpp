// The three bracket windows side by side: what differs by size (captions, menus, hints, scrolling,
// refusals, the final's notices and tie rule) as rows of one table, and the drawing's cells.

#include "bracketui.h"

#include <QAction>
#include <QMenu>

#include <map>
#include <set>

using namespace bracketui;

namespace {

QString actionText(QWidget* w, const char* name)
{
    auto* a = w->findChild<QAction*>(QString::fromLatin1(name));
    if (!a)
        qFatal("no action %s", name);
    return a->text().remove(QLatin1Char('&'));
}

QScrollBar* bar(QWidget* w, const char* name)
{
    return w->findChild<QScrollBar*>(QString::fromLatin1(name));
}

int playersFor(int size)
{
    return size == 8 ? 6 : size == 16 ? 11 : 19;
}

} // namespace

class BracketWindowTest : public QObject {
    Q_OBJECT
private slots:
    void sizes_data();
    void frameAndMenus_data() { sizes_data(); }
    void frameAndMenus();
    void drawingHasEveryCell_data() { sizes_data(); }
    void drawingHasEveryCell();
    void scrollsHomeOnEveryShowing_data() { sizes_data(); }
    void scrollsHomeOnEveryShowing();
    void hrajWithoutBoards_data() { sizes_data(); }
    void hrajWithoutBoards();
    void finalNotice_data();
    void finalNotice();
    void finalTie_data();
    void finalTie();
    void correctionViewKeepsFirstSavedPlace_data() { sizes_data(); }
    void correctionViewKeepsFirstSavedPlace();
    void correctionNeAndStornoChangeNothing_data() { sizes_data(); }
    void correctionNeAndStornoChangeNothing();
    void helpAndAbout_data() { sizes_data(); }
    void helpAndAbout();
};

void BracketWindowTest::sizes_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("8") << 8;
    QTest::newRow("16") << 16;
    QTest::newRow("32") << 32;
}

void BracketWindowTest::frameAndMenus()
{
    QFETCH(int, size);
    struct Expect {
        const char* name;
        const char* caption;
        QStringList hints;
        const char* about;
        QStringList numerals;
    };
    static const std::map<int, Expect> expect = {
        {8,
         {"Tturnaj8",
          "Zorbon - Pavouk 8 hráčů",
          {"", "", "Zobrazení výsledkové listiny"},
          "O Programu",
          {"Label51", "Label52", "Label53", "Label54"}}},
        {16,
         {"TTurnaj16",
          "Zorbon - Pavouk 16 hráčů",
          {"Nastavení počtu terčů", "Nasazení hráčů na terč", "Zobrazení výsledkové listiny"},
          "O programu",
          {"Label2", "Label3", "Label4", "Label5"}}},
        {32,
         {"TTurnaj32",
          "Zorbon - Pavouk 32 hráčů",
          {"Zadání počtu terčů", "Nasazení hráčů na terč", "Výsledková listina"},
          "O programu",
          {"LabTerc1", "LabTerc2", "LabTerc3", "LabTerc4", "LabTerc5", "LabTerc6", "LabTerc7", "LabTerc8", "LabTerc9",
           "LabTerc10"}}},
    };
    const Expect& e = expect.at(size);
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = app.bracketWindow(size);
    QCOMPARE(w->objectName(), QString::fromUtf8(e.name));
    QCOMPARE(w->windowTitle(), QString::fromUtf8(e.caption));
    QVERIFY(!w->isVisible());

    const QStringList captions = {"Terče", "Hraj", "Výsledková listina"};
    for (int i = 0; i < 3; ++i) {
        auto* b = w->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(i + 1));
        QVERIFY(b);
        QCOMPARE(b->text(), captions[i]);
        QCOMPARE(b->toolTip(), e.hints[i]);
    }
    QCOMPARE(child<QWidget>(w, "Panel1")->height(), 40);
    QCOMPARE(child<QWidget>(w, "Panel1")->palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(child<QWidget>(w, "Panel2")->width(), 160);
    QCOMPARE(child<QWidget>(w, "Panel2")->palette().color(QPalette::Window), QColor(0x80, 0x80, 0));
    QCOMPARE(label(w, QStringLiteral("Label1"))->text(), QStringLiteral("Terče :"));

    QCOMPARE(actionText(w, "Zavt1"), QStringLiteral("Zavřít"));
    QCOMPARE(actionText(w, "Tere1"), QStringLiteral("Terče"));
    QCOMPARE(actionText(w, "Hraj1"), QStringLiteral("Hraj"));
    QCOMPARE(actionText(w, "Vsledkovlistina1"), QStringLiteral("Výsledková listina"));
    QCOMPARE(actionText(w, "Help2"), QStringLiteral("Help"));
    QCOMPARE(actionText(w, "OProgramu1"), QString::fromUtf8(e.about));
    QCOMPARE(child<QMenu>(w, "Soubor1")->title().remove('&'), QStringLiteral("Soubor"));
    QCOMPARE(child<QMenu>(w, "Pkazy1")->title().remove('&'), QStringLiteral("Příkazy"));
    QCOMPARE(child<QMenu>(w, "Help1")->title().remove('&'), QStringLiteral("Help"));

    // Board places, 40 pixels apart, each beside its numeral; all out of play before a draw.
    for (int n = 1; n <= e.numerals.size(); ++n) {
        QWidget* board = child<QWidget>(w, qPrintable(QStringLiteral("Terc%1").arg(n)));
        QCOMPARE(board->size(), QSize(98, 30));
        QCOMPARE(board->y() - child<QWidget>(w, "Terc1")->y(), 40 * (n - 1));
        QLabel* numeral = label(w, e.numerals[n - 1]);
        QCOMPARE(numeral->text(), QStringLiteral("%1.").arg(n));
        QCOMPARE(numeral->y(), board->y());
        QVERIFY(!board->isVisibleTo(w));
    }
    QVERIFY(!w->findChild<QWidget*>(QStringLiteral("Terc%1").arg(e.numerals.size() + 1)));
    QCOMPARE(label(w, QStringLiteral("LabVitez"))->text(), QStringLiteral("Vítězem je : "));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("LabFinale")) != nullptr, size != 16);
    if (size != 16)
        QCOMPARE(label(w, QStringLiteral("LabFinale"))->text(), QStringLiteral("Finále :"));
}

void BracketWindowTest::drawingHasEveryCell()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = app.bracketWindow(size);
    const AdvancementTable& t = tableFor(size);
    std::set<QString> names;
    for (const auto& box : t.boxes) {
        QWidget* frame = child<QWidget>(w, qPrintable(s(box.frame)));
        QCOMPARE(frame->size(), QSize(100, 29));
        QCOMPARE(colourOfFrame(w, s(box.frame)), kSkyBlue);
        for (SlotId id : {box.upper, box.lower}) {
            const auto& slot = t.slot(id);
            QLabel* name = label(frame, s(slot.name));
            QLabel* score = label(frame, s(slot.score));
            const int row = slot.upper ? 1 : 15;
            QCOMPARE(name->geometry(), QRect(1, row, 78, 13));
            QCOMPARE(score->geometry(), QRect(79, row, 20, 13));
            QCOMPARE(name->text(), QStringLiteral(" ?"));
            QCOMPARE(score->text(), QStringLiteral(" 0"));
            QCOMPARE(colourOfCell(frame, s(slot.name)), kSkyBlue);
            names.insert(s(slot.name));
            names.insert(s(slot.score));
        }
    }
    QCOMPARE(names.size(), t.slotSpecs.size() * 2);
    QCOMPARE(names.count(QStringLiteral("labv8")), std::size_t(size == 8 ? 1 : 0));
    const QString finalFrame = size == 32 ? QStringLiteral("Shape51P") : QStringLiteral("ShapeF");
    QCOMPARE(s(t.box(t.finalNumber()).frame), finalFrame);
    // First round in the middle: losers' rounds on its left, winners' rounds on its right.
    const int firstRound = child<QWidget>(w, "Shape1")->x();
    QVERIFY(child<QWidget>(w, "Shape11L")->x() < firstRound);
    QVERIFY(child<QWidget>(w, "Shape11P")->x() > firstRound);
    QVERIFY(child<QWidget>(w, "Shape21L")->x() < child<QWidget>(w, "Shape11L")->x());
}

void BracketWindowTest::scrollsHomeOnEveryShowing()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = app.bracketWindow(size);
    QScrollBar* h = bar(w, "ScrollBar1");
    QScrollBar* v = bar(w, "ScrollBar2");
    struct Setting {
        int max, page, home;
    };
    const std::map<int, std::pair<Setting, Setting>> settings = {
        {8, {{0, 0, 0}, {0, 0, 0}}}, {16, {{370, 30, 185}, {0, 0, 0}}}, {32, {{900, 70, 550}, {380, 50, 0}}}};
    const auto [hs, vs] = settings.at(size);
    QCOMPARE(h != nullptr, hs.max > 0);
    QCOMPARE(v != nullptr, vs.max > 0);
    QWidget* drawing = child<QWidget>(w, "Drawing");
    for (int showing = 0; showing < 2; ++showing) {
        w->show();
        if (h) {
            QCOMPARE(h->minimum(), 0);
            QCOMPARE(h->maximum(), hs.max);
            QCOMPARE(h->pageStep(), hs.page);
            QCOMPARE(h->value(), hs.home);
            QCOMPARE(drawing->x(), -hs.home);
            h->setValue(hs.max);
            QCOMPARE(drawing->x(), -hs.max);
        }
        if (v) {
            QCOMPARE(v->maximum(), vs.max);
            QCOMPARE(v->pageStep(), vs.page);
            QCOMPARE(v->value(), vs.home);
            v->setValue(vs.max);
            QCOMPARE(drawing->y(), -vs.max);
        }
        w->hide();
    }
    // The board panel and the button bar stay put whatever the scroll position.
    QCOMPARE(child<QWidget>(w, "Panel2")->x(), child<QWidget>(w, "Client")->width() - 160);
}

void BracketWindowTest::hrajWithoutBoards()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, playersFor(size));
    TBracketWindow* w = draw(app, 0);
    QCOMPARE(w->size(), size);
    for (int n = 1; n <= w->bracket().boardCount(); ++n)
        QVERIFY(!child<QWidget>(w, qPrintable(QStringLiteral("Terc%1").arg(n)))->isVisible());
    Dialogs::clearShown();
    clickButton(w, "SpeedButton2");
    QCOMPARE(Dialogs::messages(), QStringList{size == 8 ? QStringLiteral("Není volný žádný terč")
                                                        : QStringLiteral("Není nastaven žádný terč !!!")});
    // A click on a ready box meets the same lack of boards.
    Dialogs::clearShown();
    const auto& box = w->bracket().table().box(2);
    click(label(w, s(w->bracket().table().slot(box.upper).name)));
    QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Není volný žádný terč")});
    QCOMPARE(colourOfFrame(w, s(box.frame)), kSkyBlue);
}

void BracketWindowTest::finalNotice_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("byClick");
    QTest::addColumn<bool>("noticeFirst");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("ending");
    const QString end8 = QStringLiteral(" musí vyhrát 2 x aby vyhrál celý turnaj");
    const QString endI =
        QStringLiteral(" musí vyhrát 2x, aby se stal celkovým vítizem !!! (Do výsledku se zapisuje celkové skóre !!!)");
    const QString endE =
        QStringLiteral(" musí vyhrát 2x, aby se stal celkovým vítězem !!! (Do výsledku se zapisuje celkové skóre !!!)");
    QTest::newRow("8 Hraj") << 8 << false << false << QStringLiteral("Hráč ") << end8;
    QTest::newRow("8 click") << 8 << true << false << QStringLiteral("Hráč ") << end8;
    QTest::newRow("16 Hraj") << 16 << false << true << QStringLiteral("Hráč ") << endI;
    QTest::newRow("16 click") << 16 << true << true << QStringLiteral("Hráč ") << endI;
    QTest::newRow("32 Hraj") << 32 << false << true << QStringLiteral("Hráč ") << endE;
    QTest::newRow("32 click") << 32 << true << true << QStringLiteral("Hráe ") << endI;
}

void BracketWindowTest::finalNotice()
{
    QFETCH(int, size);
    QFETCH(bool, byClick);
    QFETCH(bool, noticeFirst);
    QFETCH(QString, prefix);
    QFETCH(QString, ending);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, playersFor(size));
    TBracketWindow* w = draw(app, size == 8 ? 2 : 4);
    playUntilFinalReady(w);
    const QString f1 = label(w, QStringLiteral("LabF1"))->text();
    const QString f2 = label(w, QStringLiteral("LabF2"))->text();
    // The final's other cells do not call it.
    if (byClick) {
        Dialogs::clearShown();
        for (const char* cell : {"LabF2", "LabvF1", "LabvF2"})
            click(label(w, QString::fromLatin1(cell)));
        QVERIFY(Dialogs::shown().isEmpty());
    }
    Dialogs::clearShown();
    if (byClick)
        click(label(w, QStringLiteral("LabF1")));
    else
        clickButton(w, "SpeedButton2");
    const int board = boardOf(w->bracket(), w->bracket().table().finalNumber());
    QVERIFY(board > 0);
    const QString announcement = QStringLiteral("Na terč č.%1 nastoupí hráči %2 a %3").arg(board).arg(f1, f2);
    const QString notice = prefix + f2 + ending;
    const QStringList expected = noticeFirst ? QStringList{notice, announcement} : QStringList{announcement, notice};
    QCOMPARE(Dialogs::messages(), expected);
    QCOMPARE(colourOfFrame(w, s(w->bracket().table().box(w->bracket().table().finalNumber()).frame)), kLime);
}

void BracketWindowTest::finalTie_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("score");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("winnerLine"); // %1: the LabF1 player
    QTest::newRow("8 tie") << 8 << "2" << true << QStringLiteral("Vítěz turnaje : %1");
    QTest::newRow("16 tie") << 16 << "2" << false << QString();
    QTest::newRow("32 tie") << 32 << "3" << true << QStringLiteral("Vítězem je : %1.");
    QTest::newRow("8 nil") << 8 << "0" << false << QString();
    QTest::newRow("32 nil") << 32 << "0" << false << QString();
}

void BracketWindowTest::finalTie()
{
    QFETCH(int, size);
    QFETCH(QString, score);
    QFETCH(bool, accepted);
    QFETCH(QString, winnerLine);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, playersFor(size));
    TBracketWindow* w = draw(app, 2);
    playToFinal(w);
    const int fin = w->bracket().table().finalNumber();
    const QString f1 = label(w, QStringLiteral("LabF1"))->text();
    Dialogs::clearShown();
    bool open = false;
    Dialogs::script([&](QDialog* d) {
        typeScores(d, score, score);
        clickButton(d, "Button1");
        open = d->isVisible();
    });
    click(child<QWidget>(w, qPrintable(QStringLiteral("Terc%1").arg(boardOf(w->bracket(), fin)))));
    QCOMPARE(open, !accepted);
    if (accepted) {
        QVERIFY(Dialogs::messages().isEmpty());
        QCOMPARE(label(w, QStringLiteral("LabVitez"))->text(), winnerLine.arg(f1));
        QCOMPARE(label(w, QStringLiteral("LabvF1"))->text(), QStringLiteral(" ") + score);
        QCOMPARE(colourOfFrame(w, s(w->bracket().table().box(fin).frame)), kAqua);
        // A decided final offers nothing more to a click.
        Dialogs::clearShown();
        click(label(w, QStringLiteral("LabF1")));
        QVERIFY(Dialogs::shown().isEmpty());
    } else {
        QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Je zadán špatný výsledek")});
        QCOMPARE(label(w, QStringLiteral("LabVitez"))->text(), QStringLiteral("Vítězem je : "));
        QCOMPARE(colourOfFrame(w, s(w->bracket().table().box(fin).frame)), kLime);
    }
}

// A second correction opened while one is open keeps the place saved by the first, so leaving
// returns to where the operator was before any correction.
void BracketWindowTest::correctionViewKeepsFirstSavedPlace()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, size);
    TBracketWindow* w = draw(app, size == 8 ? 2 : 4);
    clickButton(w, "SpeedButton2");
    enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1")); // box 1
    enterResult(w, 2, QStringLiteral("2"), QStringLiteral("0")); // box 2
    QScrollBar* h = bar(w, "ScrollBar1");
    QScrollBar* v = bar(w, "ScrollBar2");
    if (h)
        h->setValue(100);
    if (v)
        v->setValue(40);
    const auto& t = w->bracket().table();
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    click(label(w, s(t.slot(t.box(1).upper).name)));
    QVERIFY(child<QWidget>(w, "Button1")->isVisible());
    if (h) {
        QCOMPARE(h->value(), size == 16 ? 370 : 900);
        QCOMPARE(label(w, size == 16 ? QStringLiteral("scroll") : QStringLiteral("ScrollH"))->text(),
                 QStringLiteral("100"));
        h->setValue(20); // the operator looks around meanwhile
    }
    if (v) {
        QCOMPARE(v->value(), 380);
        QCOMPARE(label(w, QStringLiteral("ScrollV"))->text(), QStringLiteral("40"));
        v->setValue(10);
    }
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    click(label(w, s(t.slot(t.box(2).lower).name)));
    const auto& names = w->look().correctionLabels;
    QCOMPARE(label(w, names[1])->text(), s(w->bracket().name(t.box(2).upper)));
    QCOMPARE(child<QLineEdit>(w, "Edit2")->text(), QStringLiteral(" 0"));
    if (h)
        QCOMPARE(h->value(), size == 16 ? 370 : 900);
    clickButton(w, "Button2");
    QVERIFY(!child<QWidget>(w, "Button1")->isVisible());
    QVERIFY(label(w, QStringLiteral("LabVitez"))->isVisibleTo(w));
    if (h)
        QCOMPARE(h->value(), 100);
    if (v)
        QCOMPARE(v->value(), 40);
}

void BracketWindowTest::correctionNeAndStornoChangeNothing()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, size);
    TBracketWindow* w = draw(app, 2);
    clickButton(w, "SpeedButton2");
    enterResult(w, 1, QStringLiteral("3"), QStringLiteral("1"));
    enterResult(w, 2, QStringLiteral("3"), QStringLiteral("2"));
    const auto& t = w->bracket().table();
    const auto& box1 = t.box(1);
    const QString winner = label(w, s(t.slot(box1.winnerTo).name))->text();

    // "Ne": the controls stay hidden.
    Dialogs::script([](QDialog* d) { clickButton(d, "Button2"); });
    click(label(w, s(t.slot(box1.upper).score)));
    QVERIFY(!child<QWidget>(w, "Button1")->isVisible());
    QVERIFY(child<QWidget>(w, "SpeedButton1")->isEnabled());

    // "Ano", then "Ne" on a second box: the first correction stays open as it was.
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    click(label(w, s(t.slot(box1.upper).name)));
    const auto& names = w->look().correctionLabels;
    const QString shown1 = label(w, names[1])->text();
    Dialogs::script([](QDialog* d) { clickButton(d, "Button2"); });
    click(label(w, s(t.slot(t.box(2).upper).name)));
    QVERIFY(child<QWidget>(w, "Button1")->isVisible());
    QCOMPARE(label(w, names[1])->text(), shown1);
    QCOMPARE(w->bracket().correction->box, 1);

    // Equal scores are refused and the controls stay open; Storno then writes nothing.
    Dialogs::clearShown();
    typeScores(w, QStringLiteral("2"), QStringLiteral("2"));
    clickButton(w, "Button1");
    QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Je zadán špatný výsledek")});
    QVERIFY(child<QWidget>(w, "Button1")->isVisible());
    clickButton(w, "Button2");
    QVERIFY(!child<QWidget>(w, "Button1")->isVisible());
    QCOMPARE(label(w, s(t.slot(box1.winnerTo).name))->text(), winner);
    QCOMPARE(label(w, s(t.slot(box1.upper).score))->text(), QStringLiteral(" 3"));

    // The score fields take digits only: a letter beeps and is dropped.
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    click(label(w, s(t.slot(box1.upper).name)));
    Dialogs::clearShown();
    QLineEdit* e1 = child<QLineEdit>(w, "Edit1");
    e1->setFocus();
    e1->end(false);
    QTest::keyClicks(e1, QStringLiteral("x4"));
    QCOMPARE(e1->text(), QStringLiteral(" 34"));
    QCOMPARE(Dialogs::shown().size(), 1);
    QCOMPARE(Dialogs::shown()[0].kind, Dialogs::Kind::Beep);
    clickButton(w, "Button2");
}

void BracketWindowTest::helpAndAbout()
{
    QFETCH(int, size);
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = app.bracketWindow(size);
    Dialogs::script([](QDialog*) {});
    w->findChild<QAction*>(QStringLiteral("OProgramu1"))->trigger();
    QCOMPARE(Dialogs::shown().size(), 1);
    QCOMPARE(Dialogs::shown()[0].text, QStringLiteral("TOprogramu"));
    // The help file is not in the test's folder: the operator is told so.
    Dialogs::clearShown();
    w->findChild<QAction*>(QStringLiteral("Help2"))->trigger();
    QCOMPARE(Dialogs::messages().size(), 1);
    QVERIFY(Dialogs::messages()[0].contains(QStringLiteral("HELP/HELP.HLP")));
}

QTEST_MAIN(BracketWindowTest)
#include "bracket_window_test.moc"
