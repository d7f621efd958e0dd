#pragma once
// Where the program looks for the parts it opens on first use (the phones page's server, printing,
// the bracket's SVG): the folder the package installs them in, relative to the program, and, for a
// program that runs inside the build folder, where the build made them. An installed program never
// looks into a build folder, which could hold anything.

#include <filesystem>
#include <string>
#include <vector>

namespace zorbon {

struct ModuleHome {
    std::filesystem::path fromProgram; // the installed modules' folder relative to the program's folder
    std::filesystem::path buildRoot;   // the build folder
};

// The places to try for the module `file`, in order, for the program at `program` (absolute).
// `builtIn` is the folder of the build where the module is made.
std::vector<std::filesystem::path> modulePlaces(const std::filesystem::path& program, const std::string& file,
                                                const std::filesystem::path& builtIn, const ModuleHome& home);

// The same for the running program and this build.
std::vector<std::filesystem::path> modulePlaces(const std::string& file, const std::filesystem::path& builtIn);

} // namespace zorbon
