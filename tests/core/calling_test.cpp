// Boards and calling: board count, "Hraj" in MatchNumber order, clicks on boxes and boards, and the
// final's notice with its per-size text and place.

#include "bracket/result.h"
#include "engine.h"

using namespace zorbon;
using namespace zorbon::test;

namespace {

class Calling : public Engine {
protected:
    std::string announcement(const Bracket& b, int board, int match)
    {
        const auto& box = b.table().box(match);
        return "Na terč č." + std::to_string(board) + " nastoupí hráči " + b.name(box.upper) + " a " +
               b.name(box.lower);
    }
};

} // namespace

TEST_F(Calling, TheBoardLimitFollowsThePlayerCount)
{
    const std::pair<int, int> cases[] = {{3, 0},   {4, 2},   {8, 2},   {9, 4},   {16, 4},
                                         {17, 10}, {32, 10}, {33, 16}, {64, 16}, {65, 0}};
    for (const auto& [players, limit] : cases)
        EXPECT_EQ(boardLimitFor(players), limit) << players;
    EXPECT_EQ(boardPrompt(2), "Zadejte počet terčů (max 2) :");
    EXPECT_EQ(boardPrompt(10), "Zadejte počet terčů (max 10) :");
    EXPECT_EQ(boardPrompt(16), "Zadejte počet terčů (max 16) :");
}

TEST_F(Calling, TheBoardCountGoesToTheRecordAndThePanelOfTheCountsBracket)
{
    Bracket& b = drawn(6);
    WriteRecord({6, 2, 0, 9});
    boards(2);
    EXPECT_EQ(ReadRecord(), (TournamentRecord{6, 2, 2, 9}));
    EXPECT_EQ(b.board(1).lines(), std::vector<std::string>{" VOLNÝ"});
    EXPECT_EQ(b.board(2).state, BoardState::Free);
    // The 8's third and fourth places are never in play.
    EXPECT_EQ(b.board(3).lines(), std::vector<std::string>{"N"});
    EXPECT_FALSE(b.board(4).visible());
    boards(1);
    EXPECT_TRUE(b.board(1).visible());
    EXPECT_FALSE(b.board(2).visible());
    boards(0);
    EXPECT_EQ(ChooseFreeBoard(b), 0);
    EXPECT_EQ(ReadRecord().BoardCount, 0);
    // The other brackets' panels are left alone.
    EXPECT_FALSE(brackets.bySize(16).board(1).visible());
}

TEST_F(Calling, ACountWithoutABracketOnlyGoesToTheRecord)
{
    drawn(8);
    WriteRecord({70, 1, 0, 0});
    boards(3);
    EXPECT_EQ(ReadRecord().BoardCount, 3);
    EXPECT_FALSE(brackets.bySize(8).board(1).visible());
    EXPECT_FALSE(brackets.bySize(32).board(1).visible());
    EXPECT_FALSE(brackets.bySize(64).board(1).visible());
    // The rule alone says no bracket serves that count.
    TournamentRecord record{70, 1, 0, 0};
    EXPECT_EQ(applyBoardCount(brackets, 2, record), 0);
    EXPECT_EQ(record.BoardCount, 2);
    EXPECT_FALSE(brackets.bySize(8).board(1).visible());
}

TEST_F(Calling, TheCountCannotChangeWhileABoardIsOccupied)
{
    Bracket& b = drawn(8);
    boards(2);
    EXPECT_TRUE(checkBoardCountChange(b).ok());
    EXPECT_TRUE(t.checkBoardCountChange().ok());
    ASSERT_TRUE(clickToCall(b, 1, say()));
    EXPECT_TRUE(checkBoardCountChange(b).isRefused());
    EXPECT_EQ(checkBoardCountChange(b).message(), "Nelze měnit počet terčů, je-li některý z nich obsazen");
    EXPECT_EQ(t.checkBoardCountChange(), checkBoardCountChange(b));
    // Even if the refusal were skipped, the called match keeps its board.
    boards(0);
    EXPECT_EQ(b.board(1).state, BoardState::Occupied);
    EXPECT_EQ(b.board(2).state, BoardState::Off);
}

