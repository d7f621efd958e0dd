#include "ranking/aliases.h"

#include <set>

namespace zorbon {

std::string keptName(const Aliases& aliases, const std::string& name)
{
    auto it = aliases.find(name);
    if (it == aliases.end())
        return name; // most names were never merged
    std::string current = name;
    std::set<std::string> seen{current};
    for (; it != aliases.end(); it = aliases.find(current)) {
        if (!seen.insert(it->second).second)
            break;
        current = it->second;
    }
    return current;
}

} // namespace zorbon
