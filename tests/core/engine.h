#pragma once
// Shared fixture for the engine tests: a working folder with a record, the three brackets, a
// recording Say, and short ways to reach cells by their control names.

#include "boards/calling.h"
#include "bracket/bracket.h"
#include "draw/draw.h"
#include "records/record.h"
#include "workdir.h"

#include <string>
#include <vector>

namespace zorbon::test {

// n distinct names, with Czech letters so the Windows-1250 paths are exercised too.
inline std::vector<std::string> playerNames(int n)
{
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i)
        names.push_back("Hráč " + std::to_string(i) + (i % 3 == 0 ? " Čermák" : " Novák"));
    return names;
}

inline SlotId slotOf(const Bracket& b, const char* cell)
{
    const SlotId id = b.table().slotByCell(cell);
    EXPECT_NE(id, kNoSlot) << cell;
    return id;
}

inline const std::string& nameAt(const Bracket& b, const char* cell) { return b.name(slotOf(b, cell)); }
inline const std::string& scoreAt(const Bracket& b, const char* cell) { return b.score(slotOf(b, cell)); }

// The board that holds this match, or 0.
inline int boardOf(const Bracket& b, int match)
{
    for (int n = 1; n <= b.boardCount(); ++n)
        if (b.board(n).state == BoardState::Occupied && b.board(n).match == match)
            return n;
    return 0;
}

class Engine : public WorkDir {
protected:
    void SetUp() override
    {
        WorkDir::SetUp();
        ASSERT_TRUE(EnsureWorkingLayout());
    }

    // Registers n players in the record and draws them with this seed.
    Bracket& drawn(int n, std::uint32_t seed = 1)
    {
        WriteRecord({n, 0, 0, 0});
        registered = playerNames(n);
        auto list = registered;
        Lcg rng(seed);
        const DrawOutcome out = Draw(brackets, list, rng);
        EXPECT_TRUE(out.refusal.empty()) << out.refusal;
        EXPECT_TRUE(list.empty());
        return brackets.bySize(out.size == 0 ? 8 : out.size);
    }

    // Sets k boards in play (the board-count dialog's OK).
    void boards(int k) { ApplyBoardCount(brackets, k); }

    Say say()
    {
        return [this](const std::string& text) { said.push_back(text); };
    }

    Brackets brackets;
    std::vector<std::string> registered;
    std::vector<std::string> said;
};

} // namespace zorbon::test