TEST_F(Calling, HrajFillsTheFreeBoardsInMatchNumberOrder)
{
    Bracket& b = drawn(16);
    boards(3);
    hraj();
    ASSERT_EQ(said.size(), 3u);
    for (int m = 1; m <= 3; ++m) {
        EXPECT_EQ(said[static_cast<std::size_t>(m - 1)], announcement(b, m, m));
        EXPECT_EQ(b.board(m).lines(), (std::vector<std::string>{std::to_string(m), b.name(b.table().box(m).upper),
                                                                b.name(b.table().box(m).lower)}));
        EXPECT_EQ(b.board(m).colour(), TColor::clLime);
        EXPECT_EQ(b.state(m), BoxState::OnBoard);
    }
    EXPECT_EQ(b.state(4), BoxState::Pending);
    said.clear();
    hraj();
    EXPECT_EQ(said, std::vector<std::string>{"Není volný žádný terč"});
}

TEST_F(Calling, HrajTakesTheLowestFreeBoardFirst)
{
    Bracket& b = drawn(16);
    boards(4);
    ASSERT_TRUE(clickToCall(b, 1, say()));
    ASSERT_TRUE(clickToCall(b, 2, say()));
    ASSERT_TRUE(clickToCall(b, 3, say()));
    ASSERT_TRUE(t.enterResult(2, "3", "1").ok()); // board 2 free again, boards 1 and 3 busy
    said.clear();
    boards(4); // refused in the window while boards are busy; here it only re-frees nothing
    hraj();
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0], announcement(b, 2, 4));
    EXPECT_EQ(said[1], announcement(b, 4, 5));
}

TEST_F(Calling, EachAnnouncementComesAfterItsBoxAndBoardChanged)
{
    Bracket& b = drawn(8);
    boards(2);
    std::vector<std::pair<BoxState, BoardState>> seen;
    const Outcome called = t.callReadyMatches([&](const std::string&) {
        const int m = static_cast<int>(seen.size()) + 1;
        seen.emplace_back(b.state(m), b.board(m).state);
        // The next call waits until this message is closed.
        EXPECT_EQ(b.state(m + 1), BoxState::Pending);
    });
    ASSERT_TRUE(called.ok());
    ASSERT_EQ(seen.size(), 2u);
    for (const auto& [box, board] : seen) {
        EXPECT_EQ(box, BoxState::OnBoard);
        EXPECT_EQ(board, BoardState::Occupied);
    }
}

TEST_F(Calling, OneReadyMatchAndTwoFreeBoardsMakeOneCallAndNoMessageBeyond)
{
    Bracket& b = drawn(4);
    boards(2);
    ASSERT_TRUE(clickToCall(b, 7, say()));
    said.clear();
    // Box 8 is the only ready box; board 2 gets it, nothing else is said.
    boards(2);
    hraj();
    EXPECT_EQ(said, std::vector<std::string>{announcement(b, 2, 8)});
    said.clear();
    hraj();
    EXPECT_EQ(said, std::vector<std::string>{"Není volný žádný terč"});
}

TEST_F(Calling, NothingReadyMeansNothingSaid)
{
    Bracket& b = drawn(4);
    boards(2);
    hraj();
    ASSERT_TRUE(t.enterResult(1, "3", "1").ok());
    said.clear();
    // Boxes 11 and 12 wait for box 8 on board 2: board 1 is free but nothing is ready.
    ASSERT_EQ(ChooseFreeBoard(b), 1);
    hraj();
    EXPECT_TRUE(said.empty());
    EXPECT_EQ(b.board(1).state, BoardState::Free);
}

TEST_F(Calling, ABoxWithAnUnknownPlayerIsSkippedAndItsClickCallsNothing)
{
    Bracket& b = drawn(8);
    boards(2);
    EXPECT_FALSE(clickToCall(b, 5, say()));
    EXPECT_FALSE(clickToCall(b, 0, say()));
    EXPECT_FALSE(clickToCall(b, 15, say()));
    EXPECT_TRUE(said.empty());
    EXPECT_EQ(ChooseFreeBoard(b), 1);
}

TEST_F(Calling, AReadyBoxWithAByeIsCalledLikeAnyOther)
{
    Bracket& b = drawn(8);
    boards(1);
    for (int m = 1; m <= 4; ++m)
        b.setState(m, BoxState::Finished);
    b.setName(slotOf(b, "Lab11L"), std::string(kBye));
    b.setName(slotOf(b, "Lab12L"), "Hráč X");
    hraj();
    EXPECT_EQ(said, std::vector<std::string>{"Na terč č.1 nastoupí hráči Volný los a Hráč X"});
}

