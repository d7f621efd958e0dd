// The command layer's part for the club: the register of players, its completion, and registering
// many players at once from a file or from an archived tournament.

#include "club/playerlist.h"
#include "records/errors.h"
#include "records/files.h"
#include "tournament/recording.h"
#include "tournament/state_codec.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace zorbon {
namespace {

bool endsWithCsv(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".csv";
}

} // namespace

void Tournament::remember(const std::vector<std::string>& names)
{
    if (m_journal && !names.empty()) {
        m_journal->rememberPlayers(names);
        m_playerIndexStale = true;
    }
}

std::vector<std::string> Tournament::suggestPlayers(const std::string& typed, std::size_t limit)
{
    if (m_playerIndexStale && m_journal) {
        std::vector<std::string> names;
        const Outcome read = guarded([&] {
            for (RegisteredPlayer& p : m_journal->players())
                names.push_back(std::move(p.name));
        });
        if (!read.ok())
            return {}; // completion is a help; without the register there is nothing to offer
        m_playerIndex = PlayerIndex(std::move(names));
        m_playerIndexStale = false;
    }
    return m_playerIndex.find(typed, limit);
}

Result<std::vector<ArchivedPlayers>> Tournament::archivedPlayers()
{
    if (!m_journal)
        return Outcome::failed(m_journalProblem);
    std::vector<ArchivedPlayers> out;
    const Outcome read = guarded([&] {
        std::map<std::int64_t, ArchivedPlayers> kept;
        for (Journal::EndedState& e : m_journal->endedStates()) {
            // A tournament reopened and ended again ends at another time: its players are read anew.
            auto cached = m_archivedPlayers.find(e.id);
            if (cached == m_archivedPlayers.end() || cached->second.ended != e.ended) {
                const std::optional<Session> s = decodeState(e.state);
                cached =
                    m_archivedPlayers
                        .insert_or_assign(e.id, ArchivedPlayers{e.id, e.ended, s ? playersOf(*s) : TournamentPlayers{}})
                        .first;
            }
            kept.insert(*cached);
            out.push_back(cached->second);
        }
        // Reopened and deleted tournaments leave the cache.
        m_archivedPlayers = std::move(kept);
    });
    if (!read.ok())
        return read;
    return out;
}

Result<Aliases> Tournament::aliasMap()
{
    if (!m_journal)
        return Outcome::failed(m_journalProblem);
    Aliases aliases;
    if (const Outcome read = guarded([&] { aliases = m_journal->aliases(); }); !read.ok())
        return read;
    return aliases;
}

Result<std::vector<ClubPlayer>> Tournament::clubPlayers()
{
    if (!m_journal)
        return Outcome::failed(kNoJournalForRegister + m_journalProblem);
    const Result<std::vector<ArchivedPlayers>> archive = archivedPlayers();
    const Result<Aliases> aliases = aliasMap();
    // Both are read; when both fail, the later failure is the one told.
    if (!aliases.ok())
        return Outcome(aliases);
    if (!archive.ok())
        return Outcome(archive);
    std::vector<ClubPlayer> table;
    if (const Outcome read =
            guarded([&] { table = clubTable(m_journal->players(), archive.value(), aliases.value()); });
        !read.ok())
        return read;
    return table;
}

Outcome Tournament::mergePlayers(const std::string& alias, const std::string& kept)
{
    if (alias.empty() || kept.empty())
        return Outcome::refused("Vyberte dva hráče, které chcete sloučit !!!");
    if (alias == kept)
        return Outcome::refused("Hráče nelze sloučit se sebou samým !!!");
    if (!m_journal)
        return Outcome::failed(kNoJournalForRegister + m_journalProblem);
    Outcome merged = guarded([&] { m_journal->mergePlayers(alias, kept); });
    if (merged.ok())
        m_playerIndexStale = true;
    return merged;
}

Outcome Tournament::forgetPlayer(const std::string& name)
{
    if (!m_journal)
        return Outcome::failed(kNoJournalForRegister + m_journalProblem);
    Outcome forgotten = guarded([&] { m_journal->forgetPlayer(name); });
    if (forgotten.ok())
        m_playerIndexStale = true;
    return forgotten;
}

