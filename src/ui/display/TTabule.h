#pragma once
// The players' display: a window for a TV or a projector that shows where every match is played,
// what comes next, the latest results and the whole bracket, and follows each change at once. It
// never takes the keyboard from the operator's window, and closing it changes nothing.

#include "common/BuildOnce.h"

#include "live/live_state.h"

#include <QList>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <array>

class QWindow;

namespace zorbon::ui {

class Model;
class FitLabel;
class BracketCanvas;

// Where the display goes: full-screen on a screen other than the operator's when there is one
// (the largest of them), else a window on the operator's screen. `window` is the place it has
// when it is not full-screen.
struct DisplayPlacement {
    int screen = 0; // index into the list given
    QRect window;
    bool fullScreen = false;
    bool operator==(const DisplayPlacement&) const = default;
};
// `screens`: the geometry of each screen; `operatorWindow`: where the operator's window is.
DisplayPlacement placeDisplay(const QList<QRect>& screens, const QRect& operatorWindow);

class TTabule : public QWidget {
    Q_OBJECT
public:
    enum class Page { Boards, Bracket };
    static constexpr int kPageInterval = 20000; // ms

    explicit TTabule(Model& model);

    // Opens the display, or closes it when it is open; nothing opens while no tournament is drawn.
    void toggle(const QRect& operatorWindow);
    void open(const QRect& operatorWindow);
    // "Na celou obrazovku" (F11): full-screen on the screen it is on, or back to a window; a closed
    // display opens full-screen.
    void toggleFullScreen(const QRect& operatorWindow);
    // The flag of the running tournament that tells a resume to open the display again.
    static constexpr const char* kOpenFlag = "tabule";

    Page page() const { return m_page; }
    // The pages take turns (while a tournament is under way and not yet decided).
    bool alternates() const { return m_pageTimer.isActive(); }
    void setPageInterval(int ms);
    int pageInterval() const { return m_pageTimer.interval(); }
    // The order in which the display saw the boxes finish (the latest results come from it).
    const ResultOrder& finishOrder() const { return m_finished; }

    // Everything shown, from the session as it stands (nothing before its first showing).
    void refresh();

    // Makes the labels and pages; nothing happens after the first call.
    void ensureBuilt();
    void setVisible(bool visible) override;

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void build(); // the widgets, made once by ensureBuilt
    BuildOnce m_built;
    void follow();
    void setPage(Page page);
    void setFullScreen(bool on);
    void arrange();
    // The board labels in these places (hidden ones have none), their lines at one size.
    void placeBoards(const std::array<QRect, kMostBoards>& cells, int cellH);
    void fillLists();

    Model& m_model;
    ResultOrder m_finished;
    QTimer m_pageTimer;
    Page m_page = Page::Bracket;
    std::array<int, kMostBoards> m_shownMatch{}; // the match on each board at the last refresh, 0: none
    QRect m_lastWindow;                          // where the operator left the window
    QPointer<QWindow> m_operatorWindow;          // the window that had the keyboard last

    FitLabel* m_strana = nullptr;
    FitLabel* m_vitez = nullptr;
    QWidget* m_boardsPage = nullptr;
    FitLabel* m_nazev = nullptr;
    FitLabel* m_terceTitle = nullptr;
    std::array<FitLabel*, kMostBoards> m_boards{};
    FitLabel* m_naRadeTitle = nullptr;
    FitLabel* m_naRade = nullptr;
    FitLabel* m_vysledkyTitle = nullptr;
    FitLabel* m_vysledky = nullptr;
    BracketCanvas* m_bracketPage = nullptr;
};

} // namespace zorbon::ui
