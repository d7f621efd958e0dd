// Undo and redo over the journal's saved states: random tournaments of every size with commands
// taken back and put back at random points, each compared with the state the test kept when the
// command was first made; and the edges: the draw as the floor, nothing to redo, an open
// correction, a board count, a correction, and a crash right after an undo.

#include "journal_play.h"

#include <cstdlib>
#include <map>

using namespace zorbon;
using namespace zorbon::jtest;

namespace {

// What the operator sees and what the working files hold once a command is in effect.
struct Snapshot {
    std::string state;
    std::string record;
    std::string roster;
    bool operator==(const Snapshot&) const = default;
};

Snapshot now(const Tournament& t)
{
    return {encodeState(t.session()), bytesOf(kRecordPath).value_or("?"), bytesOf(kRosterPath).value_or("?")};
}

::testing::AssertionResult sameAs(const Snapshot& actual, const Snapshot& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    auto r = ::testing::AssertionFailure();
    if (actual.state != expected.state)
        r << "the state differs (" << actual.state.size() << " bytes where " << expected.state.size()
          << " were expected); ";
    if (actual.record != expected.record)
        r << "the record differs; ";
    if (actual.roster != expected.roster)
        r << "the roster differs";
    return r;
}

int tournamentsPerSize()
{
    const char* n = std::getenv("ZORBON_UNDO_TOURNAMENTS");
    return n && std::atoi(n) > 0 ? std::atoi(n) : 30;
}

// The player, the snapshots after every command by the history's head, and the commands of play
// that the plain player does not give: board counts and corrections.
class Undo : public WorkingFolder, public ::testing::WithParamInterface<int> {
protected:
    Undo()
        : WorkingFolder(true)
    {
    }
    void SetUp() override
    {
        WorkingFolder::SetUp();
        t = openLayer();
    }

    int size() const { return GetParam(); }
    int playersFor(std::mt19937& rng) const
    {
        const int low = size() == 8 ? 4 : size() / 2 + 1;
        return std::uniform_int_distribution<int>(low, size())(rng);
    }

    // Starts a tournament through its draw and keeps a snapshot after each command.
    void start(std::uint32_t seed, int players, int boards = 0)
    {
        p = std::make_unique<Player>(*t, seed);
        p->afterCommand = [this](const std::string&) { remember(); };
        p->registerPlayers(playerNames(players), static_cast<std::size_t>(players));
        p->draw(boards);
        drawnAt = t->history().head();
    }

    // A command is in effect at the head; when it was committed, what redo could have put back is gone.
    void remember()
    {
        const std::size_t head = t->history().head();
        if (t->history().entries().size() == head)
            after.erase(after.upper_bound(head), after.end());
        after[head] = now(*t);
    }

    bool boardCount()
    {
        if (!t->checkBoardCountChange().ok())
            return false;
        const Result<int> found = t->boardCountLimit();
        const int limit = found.value();
        if (!found.ok())
            return false;
        const Outcome o = t->setBoardCount(p->random(1, limit), Tournament::BoardCountFrom::Terce);
        EXPECT_TRUE(o.ok()) << o.message();
        remember();
        return true;
    }

    // Opens a correction on a box that can take one and applies new scores; false if none can.
    bool correction()
    {
        const Bracket& b = *t->session().active();
        std::vector<int> open;
        for (int m = 1; m <= b.table().boxCount(); ++m)
            if (canCorrect(b, m))
                open.push_back(m);
        if (open.empty())
            return false;
        const int box = open[static_cast<std::size_t>(p->random(0, static_cast<int>(open.size()) - 1))];
        const Result<std::optional<CorrectionContext>> clicked = t->clickBox(box, p->say());
        EXPECT_TRUE(clicked.ok());
        const std::optional<CorrectionContext>& ctx = clicked.value();
        if (!ctx) {
            ADD_FAILURE() << "box " << box << " can be corrected but the click offers no correction";
            return false;
        }
        t->openCorrection(*ctx);
        const auto [s1, s2] = p->scores();
        const Outcome o = t->applyCorrection(s1, s2);
        EXPECT_TRUE(o.ok()) << o.message();
        remember();
        return true;
    }

