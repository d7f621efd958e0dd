#include "boards/calling.h"

namespace zorbon {
namespace {

std::string finalNotice(const Bracket& bracket, CallRoute route)
{
    const auto& r = bracket.table().rules;
    const auto& finalBox = bracket.table().box(bracket.table().finalNumber());
    const bool click = route == CallRoute::Click;
    std::string text(click ? r.finalNoticeClick : r.finalNoticeAuto);
    text += bracket.name(finalBox.lower);
    text += click ? r.finalNoticeClickEnd : r.finalNoticeAutoEnd;
    return text;
}

} // namespace

int boardLimitFor(int players)
{
    const int size = bracketSizeFor(players);
    return size == 0 ? 0 : tableFor(size).rules.boards;
}

std::string boardPrompt(int limit)
{
    return "Zadejte počet terčů (max " + std::to_string(limit) + ") :";
}

Outcome checkBoardCountChange(const Bracket& bracket)
{
    for (int n = 1; n <= bracket.boardCount(); ++n)
        if (bracket.board(n).colour() != TColor::clSilver)
            return Outcome::refused(std::string(kBoardsBusy));
    return Outcome::done();
}

int applyBoardCount(Brackets& brackets, int k, TournamentRecord& record)
{
    record.BoardCount = k;
    const int size = bracketSizeFor(record.PlayerCount);
    if (size == 0)
        return 0; // no bracket serves this count, so there is no panel to set
    Bracket& bracket = brackets.bySize(size);
    const int capacity = bracket.table().rules.boards;
    for (int n = 1; n <= bracket.boardCount(); ++n) {
        Board& b = bracket.board(n);
        // "Terče" refuses while a board is occupied; should a caller skip that test, a called
        // match still keeps its board instead of being stranded OnBoard with no way to a result.
        if (b.state == BoardState::Occupied)
            continue;
        if (n <= k && n <= capacity)
            setFree(b);
        else
            setOff(b);
    }
    return size;
}

void setBoardsOff(Bracket& bracket)
{
    for (int n = 1; n <= bracket.boardCount(); ++n)
        setOff(bracket.board(n));
}

std::vector<int> callingOrder(const Bracket& bracket)
{
    std::vector<int> order;
    for (int n = 1; n <= bracket.table().boxCount(); ++n)
        if (bracket.ready(n))
            order.push_back(n);
    return order;
}

int ChooseFreeBoard(const Bracket& bracket)
{
    const int capacity = bracket.table().rules.boards;
    for (int n = 1; n <= capacity; ++n)
        if (bracket.board(n).state == BoardState::Free)
            return n;
    return 0;
}

void CallMatch(Bracket& bracket, int box, int board, CallRoute route, const Say& say)
{
    const auto& t = bracket.table();
    if (!t.hasBox(box) || !bracket.ready(box) || board < 1 || board > t.rules.boards ||
        bracket.board(board).state != BoardState::Free)
        return;
    const auto& boxSpec = t.box(box);
    const bool isFinal = boxSpec.isFinal();
    if (isFinal && t.rules.finalNoticeBefore)
        say(finalNotice(bracket, route));
    Board& b = bracket.board(board);
    b.state = BoardState::Occupied;
    b.match = box;
    b.player1 = bracket.name(boxSpec.upper);
    b.player2 = bracket.name(boxSpec.lower);
    bracket.setState(box, BoxState::OnBoard);
    static constexpr std::string_view kCalled = " nastoupí hráči ";
    std::string announcement;
    // One allocation for the whole line: "Na ", the board's name (at most 11 bytes), both players.
    announcement.reserve(3 + 11 + kCalled.size() + b.player1.size() + 3 + b.player2.size());
    announcement += "Na ";
    appendBoardName(announcement, board);
    announcement += kCalled;
    announcement += b.player1;
    announcement += " a ";
    announcement += b.player2;
    say(announcement);
    if (isFinal && !t.rules.finalNoticeBefore)
        say(finalNotice(bracket, route));
}

void CallReadyMatches(Bracket& bracket, int boardCount, const Say& say)
{
    const auto& t = bracket.table();
    if (t.rules.callNeedsBoardCount && boardCount < 1) {
        say(std::string(kNoBoardSet));
        return;
    }
    if (ChooseFreeBoard(bracket) == 0) {
        say(std::string(kNoFreeBoard));
        return;
    }
    int freeBoards = 0;
    for (int n = 1; n <= t.rules.boards; ++n)
        freeBoards += bracket.board(n).state == BoardState::Free ? 1 : 0;
    // Calling a box makes no other box ready or unready, so one scan from box 1 meets the boxes in
    // the calling order, each turn's box being the one a fresh scan would find.
    for (int n = 1; n <= t.boxCount() && freeBoards > 0; ++n) {
        if (!bracket.ready(n))
            continue;
        const int board = ChooseFreeBoard(bracket);
        if (board == 0)
            return;
        CallMatch(bracket, n, board, CallRoute::Auto, say);
        --freeBoards;
    }
}

bool clickToCall(Bracket& bracket, int box, const Say& say)
{
    if (!bracket.table().hasBox(box) || !bracket.ready(box))
        return false;
    const int board = ChooseFreeBoard(bracket);
    if (board == 0)
        say(std::string(kNoFreeBoard));
    else
        CallMatch(bracket, box, board, CallRoute::Click, say);
    return true;
}

Outcome boardClick(const Bracket& bracket, int board)
{
    if (board >= 1 && board <= bracket.table().rules.boards && bracket.board(board).colour() == TColor::clLime)
        return Outcome::done();
    return Outcome::refused(std::string(kBoardIsFree));
}

} // namespace zorbon
