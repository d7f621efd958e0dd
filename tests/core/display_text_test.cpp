// What the players' display says agrees with what the phones page shows of the same bracket: the
// boards, the latest results newest first and the winner; the header is trimmed as typed text is.

#include "live/display_text.h"
#include "live_engine.h"

using namespace zorbon;
using namespace zorbon::test;

namespace {

class DisplayTextTest : public LiveEngine, public ::testing::WithParamInterface<int> {};

} // namespace

TEST(DisplayText, TheHeaderLineTrimsEachPartAndSkipsEmptyOnes)
{
    const struct {
        TournamentHeader header;
        std::string line;
    } cases[] = {
        {{"Jarní turnaj", "U Terče", "1.4.2027"}, "Jarní turnaj – U Terče – 1.4.2027"},
        {{"  Jarní turnaj\t", "", " 1.4.2027 "}, "Jarní turnaj – 1.4.2027"},
        {{"\xC2\xA0Turnaj\xE2\x80\x83", "\xE3\x80\x80", "Brno"}, "Turnaj – Brno"}, // no-break, em, ideographic
        {{" ", "", "\t"}, ""},
        {{"Ž", "Šíp ů", ""}, "Ž – Šíp ů"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(headerLine(c.header), c.line) << c.line;
}

// A whole tournament for each size: every board line, the latest results and the winner line say
// what the phones page's state holds at the same moment.
TEST_P(DisplayTextTest, SaysWhatThePhonesPageShows)
{
    Bracket& b = drawn(GetParam(), 11);
    boards(b.table().rules.boards);
    EXPECT_EQ(winnerText(b), "");
    EXPECT_FALSE(isUnderWay(b));
    for (int guard = 0; guard < 200 && !isDecided(b); ++guard) {
        hraj();
        const LiveState s = now();
        EXPECT_TRUE(isUnderWay(b));
        for (const LiveBoard& board : s.boards) {
            const std::string expected =
                "Terč " + std::to_string(board.number) + ": " +
                (board.match == 0 ? std::string("volný")
                                  : (board.match == b.table().finalNumber() ? std::string("finále")
                                                                            : "zápas " + std::to_string(board.match)) +
                                        " – " + board.player1 + " : " + board.player2);
            EXPECT_EQ(boardLine(b, board.number), expected);
        }
        const auto busy = std::find_if(s.boards.begin(), s.boards.end(), [](const LiveBoard& l) { return l.match; });
        ASSERT_NE(busy, s.boards.end());
        if (busy->match == b.table().finalNumber()) {
            EXPECT_EQ(winnerText(b), "Finále: " + busy->player2 + " musí vyhrát dvakrát");
        }
        const bool lowerWins = busy->match % 2 == 0;
        ASSERT_TRUE(play(b, busy->match, lowerWins ? "1" : "3", lowerWins ? "3" : "1"));
        const LiveState after = now();
        const std::vector<int> latest = order.latestResults(b, 1000);
        ASSERT_EQ(latest.size(), after.results.size());
        for (std::size_t i = 0; i < latest.size(); ++i) {
            const LiveMatch& m = after.results[i];
            ASSERT_EQ(latest[i], m.match);
            const std::string title =
                m.match == b.table().finalNumber() ? std::string("finále") : "zápas " + std::to_string(m.match);
            EXPECT_EQ(resultLine(b, m.match), title + " – " + m.player1 + " " + std::to_string(m.score1) + " : " +
                                                  std::to_string(m.score2) + " " + m.player2);
        }
        EXPECT_EQ(order.latestResults(b, 2).size(), std::min<std::size_t>(2, latest.size()));
    }
    const LiveState end = now();
    ASSERT_TRUE(isDecided(b));
    ASSERT_TRUE(end.winner);
    EXPECT_EQ(winnerText(b), "Vítěz turnaje: " + *end.winner);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DisplayTextTest, ::testing::Values(5, 8, 13, 16, 27, 32, 40, 64),
                         [](const auto& param) { return std::to_string(param.param) + "hracu"; });
