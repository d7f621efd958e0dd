#include "look/BracketLook.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace zorbon::ui {
namespace {

BracketLook look8()
{
    BracketLook l;
    l.size = 8;
    l.windowName = QStringLiteral("Tturnaj8");
    l.caption = QStringLiteral("Zorbon - Pavouk 8 hráčů");
    l.client = {1134, 482};
    l.drawing = {974, 442};
    l.hints = {QString(), QString(), QStringLiteral("Zobrazení výsledkové listiny")};
    l.aboutItem = QStringLiteral("O Progr&amu");
    l.boardLabelPrefix = QStringLiteral("Label");
    l.boardLabelFirst = 51;
    l.correctionLabels = {QStringLiteral("Label4"), QStringLiteral("Label2"), QStringLiteral("Label3"),
                          QStringLiteral("Label5")};
    l.marginX = 20;
    l.pitchX = 139;
    l.topY = 40;
    l.pitchY = 76;
    l.finalPlace = FinalPlace::LowerLeft;
    l.finalPos = {100, 345};
    l.finalCaption = true;
    l.vitezPos = {20, 396};
    l.vitezWidth = 520;
    l.correctionPos = {570, 330};
    l.picturePos = {892, 30};
    return l;
}

BracketLook look16()
{
    BracketLook l;
    l.size = 16;
    l.windowName = QStringLiteral("TTurnaj16");
    l.caption = QStringLiteral("Zorbon - Pavouk 16 hráčů");
    l.client = {1150, 530};
    l.drawing = {1340, 483};
    l.horizontal = {370, 30, 185};
    l.correctionH = 370;
    l.hScrollLabel = QStringLiteral("scroll");
    l.hints = {QStringLiteral("Nastavení počtu terčů"), QStringLiteral("Nasazení hráčů na terč"),
               QStringLiteral("Zobrazení výsledkové listiny")};
    l.aboutItem = QStringLiteral("O progr&amu");
    l.boardLabelPrefix = QStringLiteral("Label");
    l.boardLabelFirst = 2;
    l.correctionLabels = {QStringLiteral("Label8"), QStringLiteral("Label6"), QStringLiteral("Label7"),
                          QStringLiteral("Label9")};
    l.marginX = 17;
    l.pitchX = 134;
    l.topY = 20;
    l.pitchY = 50;
    l.finalPlace = FinalPlace::BelowWinnersFinal;
    l.vitezPos = {780, 438};
    l.vitezWidth = 540;
    l.correctionPos = {950, 378};
    l.picturePos = {1258, 40};
    return l;
}

BracketLook look32()
{
    BracketLook l;
    l.size = 32;
    l.windowName = QStringLiteral("TTurnaj32");
    l.caption = QStringLiteral("Zorbon - Pavouk 32 hráčů");
    l.client = {1235, 580};
    l.drawing = {1965, 915};
    l.horizontal = {900, 70, 550};
    l.vertical = {380, 50, 0};
    l.correctionH = 900;
    l.correctionV = 380;
    l.hScrollLabel = QStringLiteral("ScrollH");
    l.vScrollLabel = QStringLiteral("ScrollV");
    l.hints = {QStringLiteral("Zadání počtu terčů"), QStringLiteral("Nasazení hráčů na terč"),
               QStringLiteral("Výsledková listina")};
    l.aboutItem = QStringLiteral("O progr&amu");
    l.boardLabelPrefix = QStringLiteral("LabTerc");
    l.boardLabelFirst = 1;
    l.correctionLabels = {QStringLiteral("Label8"), QStringLiteral("Label6"), QStringLiteral("Label7"),
                          QStringLiteral("Label9")};
    l.marginX = 22;
    l.pitchX = 140;
    l.topY = 20;
    l.pitchY = 54;
    l.finalPlace = FinalPlace::RightOfWinnersFinal;
    l.finalCaption = true;
    l.vitezPos = {1702, 500};
    l.vitezWidth = 255;
    l.correctionPos = {1570, 700};
    l.picturePos = {1850, 60};
    return l;
}

// The 64 is the 32's window grown: both scroll bars, sixteen boards down the panel, the final right
// of the winners' final; it opens on the first round's top with the losers' side to its left.
BracketLook look64()
{
    BracketLook l = look32();
    l.size = 64;
    l.windowName = QStringLiteral("TTurnaj64");
    l.caption = QStringLiteral("Zorbon - Pavouk 64 hráčů");
    l.client = {1235, 720};
    l.drawing = {2405, 1790};
    l.horizontal = {1340, 70, 830};
    l.vertical = {1120, 50, 0};
    l.correctionH = 1340;
    l.correctionV = 1120;
    l.vitezPos = {2122, 920};
    l.vitezWidth = 270;
    l.correctionPos = {2000, 1660};
    l.picturePos = {2300, 60};
    return l;
}

int losersRounds(const AdvancementTable& t)
{
    int n = 0;
    for (const auto& b : t.boxes)
        if (b.round.side == Side::Losers)
            n = std::max(n, b.round.number);
    return n;
}

// Row of a first-round box: its frame is "Shape<k>", k counted from the top.
int firstRoundRow(const BoxSpec& b)
{
    return QString::fromUtf8(b.frame.data(), static_cast<qsizetype>(b.frame.size())).mid(5).toInt() - 1;
}

bool feeds(const BoxSpec& from, const BoxSpec& to)
{
    if (to.round.side == Side::Losers && to.round.number == 1)
        return from.loserTo == to.upper || from.loserTo == to.lower;
    return from.round.side == to.round.side && (from.winnerTo == to.upper || from.winnerTo == to.lower);
}

// Elbow from a box to the row of the slot its winner enters, when the two boxes stand in
// neighbouring columns or one above the other; nothing for targets farther away.
void connect(std::vector<QLine>& lines, const QRect& s, const QRect& t, int rowY, int pitchX)
{
    const int sy = s.top() + kFrameH / 2;
    const int overlapL = std::max(s.left(), t.left());
    const int overlapR = std::min(s.right(), t.right());
    if (overlapL <= overlapR) {
        const int x = (overlapL + overlapR) / 2;
        if (t.top() > s.bottom())
            lines.emplace_back(x, s.bottom() + 1, x, t.top() - 1);
        else if (s.top() > t.bottom())
            lines.emplace_back(x, t.bottom() + 1, x, s.top() - 1);
        return;
    }
    if (std::abs(t.left() - s.left()) > pitchX)
        return;
    const int from = t.left() > s.right() ? s.right() + 1 : s.left() - 1;
    const int to = t.left() > s.right() ? t.left() - 1 : t.right() + 1;
    const int mid = (from + to) / 2;
    lines.emplace_back(from, sy, mid, sy);
    lines.emplace_back(mid, sy, mid, rowY);
    lines.emplace_back(mid, rowY, to, rowY);
}

} // namespace

