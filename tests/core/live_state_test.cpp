// What the phones page shows: the boards, the matches in the order "Hraj" will call them, the latest
// results newest first, every player's state with placings, the winner, and the JSON it is sent as.

#include "live_engine.h"

#include <algorithm>
#include <map>
#include <set>

using namespace zorbon;
using namespace zorbon::test;

namespace {

class LiveStateTest : public LiveEngine, public ::testing::WithParamInterface<int> {};

std::vector<int> matchesOf(const std::vector<LiveMatch>& list)
{
    std::vector<int> out;
    for (const auto& m : list)
        out.push_back(m.match);
    return out;
}

} // namespace

// A whole tournament for each size: before every "Hraj" the page's next matches are exactly what it
// then calls, in that order; every player is in one state that agrees with the boards and the
// standings; the latest result is the one just entered; at the end one winner and every other
// player out with a placing.
TEST_P(LiveStateTest, FollowsAWholeTournament)
{
    const int players = GetParam();
    Bracket& b = drawn(players, 7);
    boards(b.table().rules.boards);
    std::vector<int> entered;
    for (int guard = 0; guard < 200 && !tournamentWinner(b); ++guard) {
        LiveState before = now();
        const std::size_t freeBoards = static_cast<std::size_t>(
            std::count_if(before.boards.begin(), before.boards.end(), [](const LiveBoard& l) { return !l.match; }));
        said.clear();
        hraj();
        LiveState after = now();
        std::vector<int> called;
        for (const LiveBoard& l : after.boards)
            if (l.match && std::none_of(before.boards.begin(), before.boards.end(),
                                        [&](const LiveBoard& x) { return x.match == l.match; }))
                called.push_back(l.match);
        std::sort(called.begin(), called.end());
        std::vector<int> expected = matchesOf(before.next);
        expected.resize(std::min(expected.size(), freeBoards));
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(called, expected) << "the page's order is the order Hraj calls in";

        // Each player in exactly one state, consistent with the boards.
        std::set<std::string> names;
        for (const LivePlayer& p : after.players) {
            EXPECT_TRUE(names.insert(p.name).second) << p.name;
            const bool onBoard = std::any_of(after.boards.begin(), after.boards.end(), [&](const LiveBoard& l) {
                return l.match && (l.player1 == p.name || l.player2 == p.name);
            });
            EXPECT_EQ(onBoard, p.standing == PlayerStanding::Playing) << p.name;
            if (p.standing == PlayerStanding::Out) {
                EXPECT_FALSE(p.placing.empty()) << p.name;
            }
            if (p.standing == PlayerStanding::Waiting) {
                EXPECT_NE(p.match, 0) << p.name << " waits for no match";
            }
        }
        EXPECT_EQ(static_cast<int>(names.size()), players);

        // The lowest board's match gets a result; the upper player wins.
        const auto busy = std::find_if(after.boards.begin(), after.boards.end(), [](auto& l) { return l.match; });
        ASSERT_NE(busy, after.boards.end());
        ASSERT_TRUE(play(b, busy->match, "3", "1"));
        entered.push_back(busy->match);
        const LiveState done = now();
        ASSERT_FALSE(done.results.empty());
        EXPECT_EQ(done.results.front().match, busy->match) << "newest first";
        EXPECT_EQ(done.results.front().score1, 3);
        EXPECT_EQ(done.results.front().score2, 1);
    }
    const LiveState end = now();
    ASSERT_TRUE(end.winner);
    int winners = 0;
    for (const LivePlayer& p : end.players) {
        if (p.standing == PlayerStanding::Winner) {
            ++winners;
            EXPECT_EQ(p.name, *end.winner);
            EXPECT_EQ(p.placing, "1. místo");
        } else {
            EXPECT_EQ(p.standing, PlayerStanding::Out) << p.name;
            EXPECT_TRUE(p.placing.ends_with("místo")) << p.name << ": " << p.placing;
        }
    }
    EXPECT_EQ(winners, 1);
    std::vector<int> newestFirst(entered.rbegin(), entered.rend());
    EXPECT_EQ(matchesOf(end.results), newestFirst);
    EXPECT_TRUE(end.next.empty());
}

INSTANTIATE_TEST_SUITE_P(Sizes, LiveStateTest, ::testing::Values(4, 7, 8, 9, 13, 16, 17, 25, 32),
                         [](const auto& param) { return std::to_string(param.param) + "hracu"; });

