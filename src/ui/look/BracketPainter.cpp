#include "look/BracketPainter.h"

#include "look/BracketLook.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorbon::ui {
namespace {

// A long name narrows to this first and then, rather than be cut short, further still.
constexpr int kMinStretch = 75;
// Narrower than this a name can hardly be read: a page that would need it is crowded, and the
// bracket goes on two pages rather than one.
constexpr int kLeastStretch = 35;
// A typical name: where the page has room it fits the slot at the names' size.
const QString kTypicalName = QStringLiteral("Jana Dvořáková");

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// Fonts by size in device pixels. No hinting, so that what is measured is what lands on the page at
// any resolution.
class Fonts {
public:
    explicit Fonts(const QPaintDevice* device)
        : m_device(device)
        , m_pxPerPt(device->logicalDpiY() / 72.0)
    {
    }
    double px(double pt) const { return pt * m_pxPerPt; }
    QFont font(double px, bool bold = false, int stretch = 100) const
    {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setHintingPreference(QFont::PreferNoHinting);
        f.setPointSizeF(px / m_pxPerPt);
        f.setBold(bold);
        if (stretch != 100)
            f.setStretch(stretch);
        return f;
    }
    QFontMetricsF metrics(const QFont& f) const { return QFontMetricsF(f, m_device); }
    double width(const QString& text, double px, bool bold = false, int stretch = 100) const
    {
        return metrics(font(px, bold, stretch)).horizontalAdvance(text);
    }

private:
    const QPaintDevice* m_device;
    double m_pxPerPt;
};

// A text as it fits a width: at its size, smaller down to the floor, then condensed; always whole.
struct Fitted {
    QFont font;
    QString text;
};

Fitted fitText(const Fonts& fonts, const QString& text, double maxWidth, double size, double floor, bool bold)
{
    const double natural = fonts.width(text, size, bold);
    if (natural <= maxWidth || text.isEmpty())
        return {fonts.font(size, bold), text};
    double s = std::max(floor, size * maxWidth / natural);
    while (s > floor && fonts.width(text, s, bold) > maxWidth)
        s = std::max(floor, s * 0.97);
    if (s > floor || fonts.width(text, s, bold) <= maxWidth)
        return {fonts.font(s, bold), text};
    const double atFloor = fonts.width(text, floor, bold);
    int stretch = std::max(kMinStretch, static_cast<int>(std::floor(100.0 * maxWidth / atFloor)));
    while (stretch > kMinStretch && fonts.width(text, floor, bold, stretch) > maxWidth)
        --stretch;
    if (fonts.width(text, floor, bold, stretch) > maxWidth)
        stretch = std::max(1, static_cast<int>(std::floor(100.0 * maxWidth / atFloor)));
    while (stretch > 1 && fonts.width(text, floor, bold, stretch) > maxWidth)
        --stretch;
    return {fonts.font(floor, bold, stretch), text};
}

// Whether the text fits the width at the floor without narrowing beyond kLeastStretch.
bool fitsReadably(const Fonts& fonts, const QString& text, double maxWidth, double floor)
{
    return fonts.width(text, floor) * kLeastStretch / 100.0 <= maxWidth;
}

struct Palette {
    QColor background;
    QColor text;
    QColor muted;  // " ?", "Volný los", scores not entered yet
    QColor header; // place and date
    QColor label;  // match numbers
    QColor line;
    QColor winner;
};

Palette paletteFor(BracketStyle style)
{
    if (style == BracketStyle::Paper)
        return {Qt::white, Qt::black, QColor(0x70, 0x70, 0x70), QColor(0x20, 0x20, 0x20), QColor(0x40, 0x40, 0x40),
                Qt::black, Qt::black};
    return {QColor(0x14, 0x1E, 0x2B),
            Qt::black,
            QColor(0x4A, 0x5A, 0x6A),
            QColor(0xD0, 0xD8, 0xE0),
            QColor(0xB8, 0xC4, 0xD0),
            QColor(0x90, 0xA4, 0xB8),
            QColor::fromRgb(rgbOf(TColor::clYellow))};
}

QColor stateColour(BoxState s)
{
    return QColor::fromRgb(rgbOf(colourOf(s)));
}

// The sizes everything else is made from, in device pixels.
struct Sizes {
    double title = 0;
    double info = 0;
    double name = 0;
    double label = 0;
    double floor = 0;
    double row = 0;
    double scoreWidth = 0;
    double pad = 0;         // between the frame and the text
    double tightPad = 0;    // ... for a name too long for the usual room
    double line = 0;        // pen of the lines between the rounds
    double numberWidth = 0; // the column of the match number inside a compact box
};

// The grid of the bracket windows: each box's column (fractional where a window puts the final
// between columns) and the height of its centre, both in the window's units.
struct Grid {
    std::vector<double> column;
    std::vector<double> centre;
    double pitchY = 0; // window units between the centres of two first-round boxes
};

bool inPart(const BoxSpec& box, BracketPart part)
{
    switch (part) {
    case BracketPart::All:
        return true;
    case BracketPart::WinnersAndFinal:
        return box.round.side != Side::Losers;
    case BracketPart::Losers:
        return box.round.side == Side::Losers;
    }
    return true;
}

// The grid of the boxes of one part, its columns counted from the part's own first column.
Grid gridFor(const AdvancementTable& table, BracketPart part)
{
    const BracketLook& look = lookFor(table.size);
    const BracketGeometry g = geometryFor(look, table);
    Grid grid;
    for (const QRect& r : g.frames) {
        grid.column.push_back(double(r.left() - look.marginX) / look.pitchX);
        grid.centre.push_back(r.top() + kFrameH / 2.0);
    }
    double first = std::numeric_limits<double>::max();
    for (const BoxSpec& b : table.boxes)
        if (inPart(b, part))
            first = std::min(first, grid.column[static_cast<std::size_t>(b.number - 1)]);
    for (double& c : grid.column)
        c -= first;
    grid.pitchY = look.pitchY;
    return grid;
}

QString partText(BracketPart part)
{
    switch (part) {
    case BracketPart::All:
        return {};
    case BracketPart::WinnersAndFinal:
        return QStringLiteral("Pavouk vítězů a finále");
    case BracketPart::Losers:
        return QStringLiteral("Pavouk poražených");
    }
    return {};
}

QString labelText(const AdvancementTable& t, int number)
{
    return t.box(number).isFinal() ? QStringLiteral("%1  Finále").arg(number) : QString::number(number);
}

int boardOfMatch(const Bracket& b, int number)
{
    for (int n = 1; n <= b.boardCount(); ++n)
        if (b.board(n).state == BoardState::Occupied && b.board(n).match == number)
            return n;
    return 0;
}

QString onBoardText(const Bracket& b, int number)
{
    const int board = boardOfMatch(b, number);
    return board ? QStringLiteral("na terči %1").arg(board) : QStringLiteral("na terči");
}

QString infoText(const Bracket& b, const TournamentHeader& h, BracketPart part)
{
    QStringList parts;
    if (!h.place.empty())
        parts << QStringLiteral("Hrací místo : ") + qs(h.place);
    if (!h.date.empty())
        parts << QStringLiteral("Datum : ") + qs(h.date);
    parts << QStringLiteral("Pavouk %1 hráčů").arg(b.size());
    if (part != BracketPart::All)
        parts << partText(part);
    return parts.join(QStringLiteral("   ·   "));
}

bool decided(const Bracket& b)
{
    return b.state(b.table().finalNumber()) == BoxState::Finished;
}

const BoxState kLegendStates[] = {BoxState::Finished, BoxState::OnBoard, BoxState::Pending};

QString legendWord(BoxState s)
{
    switch (s) {
    case BoxState::Finished:
        return QStringLiteral("Dohráno");
    case BoxState::OnBoard:
        return QStringLiteral("Na terči");
    case BoxState::Pending:
        return QStringLiteral("Čeká");
    }
    return {};
}

// The legend: a small box in each state's look, its word, a space; as wide as it reads.
double legendWidth(const Fonts& fonts, const Sizes& s)
{
    double w = 0;
    for (const BoxState st : kLegendStates)
        w += s.info * 2.2 + s.info * 0.4 + fonts.width(legendWord(st), s.info) + s.info * 1.2;
    return w - s.info * 1.2;
}

// Boxes stand apart where their columns overlap: the least distance between two such centres.
double closestCentres(const Grid& g, double boxColumns, const std::vector<bool>& shown)
{
    double best = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < g.column.size(); ++i)
        for (std::size_t j = i + 1; j < g.column.size(); ++j) {
            if (!shown[i] || !shown[j])
                continue;
            if (std::abs(g.column[i] - g.column[j]) >= boxColumns)
                continue;
            const double d = std::abs(g.centre[i] - g.centre[j]);
            if (d > 0)
                best = std::min(best, d);
        }
    return best == std::numeric_limits<double>::max() ? g.pitchY : best;
}

