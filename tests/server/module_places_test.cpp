// Where the program looks for the modules it opens on first use: the installed folder always, the
// build's folder only for a program inside the build folder.

#include "server/ModulePlaces.h"

#include <gtest/gtest.h>

using namespace zorbon;
using Paths = std::vector<std::filesystem::path>;

namespace {

struct Case {
    const char* what;
    const char* program;
    const char* buildRoot;
    Paths expected;
};

class ModulePlaces : public ::testing::TestWithParam<Case> {};

TEST_P(ModulePlaces, InstalledFolderFirstAndTheBuildOnlyFromInsideIt)
{
    const Case& c = GetParam();
    const ModuleHome home{"../lib/x86_64-linux-gnu/zorbon", c.buildRoot};
    EXPECT_EQ(modulePlaces(c.program, "libzorbon_print.so", "/src/z/build/test", home), c.expected) << c.what;
}

const Paths kInstalledOnly{"/usr/lib/x86_64-linux-gnu/zorbon/libzorbon_print.so"};

INSTANTIATE_TEST_SUITE_P(Programs, ModulePlaces,
                         ::testing::Values(Case{"Installed", "/usr/bin/zorbon", "/src/z/build/test", kInstalledOnly},
                                           Case{"TheBuildsProgram",
                                                "/src/z/build/test/zorbon",
                                                "/src/z/build/test",
                                                {"/src/z/build/lib/x86_64-linux-gnu/zorbon/libzorbon_print.so",
                                                 "/src/z/build/test/libzorbon_print.so"}},
                                           Case{"ATestDeeperInTheBuild",
                                                "/src/z/build/test/tests/style_test",
                                                "/src/z/build/test",
                                                {"/src/z/build/test/lib/x86_64-linux-gnu/zorbon/libzorbon_print.so",
                                                 "/src/z/build/test/libzorbon_print.so"}},
                                           Case{"ABuildRootWithASlash",
                                                "/src/z/build/test/zorbon",
                                                "/src/z/build/test/",
                                                {"/src/z/build/lib/x86_64-linux-gnu/zorbon/libzorbon_print.so",
                                                 "/src/z/build/test/libzorbon_print.so"}},
                                           // A folder whose name only begins like the build's is not inside it.
                                           Case{"ASiblingFolder",
                                                "/src/z/build/test2/zorbon",
                                                "/src/z/build/test",
                                                {"/src/z/build/lib/x86_64-linux-gnu/zorbon/libzorbon_print.so"}},
                                           Case{"NoBuildRoot",
                                                "/src/z/build/test/zorbon",
                                                "",
                                                {"/src/z/build/lib/x86_64-linux-gnu/zorbon/libzorbon_print.so"}},
                                           Case{"TheProgramUnknown", "", "/src/z/build/test", {}}),
                         [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.what); });

TEST(ModulePlacesHere, TheRunningTestFindsItsOwnBuild)
{
    // This test runs inside its build folder, so the build's folder is among the places, last.
    const Paths places = modulePlaces("libzorbon_print.so", "/nowhere/built");
    ASSERT_EQ(places.size(), 2U);
    EXPECT_EQ(places.back(), std::filesystem::path("/nowhere/built/libzorbon_print.so"));
    EXPECT_EQ(places.front().filename(), "libzorbon_print.so");
}

} // namespace