TEST_F(Calling, AClickCallsItsBoxOutOfOrder)
{
    Bracket& b = drawn(8);
    boards(2);
    ASSERT_TRUE(clickToCall(b, 3, say()));
    EXPECT_EQ(said, std::vector<std::string>{announcement(b, 1, 3)});
    EXPECT_EQ(b.state(1), BoxState::Pending);
    ASSERT_TRUE(clickToCall(b, 4, say()));
    said.clear();
    EXPECT_TRUE(clickToCall(b, 1, say()));
    EXPECT_EQ(said, std::vector<std::string>{"Není volný žádný terč"});
    EXPECT_EQ(b.state(1), BoxState::Pending);
    // A box already on a board is not ready: the click goes on to the correction check.
    EXPECT_FALSE(clickToCall(b, 3, say()));
}

TEST_F(Calling, ABoardClickOpensTheResultOnlyWhileOccupied)
{
    Bracket& b = drawn(8);
    boards(2);
    ASSERT_TRUE(clickToCall(b, 2, say()));
    const Outcome busy = boardClick(b, 1);
    EXPECT_TRUE(busy.ok());
    EXPECT_EQ(t.boardClick(1), busy);
    // The result dialog names the board's two players.
    EXPECT_EQ(b.board(1).player1, nameAt(b, "Lab5"));
    EXPECT_EQ(b.board(1).player2, nameAt(b, "Lab4"));
    for (const int n : {2, 3, 0, 11}) {
        const Outcome idle = boardClick(b, n);
        EXPECT_FALSE(idle.ok());
        EXPECT_TRUE(idle.isRefused());
        EXPECT_EQ(idle.message(), "Terč je momentálně volný");
        EXPECT_EQ(t.boardClick(n), idle);
    }
    ASSERT_TRUE(t.enterResult(1, "3", "2").ok());
    EXPECT_FALSE(boardClick(b, 1).ok());
    EXPECT_FALSE(t.boardClick(1).ok());
}

namespace {

struct NoBoardsCase {
    int players;
    const char* message;
};

class NoBoards : public Calling, public ::testing::WithParamInterface<NoBoardsCase> {};

} // namespace

TEST_P(NoBoards, HrajRightAfterTheDrawSaysWhatIsMissing)
{
    Bracket& b = drawn(GetParam().players);
    hraj();
    EXPECT_EQ(said, std::vector<std::string>{GetParam().message});
    boards(0);
    said.clear();
    hraj();
    EXPECT_EQ(said, std::vector<std::string>{GetParam().message});
    EXPECT_EQ(b.state(2), BoxState::Pending);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, NoBoards,
                         ::testing::Values(NoBoardsCase{8, "Není volný žádný terč"},
                                           NoBoardsCase{16, "Není nastaven žádný terč !!!"},
                                           NoBoardsCase{32, "Není nastaven žádný terč !!!"},
                                           NoBoardsCase{64, "Není nastaven žádný terč !!!"}));

namespace {

struct NoticeCase {
    int size;
    CallRoute route;
    bool before;
    const char* prefix;
    const char* ending;
};

void PrintTo(const NoticeCase& c, std::ostream* os)
{
    *os << c.size << (c.route == CallRoute::Auto ? " Hraj" : " click");
}

class FinalNotice : public Calling, public ::testing::WithParamInterface<NoticeCase> {};

} // namespace

TEST_P(FinalNotice, NamesTheLosersSideChampionBeforeOrAfterTheAnnouncement)
{
    const NoticeCase& c = GetParam();
    Bracket& b = drawn(c.size);
    boards(1);
    b.setName(slotOf(b, "LabF1"), "Ema Horní");
    b.setName(slotOf(b, "LabF2"), "Jan Dolní");
    for (int m = 1; m < b.table().finalNumber(); ++m)
        b.setState(m, BoxState::Finished);
    const int finalNo = b.table().finalNumber();
    if (c.route == CallRoute::Auto)
        hraj();
    else
        ASSERT_TRUE(clickToCall(b, finalNo, say()));
    const std::string notice = std::string(c.prefix) + "Jan Dolní" + c.ending;
    const std::string call = "Na terč č.1 nastoupí hráči Ema Horní a Jan Dolní";
    const std::vector<std::string> expected =
        c.before ? std::vector<std::string>{notice, call} : std::vector<std::string>{call, notice};
    EXPECT_EQ(said, expected);
    EXPECT_EQ(b.state(finalNo), BoxState::OnBoard);
    EXPECT_EQ(b.board(1).lines()[0], std::to_string(finalNo));
}

