#pragma once
// Shared fixture for the engine tests: a working folder with a record, the command layer with its
// three brackets, a recording Say, and short ways to reach cells by their control names.

#include "boards/calling.h"
#include "bracket/bracket.h"
#include "bracket/result.h"
#include "draw/draw.h"
#include "outcome.h"
#include "records/record.h"
#include "tournament/tournament.h"
#include "workdir.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
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

inline const std::string& nameAt(const Bracket& b, const char* cell)
{
    return b.name(slotOf(b, cell));
}
inline const std::string& scoreAt(const Bracket& b, const char* cell)
{
    return b.score(slotOf(b, cell));
}

// The board that holds this match, or 0.
inline int boardOf(const Bracket& b, int match)
{
    for (int n = 1; n <= b.boardCount(); ++n)
        if (b.board(n).state == BoardState::Occupied && b.board(n).match == match)
            return n;
    return 0;
}

// A placing line split after its label ("5-6. místo ") into label and name.
inline std::pair<std::string, std::string> splitPlacing(const std::string& line)
{
    static const std::string mark = "místo ";
    const auto at = line.find(mark);
    EXPECT_NE(at, std::string::npos) << line;
    if (at == std::string::npos)
        return {{}, line};
    return {line.substr(0, at + mark.size()), line.substr(at + mark.size())};
}

// The names the placing lines name, sorted.
inline std::vector<std::string> placedNames(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    for (const auto& l : lines)
        names.push_back(splitPlacing(l).second);
    std::sort(names.begin(), names.end());
    return names;
}

// The report of a command whose working file failed, or what else it answered.
inline std::string failure(const Outcome& o)
{
    if (o.isFailed())
        return o.message();
    return o.ok() ? "no error" : "refused: " + o.message();
}

// Everything an operation can change in a bracket, as one comparable text.
inline std::string snapshot(const Bracket& b)
{
    std::string s;
    for (SlotId i = 0; i < static_cast<SlotId>(b.table().slotSpecs.size()); ++i)
        s += b.name(i) + "|" + b.score(i) + "|";
    for (int m = 1; m <= b.table().boxCount(); ++m)
        s += std::to_string(static_cast<int>(b.state(m)));
    for (int n = 1; n <= b.boardCount(); ++n)
        s += std::to_string(static_cast<int>(b.board(n).state)) + b.board(n).player1 + b.board(n).player2;
    s += b.winnerLine + "|" + b.porazeny + "|" + (b.correctionMode ? "mode" : "") + "|";
    if (b.correction)
        s += std::to_string(b.correction->box);
    return s;
}

class Engine : public WorkDir {
protected:
    // The engine tests write the record thousands of times; on a memory file system, where there is
    // one, each flush costs nothing and the tests do not wait on a busy disk.
    void SetUp() override
    {
        WorkDir::SetUp();
        std::error_code ec;
        if (std::filesystem::is_directory("/dev/shm", ec)) {
            std::string tmpl = "/dev/shm/zorbon-engine-XXXXXX";
            if (::mkdtemp(tmpl.data())) {
                m_memDir = tmpl;
                std::filesystem::current_path(m_memDir);
            }
        }
        ASSERT_TRUE(ensureWorkingLayout());
    }
    void TearDown() override
    {
        if (!m_memDir.empty()) {
            std::filesystem::current_path(dir());
            std::error_code ec;
            std::filesystem::remove_all(m_memDir, ec);
        }
        WorkDir::TearDown();
    }

    // Registers n players in the record and draws them with this seed, as the draw dialog's "Ano".
    Bracket& drawn(int n, std::uint32_t seed = 1)
    {
        WriteRecord({n, 0, 0, 0});
        registered = playerNames(n);
        t.editableSession().lobby.registered = registered;
        const Outcome out = t.draw(seed);
        EXPECT_TRUE(out.ok()) << out.message();
        EXPECT_TRUE(t.session().lobby.registered.empty());
        const int size = t.session().activeSize;
        return brackets.bySize(size == 0 ? 8 : size);
    }

    // Sets k boards in play (the board-count dialog's OK after "Terče").
    void boards(int k)
    {
        const Outcome out = t.setBoardCount(k, zorbon::Tournament::BoardCountFrom::Terce);
        EXPECT_TRUE(out.ok()) << out.message();
    }

    // "Hraj" in the bracket in play.
    void hraj()
    {
        const Outcome out = t.callReadyMatches(say());
        EXPECT_TRUE(out.ok()) << out.message();
    }

    // Calls the box if it waits (by a click) and enters its result from its board.
    bool play(Bracket& b, int match, const std::string& s1, const std::string& s2)
    {
        EXPECT_EQ(&b, t.session().active()) << "only the bracket in play takes commands";
        if (boardOf(b, match) == 0) {
            EXPECT_TRUE(t.clickBox(match, say()).ok()) << "box " << match;
        }
        const int board = boardOf(b, match);
        EXPECT_NE(board, 0) << "box " << match << " is on no board";
        return board != 0 && t.enterResult(board, s1, s2).ok();
    }

    Say say()
    {
        return [this](const std::string& text) { said.push_back(text); };
    }

    zorbon::Tournament t;
    Brackets& brackets = t.editableSession().brackets;
    std::vector<std::string> registered;
    std::vector<std::string> said;

private:
    std::filesystem::path m_memDir;
};

} // namespace zorbon::test