    // Undo as the operator gives it: checked against the snapshot of the command it returns to.
    bool undoOnce()
    {
        const std::size_t head = t->history().head();
        const bool expected = t->undoDescription().has_value();
        const Outcome o = t->undo();
        if (!expected) {
            EXPECT_EQ(o, Outcome::refused(kNothingToUndo));
            EXPECT_EQ(t->history().head(), head);
            EXPECT_TRUE(sameAs(now(*t), after[head])) << "a refused undo changed something";
            return false;
        }
        EXPECT_TRUE(o.ok()) << o.message();
        EXPECT_LT(t->history().head(), head);
        EXPECT_GE(t->history().head(), drawnAt) << "undo went past the draw";
        EXPECT_TRUE(sameAs(now(*t), after[t->history().head()])) << "undo from " << head;
        return true;
    }

    bool redoOnce()
    {
        const std::size_t head = t->history().head();
        const bool expected = t->redoDescription().has_value();
        const Outcome o = t->redo();
        if (!expected) {
            EXPECT_EQ(o, Outcome::refused(kNothingToRedo));
            EXPECT_TRUE(sameAs(now(*t), after[head]));
            return false;
        }
        EXPECT_TRUE(o.ok()) << o.message();
        EXPECT_GT(t->history().head(), head);
        EXPECT_TRUE(sameAs(now(*t), after[t->history().head()])) << "redo from " << head;
        return true;
    }

    // One command of play of any kind.
    void command()
    {
        const int pick = p->random(0, 19);
        if (pick == 0 && boardCount())
            return;
        if (pick <= 2 && correction())
            return;
        p->step();
    }

    // The program stops without a word and starts again, resuming its tournament.
    void crashAndResume()
    {
        const History before = t->history();
        const std::optional<std::string> redo = t->redoDescription();
        t.reset();
        t = openLayer();
        ASSERT_TRUE(t->resume().ok());
        p->rebind(*t);
        EXPECT_TRUE(t->history().entries() == before.entries()) << "the resumed history differs";
        EXPECT_EQ(t->history().head(), before.head());
        EXPECT_EQ(t->redoDescription(), redo);
        EXPECT_TRUE(sameAs(now(*t), after[t->history().head()])) << "resumed after an undo";
    }

    std::unique_ptr<Tournament> t;
    std::unique_ptr<Player> p;
    std::map<std::size_t, Snapshot> after;
    std::size_t drawnAt = 0;
};

} // namespace

TEST_P(Undo, TakingBackAndPuttingBackAlwaysReturnsToTheStateOfThatCommand)
{
    std::mt19937 rng(static_cast<std::uint32_t>(size()) * 7919u);
    int undone = 0, redone = 0, cutOff = 0, crashes = 0;
    const int tournaments = tournamentsPerSize();
    for (int n = 0; n < tournaments; ++n) {
        SCOPED_TRACE("tournament " + std::to_string(n));
        after.clear();
        start(static_cast<std::uint32_t>(rng()), playersFor(rng));
        for (int guard = 0; !p->finished(); ++guard) {
            ASSERT_LT(guard, 3000) << "the tournament does not end";
            command();
            if (p->random(0, 5) != 0)
                continue;
            // Take back up to four commands, then put back some of them or make a new one.
            int k = 0;
            for (const int want = p->random(1, 4); k < want && undoOnce(); ++k)
                ++undone;
            if (k > 0 && p->random(0, 9) == 0) {
                crashAndResume();
                ++crashes;
            }
            if (k > 0 && p->random(0, 2) == 0) {
                const std::size_t head = t->history().head();
                command();
                if (t->history().head() == head + 1) {
                    EXPECT_EQ(t->redoDescription(), std::nullopt) << "a new command keeps the old redo";
                    EXPECT_EQ(t->redo(), Outcome::refused(kNothingToRedo));
                    ++cutOff;
                }
            } else {
                for (int j = p->random(0, k + 1); j > 0 && redoOnce(); --j)
                    ++redone;
            }
            if (HasFatalFailure() || HasFailure())
                return;
        }
        p->checkStandings();
        ASSERT_TRUE(t->closeTournament().ok());
    }
    std::printf("%d tournaments of %d: %d undos, %d redos, %d redo chains cut, %d crashes after an undo\n", tournaments,
                size(), undone, redone, cutOff, crashes);
    EXPECT_GT(undone, 5 * tournaments);
    EXPECT_GT(redone, 2 * tournaments);
    EXPECT_GT(cutOff, tournaments / 2);
    EXPECT_GT(crashes, 0);
}

