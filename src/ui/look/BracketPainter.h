#pragma once
// The whole bracket drawn with QPainter on any paint device (printer, PDF, widget, image): every box
// with its number, names, scores and state, the lines between the rounds, the winner once the final
// is decided and the tournament's header on top. Vector drawing only, fitted to the given rectangle.

#include "bracket/bracket.h"
#include "lobby/header.h"

#include <QLineF>
#include <QRectF>

#include <vector>

class QPainter;
class QPaintDevice;

namespace zorbon::ui {

enum class BracketStyle {
    // For paper, readable in black and white: a finished box white with a bold frame, a box on a
    // board grey with a double frame and "na terči", a waiting box with a thin dashed frame.
    Paper,
    // For a screen across the room: a dark background and the bracket windows' state colours.
    Screen,
};

// No text of the drawing is smaller than this, on paper or on a screen.
inline constexpr double kMinTextPt = 6.0;

// Where the drawing puts everything, in the painter's coordinates. Sizes are in device pixels: the
// painter should not scale, or the sizes (and the 6 pt floor) scale with it.
struct BracketLayout {
    std::vector<QRectF> boxes;  // boxes[n - 1]: the frame of MatchNumber n
    std::vector<QRectF> labels; // labels[n - 1]: the line above the box (number, "Finále", "na terči")
    std::vector<QLineF> lines;  // from each box to the slot its winner enters, where they stand close
    QRectF title;               // tournament name
    QRectF info;                // place, date, bracket size
    QRectF winner;              // the winner line; empty until the final is decided
    QRectF legend;              // the three states explained
    double rowHeight = 0;       // one slot (name and score) of a box
    double nameSize = 0;        // font size of a name that fits its slot
    double floorSize = 0;       // kMinTextPt on this device: a longer name shrinks to it, then is cut short
};

// The layout of the bracket in target on this device; paintBracket draws exactly this.
BracketLayout layoutBracket(const QPaintDevice* device, const QRectF& target, const Bracket& bracket,
                            BracketStyle style);

// Draws the whole bracket with its header into target. The painter's state is restored afterwards.
void paintBracket(QPainter& painter, const QRectF& target, const Bracket& bracket, const TournamentHeader& header,
                  BracketStyle style);

} // namespace zorbon::ui