struct Computed {
    BracketLayout layout;
    Sizes sizes;
};

// `tight`: a smaller header and rows closed up, for a part whose rows would not fit the floor
// otherwise (the winners' side of the 64 on A4).
Computed compute(const QPaintDevice* device, const QRectF& target, const Bracket& b, BracketStyle style,
                 BracketPart part, bool tight = false)
{
    const Fonts fonts(device);
    const AdvancementTable& t = b.table();
    const bool paper = style == BracketStyle::Paper;
    Computed c;
    BracketLayout& L = c.layout;
    Sizes& s = c.sizes;
    s.floor = fonts.px(kMinTextPt);
    L.floorSize = s.floor;
    std::vector<bool> shown(t.boxes.size());
    for (const BoxSpec& box : t.boxes)
        shown[static_cast<std::size_t>(box.number - 1)] = inPart(box, part);

    // The header: the name large, below it place, date and size with the legend beside them.
    const double margin = paper ? 0.0 : std::min(target.width(), target.height()) * 0.02;
    const QRectF area = target.adjusted(margin, margin, -margin, -margin);
    s.title = std::max(s.floor, area.height() * (paper ? (tight ? 0.021 : 0.026) : 0.036));
    s.info = std::max(s.floor, area.height() * (paper ? (tight ? 0.0145 : 0.016) : 0.022));
    const double titleH = s.title * (tight ? 1.2 : 1.3);
    const double infoH = s.info * (tight ? 1.3 : 1.5);
    L.title = QRectF(area.left(), area.top(), area.width(), titleH);
    if (decided(b) && part != BracketPart::Losers) {
        const double w = std::min(area.width() * 0.5, fonts.width(qs(b.winnerLine), s.title * 0.9, true) + s.title);
        L.winner = QRectF(area.right() - w, area.top(), w, titleH);
        L.title.setRight(L.winner.left());
    }
    const double legendW = std::min(area.width() * 0.5, legendWidth(fonts, s));
    L.info = QRectF(area.left(), L.title.bottom(), area.width() - legendW - s.info * 2, infoH);
    L.legend = QRectF(area.right() - legendW, L.title.bottom(), legendW, infoH);
    const QRectF drawing = area.adjusted(0, titleH + infoH + s.info * (tight ? 0.6 : 1.0), 0, 0);

    // Across: the columns of the bracket windows spread over the width, a narrow gap for the lines.
    const Grid grid = gridFor(t, part);
    double lastColumn = 0;
    double lowest = std::numeric_limits<double>::max();
    double highest = std::numeric_limits<double>::lowest();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!shown[i])
            continue;
        lastColumn = std::max(lastColumn, grid.column[i]);
        lowest = std::min(lowest, grid.centre[i]);
        highest = std::max(highest, grid.centre[i]);
    }
    const double gapFraction = paper ? 0.06 : 0.10;
    const double minGap = paper ? fonts.px(4.0) : drawing.width() * 0.006;
    double pitch = drawing.width() / (lastColumn + 1 - gapFraction);
    if (pitch * gapFraction < minGap)
        pitch = (drawing.width() + minGap) / (lastColumn + 1);
    const double boxW = pitch - std::max(minGap, pitch * gapFraction);

    // The names' size: as large as a typical name allows across and two slots and the number above
    // them allow down, never smaller than the floor.
    const QFontMetricsF unit = fonts.metrics(fonts.font(100));
    const double nameWidthPerPx = unit.horizontalAdvance(kTypicalName) / 100.0;
    double widestScore = fonts.width(QStringLiteral("0"), 100, true) / 100.0;
    for (const BoxSpec& box : t.boxes)
        if (shown[static_cast<std::size_t>(box.number - 1)])
            for (const SlotId id : {box.upper, box.lower})
                widestScore = std::max(widestScore, fonts.width(qs(b.score(id)).trimmed(), 100, true) / 100.0);
    const double range = std::max(1.0, highest - lowest);
    const double closest = closestCentres(grid, boxW / pitch, shown);
    // Down per box: two rows of 1.45 name sizes and a label row of 1.25 label sizes (0.78 of a name),
    // all within 0.92 of the closest distance once the centres are spread over the height. Where that
    // is below the floor, the number moves into the box and the rows close up to 1.2 name sizes.
    double rowPerPx = 1.45;
    auto sizeDownFor = [&](double downPerPx) {
        return 0.92 * closest * drawing.height() / (downPerPx * (range + 0.92 * closest));
    };
    double sizeDown = sizeDownFor(2 * rowPerPx + 1.25 * 0.78);
    double numberPerPx = 0;
    if (sizeDown < s.floor) {
        if (!tight)
            return compute(device, target, b, style, part, true);
        L.compact = true;
        // Rows of 1.3 name sizes keep the accents of capitals clear of the frame; 1.2 where even that
        // is too much.
        rowPerPx = sizeDownFor(2 * 1.3) >= s.floor ? 1.3 : 1.2;
        sizeDown = sizeDownFor(2 * rowPerPx);
        numberPerPx = fonts.width(QStringLiteral("000"), 100) / 100.0 * 0.78 + 0.6;
    }
    // name and score, each with a pad of some 0.3 name sizes on either side
    const double acrossPerPx = nameWidthPerPx + widestScore + 1.2 + numberPerPx;
    const double sizeAcross = 0.97 * boxW / acrossPerPx;
    const double largest = drawing.height() / (paper ? 45 : 20);
    s.name = std::max(s.floor, std::min({sizeAcross, sizeDown, largest}));
    // A screen has no second page: where even close rows leave less than the floor (the 64 on a small
    // window), the names go smaller rather than the boxes over one another.
    if (!paper && sizeDown < s.floor)
        s.name = sizeDown;
    s.label = std::max(std::min(s.floor, s.name), s.name * 0.78);
    s.row = s.name * rowPerPx;
    // Inside the box the text keeps clear of the frame, double on a box on a board.
    s.tightPad = fonts.px(1.8);
    s.pad = s.tightPad + (s.name - s.floor) * 0.3;
    s.scoreWidth = widestScore * s.name + 2 * s.pad;
    s.numberWidth = L.compact ? fonts.width(QStringLiteral("000"), s.label) + 2 * s.tightPad : 0;
    s.line = paper ? fonts.px(0.6) : std::max(1.5, s.name * 0.1);
    L.rowHeight = s.row;
    L.nameSize = s.name;
    L.crowded = sizeDown < s.floor;

    const double boxH = 2 * s.row;
    const double labelH = L.compact ? 0 : s.label * 1.25;
    const double sy = std::max(0.0, drawing.height() - labelH - boxH) / range;
    const double x0 = drawing.left();
    const double y0 = drawing.top() + labelH + boxH / 2;
    for (int n = 1; n <= t.boxCount(); ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        if (!shown[i]) {
            L.boxes.emplace_back();
            L.labels.emplace_back();
            continue;
        }
        const QRectF box(x0 + grid.column[i] * pitch, y0 + (grid.centre[i] - lowest) * sy - boxH / 2, boxW, boxH);
        L.boxes.push_back(box);
        L.labels.push_back(L.compact ? QRectF(box.left(), box.top(), s.numberWidth, box.height())
                                     : QRectF(box.left(), box.top() - labelH, box.width(), labelH));
        // Every name of the part at the floor, narrowed no further than reads well, or the page is crowded.
        const double room = boxW - s.scoreWidth - s.numberWidth - 2 * s.tightPad;
        const BoxSpec& match = t.box(n);
        for (const SlotId id : {match.upper, match.lower})
            if (!fitsReadably(fonts, qs(b.name(id)), room, s.floor))
                L.crowded = true;
    }

    // The lines: from a box to the row its winner enters, when the boxes stand one above the other
    // or in neighbouring columns, as in the bracket windows.
    for (const BoxSpec& box : t.boxes) {
        if (box.isFinal())
            continue;
        const SlotSpec& into = t.slot(box.winnerTo);
        if (!shown[static_cast<std::size_t>(box.number - 1)] || !shown[static_cast<std::size_t>(into.box - 1)])
            continue;
        const QRectF& from = L.boxes[static_cast<std::size_t>(box.number - 1)];
        const QRectF& to = L.boxes[static_cast<std::size_t>(into.box - 1)];
        const double rowY = to.top() + s.row * (into.upper ? 0.5 : 1.5);
        const double left = std::max(from.left(), to.left());
        const double right = std::min(from.right(), to.right());
        if (left <= right) {
            const double x = (left + right) / 2;
            if (to.top() > from.bottom())
                L.lines.emplace_back(x, from.bottom(), x, to.top());
            else if (from.top() > to.bottom())
                L.lines.emplace_back(x, to.bottom(), x, from.top());
            continue;
        }
        if (std::abs(to.left() - from.left()) > pitch * 1.01)
            continue;
        const bool rightwards = to.left() > from.right();
        const double x1 = rightwards ? from.right() : from.left();
        const double x2 = rightwards ? to.left() : to.right();
        const double mid = (x1 + x2) / 2;
        const double y = from.center().y();
        L.lines.emplace_back(x1, y, mid, y);
        L.lines.emplace_back(mid, y, mid, rowY);
        L.lines.emplace_back(mid, rowY, x2, rowY);
    }
    return c;
}