Result<ImportSummary> Tournament::importPlayers(const std::vector<std::string>& names, ImportInto into)
{
    ImportSummary summary;
    std::string params;
    for (const std::string& n : names)
        params += (params.empty() ? "" : "\n") + n;
    Scope scope{"import", false,
                [&summary] { return "import hráčů (registrováno " + std::to_string(summary.registered) + ")"; },
                std::move(params)};
    m_changes |= kLobbyChanged;
    Outcome outcome = run(scope, [&] {
        TournamentRecord record = readRecord();
        std::vector<std::string> roster = readRoster();
        // The checks of "Přidej", name by name: an earlier name of the list counts as registered.
        std::unordered_set<std::string> taken(roster.begin(), roster.end());
        std::vector<std::string> accepted;
        for (const std::string& name : names) {
            Outcome refusal = checkName(name);
            if (refusal.ok() && taken.contains(name))
                refusal = Outcome::refused(kAlreadyRegistered);
            if (!refusal.ok()) {
                summary.skipped.push_back({name, skipReason(refusal.message())});
                continue;
            }
            taken.insert(name);
            accepted.push_back(name);
        }
        if (accepted.empty())
            return Outcome::done();
        int count = record.PlayerCount;
        for (std::size_t i = 0; i < accepted.size(); ++i)
            count = plusOne(count);
        record.PlayerCount = count;
        // As in "Přidej": the count first, then the lists, then the roster.
        writeRecord(record);
        Lobby& lobby = m_session.lobby;
        if (into == ImportInto::RegistrationList) {
            int n = lobby.count;
            for (const std::string& name : accepted)
                acceptName(lobby, name, n = plusOne(n));
            setCount(lobby, count);
            roster = lobby.registrationList;
        } else {
            lobby.registered.insert(lobby.registered.end(), accepted.begin(), accepted.end());
            roster.insert(roster.end(), accepted.begin(), accepted.end());
            setCount(lobby, count);
        }
        summary.registered = static_cast<int>(accepted.size());
        remember(accepted);
        saveRoster(roster);
        return Outcome::done();
    });
    return {std::move(outcome), std::move(summary)};
}

Result<ImportSummary> Tournament::importPlayerFile(const std::string& path)
{
    std::string bytes;
    const Outcome read = guarded([&] {
        std::error_code ec;
        const auto status = std::filesystem::status(path, ec);
        if (ec)
            throwIo(ec.value());
        if (std::filesystem::is_directory(status))
            throwIo(EISDIR);
        if (!std::filesystem::is_regular_file(status))
            throwIo(EINVAL);
        // One byte more than allowed tells a file that is too big without reading all of it.
        bytes = readFilePrefix(path, kMaxPlayerListBytes + 1);
    });
    if (!read.ok())
        return Outcome::failed("Soubor " + path + " nelze přečíst: " + read.message() +
                               ". Nebyl registrován žádný hráč !!!");
    const PlayerList list = readPlayerList(bytes, endsWithCsv(path));
    if (!list.ok())
        return Outcome::refused(list.refusal);
    return importPlayers(list.names, ImportInto::RegistrationList);
}

Result<ImportSummary> Tournament::registerArchivedPlayers(std::int64_t id)
{
    if (m_session.activeSize != 0)
        return Outcome::refused("Hráče nelze registrovat, dokud je rozlosovaný turnaj !!!");
    if (!m_session.lobby.header.exists())
        return Outcome::refused("Není založen žádný turnaj !!!");
    if (!m_journal)
        return Outcome::failed(m_journalProblem);
    std::vector<std::string> names;
    const Outcome read = guarded([&] {
        const History h = m_journal->load(id);
        const std::optional<Session> s = decodeState(h.current() ? h.current()->state : "");
        if (!s)
            return Outcome::failed(kUnreadableState);
        // In the order they were registered; a drawn tournament's roster still holds them.
        names = s->roster;
        if (names.empty())
            for (const PlacedPlayer& p : playersOf(*s).players)
                names.push_back(p.name);
        return Outcome::done();
    });
    if (!read.ok())
        return read;
    if (names.empty())
        return Outcome::refused("Vybraný turnaj nemá žádné hráče !!!");
    return importPlayers(names, ImportInto::Registered);
}

} // namespace zorbon
