#include "bracket/correction.h"

#include "bracket/result.h"
#include "records/errors.h"

namespace zorbon {

bool canCorrect(const Bracket& bracket, int number)
{
    const auto& t = bracket.table();
    if (!t.hasBox(number))
        return false;
    const BoxSpec& box = t.box(number);
    if (box.isFinal() || bracket.state(number) != BoxState::Finished)
        return false;
    if (bracket.slotState(box.winnerTo) != BoxState::Pending)
        return false;
    if (box.round.side == Side::Winners && bracket.slotState(box.loserTo) != BoxState::Pending)
        return false;
    for (const SlotId s : {box.upper, box.lower}) {
        const std::string& n = bracket.name(s);
        if (n == kUnknown || n == kBye)
            return false;
    }
    return true;
}

std::optional<CorrectionContext> prepareCorrection(const Bracket& bracket, int number)
{
    if (!canCorrect(bracket, number))
        return std::nullopt;
    const BoxSpec& box = bracket.table().box(number);
    return CorrectionContext{number, box.upper, box.lower, box.winnerTo, box.loserTo};
}

void openCorrection(Bracket& bracket, const CorrectionContext& context)
{
    bracket.correction = context;
    bracket.correctionMode = true;
}

Outcome applyCorrection(Bracket& bracket, const std::string& score1, const std::string& score2)
{
    if (!bracket.correctionMode || !bracket.correction) {
        bracket.correctionMode = false;
        return Outcome::done();
    }
    const CorrectionContext& c = *bracket.correction;
    // "Hraj" and box clicks stay usable while the controls are open; a player who has been called
    // on in the meantime must not be rewritten out of a box on a board.
    if (!canCorrect(bracket, c.box)) {
        bracket.correctionMode = false;
        return Outcome::refused(std::string(kCorrectionTooLate));
    }
    const int s1 = parseInt(score1);
    const int s2 = parseInt(score2);
    if (s1 == s2)
        return Outcome::refused(std::string(kBadResult));
    const std::string& winner = bracket.name(s1 > s2 ? c.name1 : c.name2);
    const std::string& loser = bracket.name(s1 > s2 ? c.name2 : c.name1);
    bracket.setName(c.winnerTo, winner);
    if (c.loserTo != kNoSlot)
        bracket.setName(c.loserTo, loser);
    else
        bracket.porazeny = loser;
    bracket.setScore(c.name1, scoreText(s1));
    bracket.setScore(c.name2, scoreText(s2));
    bracket.correctionMode = false;
    return Outcome::done();
}

void cancelCorrection(Bracket& bracket)
{
    bracket.correctionMode = false;
}

} // namespace zorbon
