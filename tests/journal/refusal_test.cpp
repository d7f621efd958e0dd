// A refused command changes nothing anywhere: no journal entry, no working file, no journal byte.

#include "journal_play.h"

#include "bracket/result.h"
#include "lobby/lobby.h"

namespace zorbon::jtest {
namespace {

// Everything a refusal must leave as it was.
struct Traces {
    std::size_t entries = 0;
    std::size_t head = 0;
    std::string files;
    std::string journal;
    bool operator==(const Traces&) const = default;
};

Traces traces(const Tournament& t)
{
    const std::string db(kJournalPath);
    return {t.history().entries().size(), t.history().head(), workingFiles(),
            bytesOf(db).value_or("") + "|" + bytesOf(db + "-wal").value_or("")};
}

struct Refusal {
    const char* name;
    std::function<Outcome(Tournament&)> command;
    std::string message; // the refusal's text, or empty for a silent one
};

class Refusals : public WorkingFolder {
protected:
    void expectNothingWritten(const std::vector<Refusal>& refusals)
    {
        for (const Refusal& r : refusals) {
            const Traces before = traces(*t);
            const Outcome o = r.command(*t);
            EXPECT_TRUE(o.isRefused()) << r.name << ": " << o;
            EXPECT_EQ(o.message(), r.message) << r.name;
            EXPECT_TRUE(traces(*t) == before) << r.name << " left a trace";
        }
    }

    void SetUp() override
    {
        WorkingFolder::SetUp();
        t = openLayer();
        player.emplace(*t, 7);
    }

    std::unique_ptr<Tournament> t;
    std::optional<Player> player;
};

TEST_F(Refusals, BeforeTheDrawNoRefusalIsRecorded)
{
    player->registerPlayers(playerNames(3), 3);
    // The registration dialog shown again: the lobby moves without a command of its own, which
    // a refused name must not commit in its place.
    ASSERT_TRUE(t->showRegistration().ok());
    const std::string taken = playerNames(3).front();
    expectNothingWritten({
        {"a bye's name", [](Tournament& c) { return c.addPlayer(std::string(kBye)); },
         "Jméno „Volný los“ je vyhrazeno pro pavouka turnaje, zadejte jiné jméno !!!"},
        {"an unknown player's cell", [](Tournament& c) { return c.addPlayer(" ?"); },
         "Jméno „ ?“ je vyhrazeno pro pavouka turnaje, zadejte jiné jméno !!!"},
        {"no name", [](Tournament& c) { return c.addPlayer(""); }, "Není zadáno žádné jméno !!!"},
        {"a tab in the name", [](Tournament& c) { return c.addPlayer("Jan\tNovák"); },
         "Jméno nesmí obsahovat konec řádku, tabulátor ani jiný řídicí znak !!!"},
        {"a name already registered", [&](Tournament& c) { return c.addPlayer(taken); }, kAlreadyRegistered},
        {"an empty header", [](Tournament& c) { return c.acceptNewTournament({}); },
         "Nejsou zadána žádná data k turnaji !!!"},
        {"undo before the draw", [](Tournament& c) { return c.undo(); }, kNothingToUndo},
        {"redo", [](Tournament& c) { return c.redo(); }, kNothingToRedo},
        {"reopen while players are registered", [](Tournament& c) { return c.reopen(1); }, kReopenRefused},
        {"standings without a bracket", [](Tournament& c) { return c.showStandings(); }, ""},
    });
    // A name that is then accepted is recorded as one command.
    const std::size_t entries = t->history().entries().size();
    ASSERT_TRUE(t->addPlayer("Nový hráč").ok());
    EXPECT_EQ(t->history().entries().size(), entries + 1);
    EXPECT_EQ(t->history().current()->description, "registrace hráče Nový hráč");
}

TEST_F(Refusals, InPlayNoRefusalIsRecorded)
{
    player->registerPlayers(playerNames(8), 8);
    player->draw(2);
    ASSERT_TRUE(t->callReadyMatches(player->say()).ok());
    const std::vector<int> busy = player->occupiedBoards();
    ASSERT_FALSE(busy.empty());
    const int board = busy.front();
    int freeBoard = 0;
    for (int n = 1; n <= t->session().active()->boardCount(); ++n)
        if (t->session().active()->board(n).state == BoardState::Free)
            freeBoard = n;
    expectNothingWritten({
        {"equal scores", [&](Tournament& c) { return c.enterResult(board, "2", "2"); }, std::string(kBadResult)},
        {"no score at all", [&](Tournament& c) { return c.enterResult(board, "0", "0"); }, std::string(kBadResult)},
        {"a board beyond the count", [](Tournament& c) { return c.enterResult(99, "3", "1"); }, ""},
        {"a free board", [&](Tournament& c) { return c.enterResult(freeBoard, "3", "1"); }, ""},
    });
    // Correction mode refuses undo and redo; the correction's own refusal closes nothing on disk.
    ASSERT_TRUE(t->enterResult(board, "3", "1").ok());
    const Bracket& b = *t->session().active();
    int finished = 0;
    for (int m = 1; m <= b.table().boxCount(); ++m)
        if (canCorrect(b, m))
            finished = m;
    ASSERT_NE(finished, 0);
    const Result<std::optional<CorrectionContext>> offered = t->clickBox(finished, player->say());
    ASSERT_TRUE(offered.ok() && offered.value());
    t->openCorrection(*offered.value());
    expectNothingWritten({
        {"undo during a correction", [](Tournament& c) { return c.undo(); }, ""},
        {"redo during a correction", [](Tournament& c) { return c.redo(); }, ""},
        {"a corrected draw", [](Tournament& c) { return c.applyCorrection("2", "2"); }, std::string(kBadResult)},
    });
}

} // namespace
} // namespace zorbon::jtest
