#include "server/ModulePlaces.h"

#include <algorithm>
#include <system_error>

namespace zorbon {

std::vector<std::filesystem::path> modulePlaces(const std::filesystem::path& program, const std::string& file,
                                                const std::filesystem::path& builtIn, const ModuleHome& home)
{
    std::vector<std::filesystem::path> places;
    if (program.empty())
        return places;
    places.push_back((program.parent_path() / home.fromProgram / file).lexically_normal());
    // Inside the build folder means below it, component by component: "build/test2" is not inside
    // "build/test".
    auto root = home.buildRoot.lexically_normal();
    if (!root.empty() && root.filename().empty())
        root = root.parent_path();
    const auto exe = program.lexically_normal();
    const bool inBuild =
        !root.empty() && std::mismatch(root.begin(), root.end(), exe.begin(), exe.end()).first == root.end();
    if (inBuild)
        places.push_back((builtIn / file).lexically_normal());
    return places;
}

std::vector<std::filesystem::path> modulePlaces(const std::string& file, const std::filesystem::path& builtIn)
{
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    return modulePlaces(ec ? std::filesystem::path() : program, file, builtIn,
                        {ZORBON_MODULES_FROM_BIN, ZORBON_BUILD_ROOT});
}

} // namespace zorbon