INSTANTIATE_TEST_SUITE_P(
    AllSizes, FinalNotice,
    ::testing::Values(
        NoticeCase{8, CallRoute::Auto, false, "Hráč ", " musí vyhrát 2 x aby vyhrál celý turnaj"},
        NoticeCase{8, CallRoute::Click, false, "Hráč ", " musí vyhrát 2 x aby vyhrál celý turnaj"},
        NoticeCase{16, CallRoute::Auto, true, "Hráč ",
                   " musí vyhrát 2x, aby se stal celkovým vítizem !!! (Do výsledku se zapisuje celkové skóre !!!)"},
        NoticeCase{16, CallRoute::Click, true, "Hráč ",
                   " musí vyhrát 2x, aby se stal celkovým vítizem !!! (Do výsledku se zapisuje celkové skóre !!!)"},
        NoticeCase{32, CallRoute::Auto, true, "Hráč ",
                   " musí vyhrát 2x, aby se stal celkovým vítězem !!! (Do výsledku se zapisuje celkové skóre !!!)"},
        NoticeCase{32, CallRoute::Click, true, "Hráe ",
                   " musí vyhrát 2x, aby se stal celkovým vítizem !!! (Do výsledku se zapisuje celkové skóre !!!)"},
        // The 64 says it the same, correctly spelled, whichever way the final is called.
        NoticeCase{64, CallRoute::Auto, true, "Hráč ",
                   " musí vyhrát 2x, aby se stal celkovým vítězem !!! (Do výsledku se zapisuje celkové skóre !!!)"},
        NoticeCase{64, CallRoute::Click, true, "Hráč ",
                   " musí vyhrát 2x, aby se stal celkovým vítězem !!! (Do výsledku se zapisuje celkové skóre !!!)"}));

// "Hraj" walks the boxes once; it must call exactly what calling each turn the first ready box in
// the calling order onto the first free board calls. Played against that plain way through whole
// tournaments of every size, with fewer boards than matches so that turns run out.
TEST_F(Calling, HrajCallsWhatTheCallingOrderCallsTurnByTurn)
{
    for (const int n : {5, 8, 13, 16, 23, 32, 47, 64}) {
        Bracket& b = drawn(n, static_cast<std::uint32_t>(n));
        const int boardCount = std::max(1, boardLimitFor(n) / 2);
        applyBoardCount(brackets, boardCount, t.editableSession().record);
        std::uint32_t dice = 3;
        for (int guard = 0; b.state(b.table().finalNumber()) != BoxState::Finished; ++guard) {
            ASSERT_LT(guard, 300) << n << " players";
            Bracket expected = b;
            std::vector<std::string> expectedSaid;
            const Say sayExpected = [&](const std::string& s) { expectedSaid.push_back(s); };
            int freeBoards = 0;
            for (int k = 1; k <= expected.table().rules.boards; ++k)
                freeBoards += expected.board(k).state == BoardState::Free ? 1 : 0;
            const std::vector<int> order = callingOrder(expected);
            for (int turn = 0; turn < freeBoards && turn < static_cast<int>(order.size()); ++turn)
                CallMatch(expected, order[static_cast<std::size_t>(turn)], ChooseFreeBoard(expected), CallRoute::Auto,
                          sayExpected);

            std::vector<std::string> spoken;
            CallReadyMatches(b, boardCount, [&](const std::string& s) { spoken.push_back(s); });
            ASSERT_EQ(spoken, expectedSaid) << n << " players";
            ASSERT_EQ(snapshot(b), snapshot(expected)) << n << " players";

            for (int k = 1; k <= b.boardCount(); ++k) {
                if (b.board(k).state != BoardState::Occupied)
                    continue;
                dice = dice * 1664525u + 1013904223u;
                const bool upper = (dice >> 31) != 0;
                ASSERT_TRUE(enterResult(b, k, upper ? "2" : "0", upper ? "0" : "2").ok());
            }
        }
    }
}
