#include "bracketwindow/BoardPanel.h"

#include "bracket/bracket.h"
#include "bracketwindow/BracketWidgets.h"
#include "common/Guard.h"
#include "look/BracketLook.h"
#include "look/Look.h"

#include <QAction>
#include <QLabel>

namespace zorbon::ui {

BoardPanel::BoardPanel(const BracketLook& look, int places, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel2"));
    paintBackground(this, TColor::clOlive);
    QPalette white = palette();
    white.setColor(QPalette::WindowText, Qt::white);
    auto* title = new QLabel(QStringLiteral("Terče :"), this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(pixelFont(15, Weight::Bold));
    title->setPalette(white);
    title->setGeometry(12, 8, 140, 22);
    for (int n = 1; n <= places; ++n) {
        const int y = 40 + 40 * (n - 1);
        auto* label = new QLabel(QStringLiteral("%1.").arg(n), this);
        label->setObjectName(look.boardLabelName(n));
        label->setFont(pixelFont(14, Weight::Bold));
        label->setPalette(white);
        label->setGeometry(12, y, 34, 30);
        auto* board = new BoardView(QStringLiteral("Terc%1").arg(n), this);
        board->setGeometry(48, y, 98, 30);
        connect(board, &BoardView::clicked, this, [this, n] { emit boardClicked(n); });
        m_labels.push_back(label);
        m_boards.push_back(board);
        // Ctrl+1 .. Ctrl+9 and Ctrl+0 for boards 1 to 10, Alt+1 .. Alt+6 for boards 11 to 16: the
        // board's click from the keyboard, anywhere in the window.
        auto* key = new QAction(this);
        key->setObjectName(QStringLiteral("TercKlavesa%1").arg(n));
        key->setShortcut(QKeySequence(QKeyCombination(n <= 10 ? Qt::ControlModifier : Qt::AltModifier,
                                                      Qt::Key(Qt::Key_0 + (n <= 10 ? n % 10 : n - 10)))));
        key->setShortcutContext(Qt::WindowShortcut);
        connect(key, &QAction::triggered, this, [this, n] { emit boardClicked(n); });
        addAction(key);
        m_keys.push_back(key);
    }
}

void BoardPanel::refresh(const Bracket& bracket, bool correcting)
{
    for (int n = 1; n <= bracket.boardCount() && n <= static_cast<int>(m_boards.size()); ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const Board& board = bracket.board(n);
        QStringList lines;
        for (const auto& line : board.lines())
            lines << qs(line);
        m_boards[i]->setLines(lines, qrgb(board.colour()));
        m_boards[i]->setVisible(board.visible());
        m_boards[i]->setEnabled(!correcting);
        m_labels[i]->setVisible(board.visible());
        m_keys[i]->setEnabled(board.visible() && !correcting);
    }
}

} // namespace zorbon::ui
