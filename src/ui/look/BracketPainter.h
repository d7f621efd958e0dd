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

// What one page shows: the whole bracket, or one of the two halves a crowded bracket is split into.
enum class BracketPart {
    All,
    WinnersAndFinal,
    Losers,
};

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
    double floorSize = 0;       // kMinTextPt on this device: a longer name shrinks to it, then narrows
    // The match numbers stand in a column inside each box instead of a line above it: the rows would
    // not fit the floor otherwise. labels[] then lie inside the boxes.
    bool compact = false;
    // The page cannot hold the part at the floor: the rows are too close even closed up, or some name
    // would have to narrow beyond what can be read. A crowded whole bracket goes on two pages.
    bool crowded = false;
};

// The layout of the bracket (or a part of it) in target on this device; paintBracket draws exactly
// this. Boxes outside the part have empty rectangles.
BracketLayout layoutBracket(const QPaintDevice* device, const QRectF& target, const Bracket& bracket,
                            BracketStyle style, BracketPart part = BracketPart::All);

// Draws the bracket (or a part of it) with its header into target. No name is ever cut short: what
// does not fit at the floor narrows until it does. The painter's state is restored afterwards.
void paintBracket(QPainter& painter, const QRectF& target, const Bracket& bracket, const TournamentHeader& header,
                  BracketStyle style, BracketPart part = BracketPart::All);

// The parts that go on pages of this size: the whole bracket, or when one page is crowded the
// winners' side with the final and then the losers' side.
std::vector<BracketPart> pagesFor(const QPaintDevice* device, const QRectF& target, const Bracket& bracket);

} // namespace zorbon::ui