TEST_P(Undo, StopsAtTheDrawAndRedoNeedsSomethingUndone)
{
    start(1, size());
    const Snapshot drawn = now(*t);
    EXPECT_EQ(t->undoDescription(), std::nullopt);
    EXPECT_EQ(t->undo(), Outcome::refused(kNothingToUndo));
    EXPECT_EQ(t->redo(), Outcome::refused(kNothingToRedo));
    EXPECT_TRUE(sameAs(now(*t), drawn));
    for (int i = 0; i < 3; ++i)
        p->step();
    EXPECT_EQ(t->redo(), Outcome::refused(kNothingToRedo));
    // Every command of play since the draw goes back, and no further.
    const std::size_t played = t->history().head() - drawnAt;
    ASSERT_GE(played, 3u);
    std::size_t undone = 0;
    while (t->undo().ok())
        ++undone;
    EXPECT_EQ(undone, played);
    EXPECT_EQ(t->undo(), Outcome::refused(kNothingToUndo));
    EXPECT_TRUE(sameAs(now(*t), drawn));
    EXPECT_EQ(t->history().head(), drawnAt);
}

TEST_P(Undo, IsRefusedWhileACorrectionIsOpen)
{
    start(2, size(), 1);
    const Bracket* b = t->session().active();
    std::optional<CorrectionContext> ctx;
    for (int guard = 0; !ctx && guard < 200; ++guard) {
        p->step();
        for (int m = 1; !ctx && m <= b->table().boxCount(); ++m)
            if (canCorrect(*b, m))
                ctx = prepareCorrection(*b, m);
    }
    ASSERT_TRUE(ctx.has_value());
    t->openCorrection(*ctx);
    const Snapshot open = now(*t);
    const std::size_t head = t->history().head();
    EXPECT_EQ(t->undo(), Outcome::refused());
    EXPECT_EQ(t->redo(), Outcome::refused());
    EXPECT_TRUE(b->correctionMode);
    EXPECT_EQ(t->history().head(), head);
    EXPECT_TRUE(sameAs(now(*t), open));
    t->cancelCorrection();
    EXPECT_TRUE(t->undo().ok());
}

TEST_P(Undo, ABoardCountSetWithTerceIsTakenBackIntoTheRecord)
{
    start(3, size(), 1);
    const Result<int> found = t->boardCountLimit();
    ASSERT_TRUE(found.ok());
    const int limit = found.value();
    ASSERT_GE(limit, 2);
    const Snapshot one = now(*t);
    ASSERT_TRUE(t->checkBoardCountChange().ok());
    ASSERT_TRUE(t->setBoardCount(limit, Tournament::BoardCountFrom::Terce).ok());
    EXPECT_EQ(ReadRecord().BoardCount, limit);
    EXPECT_EQ(t->undoDescription(), "nastavení počtu terčů na " + std::to_string(limit));
    ASSERT_TRUE(t->undo().ok());
    EXPECT_EQ(ReadRecord().BoardCount, 1);
    EXPECT_TRUE(sameAs(now(*t), one));
    EXPECT_EQ(p->boardsInPlay(), 1);
    ASSERT_TRUE(t->redo().ok());
    EXPECT_EQ(ReadRecord().BoardCount, limit);
    EXPECT_EQ(p->boardsInPlay(), limit);
}

TEST_P(Undo, ACorrectionIsTakenBackAndPutBack)
{
    start(4, size(), 1);
    const Bracket* b = t->session().active();
    while (!correction()) {
        p->step();
        ASSERT_FALSE(p->finished());
    }
    const std::size_t head = t->history().head();
    const std::string description = t->undoDescription().value_or("");
    EXPECT_EQ(description.rfind("oprava výsledku zápasu ", 0), 0u) << description;
    ASSERT_TRUE(t->undo().ok());
    EXPECT_TRUE(sameAs(now(*t), after[head - 1]));
    EXPECT_FALSE(b->correctionMode);
    ASSERT_TRUE(t->redo().ok());
    EXPECT_TRUE(sameAs(now(*t), after[head]));
}

TEST_P(Undo, AfterACrashRightAfterAnUndoTheResumedTournamentCanRedo)
{
    start(5, size(), 2);
    for (int i = 0; i < 12; ++i)
        command();
    ASSERT_TRUE(undoOnce());
    ASSERT_TRUE(undoOnce());
    const std::size_t head = t->history().head();
    crashAndResume();
    ASSERT_TRUE(t->redoDescription().has_value());
    ASSERT_TRUE(redoOnce());
    ASSERT_TRUE(redoOnce());
    EXPECT_EQ(t->history().head(), after.rbegin()->first);
    EXPECT_GT(t->history().head(), head);
    ASSERT_TRUE(p->playToEnd());
    p->checkStandings();
}

INSTANTIATE_TEST_SUITE_P(AllSizes, Undo, ::testing::Values(8, 16, 32, 64),
                         [](const auto& param) { return std::to_string(param.param) + "players"; });
