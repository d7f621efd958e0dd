// The program without a mouse: a whole tournament played with keys only, the boxes reached with
// Tab and the arrows, Enter and Esc in the dialogs, and an accelerator on every menu entry.
// Not one mouse event is sent here; keys go where the keyboard would send them.

#include "app/Zorbon.h"
#include "bracketwindow/BracketWidgets.h"
#include "bracketwindow/TBracketWindow.h"
#include "common/HelpViewer.h"
#include "mainwindow/THlavniOkno.h"
#include "mainwindow/TRozlosovani.h"
#include "resultswindow/TVysledkovaListina.h"
#include "uitest.h"

#include "records/record.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSet>
#include <QTextBrowser>

using namespace zorbon;
using namespace zorbon::ui;

namespace {

// Makes the window the one the keyboard types into, once the activations still queued (a closed
// menu gives the activation back to its window) have been handled.
void activate(QWidget* window)
{
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() == window)
        return;
    window->activateWindow();
    QVERIFY(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
}

// An open menu takes the keys; otherwise the window's focus widget does.
QWidget* keyTarget(QWidget* window)
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    QWidget* focus = window->focusWidget();
    return focus ? focus : window;
}

// The operator looks at the window: it is the active one unless a menu is open.
void key(QWidget* window, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (!QApplication::activePopupWidget() && QApplication::activeWindow() != window->window())
        activate(window->window());
    QTest::keyClick(keyTarget(window), k, modifiers);
}

