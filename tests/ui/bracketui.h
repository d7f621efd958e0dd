#pragma once
// Plays a tournament through the bracket windows the way the operator does: register, "Rozlosuj",
// boards, "Hraj", board clicks and result dialogs, every modal answered through Dialogs.

#include "app/Zorbon.h"
#include "bracketwindow/BracketWidgets.h"
#include "bracketwindow/TBracketWindow.h"
#include "bracketwindow/TPocetTercu8.h"
#include "mainwindow/THlavniOkno.h"
#include "mainwindow/TRozlosovani.h"
#include "uitest.h"

#include "bracket/correction.h"
#include "lobby/lobby.h"
#include "records/record.h"
#include "sample_names.h"
#include "tournament/tournament.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>

namespace bracketui {

using namespace zorbon;
using namespace zorbon::ui;

inline constexpr QRgb kSkyBlue = 0xFFA6CAF0;
inline constexpr QRgb kLime = 0xFF00FF00;
inline constexpr QRgb kAqua = 0xFF00FFFF;
inline constexpr QRgb kSilver = 0xFFC0C0C0;

// The first n of the 64 sample names.
inline QStringList playerNames(int n)
{
    QStringList out;
    for (int i = 0; i < n && i < static_cast<int>(sample::kPlayerNames.size()); ++i)
        out << QString::fromUtf8(sample::kPlayerNames[static_cast<std::size_t>(i)]);
    return out;
}

inline void click(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

inline void clickButton(QWidget* parent, const char* name)
{
    QAbstractButton* b = child<QAbstractButton>(parent, name);
    QVERIFY2(b->isEnabled(), name);
    b->click();
}

inline QLabel* label(QWidget* w, const QString& name)
{
    QLabel* l = w->findChild<QLabel*>(name);
    if (!l)
        qFatal("no label %s in %s", qPrintable(name), qPrintable(w->objectName()));
    return l;
}

inline QRgb colourOfCell(QWidget* w, const QString& name)
{
    return label(w, name)->palette().color(QPalette::Window).rgba();
}

inline QRgb colourOfFrame(QWidget* w, const QString& name)
{
    QWidget* f = w->findChild<QWidget*>(name);
    if (!f)
        qFatal("no frame %s", qPrintable(name));
    return f->palette().color(QPalette::Window).rgba();
}

inline QString s(std::string_view v)
{
    return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size()));
}

// The header and the players, registered through the core, then shown in the main window.
inline void registerTournament(Zorbon& app, int players)
{
    app.start();
    QVERIFY(app.core().acceptNewTournament({"Velká cena Brna", "Hospoda U Šípku", "1. 5. 2024"}).ok());
    for (const QString& name : playerNames(players))
        QVERIFY(app.core().addPlayer(name.toStdString()).ok());
    app.HlavniOkno->refresh();
}

// "Rozlosuj" in the main window, "Ano" in the draw dialog and `boards` in the board-count dialog.
inline TBracketWindow* draw(Zorbon& app, int boards, std::uint32_t seed = 20240501)
{
    app.Rozlosovani->seedSource = [seed] { return seed; };
    Dialogs::script([](QDialog* d) { clickButton(d, "Button1"); });
    Dialogs::script([boards](QDialog* d) {
        child<QSpinBox>(d, "SpinEdit1")->setValue(boards);
        clickButton(d, "Button1");
    });
    click(child<QAbstractButton>(app.HlavniOkno, "SpeedButton4"));
    for (int size : kBracketSizes)
        if (app.bracketWindow(size)->isVisible())
            return app.bracketWindow(size);
    return nullptr;
}

// How most window tests begin: a working folder and an application of their own, `players`
// registered, "Rozlosuj" and `boards` boards. registerAndDraw runs inside STEP, which ends the test
// when registering or the draw failed.
struct DrawnTournament {
    UiTestEnv env;
    Zorbon app;
    TBracketWindow* w = nullptr; // the bracket window the draw showed

    void registerAndDraw(int players, int boards)
    {
        registerTournament(app, players);
        if (QTest::currentTestFailed())
            return;
        w = draw(app, boards);
        QVERIFY2(w, "the draw showed no bracket window");
    }
};

// Types the two scores as keys into Edit1 and Edit2 of a dialog or of the correction controls.
inline void typeScores(QWidget* d, const QString& s1, const QString& s2)
{
    for (auto [name, text] : {std::pair{"Edit1", s1}, std::pair{"Edit2", s2}}) {
        QLineEdit* e = child<QLineEdit>(d, name);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
    }
}

// Clicks board n and enters the scores; the dialog must close.
inline void enterResult(TBracketWindow* w, int board, const QString& s1, const QString& s2)
{
    bool closed = false;
    Dialogs::script([&](QDialog* d) {
        typeScores(d, s1, s2);
        clickButton(d, "Button1");
        closed = !d->isVisible();
    });
    click(child<QWidget>(w, qPrintable(QStringLiteral("Terc%1").arg(board))));
    QVERIFY2(closed, qPrintable(QStringLiteral("result on board %1 not accepted").arg(board)));
}

// The scores a test gives a match: mostly the upper player, every third match the lower one.
inline std::pair<QString, QString> scoresFor(int match)
{
    return match % 3 == 0 ? std::pair{QStringLiteral("1"), QStringLiteral("3")}
                          : std::pair{QStringLiteral("3"), QStringLiteral("1")};
}

// Enters a result on every occupied board, in board order.
inline void finishBoards(TBracketWindow* w)
{
    const Bracket& b = w->bracket();
    for (int n = 1; n <= b.boardCount(); ++n) {
        if (b.board(n).state != BoardState::Occupied)
            continue;
        const auto [s1, s2] = scoresFor(b.board(n).match);
        enterResult(w, n, s1, s2);
    }
}

// "Hraj" and results until the final has been called; returns with the final on a board.
inline void playToFinal(TBracketWindow* w)
{
    const int fin = w->bracket().table().finalNumber();
    for (int guard = 0; guard < 100 && w->bracket().state(fin) == BoxState::Pending; ++guard) {
        clickButton(w, "SpeedButton2");
        if (w->bracket().state(fin) != BoxState::Pending)
            break;
        finishBoards(w);
    }
    QCOMPARE(w->bracket().state(fin), BoxState::OnBoard);
}

// "Hraj" and results until both finalists are known; the final is not called yet.
inline void playUntilFinalReady(TBracketWindow* w)
{
    const int fin = w->bracket().table().finalNumber();
    for (int guard = 0; guard < 100 && !w->bracket().ready(fin); ++guard) {
        clickButton(w, "SpeedButton2");
        finishBoards(w);
    }
    QVERIFY(w->bracket().ready(fin));
}

inline int boardOf(const Bracket& b, int match)
{
    for (int n = 1; n <= b.boardCount(); ++n)
        if (b.board(n).state == BoardState::Occupied && b.board(n).match == match)
            return n;
    return 0;
}

} // namespace bracketui
