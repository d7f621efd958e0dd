#pragma once
// The bracket windows: one implementation that shows a Bracket of the session and hands every
// command to the core; the three sizes differ only in their look record and table.

#include "common/LazyWindow.h"
#include "look/BracketLook.h"

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
class BoardPanel;
class CorrectionPanel;

// One class for the three windows; the windows' own names (Tturnaj8, TTurnaj16, TTurnaj32) are their
// objectNames, and the size picks the look and the table.
class TBracketWindow : public LazyWindow<QMainWindow> {
    Q_OBJECT
public:
    TBracketWindow(Model& model, int size);
    int size() const { return m_size; }
    const Bracket& bracket() const;
    const BracketLook& look() const { return m_look; }

    // Paints every cell, frame, board, the winner line and the correction controls from the bracket
    // (nothing to paint before the widgets are made).
    void refresh();
    // Shown by the draw: visible, in front, scrolled to the first round.
    void showTournament();

    // The zoom the bracket is drawn at (1: its own size) and the steps of "Zvětšit" and "Zmenšit".
    double zoom() const;
    void setZoom(double zoom);
    static constexpr double kLeastZoom = 0.1;
    static constexpr double kMostZoom = 4.0;
    // The zoom at which the whole bracket fits the window as it is now, with no scrolling.
    double fitZoom() const;
    // True while "Přizpůsobit oknu" holds: the bracket follows the window's size.
    bool fitting() const { return m_fitting; }
    // The size the window opens at: its specified client area and the menu bar.
    QSize openingSize() const;
    // Where the window opens the next time it shows (a remembered place and zoom), instead of its
    // opening size; nothing is built for it before then.
    void placeAt(const QRect& geometry, bool maximized, double zoom);
    // True once the window has been shown: its place is worth remembering.
    bool wasShown() const { return m_sized && built(); }

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
    void Zpet1Click();                // undo
    void Znovu1Click();               // redo
    void Tabule1Click();              // "Tabule pro hráče"
    void TabuleCelaObrazovka1Click(); // "Na celou obrazovku": the players' display full-screen
    void Zvetsit1Click();             // "Zvětšit"
    void Zmensit1Click();             // "Zmenšit"
    void SkutecnaVelikost1Click();    // "Skutečná velikost"
    void Prizpusobit1Click();         // "Přizpůsobit oknu"
    // The check of "Výsledky na mobilu" as the application has it (no signal).
    void setMobileChecked(bool on);

signals:
    void boardCountRequested();        // "Terče" may change the count: the board-count dialog
    void resultRequested(int board);   // a click on an occupied board: the result dialog
    void resultsRequested(bool modal); // the standings are in the session: the results window
    void closed();                     // the tournament is cleared: the main window comes back
    void helpRequested();
    void aboutRequested();
    void displayRequested();           // "Tabule pro hráče": the players' display opens, or closes if open
    void displayFullScreenRequested(); // "Na celou obrazovku": the display full-screen, or back
    void zoomChanged(double zoom);
    void mobileRequested(bool on); // "Výsledky na mobilu" checked or unchecked

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenus();
    void buildChrome(QWidget* central);
    void build() override; // painted from the bracket as they are made
    void buildCorrectionControls();
    void scrollHome();
    void showFocusedBox(QWidget* frame);
    void scrollTo(int h, int v);
    // Scrolls to what the specified positions show at zoom 1 in the opening size.
    void scrollToBase(int h, int v);
    // Places the bars, the board panel and the drawing for the client's size; the scroll ranges
    // follow the size and the zoom.
    void layoutChrome();
    // Zooms keeping the drawing's point under `anchor` (viewport coordinates) where it is.
    void zoomAround(double zoom, QPoint anchor);
    // A scroll value that shows what the specified position `base` shows at zoom 1 and opening size.
    int scaledPosition(int base, int baseViewport, int viewport, int max) const;
    void enterCorrectionView(bool keepSavedPosition);
    void leaveCorrectionView();

    Model& m_model;
    int m_size;
    const BracketLook& m_look;

    QWidget* m_viewport = nullptr;
    BracketDrawing* m_drawing = nullptr;
    QScrollBar* m_hbar = nullptr;
    QScrollBar* m_vbar = nullptr;
    QWidget* m_topBar = nullptr;
    QWidget* m_panel = nullptr;
    QSize m_baseViewport; // the viewport at zoom 1 in the opening size
    QSize m_slack;        // what the specified scroll ranges add to (or leave of) the drawing's overhang
    bool m_fitting = false;
    bool m_sized = false; // the window has had its opening (or remembered) size
    QRect m_placeOnShow;  // a remembered place, applied when first shown
    bool m_maximizeOnShow = false;
    double m_zoomOnShow = 1.0;
    std::vector<QToolButton*> m_speed;
    BoardPanel* m_boardPanel = nullptr;
    QLabel* m_vitez = nullptr;
    QLabel* m_porazeny = nullptr;
    QLabel* m_scrollH = nullptr; // hidden labels that show the saved view position
    QLabel* m_scrollV = nullptr;
    int m_savedH = 0; // where the view was when a correction opened
    int m_savedV = 0;
    QAction* m_zpet = nullptr;
    QAction* m_znovu = nullptr;
    QAction* m_mobil = nullptr;
    bool m_mobilOn = false;
    CorrectionPanel* m_correction = nullptr;
    bool m_correctionShown = false;
};

} // namespace zorbon::ui
