#pragma once
// Spellings of one player merged into one name: alias -> the name that is kept.

#include <map>
#include <string>

namespace zorbon {

using Aliases = std::map<std::string, std::string>;

// The name an alias stands for, following merges of merges; a name that is no alias is itself.
// A cycle (which no merge makes) ends where it would repeat.
std::string keptName(const Aliases& aliases, const std::string& name);

} // namespace zorbon
