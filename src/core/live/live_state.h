#pragma once
// What the phones page shows, read from the session as it stands: the boards, the matches in the
// order "Hraj" will call them, the latest results, every player's state and the winner, as the
// JSON document the page polls.

#include "bracket/bracket.h"
#include "tournament/session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbon {

// The session keeps no timeline of results, so whoever publishes the page keeps one: the boxes in
// the order they were seen turning Finished. A box no longer Finished (an undo) leaves; boxes found
// Finished together (a resume, an undo or redo of several) come last in MatchNumber order.
class ResultOrder {
public:
    void follow(const Bracket& bracket);
    void clear();
    const std::vector<int>& order() const { return m_order; }
    // The latest results (isPlayedResult), newest first, at most `most`.
    std::vector<int> latestResults(const Bracket& bracket, int most) const;

private:
    int m_size = 0;
    std::vector<int> m_order;
    std::vector<bool> m_listed; // by MatchNumber - 1
};

enum class PlayerStanding { Playing, Waiting, Out, Winner };

struct LivePlayer {
    std::string name;
    PlayerStanding standing = PlayerStanding::Waiting;
    int board = 0;       // Playing: the board
    int match = 0;       // Playing or Waiting: the match (0: none known)
    std::string placing; // Out, Winner: "5-6. místo"
};

struct LiveBoard {
    int number = 0;
    int match = 0; // 0: free
    std::string player1, player2;
};

struct LiveMatch {
    int match = 0;
    std::string player1, player2;
    int score1 = 0, score2 = 0; // results only
};

struct LiveState {
    TournamentHeader header;
    int size = 0; // 0 before the draw
    std::vector<LiveBoard> boards;
    std::vector<LiveMatch> next;    // in calling order
    std::vector<LiveMatch> results; // newest first
    std::vector<LivePlayer> players;
    std::optional<std::string> winner;
};

// A box decided over a board: Finished, two players, a score. Byes and walkovers are none.
bool isPlayedResult(const Bracket& bracket, int box);

// The final's winner once it is decided.
std::optional<std::string> tournamentWinner(const Bracket& bracket);

// `finished`: the boxes in the order they finished (ResultOrder::order()).
LiveState liveState(const Session& session, const std::vector<int>& finished);

// The page's document: {"turnaj": ..., "velikost", "terce", "dalsi", "vysledky", "hraci", "vitez",
// "verze"}. Every text is escaped so that it stays text wherever the page puts it.
std::string liveJson(const LiveState& state, std::uint64_t version);

// A JSON string literal with its quotes. Besides what JSON requires, < > & and the line separators
// are written as \u escapes, and bytes that are not UTF-8 become U+FFFD.
std::string jsonString(std::string_view text);

} // namespace zorbon