// Typed key by key; a letter beyond ASCII comes as the key a Czech keyboard sends for it.
void type(QWidget* window, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(keyTarget(window), static_cast<char>(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, keyTarget(window), Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
}

QString focused(QWidget* window)
{
    return window->focusWidget() ? window->focusWidget()->objectName() : QString();
}

// Alt + the menu's letter, then the entry's letter in the menu that opened.
void menu(QWidget* window, Qt::Key menuKey, char entry)
{
    activate(window);
    key(window, menuKey, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY2(popup, "the menu did not open");
    QTest::keyClick(popup, entry);
    QVERIFY(!QApplication::activePopupWidget());
}

QString text(QWidget* w, const char* name)
{
    return child<QLabel>(w, name)->text();
}

// "Hraj" from the menu, the result entered on board `board` with the keys.
void playOnBoard(TBracketWindow* w, int board, const QString& s1, const QString& s2)
{
    bool accepted = false;
    Dialogs::script([&](QDialog* d) {
        activate(d);
        QCOMPARE(focused(d), QStringLiteral("Edit1"));
        type(d, s1);
        key(d, Qt::Key_Tab);
        QCOMPARE(focused(d), QStringLiteral("Edit2"));
        type(d, s2);
        key(d, Qt::Key_Return);
        accepted = !d->isVisible();
    });
    activate(w);
    key(w, Qt::Key(Qt::Key_0 + board % 10), Qt::ControlModifier);
    QVERIFY2(accepted, "the result was not accepted");
}

// The tournament up to the board-count dialog, with keys: Nový, four names, Rozlosuj.
TBracketWindow* drawWithKeys(Zorbon& app, const QStringList& names, int boards)
{
    app.Rozlosovani->seedSource = [] { return 7u; };
    app.start();

    Dialogs::script([](QDialog* d) {
        activate(d);
        QCOMPARE(focused(d), QStringLiteral("Edit1"));
        type(d, QStringLiteral("Pohár bez myši"));
        key(d, Qt::Key_Tab);
        type(d, QStringLiteral("Klub Terč"));
        key(d, Qt::Key_Tab);
        type(d, QStringLiteral("24. 12. 2025"));
        key(d, Qt::Key_Return);
        QVERIFY(!d->isVisible());
    });
    menu(app.HlavniOkno, Qt::Key_S, 'n');
    if (QTest::currentTestFailed())
        return nullptr;
    if (text(app.HlavniOkno, "Label2") != QStringLiteral("Pohár bez myši"))
        qFatal("the new tournament was not taken");

    Dialogs::script([&](QDialog* d) {
        activate(d);
        for (const QString& name : names) {
            QCOMPARE(focused(d), QStringLiteral("JmenoHrace"));
            type(d, name);
            key(d, Qt::Key_Enter);
        }
        QCOMPARE(focused(d), QStringLiteral("JmenoHrace"));
        QCOMPARE(child<QPlainTextEdit>(d, "Memo1")->toPlainText(), names.join(QLatin1Char('\n')));
        key(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    });
    menu(app.HlavniOkno, Qt::Key_P, 'h');
    if (ReadRecord().PlayerCount != names.size())
        qFatal("the players were not registered");

    Dialogs::script([](QDialog* d) {
        activate(d);
        key(d, Qt::Key_Return); // "Ano"
    });
    Dialogs::script([boards](QDialog* d) {
        activate(d);
        QCOMPARE(focused(d), QStringLiteral("SpinEdit1"));
        type(d, QString::number(boards));
        key(d, Qt::Key_Return);
        QVERIFY(!d->isVisible());
    });
    menu(app.HlavniOkno, Qt::Key_P, 'r');
    for (int size : kBracketSizes)
        if (app.bracketWindow(size)->isVisible())
            return app.bracketWindow(size);
    return nullptr;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void playsATournamentWithKeysOnly();
    void boxesAreCalledAndCorrectedFromTheKeyboard();
    void focusedBoxScrollsIntoView();
    void dialogsTakeEnterAndEsc();
    void helpIsReadWithKeys();
    void everyMenuEntryHasItsOwnAccelerator();
};

void KeyboardTest::playsATournamentWithKeysOnly()
{
    UiTestEnv env;
    Zorbon app;
    const QStringList names = {"Adam Šíp", "Běla Terčová", "Cyril Double", "Dana Bullová"};
    TBracketWindow* w = drawWithKeys(app, names, 1);
    QVERIFY(w);
    QCOMPARE(w->size(), 8);
    QVERIFY(!app.HlavniOkno->isVisible());
    QCOMPARE(ReadRecord().BoardCount, 1);
    QCOMPARE(text(w, "Terc1"), QStringLiteral(" VOLNÝ"));

    // "Hraj" from the menu and each result from board 1 (Ctrl+1), until the final is on the board.
    const int fin = w->bracket().table().finalNumber();
    for (int guard = 0; guard < 20 && w->bracket().state(fin) != BoxState::OnBoard; ++guard) {
        Dialogs::clearShown();
        menu(w, Qt::Key_P, 'h');
        QVERIFY(!Dialogs::messages().isEmpty());
        QVERIFY(Dialogs::messages().front().startsWith(QStringLiteral("Na terč č.1 nastoupí hráči ")));
        if (w->bracket().state(fin) == BoxState::OnBoard)
            break;
        playOnBoard(w, 1, QStringLiteral("3"), QStringLiteral("1"));
    }
    QCOMPARE(w->bracket().state(fin), BoxState::OnBoard);
    QVERIFY(Dialogs::messages().last().endsWith(QStringLiteral(" musí vyhrát 2 x aby vyhrál celý turnaj")));

    // The final: the losers' side champion wins the totals.
    const QString champion = text(w, "LabF2");
    playOnBoard(w, 1, QStringLiteral("1"), QStringLiteral("2"));
    QCOMPARE(w->bracket().state(fin), BoxState::Finished);
    QCOMPARE(text(w, "LabVitez"), QStringLiteral("Vítěz turnaje : ") + champion);

    // The results list (modal beside the 8 bracket) and Esc to close it.
    Dialogs::script([&](QDialog* d) {
        activate(d);
        const QStringList lines = child<QPlainTextEdit>(d, "Memo1")->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.front(), QStringLiteral("1. místo ") + champion);
        key(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    });
    menu(w, Qt::Key_P, 'v');

    // "Zavřít" ends the tournament; the main window is back, empty.
    Dialogs::answer(true);
    menu(w, Qt::Key_S, 'z');
    QVERIFY(!w->isVisible());
    QVERIFY(app.HlavniOkno->isVisible());
    QCOMPARE(text(app.HlavniOkno, "Label3"), QStringLiteral("Počet přihlášených hráčů : 0"));
    QCOMPARE(Dialogs::unanswered(), 0);

    // "Konec".
    Dialogs::answer(true);
    menu(app.HlavniOkno, Qt::Key_S, 'k');
    QVERIFY(!app.HlavniOkno->isVisible());
}

void KeyboardTest::boxesAreCalledAndCorrectedFromTheKeyboard()
{
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = drawWithKeys(app, {"A1", "B2", "C3", "D4", "E5", "F6", "G7", "H8"}, 2);
    QVERIFY(w);
    activate(w);

    // Tab runs through the three buttons, then the boxes in the order of their numbers.
    QCOMPARE(focused(w), QStringLiteral("SpeedButton1"));
    for (int i = 0; i < 3; ++i)
        key(w, Qt::Key_Tab);
    QCOMPARE(focused(w), QStringLiteral("Shape1"));
    key(w, Qt::Key_Tab);
    QCOMPARE(focused(w), QStringLiteral("Shape2"));
    // Down the first-round column: box 3 stands under box 2.
    key(w, Qt::Key_Down);
    QCOMPARE(focused(w), QStringLiteral("Shape3"));
    key(w, Qt::Key_Up);
    QCOMPARE(focused(w), QStringLiteral("Shape2"));

    // Enter calls the box to the first free board, out of order.
    Dialogs::clearShown();
    key(w, Qt::Key_Return);
    QCOMPARE(Dialogs::messages().size(), 1);
    QVERIFY(Dialogs::messages().front().startsWith(QStringLiteral("Na terč č.1 nastoupí hráči ")));
    QCOMPARE(w->bracket().board(1).match, 2);
    playOnBoard(w, 1, QStringLiteral("3"), QStringLiteral("1"));
    const QString upper = text(w, "Lab5");
    const QString lower = text(w, "Lab4");
    QCOMPARE(text(w, "Lab12P"), upper);

    // Enter on the finished box opens the correction; Esc leaves it and the keyboard is back on the box.
    activate(w);
    QCOMPARE(focused(w), QStringLiteral("Shape2"));
    Dialogs::script([](QDialog* d) {
        activate(d);
        key(d, Qt::Key_Return); // "Ano"
    });
    key(w, Qt::Key_Return);
    QVERIFY(w->bracket().correctionMode);
    QCOMPARE(focused(w), QStringLiteral("Edit1"));
    QVERIFY(!child<QAbstractButton>(w, "SpeedButton2")->isEnabled());
    QVERIFY(!child<QAction>(w, "TercKlavesa1")->isEnabled());
    key(w, Qt::Key_Escape);
    QVERIFY(!w->bracket().correctionMode);
    QCOMPARE(focused(w), QStringLiteral("Shape2"));
    QCOMPARE(text(w, "Lab12P"), upper);

    // Again, and this time the scores are turned round: the players swap their next slots.
    Dialogs::script([](QDialog* d) {
        activate(d);
        key(d, Qt::Key_Return);
    });
    key(w, Qt::Key_Return);
    QVERIFY(w->bracket().correctionMode);
    type(w, QStringLiteral("1")); // over the " 3" the correction opened with

    key(w, Qt::Key_Tab);
    type(w, QStringLiteral("3"));
    key(w, Qt::Key_Return);
    QVERIFY(!w->bracket().correctionMode);
    QCOMPARE(text(w, "Lab12P"), lower);
    QCOMPARE(text(w, "Lab12L"), upper);
    QCOMPARE(text(w, "Labv5"), QStringLiteral(" 1"));
    QCOMPARE(text(w, "Labv4"), QStringLiteral(" 3"));

    // A board that is out of play has no key: Ctrl+3 in the 8 window does nothing.
    QVERIFY(!child<QAction>(w, "TercKlavesa3")->isEnabled());
    Dialogs::clearShown();
    key(w, Qt::Key_3, Qt::ControlModifier);
    QCOMPARE(Dialogs::shown().size(), 0);
    // A free board answers its key as it answers a click.
    key(w, Qt::Key_2, Qt::ControlModifier);
    QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Terč je momentálně volný")});
}

void KeyboardTest::focusedBoxScrollsIntoView()
{
    UiTestEnv env;
    Zorbon app;
    QStringList names;
    for (int i = 1; i <= 20; ++i)
        names << QStringLiteral("Hráč %1").arg(i);
    TBracketWindow* w = drawWithKeys(app, names, 2);
    QVERIFY(w);
    QCOMPARE(w->size(), 32);
    activate(w);
    QScrollBar* h = child<QScrollBar>(w, "ScrollBar1");
    QScrollBar* v = child<QScrollBar>(w, "ScrollBar2");
    QCOMPARE(h->value(), 550);
    QCOMPARE(v->value(), 0);
    QWidget* viewport = child<QWidget>(w, "ScrollBox1");
    auto inView = [&](const char* frame) {
        const QWidget* f = child<QWidget>(w, frame);
        return viewport->rect().contains(QRect(f->mapTo(viewport, QPoint(0, 0)), f->size()));
    };
    // Leftwards along the losers' side to its last round, then to the final on the far right.
    QWidget* box = child<QWidget>(w, "Shape16");
    box->setFocus(Qt::TabFocusReason);
    QVERIFY(inView("Shape16"));
    for (int i = 0; i < 8; ++i)
        key(w, Qt::Key_Left);
    QVERIFY(focused(w).endsWith(QLatin1Char('L')));
    QVERIFY(inView(qPrintable(focused(w))));
    QVERIFY(h->value() < 550);
    child<QWidget>(w, "Shape51P")->setFocus(Qt::TabFocusReason);
    QVERIFY(inView("Shape51P"));
    QVERIFY(h->value() > 550 && h->value() <= 900);
    QVERIFY(v->value() > 0 && v->value() <= 380);
    // The bars keep their ranges.
    QCOMPARE(h->maximum(), 900);
    QCOMPARE(v->maximum(), 380);
}

void KeyboardTest::dialogsTakeEnterAndEsc()
{
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = drawWithKeys(app, {"Ota", "Eva", "Jan", "Ema", "Olga"}, 2);
    QVERIFY(w);

    // Board count: Esc keeps the count.
    Dialogs::script([](QDialog* d) {
        activate(d);
        type(d, QStringLiteral("1"));
        key(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    });
    menu(w, Qt::Key_P, 't');
    QCOMPARE(ReadRecord().BoardCount, 2);

    // Result: Esc is Storno, the match stays on its board; non-digits beep and are dropped.
    menu(w, Qt::Key_P, 'h');
    QCOMPARE(w->bracket().board(1).state, BoardState::Occupied);
    Dialogs::clearShown();
    Dialogs::script([](QDialog* d) {
        activate(d);
        type(d, QStringLiteral("x2"));
        QCOMPARE(child<QLineEdit>(d, "Edit1")->text(), QStringLiteral("2"));
        key(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    });
    activate(w);
    key(w, Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(Dialogs::shown().size(), 2);
    QCOMPARE(Dialogs::shown().at(1).kind, Dialogs::Kind::Beep);
    QCOMPARE(w->bracket().board(1).state, BoardState::Occupied);

    // An equal score with Enter is refused and the dialog stays; the right one goes in.
    Dialogs::clearShown();
    Dialogs::script([](QDialog* d) {
        activate(d);
        type(d, QStringLiteral("2"));
        key(d, Qt::Key_Tab);
        type(d, QStringLiteral("2"));
        key(d, Qt::Key_Return);
        QVERIFY(d->isVisible());
        // Tab order: the scores, "OK", "Storno"; back to the second score and type it anew.
        key(d, Qt::Key_Tab);
        QCOMPARE(focused(d), QStringLiteral("Button1"));
        key(d, Qt::Key_Tab);
        QCOMPARE(focused(d), QStringLiteral("Button2"));
        key(d, Qt::Key_Backtab);
        key(d, Qt::Key_Backtab);
        QCOMPARE(focused(d), QStringLiteral("Edit2"));
        type(d, QStringLiteral("0"));
        key(d, Qt::Key_Return);
        QVERIFY(!d->isVisible());
    });
    activate(w);
    key(w, Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(Dialogs::messages(), QStringList{QStringLiteral("Je zadán špatný výsledek")});
    QCOMPARE(w->bracket().board(1).state, BoardState::Free);

    // The tournament ends; with the main window back, the lobby's dialogs.
    Dialogs::answer(true);
    menu(w, Qt::Key_S, 'z');
    Dialogs::script([](QDialog* d) {
        activate(d);
        type(d, QStringLiteral("Zrušený turnaj"));
        key(d, Qt::Key_Escape); // Storno
    });
    menu(app.HlavniOkno, Qt::Key_S, 'n');
    QCOMPARE(text(app.HlavniOkno, "Label2"), QString());
    Dialogs::script([](QDialog* d) {
        activate(d);
        type(d, QStringLiteral("Turnaj"));
        key(d, Qt::Key_Return);
    });
    menu(app.HlavniOkno, Qt::Key_S, 'n');
    Dialogs::script([](QDialog* d) {
        activate(d);
        for (const char* name : {"Ota", "Eva"}) {
            type(d, QString::fromLatin1(name));
            key(d, Qt::Key_Return);
        }
        // Tab to "Přidej", then "Hotovo": Enter presses the one with the focus.
        key(d, Qt::Key_Tab);
        QCOMPARE(focused(d), QStringLiteral("Button1"));
        key(d, Qt::Key_Tab);
        QCOMPARE(focused(d), QStringLiteral("Button2"));
        key(d, Qt::Key_Return);
        QVERIFY(!d->isVisible());
    });
    menu(app.HlavniOkno, Qt::Key_P, 'h');
    QCOMPARE(ReadRecord().PlayerCount, 2);

    // Removing a player: the name typed into the list, Enter, then "Ano" with Enter.
    Dialogs::script([](QDialog* d) {
        activate(d);
        QCOMPARE(focused(d), QStringLiteral("ComboBox1"));
        type(d, QStringLiteral("Eva"));
        key(d, Qt::Key_Return);
    });
    Dialogs::script([](QDialog* d) {
        activate(d);
        QCOMPARE(text(d, "Label1"), QStringLiteral("Opravdu odebrat hráče Eva ?"));
        key(d, Qt::Key_Return);
    });
    menu(app.HlavniOkno, Qt::Key_P, 'o');
    QCOMPARE(ReadRecord().PlayerCount, 1);
    QCOMPARE(child<QPlainTextEdit>(app.HlavniOkno, "Memo1")->toPlainText(), QStringLiteral("Ota"));

    // Delete all: Esc is "Ne", Enter is "Ano".
    Dialogs::script([](QDialog* d) {
        activate(d);
        key(d, Qt::Key_Escape);
    });
    menu(app.HlavniOkno, Qt::Key_P, 's');
    QCOMPARE(ReadRecord().PlayerCount, 1);
    Dialogs::script([](QDialog* d) {
        activate(d);
        key(d, Qt::Key_Return);
    });
    menu(app.HlavniOkno, Qt::Key_P, 's');
    QCOMPARE(ReadRecord().PlayerCount, 0);

    // The About box closes with Esc.
    Dialogs::script([](QDialog* d) {
        activate(d);
        key(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    });
    menu(app.HlavniOkno, Qt::Key_H, 'a');
    QCOMPARE(Dialogs::unanswered(), 0);
}

void KeyboardTest::helpIsReadWithKeys()
{
    UiTestEnv env;
    QDir().mkpath(QStringLiteral("HELP"));
    QVERIFY(QFile::copy(QStringLiteral(ZORBON_SOURCE_DIR "/HELP/HELP.HLP"), QStringLiteral("HELP/HELP.HLP")));
    Zorbon app;
    app.start();
    menu(app.HlavniOkno, Qt::Key_H, 'e');
    auto* viewer = app.HlavniOkno->findChild<HelpViewer*>();
    QVERIFY(viewer);
    activate(viewer);
    QTextBrowser* browser = viewer->browser();
    QCOMPARE(viewer->focusWidget(), browser);
    // Tab selects the first contents link, Enter follows it, Alt+Left comes back.
    key(viewer, Qt::Key_Tab);
    QVERIFY(browser->textCursor().hasSelection());
    key(viewer, Qt::Key_Return);
    QVERIFY(browser->source().fragment() != QStringLiteral("obsah"));
    key(viewer, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(browser->source().fragment(), QStringLiteral("obsah"));
    key(viewer, Qt::Key_Right, Qt::AltModifier);
    QVERIFY(browser->source().fragment() != QStringLiteral("obsah"));
    key(viewer, Qt::Key_Home, Qt::AltModifier);
    QCOMPARE(browser->source().fragment(), QStringLiteral("obsah"));
    key(viewer, Qt::Key_Escape);
    QVERIFY(!viewer->isVisible());
}

// Every menu of every window: a letter on each title and each entry, no letter twice in one menu.
void KeyboardTest::everyMenuEntryHasItsOwnAccelerator()
{
    UiTestEnv env;
    Zorbon app;
    app.VysledkovaListina->ensureBuilt(); // its controls are made on first need
    const QList<QWidget*> windows = {app.HlavniOkno, app.bracketWindow(8), app.bracketWindow(16), app.bracketWindow(32),
                                     app.VysledkovaListina};
    auto letterOf = [](const QString& text) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(text);
        return mnemonic.isEmpty() ? QString() : mnemonic.toString();
    };
    for (QWidget* w : windows) {
        const auto bars = w->findChildren<QMenuBar*>();
        QCOMPARE(bars.size(), 1);
        QSet<QString> titles;
        for (QAction* m : bars.front()->actions()) {
            const QString title = letterOf(m->text());
            QVERIFY2(!title.isEmpty(), qPrintable(w->objectName() + ": " + m->text()));
            QVERIFY2(!titles.contains(title), qPrintable(w->objectName() + ": " + m->text()));
            titles << title;
            QSet<QString> entries;
            for (QAction* a : m->menu()->actions()) {
                if (a->isSeparator())
                    continue;
                const QString letter = letterOf(a->text());
                QVERIFY2(!letter.isEmpty(), qPrintable(w->objectName() + ": " + a->text()));
                QVERIFY2(!entries.contains(letter), qPrintable(w->objectName() + ": " + a->text()));
                entries << letter;
            }
        }
    }
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
