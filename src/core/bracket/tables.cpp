#include "bracket/tables.h"

#include "bracket/generated_table.h"
#include "bracket/tables_data.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <utility>

namespace zorbon {
namespace {

Round parseRound(std::string_view r)
{
    if (r == "F")
        return {Side::Final, 0};
    return {r[0] == 'W' ? Side::Winners : Side::Losers, std::atoi(r.data() + 1)};
}

// What the sizes differ in, one record each, in the order of kBracketSizes.
SizeRules rules8()
{
    SizeRules r;
    r.boards = 2;
    r.panelPlaces = 4;
    r.callNeedsBoardCount = false;
    r.finalTieToUpper = true;
    r.finalNoticeBefore = false;
    r.finalNoticeAuto = r.finalNoticeClick = "Hráč ";
    r.finalNoticeAutoEnd = r.finalNoticeClickEnd = " musí vyhrát 2 x aby vyhrál celý turnaj";
    r.winnerPrefix = "Vítěz turnaje : ";
    r.winnerSuffix = "";
    r.resultsModal = true;
    r.placeByLosersRound = {"7-8. místo ", "5-6. místo ", "4. místo ", "3. místo "};
    r.oddScoreCell = {"Lab8", "labv8"};
    return r;
}

SizeRules rules16()
{
    SizeRules r;
    r.boards = 4;
    r.panelPlaces = 4;
    r.callNeedsBoardCount = true;
    r.finalTieToUpper = false;
    r.finalNoticeBefore = true;
    r.finalNoticeAuto = r.finalNoticeClick = "Hráč ";
    r.finalNoticeAutoEnd = r.finalNoticeClickEnd =
        " musí vyhrát 2x, aby se stal celkovým vítizem !!! (Do výsledku se zapisuje celkové skóre !!!)";
    r.winnerPrefix = "Vítězem je : ";
    r.winnerSuffix = ".";
    r.resultsModal = false;
    r.placeByLosersRound = {"13-16. místo ", "9-12. místo ", "7-8. místo ", "5-6. místo ", "4. místo ", "3. místo "};
    return r;
}

SizeRules rules32()
{
    SizeRules r;
    r.boards = 10;
    r.panelPlaces = 10;
    r.callNeedsBoardCount = true;
    r.finalTieToUpper = true;
    r.finalNoticeBefore = true;
    r.finalNoticeAuto = "Hráč ";
    r.finalNoticeAutoEnd =
        " musí vyhrát 2x, aby se stal celkovým vítězem !!! (Do výsledku se zapisuje celkové skóre !!!)";
    r.finalNoticeClick = "Hráe ";
    r.finalNoticeClickEnd =
        " musí vyhrát 2x, aby se stal celkovým vítizem !!! (Do výsledku se zapisuje celkové skóre !!!)";
    r.winnerPrefix = "Vítězem je : ";
    r.winnerSuffix = ".";
    r.resultsModal = false;
    r.placeByLosersRound = {"25-32. místo ", "17-24. místo ", "13-16. místo ", "9-12. místo ",
                            "7-8. místo ",   "5-6. místo ",   "4. místo ",     "3. místo "};
    return r;
}

// The 64 plays by the 32's rules, with sixteen boards, ten losers' rounds and the notice about the
// final spelled correctly whichever way the final is called.
SizeRules rules64()
{
    SizeRules r = rules32();
    r.boards = 16;
    r.panelPlaces = 16;
    r.finalNoticeClick = r.finalNoticeAuto;
    r.finalNoticeClickEnd = r.finalNoticeAutoEnd;
    r.placeByLosersRound = {"49-64. místo ", "33-48. místo ", "25-32. místo ", "17-24. místo ", "13-16. místo ",
                            "9-12. místo ",  "7-8. místo ",   "5-6. místo ",   "4. místo ",     "3. místo "};
    return r;
}

// The generated rows, kept for the program's life: the table's frames point into them.
std::span<const data::BoxRow> rows64()
{
    static const std::vector<GeneratedRow> owned = generate64();
    static const std::vector<data::BoxRow> rows = [] {
        auto c = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
        std::vector<data::BoxRow> out;
        out.reserve(owned.size());
        for (const GeneratedRow& g : owned)
            out.push_back({g.number, g.round.c_str(), g.upper.c_str(), g.lower.c_str(), g.frame.c_str(), c(g.winnerTo),
                           c(g.loserTo), g.rule, 0, c(g.other), c(g.target), g.enteredBox});
        return out;
    }();
    return rows;
}

AdvancementTable build(int size, std::span<const data::BoxRow> rows, SizeRules rules)
{
    AdvancementTable t;
    t.size = size;
    t.rules = rules;
    auto addSlot = [&](std::string_view name, int box, bool upper) {
        std::string score = "Labv" + std::string(name.substr(3));
        if (name == t.rules.oddScoreCell[0])
            score = t.rules.oddScoreCell[1];
        t.slotSpecs.push_back({std::string(name), std::move(score), box, upper});
        return static_cast<SlotId>(t.slotSpecs.size() - 1);
    };
    for (const auto& row : rows) {
        BoxSpec b;
        b.number = row.number;
        b.round = parseRound(row.round);
        b.frame = row.frame;
        b.upper = addSlot(row.upper, row.number, true);
        b.lower = addSlot(row.lower, row.number, false);
        t.boxes.push_back(b);
    }
    auto find = [&](const char* name) {
        if (!name)
            return kNoSlot;
        const SlotId id = t.slotByCell(name);
        if (id == kNoSlot)
            throw std::logic_error(std::string("table names an unknown slot ") + name);
        return id;
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        auto& b = t.boxes[i];
        b.winnerTo = find(row.winnerTo);
        b.loserTo = find(row.loserTo);
        b.walkover = {row.rule, row.threshold, find(row.other), find(row.target), row.enteredBox};
    }
    t.index();
    return t;
}

} // namespace

SlotId AdvancementTable::slotByCell(std::string_view cellName) const
{
    for (std::size_t i = 0; i < slotSpecs.size(); ++i)
        if (slotSpecs[i].name == cellName || slotSpecs[i].score == cellName)
            return static_cast<SlotId>(i);
    return kNoSlot;
}

int AdvancementTable::boxByFrame(std::string_view frame) const
{
    for (const auto& b : boxes)
        if (b.frame == frame)
            return b.number;
    return 0;
}

SlotId AdvancementTable::partner(SlotId id) const
{
    const auto& b = box(slot(id).box);
    return b.upper == id ? b.lower : b.upper;
}

void AdvancementTable::index()
{
    m_seeds.assign(static_cast<std::size_t>(size), kNoSlot);
    for (int k = 1; k <= size; ++k)
        m_seeds[static_cast<std::size_t>(k - 1)] = slotByCell("Lab" + std::to_string(k));
}

// Each table is built on its first use: the 64's rows are generated, which takes most of a
// millisecond that a start with an empty or a smaller bracket need not wait for.
const AdvancementTable& tableFor(int size)
{
    using Builder = AdvancementTable (*)();
    static constexpr PerSize<Builder> builders = {
        [] { return build(8, data::kBoxRows8, rules8()); }, [] { return build(16, data::kBoxRows16, rules16()); },
        [] { return build(32, data::kBoxRows32, rules32()); }, [] { return build(64, rows64(), rules64()); }};
    static PerSize<std::once_flag> built;
    static PerSize<std::optional<AdvancementTable>> tables;
    const std::size_t i = sizeIndex(size);
    std::call_once(built[i], [i] { tables[i].emplace(builders[i]()); });
    return *tables[i];
}

int bracketSizeFor(int players)
{
    // The smallest bracket that holds everybody; fewer than four players make no tournament.
    if (players < 4)
        return 0;
    for (const int size : kBracketSizes)
        if (players <= size)
            return size;
    return 0;
}

} // namespace zorbon
