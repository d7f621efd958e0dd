#pragma once
// The bracket windows: one implementation that shows a Bracket of the session and hands every
// command to the core; the three sizes differ only in their look record and table.

#include "bracketwindow/BracketLook.h"

#include "boards/calling.h"

#include <QMainWindow>

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

class Zorbon;
class BracketDrawing;
class BoardView;
class ScoreEdit;

class TBracketWindow : public QMainWindow {
    Q_OBJECT
public:
    void setVisible(bool visible) override;
    TBracketWindow(Zorbon& app, int size);
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

    // Handlers, named after the controls that run them.
    void SpeedButton1Click(); // "Terče"
    void SpeedButton2Click(); // "Hraj"
    void SpeedButton3Click(); // "Výsledková listina"
    void TercClick(int board);
    void BoxClick(int box);
    void Button1Click(); // correction OK
    void Button2Click(); // correction Storno
    void TiskPavouka1Click();      // "Tisk pavouka"
    void ExportPavoukaPdf1Click(); // "Export pavouka do PDF"
    void Help2Click();
    void OProgramu1Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    Say sayer();
    void buildMenus();
    void buildChrome(QWidget* central);
    void buildCorrectionControls();
    void scrollHome();
    void showFocusedBox(QWidget* frame);
    void scrollTo(int h, int v);
    void enterCorrectionView(bool keepSavedPosition);
    void leaveCorrectionView();

    Zorbon& m_app;
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
    QLabel* m_scrollH = nullptr;
    QLabel* m_scrollV = nullptr;
    QWidget* m_correction = nullptr;
    QLabel* m_corrName1 = nullptr;
    QLabel* m_corrName2 = nullptr;
    ScoreEdit* m_edit1 = nullptr;
    ScoreEdit* m_edit2 = nullptr;
    bool m_correctionShown = false;
    bool m_built = false;
    QSize m_fullSize; // the window with its whole client area
};

class Tturnaj8 : public TBracketWindow {
public:
    explicit Tturnaj8(Zorbon& app) : TBracketWindow(app, 8) {}
};

class TTurnaj16 : public TBracketWindow {
public:
    explicit TTurnaj16(Zorbon& app) : TBracketWindow(app, 16) {}
};

class TTurnaj32 : public TBracketWindow {
public:
    explicit TTurnaj32(Zorbon& app) : TBracketWindow(app, 32) {}
};

} // namespace zorbon::ui
