#include "lobby/lobby.h"

#include "records/textcodec.h"

#include <cstdint>

namespace zorbon {
namespace {

const char* const kNoPlayers = "Nejsou registrováni žádní hráči";

} // namespace

std::string countLabel(int count)
{
    return kCountPrefix + std::to_string(count);
}

bool readsRecord(Command command)
{
    switch (command) {
    case Command::NovyTurnaj:
    case Command::Vymaz:
    case Command::Rozlosuj:
    case Command::OdeberHrace:
        return true;
    case Command::Registruj:
    case Command::Help:
    case Command::Oprogramu:
    case Command::Konec:
        return false;
    }
    return false;
}

Outcome checkCommand(Command command, const Lobby& lobby, int playerCount)
{
    switch (command) {
    case Command::NovyTurnaj:
        if (playerCount != 0)
            return Outcome::refused("Nejprve musíte smazat registrované hráče !!!");
        break;
    case Command::Registruj:
        if (!lobby.header.exists())
            return Outcome::refused("Není založen žádný turnaj !!!");
        break;
    case Command::Vymaz:
        if (playerCount == 0)
            return Outcome::refused(kNoPlayers);
        break;
    case Command::Rozlosuj:
        if (playerCount == 0)
            return Outcome::refused(std::string(kNoPlayers) + " !!!");
        break;
    case Command::OdeberHrace:
        if (playerCount < 1)
            return Outcome::refused(kNoPlayers);
        break;
    case Command::Help:
    case Command::Oprogramu:
    case Command::Konec:
        break;
    }
    return Outcome::done();
}

Opens opensFor(Command command, const Lobby& lobby)
{
    switch (command) {
    case Command::NovyTurnaj:
        return lobby.header.exists() ? Opens::TournamentExists : Opens::NewTournament;
    case Command::Registruj:
        return Opens::Registration;
    case Command::Vymaz:
        return Opens::DeleteAll;
    case Command::Rozlosuj:
        return Opens::Draw;
    case Command::OdeberHrace:
        return Opens::Remove;
    case Command::Help:
        return Opens::Help;
    case Command::Oprogramu:
        return Opens::About;
    case Command::Konec:
        return Opens::Exit;
    }
    return Opens::Help;
}

void loadMainWindow(Lobby& lobby, int playerCount, std::vector<std::string> roster)
{
    lobby.count = playerCount;
    lobby.shownCount = playerCount;
    for (auto& line : roster)
        lobby.registered.push_back(std::move(line));
}

Outcome acceptNewTournament(Lobby& lobby, const TournamentHeader& typed)
{
    if (!typed.exists())
        return Outcome::refused("Nejsou zadána žádná data k turnaji !!!");
    lobby.header = typed;
    return Outcome::done();
}

void newTournamentClosed(Lobby& lobby, const TournamentHeader& typed)
{
    lobby.newTournamentFields = {"", typed.place, typed.date};
}

std::string tournamentExistsText(const Lobby& lobby)
{
    return "Je založen turnaj " + lobby.header.name + ". Chcete jej smazat a začít nový ???";
}

void startOver(Lobby& lobby)
{
    lobby.newTournamentFields = {};
}

void loadRegistration(Lobby& lobby, int playerCount, std::vector<std::string> roster)
{
    lobby.count = playerCount;
    for (auto& line : roster)
        lobby.registrationList.push_back(std::move(line));
}

void registrationClosed(Lobby& lobby)
{
    lobby.registrationList.clear();
}

Outcome checkName(const std::string& name)
{
    if (name.empty())
        return Outcome::refused("Není zadáno žádné jméno !!!");
    // A line break would split the name into two roster lines; other controls cannot be seen or typed back.
    if (hasControlCharacter(name))
        return Outcome::refused("Jméno nesmí obsahovat konec řádku, tabulátor ani jiný řídicí znak !!!");
    // The roster is Windows-1250: anything else would be stored damaged.
    if (!fitsCp1250(name))
        return Outcome::refused("Jméno obsahuje znak, který nelze uložit do soupisky hráčů (lze použít latinku "
                                "včetně české diakritiky) !!!");
    // These are the bracket's own cell texts: such a player could never be called or placed.
    if (name == " ?" || name == "Volný los")
        return Outcome::refused("Jméno „" + name + "“ je vyhrazeno pro pavouka turnaje, zadejte jiné jméno !!!");
    return Outcome::done();
}

bool isRegistered(const std::vector<std::string>& roster, const std::string& name)
{
    bool registered = false;
    for (const auto& line : roster)
        registered = registered || line == name;
    return registered;
}

int plusOne(int count)
{
    // A corrupt record may hold any value; the count wraps like the 32-bit field it came from.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(count) + 1u);
}

void acceptName(Lobby& lobby, const std::string& name, int count)
{
    lobby.registrationList.push_back(name);
    lobby.registered.push_back(name);
    lobby.count = count;
    lobby.shownCount = count;
}

void clearRegistrations(Lobby& lobby)
{
    lobby.registrationList.clear();
    lobby.registered.clear();
    lobby.seeds.clear();
}

void setCount(Lobby& lobby, int count)
{
    lobby.count = count;
    lobby.shownCount = count;
}

Outcome checkRemoval(const std::string& chosen)
{
    return chosen.empty() ? Outcome::refused("Není vybrán žádný hráč") : Outcome::done();
}

std::string removalQuestion(const std::string& chosen)
{
    return "Opravdu odebrat hráče " + chosen + " ?";
}

std::vector<std::string> keepOthers(Lobby& lobby, std::vector<std::string> roster, const std::string& name)
{
    std::vector<std::string> kept;
    lobby.registered.clear();
    for (auto& line : roster) {
        if (line == name)
            continue;
        lobby.registered.push_back(line);
        kept.push_back(std::move(line));
    }
    return kept;
}

void clearTournament(Lobby& lobby)
{
    clearRegistrations(lobby);
    setCount(lobby, 0);
    lobby.header = {};
    lobby.newTournamentFields = {};
}

} // namespace zorbon
