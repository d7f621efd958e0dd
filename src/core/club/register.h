#pragma once
// The register of players as the journal keeps it: every name ever registered, and the spellings
// the operator merged into another name.

#include "ranking/aliases.h"

#include <string>

namespace zorbon {

struct RegisteredPlayer {
    std::string name;
    std::string firstRegistered; // local time, "2026-12-09 19:02:11"
    std::string lastRegistered;
    bool operator==(const RegisteredPlayer&) const = default;
};

} // namespace zorbon
