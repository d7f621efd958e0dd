#pragma once
// The bracket windows: one implementation that shows a Bracket of the session and hands every
// command to the core; the three sizes differ only in their look record and table.

#include "bracketwindow/BracketLook.h"

#include "boards/calling.h"

#include <QMainWindow>

#include <functional>
#include <vector>

class QAction;
class QLabel;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace zorbon {
class Bracket;
}

namespace zorbon::ui {

class Model;
class BracketDrawing;
class BoardView;
class ScoreEdit;

// One class for the three windows; the windows' own names (Tturnaj8, TTurnaj16, TTurnaj32) are their
// objectNames, and the size picks the look and the table.
class TBracketWindow : public QMainWindow {
    Q_OBJECT
public:
    void setVisible(bool visible) override;
    TBracketWindow(Model& model, int size);
    int size() const { return m_size; }
    Bracket& bracket() const;
    const BracketLook& look() const { return m_look; }

    // Makes the window's widgets, painted from the bracket; nothing happens after the first call.
    void ensureBuilt();
    // Paints every cell, frame, board, the winner line and the correction controls from the bracket
    // (nothing to paint before the widgets are made).
    void refresh();
    // Shown by the draw: visible, in front, scrolled to the first round.
    void showTournament();

    // Asks the correction question and returns true for "Ano" (the application runs that dialog).
    std::function<bool()> confirmCorrection;

    // Handlers, named after the controls that run them.
    void SpeedButton1Click(); // "Terče"
    void SpeedButton2Click(); // "Hraj"
    void SpeedButton3Click(); // "Výsledková listina"
    void TercClick(int board);
    void BoxClick(int box);
    void Button1Click();           // correction OK
    void Button2Click();           // correction Storno
    void TiskPavouka1Click();      // "Tisk pavouka"
    void ExportPavoukaPdf1Click(); // "Export pavouka do PDF"
    void Help2Click();
    void OProgramu1Click();
    void Zpet1Click();   // undo
    void Znovu1Click();  // redo
    void Tabule1Click(); // "Tabule pro hráče"

signals:
    void boardCountRequested();        // "Terče" may change the count: the board-count dialog
    void resultRequested(int board);   // a click on an occupied board: the result dialog
    void resultsRequested(bool modal); // the standings are in the session: the results window
    void closed();                     // the tournament is cleared: the main window comes back
    void helpRequested();
    void aboutRequested();
    void displayRequested(); // "Tabule pro hráče": the players' display opens, or closes if open

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildMenus();
    void buildChrome(QWidget* central);
    void buildCorrectionControls();
    void scrollHome();
    void showFocusedBox(QWidget* frame);
    void scrollTo(int h, int v);
    void enterCorrectionView(bool keepSavedPosition);
    void leaveCorrectionView();

    Model& m_model;
    int m_size;
    const BracketLook& m_look;

    QWidget* m_viewport = nullptr;
    BracketDrawing* m_drawing = nullptr;
    QScrollBar* m_hbar = nullptr;
    QScrollBar* m_vbar = nullptr;
    std::vector<QToolButton*> m_speed;
    std::vector<BoardView*> m_boards;
    std::vector<QLabel*> m_boardLabels;
    std::vector<QAction*> m_boardKeys; // Ctrl+<number> of each board
    QLabel* m_vitez = nullptr;
    QLabel* m_porazeny = nullptr;
    QLabel* m_scrollH = nullptr; // hidden labels that show the saved view position
    QLabel* m_scrollV = nullptr;
    int m_savedH = 0; // where the view was when a correction opened
    int m_savedV = 0;
    QAction* m_zpet = nullptr;
    QAction* m_znovu = nullptr;
    QWidget* m_correction = nullptr;
    QLabel* m_corrName1 = nullptr;
    QLabel* m_corrName2 = nullptr;
    ScoreEdit* m_edit1 = nullptr;
    ScoreEdit* m_edit2 = nullptr;
    bool m_correctionShown = false;
    bool m_built = false;
    QSize m_fullSize; // the window with its whole client area
};

} // namespace zorbon::ui
