#include "bracket/tables.h"

#include "bracket/tables_data.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace zorbon {
namespace {

Round parseRound(std::string_view r)
{
    if (r == "F")
        return {Side::Final, 0};
    return {r[0] == 'W' ? Side::Winners : Side::Losers, std::atoi(r.data() + 1)};
}

SizeRules rulesFor(int size)
{
    SizeRules r;
    switch (size) {
    case 8:
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
        break;
    case 16:
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
        r.placeByLosersRound = {"13-16. místo ", "9-12. místo ", "7-8. místo ",
                                "5-6. místo ",   "4. místo ",    "3. místo "};
        break;
    case 32:
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
        break;
    default:
        throw std::logic_error("no bracket of size " + std::to_string(size));
    }
    return r;
}

AdvancementTable build(int size, std::span<const data::BoxRow> rows)
{
    AdvancementTable t;
    t.size = size;
    t.rules = rulesFor(size);
    auto addSlot = [&](std::string_view name, int box, bool upper) {
        std::string score = "Labv" + std::string(name.substr(3));
        if (size == 8 && name == "Lab8")
            score = "labv8";
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

const AdvancementTable& tableFor(int size)
{
    static const AdvancementTable t8 = build(8, data::kBoxRows8);
    static const AdvancementTable t16 = build(16, data::kBoxRows16);
    static const AdvancementTable t32 = build(32, data::kBoxRows32);
    switch (size) {
    case 8:
        return t8;
    case 16:
        return t16;
    case 32:
        return t32;
    default:
        throw std::logic_error("no bracket of size " + std::to_string(size));
    }
}

int bracketSizeFor(int players)
{
    if (players >= 4 && players <= 8)
        return 8;
    if (players >= 9 && players <= 16)
        return 16;
    if (players >= 17 && players <= 32)
        return 32;
    return 0;
}

} // namespace zorbon
