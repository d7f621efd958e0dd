#pragma once
// The whole tournament state as bytes, for the journal: the lobby, the bracket in play with its
// boards, the results lists, the board-count choice and the working files' contents. An open
// correction is not part of it (a resumed or undone tournament never reopens one).

#include "tournament/session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorbon {

// The same session always gives the same bytes, so two states compare as their encodings.
std::string encodeState(const Session& session);

// A fresh session holding the saved state, or nullopt for bytes that are not a state this program
// wrote (damaged, cut short, another version): checked by a checksum and by every rule a state
// obeys (a board holds a box that is on a board, and so on).
std::optional<Session> decodeState(std::string_view bytes);

// Whether a state just encoded holds the same tournament as a stored one, also when the stored one
// was written in an older format of the state.
bool equalStates(std::string_view current, std::string_view stored);

// The 64-bit FNV-1a sum a state ends with (over everything before it); also a quick fingerprint.
std::uint64_t stateChecksum(std::string_view bytes);

// Whether decodeState would read the bytes (the journal's check of what it holds).
bool isReadableState(const std::string& bytes);

} // namespace zorbon
