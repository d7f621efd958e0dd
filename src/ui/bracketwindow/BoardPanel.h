#pragma once
// The board panel on the right of a bracket window: "Terče :", each board's number and the board
// itself, and Ctrl+<number> for a board's click from the keyboard.

#include <QWidget>

#include <vector>

class QAction;
class QLabel;

namespace zorbon {
class Bracket;
}

namespace zorbon::ui {

class BoardView;
struct BracketLook;

class BoardPanel : public QWidget {
    Q_OBJECT
public:
    // One place for each board the bracket can use; the window places the panel.
    BoardPanel(const BracketLook& look, int places, QWidget* parent);
    // Every board as the bracket holds it; while a correction is open no board answers.
    void refresh(const Bracket& bracket, bool correcting);

signals:
    void boardClicked(int board);

private:
    std::vector<BoardView*> m_boards;
    std::vector<QLabel*> m_labels;
    std::vector<QAction*> m_keys; // Ctrl+<number> of each board
};

} // namespace zorbon::ui
