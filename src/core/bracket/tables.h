#pragma once
// The four brackets as data: every box with its slots, frame, MatchNumber and the targets of its
// winner and loser, plus the small record of rules in which the sizes differ.

#include "bracket/model.h"
#include "bracket/sizes.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zorbon {

// Index of a slot (a name cell with its score cell) within one table.
using SlotId = int;
inline constexpr SlotId kNoSlot = -1;

enum class WalkoverRule : std::uint8_t {
    None,
    FewerPlayers, // 8, 16: fewer players than the threshold, which puts a bye beside the loser's new slot
    OtherSlotBye, // 32, 64: the other slot of the loser's new box reads "Volný los"
};

struct Walkover {
    WalkoverRule rule = WalkoverRule::None;
    int threshold = 0;       // FewerPlayers
    SlotId other = kNoSlot;  // OtherSlotBye: the slot that must read "Volný los"
    SlotId target = kNoSlot; // the slot one box further on that the loser is also written into
    int enteredBox = 0;      // MatchNumber of the box the loser entered, which becomes Finished
};

struct BoxSpec {
    int number = 0; // MatchNumber
    Round round;
    SlotId upper = kNoSlot;
    SlotId lower = kNoSlot;
    std::string_view frame;
    SlotId winnerTo = kNoSlot; // kNoSlot for the final
    SlotId loserTo = kNoSlot;  // kNoSlot when the loser is out
    Walkover walkover;
    bool isFinal() const { return round.side == Side::Final; }
};

struct SlotSpec {
    std::string name;  // name cell, "Lab11P"
    std::string score; // score cell, "Labv11P" ("labv8" in the 8)
    int box = 0;       // MatchNumber of the box that owns the slot
    bool upper = true;
};

// Where the sizes differ in rules and in the texts those rules produce.
struct SizeRules {
    int boards = 0;                   // boards a window can use: 2, 4, 10, 16
    int panelPlaces = 0;              // board places on the panel: 4, 4, 10, 16
    bool callNeedsBoardCount = false; // "Hraj" refuses while BoardCount < 1
    bool finalTieToUpper = false;     // a tie in the final's totals goes to LabF1
    bool finalNoticeBefore = false;   // the final notice comes before the announcement
    std::string_view finalNoticeAuto; // prefix and ending around the LabF2 name, for "Hraj"
    std::string_view finalNoticeAutoEnd;
    std::string_view finalNoticeClick; // ... and for a click on LabF1
    std::string_view finalNoticeClickEnd;
    std::string_view winnerPrefix;                         // "Vítěz turnaje : " / "Vítězem je : "
    std::string_view winnerSuffix;                         // "" / "."
    bool resultsModal = false;                             // the results window opens modally
    std::array<std::string_view, 10> placeByLosersRound{}; // L1..L10 placing labels
    // A name cell whose score cell breaks the naming rule, and that score cell's name ("Lab8", "labv8").
    std::array<std::string_view, 2> oddScoreCell{};
};

class AdvancementTable {
public:
    int size = 0;
    std::vector<SlotSpec> slotSpecs;
    std::vector<BoxSpec> boxes; // boxes[n - 1] has MatchNumber n
    SizeRules rules;

    int boxCount() const { return static_cast<int>(boxes.size()); }
    int finalNumber() const { return boxCount(); }
    bool hasBox(int number) const { return number >= 1 && number <= boxCount(); }
    const BoxSpec& box(int number) const { return boxes[static_cast<std::size_t>(number - 1)]; }
    const SlotSpec& slot(SlotId id) const { return slotSpecs[static_cast<std::size_t>(id)]; }
    // The slot whose name cell or score cell has this control name; kNoSlot if none.
    SlotId slotByCell(std::string_view cellName) const;
    // MatchNumber of the box with this frame name; 0 if none.
    int boxByFrame(std::string_view frame) const;
    // First-round slot k (1-based seed position): Lab<k>.
    SlotId seedSlot(int k) const { return m_seeds[static_cast<std::size_t>(k - 1)]; }
    // The other slot of the same box.
    SlotId partner(SlotId id) const;

    void index(); // fills the lookups after the rows are read
private:
    std::vector<SlotId> m_seeds;
};

// The table of a bracket size: 8, 16, 32 or 64. Any other size is a programming error (std::logic_error).
const AdvancementTable& tableFor(int size);

// The bracket size the draw chooses for n players: 8, 16, 32, 64, or 0 when it refuses.
int bracketSizeFor(int players);

} // namespace zorbon
