#pragma once
// Shared by the tests of the seeding and ranking windows: whole tournaments played through the
// command layer into the archive, so the ranking has something to count.

#include "bracketui.h"

namespace bracketui {

// The registered players drawn with this generator seed, every match won by the upper player
// except every third, the final decided and the bracket closed into the archive.
inline void playIntoArchive(Zorbon& app, std::uint32_t seed)
{
    Tournament& t = app.core();
    QVERIFY(t.check(Command::Rozlosuj).ok());
    QVERIFY(t.draw(seed).ok());
    const Bracket& b = *t.session().active();
    QVERIFY(t.setBoardCount(b.table().rules.boards, Tournament::BoardCountFrom::Draw).ok());
    const Say quiet = [](const std::string&) {};
    for (int guard = 0; b.state(b.table().finalNumber()) != BoxState::Finished; ++guard) {
        QVERIFY(guard < 200);
        QVERIFY(t.callReadyMatches(quiet).ok());
        for (int k = 1; k <= b.boardCount(); ++k)
            if (b.board(k).state == BoardState::Occupied) {
                const auto [s1, s2] = scoresFor(b.board(k).match);
                QVERIFY(t.enterResult(k, s1.toStdString(), s2.toStdString()).ok());
            }
    }
    QVERIFY(t.closeTournament().ok());
}

// A new tournament with these players, through the command layer, shown in the main window.
inline void registerAgain(Zorbon& app, const QStringList& names)
{
    QVERIFY(app.core().acceptNewTournament({"Středeční turnaj", "Klub", ""}).ok());
    for (const QString& name : names)
        QVERIFY(app.core().addPlayer(name.toStdString()).ok());
    app.HlavniOkno->refresh();
}

} // namespace bracketui
