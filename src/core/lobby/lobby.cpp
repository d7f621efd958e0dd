#include "lobby/lobby.h"

#include "records/record.h"
#include "records/roster.h"
#include "records/textcodec.h"

#include <cstdint>

namespace zorbon {
namespace {

const char* const kNoPlayers = "Nejsou registrováni žádní hráči";

// A corrupt record may hold any value; the count wraps like the 32-bit field it came from.
int plusOne(int count)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(count) + 1u);
}

// C0 controls, DEL and the C1 controls (U+0080..U+009F, two bytes in UTF-8).
bool hasControlCharacter(const std::string& utf8)
{
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x20 || c == 0x7F)
            return true;
        if (c == 0xC2 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9F)
                return true;
        }
    }
    return false;
}

} // namespace

std::string CountLabel(int count)
{
    return kCountPrefix + std::to_string(count);
}

CommandCheck CheckCommand(Command command, Lobby& lobby)
{
    switch (command) {
    case Command::NovyTurnaj:
        if (ReadRecord().PlayerCount != 0)
            return {"Nejprve musíte smazat registrované hráče !!!", Opens::NewTournament};
        return {"", lobby.header.exists() ? Opens::TournamentExists : Opens::NewTournament};
    case Command::Registruj:
        if (!lobby.header.exists())
            return {"Není založen žádný turnaj !!!", Opens::Registration};
        return {"", Opens::Registration};
    case Command::Vymaz:
        if (ReadRecord().PlayerCount == 0)
            return {kNoPlayers, Opens::DeleteAll};
        return {"", Opens::DeleteAll};
    case Command::Rozlosuj:
        lobby.count = ReadRecord().PlayerCount;
        if (lobby.count == 0)
            return {std::string(kNoPlayers) + " !!!", Opens::Draw};
        return {"", Opens::Draw};
    case Command::OdeberHrace:
        if (ReadRecord().PlayerCount < 1)
            return {kNoPlayers, Opens::Remove};
        return {"", Opens::Remove};
    case Command::Help:
        return {"", Opens::Help};
    case Command::Oprogramu:
        return {"", Opens::About};
    case Command::Konec:
        return {"", Opens::Exit};
    }
    return {};
}

void LoadMainWindow(Lobby& lobby)
{
    const TournamentRecord record = ReadRecord();
    lobby.count = record.PlayerCount;
    lobby.shownCount = record.PlayerCount;
    for (auto& line : ReadRoster())
        lobby.registered.push_back(std::move(line));
}

std::string AcceptNewTournament(Lobby& lobby, const TournamentHeader& typed)
{
    if (!typed.exists())
        return "Nejsou zadána žádná data k turnaji !!!";
    lobby.header = typed;
    return {};
}

void NewTournamentClosed(Lobby& lobby, const TournamentHeader& typed)
{
    lobby.newTournamentFields = {"", typed.place, typed.date};
}

std::string TournamentExistsText(const Lobby& lobby)
{
    return "Je založen turnaj " + lobby.header.name + ". Chcete jej smazat a začít nový ???";
}

void StartOver(Lobby& lobby)
{
    lobby.newTournamentFields = {};
}

void LoadRegistration(Lobby& lobby)
{
    lobby.count = ReadRecord().PlayerCount;
    for (auto& line : ReadRoster())
        lobby.registrationList.push_back(std::move(line));
}

void RegistrationClosed(Lobby& lobby)
{
    lobby.registrationList.clear();
}

std::string NameRefusal(const std::string& name)
{
    if (name.empty())
        return "Není zadáno žádné jméno !!!";
    // A line break would split the name into two roster lines; other controls cannot be seen or typed back.
    if (hasControlCharacter(name))
        return "Jméno nesmí obsahovat konec řádku, tabulátor ani jiný řídicí znak !!!";
    // The roster is Windows-1250: anything else would be stored damaged.
    if (!fitsCp1250(name))
        return "Jméno obsahuje znak, který nelze uložit do soupisky hráčů (lze použít latinku včetně české "
               "diakritiky) !!!";
    // These are the bracket's own cell texts: such a player could never be called or placed.
    if (name == " ?" || name == "Volný los")
        return "Jméno „" + name + "“ je vyhrazeno pro pavouka turnaje, zadejte jiné jméno !!!";
    return {};
}

AddOutcome AddPlayer(Lobby& lobby, const std::string& name)
{
    ReadRecord();
    if (std::string refusal = NameRefusal(name); !refusal.empty())
        return {false, std::move(refusal)};

    bool registered = false;
    for (const auto& line : ReadRoster())
        registered = registered || line == name;
    if (registered)
        return {false, "Zadané jméno je již registrováno !!!"};

    TournamentRecord record = ReadRecord();
    const int count = plusOne(record.PlayerCount);
    record.PlayerCount = count;
    // The count is written before the name joins the lists: a folder that cannot be written then
    // leaves no name on screen that is not registered. Should only the roster fail after it, the
    // name stays in the dialog's list and the next save writes it, so count and roster meet again.
    WriteRecord(record);
    lobby.registrationList.push_back(name);
    lobby.registered.push_back(name);
    lobby.count = count;
    lobby.shownCount = count;
    SaveRoster(lobby.registrationList);
    return {true, {}};
}

namespace {

// Zero players (and, on a tournament's close, zero boards) in the record, then empty both lists
// and the roster: the order in which delete-all and the close clear the registrations.
void clearRegistrations(Lobby& lobby, bool zeroBoards)
{
    TournamentRecord record = ReadRecord();
    record.PlayerCount = 0;
    if (zeroBoards)
        record.BoardCount = 0;
    WriteRecord(record);
    lobby.registrationList.clear();
    lobby.registered.clear();
    SaveRoster(lobby.registrationList);
    lobby.count = 0;
    lobby.shownCount = 0;
}

} // namespace

void DeleteAllPlayers(Lobby& lobby)
{
    clearRegistrations(lobby, false);
}

std::vector<std::string> RemovalChoices()
{
    return ReadRoster();
}

std::string RemovalRefusal(const std::string& chosen)
{
    return chosen.empty() ? "Není vybrán žádný hráč" : "";
}

std::string RemovalQuestion(const std::string& chosen)
{
    return "Opravdu odebrat hráče " + chosen + " ?";
}

int RemovePlayer(Lobby& lobby, const std::string& name, std::vector<std::string>& kept)
{
    kept.clear();
    lobby.registered.clear();
    int count = 0;
    for (auto& line : ReadRoster()) {
        if (line == name)
            continue;
        lobby.registered.push_back(line);
        kept.push_back(std::move(line));
        ++count;
    }
    SaveRoster(kept);
    lobby.count = count;
    lobby.shownCount = count;
    // The count of lines kept, not the old count minus one: this also mends a drifted record.
    TournamentRecord record = ReadRecord();
    record.PlayerCount = count;
    WriteRecord(record);
    return count;
}

void ClearOnExit(Lobby& lobby)
{
    TournamentRecord record = ReadRecord();
    record.PlayerCount = 0;
    WriteRecord(record);
    lobby.registrationList.clear();
    SaveRoster(lobby.registrationList);
}

void CloseTournament(Session& session)
{
    Lobby& lobby = session.lobby;
    clearRegistrations(lobby, true);
    session.placings.clear();
    session.displayed.clear();
    lobby.header = {};
    lobby.newTournamentFields = {};
    session.boardCountChoice = 0;
}

} // namespace zorbon