TEST_F(LiveStateTest, UndoAndCorrectionAreFollowed)
{
    Bracket& b = drawn(8, 3);
    boards(2);
    hraj();
    const int first = b.board(1).match;
    const int second = b.board(2).match;
    ASSERT_TRUE(play(b, first, "3", "0"));
    ASSERT_TRUE(play(b, second, "1", "3"));
    EXPECT_EQ(matchesOf(now().results), (std::vector<int>{second, first}));
    ASSERT_TRUE(t.undo().ok());
    LiveState undone = now();
    EXPECT_EQ(matchesOf(undone.results), (std::vector<int>{first}));
    ASSERT_EQ(undone.boards.size(), 2u);
    EXPECT_EQ(undone.boards[1].match, second) << "the undone match is back on its board";
    const auto playing = std::count_if(undone.players.begin(), undone.players.end(),
                                       [](const LivePlayer& p) { return p.standing == PlayerStanding::Playing; });
    EXPECT_EQ(playing, 2);

    // A correction changes the score shown, not the order.
    const Result<std::optional<CorrectionContext>> c = t.clickBox(first, say());
    ASSERT_TRUE(c.ok());
    ASSERT_TRUE(c.value());
    t.openCorrection(*c.value());
    ASSERT_TRUE(t.applyCorrection("3", "2").ok());
    const LiveState corrected = now();
    ASSERT_EQ(corrected.results.size(), 1u);
    EXPECT_EQ(corrected.results[0].score2, 2);
}

TEST_F(LiveStateTest, BeforeTheDrawOnlyTheRegisteredWait)
{
    t.editableSession().lobby.header = {"Jarní turnaj", "Hospoda U Terče", "1.4.2027"};
    t.editableSession().lobby.registered = {"Žofie Šťastná", "Karel"};
    const std::string json = liveJson(now(), 4);
    EXPECT_EQ(json, "{\"turnaj\":{\"nazev\":\"Jarní turnaj\",\"misto\":\"Hospoda U Terče\",\"datum\":\"1.4.2027\"},"
                    "\"velikost\":null,\"terce\":[],\"dalsi\":[],\"vysledky\":[],\"hraci\":["
                    "{\"jmeno\":\"Žofie Šťastná\",\"stav\":\"ceka\"},{\"jmeno\":\"Karel\",\"stav\":\"ceka\"}],"
                    "\"vitez\":null,\"verze\":4}");
}

TEST_F(LiveStateTest, TheDocumentHasItsShape)
{
    Bracket& b = drawn(4, 1);
    boards(2);
    hraj();
    ASSERT_TRUE(play(b, 7, "2", "1"));
    const std::string json = liveJson(now(), 9);
    const std::string board1 = "{\"cislo\":1,\"volny\":true}";
    EXPECT_NE(json.find("\"velikost\":8"), std::string::npos) << json;
    EXPECT_NE(json.find(board1), std::string::npos) << json;
    EXPECT_NE(json.find("\"terce\":[" + board1 + ",{\"cislo\":2,\"zapas\":8,\"hrac1\":"), std::string::npos) << json;
    EXPECT_NE(json.find("\"vysledky\":[{\"zapas\":7,\"hrac1\":"), std::string::npos) << json;
    EXPECT_NE(json.find("\"skore1\":2,\"skore2\":1}"), std::string::npos) << json;
    EXPECT_NE(json.find("\"stav\":\"hraje\",\"terc\":2,\"zapas\":8}"), std::string::npos) << json;
    EXPECT_NE(json.find("\"vitez\":null,\"verze\":9}"), std::string::npos) << json;
}

TEST(JsonString, EscapesWhatCouldBreakOutOfTheDocumentOrThePage)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Petr", "\"Petr\""},
        {"Šťastný Řehoř", "\"Šťastný Řehoř\""},
        {"\"uvozovky\" a \\", "\"\\\"uvozovky\\\" a \\\\\""},
        {"<script>alert(1)</script>", "\"\\u003cscript\\u003ealert(1)\\u003c/script\\u003e\""},
        {"a&b", "\"a\\u0026b\""},
        {std::string("nový\nřádek\t\x01", 15), "\"nový\\u000ařádek\\u0009\\u0001\""},
        {"\xe2\x80\xa8", "\"\\u2028\""},
        {"\xff\xfe", "\"\\ufffd\\ufffd\""},            // not UTF-8
        {"\xc3", "\"\\ufffd\""},                       // cut short
        {"\xc0\xaf", "\"\\ufffd\\ufffd\""},            // overlong '/'
        {"\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""}, // a surrogate
        {"\xf0\x9f\x8e\xaf", "\"\xf0\x9f\x8e\xaf\""},  // a dart, whole
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(jsonString(in), out) << in;
}