// --- Painting ----------------------------------------------------------------------------------

void drawFitted(QPainter& p, const Fonts& fonts, const QRectF& r, const QString& text, double size, double floor,
                bool bold, const QColor& colour, Qt::Alignment align = Qt::AlignLeft)
{
    const Fitted f = fitText(fonts, text, r.width(), size, floor, bold);
    p.setFont(f.font);
    p.setPen(colour);
    const QFontMetricsF fm = fonts.metrics(f.font);
    const double w = fm.horizontalAdvance(f.text);
    const double x = align & Qt::AlignRight     ? r.right() - w
                     : align & Qt::AlignHCenter ? r.center().x() - w / 2
                                                : r.left();
    // Baseline so that the letters sit in the middle of the row.
    const double y = r.center().y() + (fm.ascent() - fm.descent()) / 2;
    // drawText at a point: plain text, never markup or an accelerator.
    p.drawText(QPointF(x, y), f.text);
}

// The frame of a box in a state: on paper the state is in the frame and the fill, on a screen in the colour.
// `thin`: rows closed up to the text, where a bold frame would cover the accents of capitals.
void drawBoxFrame(QPainter& p, const Fonts& fonts, const QRectF& r, BoxState state, BracketStyle style,
                  bool thin = false)
{
    if (style == BracketStyle::Screen) {
        p.setPen(QPen(Qt::black, std::max(1.0, r.height() * 0.03)));
        p.setBrush(stateColour(state));
        p.drawRect(r);
        return;
    }
    switch (state) {
    case BoxState::Finished:
        p.setPen(QPen(Qt::black, fonts.px(thin ? 0.8 : 1.3), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::white);
        p.drawRect(r);
        break;
    case BoxState::OnBoard: {
        p.setPen(QPen(Qt::black, fonts.px(thin ? 0.7 : 1.1), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(QColor(0xD4, 0xD4, 0xD4));
        p.drawRect(r);
        const double inset = fonts.px(0.8);
        p.setPen(QPen(Qt::black, fonts.px(0.4)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(inset, inset, -inset, -inset));
        break;
    }
    case BoxState::Pending: {
        QPen dashed(QColor(0x30, 0x30, 0x30), fonts.px(0.6), Qt::CustomDashLine);
        dashed.setDashPattern({4, 3});
        p.setPen(dashed);
        p.setBrush(Qt::white);
        p.drawRect(r);
        break;
    }
    }
}

void drawLegend(QPainter& p, const Fonts& fonts, const Sizes& s, const QRectF& r, BracketStyle style,
                const Palette& pal)
{
    double x = r.left();
    const double h = s.info * 1.1;
    for (const BoxState st : kLegendStates) {
        const QRectF sample(x, r.center().y() - h / 2, s.info * 2.2, h);
        drawBoxFrame(p, fonts, sample, st, style);
        x = sample.right() + s.info * 0.4;
        const QString word = legendWord(st);
        const double w = fonts.width(word, s.info);
        drawFitted(p, fonts, QRectF(x, r.top(), std::max(0.0, std::min(w, r.right() - x)), r.height()), word, s.info,
                   s.floor, false, pal.header);
        x += w + s.info * 1.2;
    }
}

void drawBox(QPainter& p, const Fonts& fonts, const Sizes& s, const Bracket& b, int number, const QRectF& r,
             const QRectF& label, BracketStyle style, const Palette& pal, bool compact)
{
    const BoxSpec& match = b.table().box(number);
    const BoxState state = b.state(number);
    drawBoxFrame(p, fonts, r, state, style, compact);

    // The rows and the score column, thin.
    const double scoreLeft = r.right() - s.scoreWidth;
    p.setPen(QPen(style == BracketStyle::Paper ? QColor(0x80, 0x80, 0x80) : QColor(0x40, 0x40, 0x40),
                  style == BracketStyle::Paper ? fonts.px(0.35) : 1.0));
    p.drawLine(QPointF(r.left(), r.top() + s.row), QPointF(r.right(), r.top() + s.row));
    p.drawLine(QPointF(scoreLeft, r.top()), QPointF(scoreLeft, r.bottom()));
    const double nameLeft = r.left() + s.numberWidth;
    if (compact) {
        // The number in its own column, and under it the board the match is on.
        p.drawLine(QPointF(nameLeft, r.top()), QPointF(nameLeft, r.bottom()));
        const QRectF upper(label.left(), label.top(), label.width(), s.row);
        drawFitted(p, fonts, upper.adjusted(s.tightPad, 0, -s.tightPad, 0), QString::number(number), s.label, s.floor,
                   match.isFinal(), match.isFinal() ? pal.header : pal.label, Qt::AlignHCenter);
        if (const int board = boardOfMatch(b, number))
            drawFitted(p, fonts, upper.translated(0, s.row).adjusted(s.tightPad, 0, -s.tightPad, 0),
                       QStringLiteral("T%1").arg(board), s.label, s.floor, true, pal.text, Qt::AlignHCenter);
    }

    const bool finished = state == BoxState::Finished;
    int row = 0;
    for (const SlotId id : {match.upper, match.lower}) {
        const QRectF rowRect(nameLeft, r.top() + row * s.row, r.right() - nameLeft, s.row);
        const QString name = qs(b.name(id));
        const bool placeholder = b.name(id) == kUnknown || b.name(id) == kBye;
        // A name keeps its room from the frame, unless it would be cut short there and need not be
        // closer to it.
        const QRectF roomy(rowRect.left() + s.pad, rowRect.top(), scoreLeft - rowRect.left() - 2 * s.pad,
                           rowRect.height());
        const QRectF tight(rowRect.left() + s.tightPad, rowRect.top(), scoreLeft - rowRect.left() - 2 * s.tightPad,
                           rowRect.height());
        const bool cramped = fonts.width(name, s.floor) > roomy.width();
        drawFitted(p, fonts, cramped ? tight : roomy, name, s.name, s.floor, false, placeholder ? pal.muted : pal.text);
        const QRectF scoreRect(scoreLeft + s.pad, rowRect.top(), s.scoreWidth - 2 * s.pad, rowRect.height());
        drawFitted(p, fonts, scoreRect, qs(b.score(id)).trimmed(), s.name, s.floor, true,
                   finished ? pal.text : pal.muted, Qt::AlignRight);
        ++row;
    }

    if (compact)
        return;
    // Above the box: its number (and "Finále"), and where it is being played.
    const bool onBoard = state == BoxState::OnBoard;
    const QString left = labelText(b.table(), number);
    const QString right = onBoard ? onBoardText(b, number) : QString();
    const double rightW = right.isEmpty() ? 0 : fonts.width(right, s.label, true);
    const double leftW = fonts.width(left, s.label, match.isFinal());
    // Where a line runs up into the box, the label stands on the page's own background.
    const double knockH = label.height() - fonts.px(1.2); // clear of the frame's top edge
    p.setPen(Qt::NoPen);
    p.setBrush(pal.background);
    p.drawRect(QRectF(label.left(), label.top(), std::min(label.width(), leftW + s.pad), knockH));
    if (!right.isEmpty())
        p.drawRect(QRectF(label.right() - rightW - s.pad, label.top(), rightW + s.pad, knockH));
    const QRectF leftRect(label.left(), label.top(), std::max(0.0, label.width() - rightW - s.pad), label.height());
    drawFitted(p, fonts, leftRect, left, s.label, s.floor, match.isFinal(), match.isFinal() ? pal.header : pal.label);
    if (!right.isEmpty()) {
        const QColor marker = style == BracketStyle::Paper ? Qt::black : stateColour(BoxState::OnBoard);
        drawFitted(p, fonts, QRectF(label.right() - rightW, label.top(), rightW, label.height()), right, s.label,
                   s.floor, true, marker, Qt::AlignRight);
    }
}

} // namespace

BracketLayout layoutBracket(const QPaintDevice* device, const QRectF& target, const Bracket& bracket,
                            BracketStyle style, BracketPart part)
{
    return compute(device, target, bracket, style, part).layout;
}

std::vector<BracketPart> pagesFor(const QPaintDevice* device, const QRectF& target, const Bracket& bracket)
{
    if (!compute(device, target, bracket, BracketStyle::Paper, BracketPart::All).layout.crowded)
        return {BracketPart::All};
    return {BracketPart::WinnersAndFinal, BracketPart::Losers};
}

void paintBracket(QPainter& painter, const QRectF& target, const Bracket& b, const TournamentHeader& h,
                  BracketStyle style, BracketPart part)
{
    const Computed c = compute(painter.device(), target, b, style, part);
    const BracketLayout& L = c.layout;
    const Sizes& s = c.sizes;
    const Fonts fonts(painter.device());
    const Palette pal = paletteFor(style);

    painter.save();
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(target, pal.background);

    painter.setPen(QPen(pal.line, s.line, Qt::SolidLine, Qt::FlatCap));
    for (const QLineF& line : L.lines)
        painter.drawLine(line);
    for (int n = 1; n <= b.table().boxCount(); ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        if (inPart(b.table().box(n), part))
            drawBox(painter, fonts, s, b, n, L.boxes[i], L.labels[i], style, pal, L.compact);
    }

    const QColor titleColour = style == BracketStyle::Paper ? QColor(Qt::black) : QColor(Qt::white);
    drawFitted(painter, fonts, L.title, qs(h.name), s.title, s.floor, true, titleColour);
    drawFitted(painter, fonts, L.info, infoText(b, h, part), s.info, s.floor, false, pal.header);
    if (!L.winner.isEmpty())
        drawFitted(painter, fonts, L.winner, qs(b.winnerLine), s.title * 0.9, s.floor, true, pal.winner,
                   Qt::AlignRight);
    drawLegend(painter, fonts, s, L.legend, style, pal);
    painter.restore();
}

} // namespace zorbon::ui
