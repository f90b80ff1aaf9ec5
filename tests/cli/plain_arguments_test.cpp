// The commands without an option table (batch, convert, textures) read
// their arguments alike: --help anywhere, an unknown option refused naming
// the command, in the run's language.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

using test::RunCli;
using test::TempFolder;

TEST(PlainArguments, HelpAndUnknownOptionsAreTheSameForEveryCommand)
{
    TempFolder folder;
    for (const std::string command : {"batch", "convert", "textures"}) {
        auto run = RunCli({command, "--lang", "en", "-h"}, folder.path());
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_EQ(run.out.rfind("Usage: kestrane " + command, 0), 0u) << run.out;
        EXPECT_EQ(run.err, "");

        run = RunCli({command, "--bogus", "--help"}, folder.path());
        EXPECT_EQ(run.exitCode, 2) << command;
        EXPECT_EQ(run.out, "");
        run = RunCli({command, "--lang", "hu", "--bogus"}, folder.path());
        EXPECT_EQ(run.exitCode, 2) << command;
        EXPECT_EQ(run.err, "kestrane " + command + ": ismeretlen kapcsoló: \"--bogus\" (lásd: kestrane " + command +
                               " --help)\n");
        EXPECT_EQ(RunCli({command, "--lang=en", "--bogus"}, folder.path()).err,
                  "kestrane " + command + ": unknown option \"--bogus\" (see kestrane " + command + " --help)\n");
    }
}

}  // namespace
}  // namespace kestrane