const BracketLook& lookFor(int size)
{
    static const PerSize<BracketLook> looks{look8(), look16(), look32(), look64()};
    return looks[sizeIndex(size)];
}

BracketGeometry geometryFor(const BracketLook& look, const AdvancementTable& table)
{
    BracketGeometry g;
    const int nl = losersRounds(table);
    g.frames.resize(table.boxes.size());
    std::vector<double> centre(table.boxes.size(), 0.0);

    // Rounds outwards from the first: every box sits at the middle of the boxes that feed it.
    std::vector<const BoxSpec*> order;
    for (const auto& b : table.boxes)
        if (!b.isFinal())
            order.push_back(&b);
    std::stable_sort(order.begin(), order.end(),
                     [](const BoxSpec* a, const BoxSpec* b) { return a->round.number < b->round.number; });
    const BoxSpec* winnersFinal = nullptr;
    for (const BoxSpec* b : order) {
        const auto i = static_cast<std::size_t>(b->number - 1);
        int column = 0;
        if (b->round.side == Side::Winners) {
            column = nl + b->round.number - 1;
        } else {
            column = nl - b->round.number;
        }
        double y = 0;
        if (b->round.side == Side::Winners && b->round.number == 1) {
            y = look.topY + firstRoundRow(*b) * look.pitchY + kFrameH / 2.0;
        } else {
            int n = 0;
            for (const auto& f : table.boxes)
                if (!f.isFinal() && feeds(f, *b)) {
                    y += centre[static_cast<std::size_t>(f.number - 1)];
                    ++n;
                }
            y = n ? y / n : look.topY;
        }
        centre[i] = y;
        g.frames[i] = QRect(look.marginX + column * look.pitchX, static_cast<int>(std::lround(y - kFrameH / 2.0)),
                            kFrameW, kFrameH);
        if (b->round.side == Side::Winners && b->winnerTo == table.box(table.finalNumber()).upper)
            winnersFinal = b;
    }

    QRect& fin = g.frames.back();
    const QRect wf = winnersFinal ? g.frames[static_cast<std::size_t>(winnersFinal->number - 1)] : QRect();
    switch (look.finalPlace) {
    case FinalPlace::LowerLeft:
        fin = QRect(look.finalPos, QSize(kFrameW, kFrameH));
        g.finalCaption = QRect(fin.left() - 72, fin.top() + 6, 68, 18);
        break;
    case FinalPlace::BelowWinnersFinal:
        fin = QRect(wf.left(), wf.bottom() + 40, kFrameW, kFrameH);
        break;
    case FinalPlace::RightOfWinnersFinal:
        fin = QRect(wf.left() + look.pitchX, wf.top(), kFrameW, kFrameH);
        g.finalCaption = QRect(fin.left(), fin.top() - 22, kFrameW, 18);
        break;
    }
    if (!look.finalCaption)
        g.finalCaption = QRect();

    for (const auto& b : table.boxes) {
        if (b.isFinal())
            continue;
        const auto& target = table.slot(b.winnerTo);
        const QRect s = g.frames[static_cast<std::size_t>(b.number - 1)];
        const QRect t = g.frames[static_cast<std::size_t>(target.box - 1)];
        const int rowY = t.top() + 1 + (target.upper ? 0 : kRowStep) + kCellH / 2;
        connect(g.lines, s, t, rowY, look.pitchX);
    }
    return g;
}

} // namespace zorbon::ui
