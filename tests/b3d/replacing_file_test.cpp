// ReplacingFile, under which every written file goes: what it replaces,
// what it refuses, the temporary files it removes; and the bounded reading
// of the small files the program owns.
#include "core/errors.h"
#include "core/language_file.h"
#include "core/regular_file.h"
#include "core/replacing_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrane {
namespace {

using test::ReadFile;
using test::TempFolder;

std::string Replace(const std::filesystem::path& target, std::string_view bytes)
{
    try {
        ReplacingFile file;
        file.Open(target);
        file.Write(bytes);
        file.Commit();
        return "written";
    } catch (const OutputError& e) {
        return e.what();
    }
}

pid_t EndedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(ReplacingFile, ReplacesTheEntryAndKeepsARegularFilesMode)
{
    const TempFolder folder;
    test::WriteFile(folder / "victim", "keep");
    std::filesystem::create_symlink("victim", folder / "link.b3d");
    std::filesystem::create_symlink("missing", folder / "dangling.b3d");
    ASSERT_EQ(::mkfifo((folder / "pipe.b3d").c_str(), 0600), 0);
    for (const char* name : {"link.b3d", "dangling.b3d", "pipe.b3d"}) {
        EXPECT_EQ(Replace(folder / name, "new"), "written") << name;
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(folder / name))) << name;
        EXPECT_EQ(ReadFile(folder / name), "new") << name;
    }
    EXPECT_EQ(ReadFile(folder / "victim"), "keep");
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));

    test::WriteFile(folder / "kept.b3d", "old");
    std::filesystem::permissions(folder / "kept.b3d", std::filesystem::perms(0640));
    EXPECT_EQ(Replace(folder / "kept.b3d", "new"), "written");
    EXPECT_EQ(std::filesystem::status(folder / "kept.b3d").permissions(), std::filesystem::perms(0640));

    // lang.cfg goes the same way.
    std::filesystem::create_symlink("victim", folder / "lang.cfg");
    WriteLanguageFile(folder / "lang.cfg", UiLanguage::English);
    EXPECT_EQ(ReadFile(folder / "lang.cfg"), "en");
    EXPECT_EQ(ReadFile(folder / "victim"), "keep");
}

TEST(ReplacingFile, RefusesAFileWithoutWriteBitsEvenForRoot)
{
    const TempFolder folder;
    for (const auto mode : {0444, 0555, 0400}) {
        test::WriteFile(folder / "protected.b3d", "previous");
        std::filesystem::permissions(folder / "protected.b3d", std::filesystem::perms(mode));
        EXPECT_EQ(Replace(folder / "protected.b3d", "new"), "File access denied") << std::oct << mode;
        EXPECT_EQ(ReadFile(folder / "protected.b3d"), "previous");
        EXPECT_EQ(test::EntryNames(folder.path()), std::vector<std::string>{"protected.b3d"});
        std::filesystem::remove(folder / "protected.b3d");
    }
    test::WriteFile(folder / "lang.cfg", "hu");
    std::filesystem::permissions(folder / "lang.cfg", std::filesystem::perms(0444));
    EXPECT_THROW(WriteLanguageFile(folder / "lang.cfg", UiLanguage::English), OutputError);
    EXPECT_EQ(ReadFile(folder / "lang.cfg"), "hu");
}

TEST(ReplacingFile, RemovesTemporaryFilesOfEndedProcessesOnly)
{
    const TempFolder folder;
    const std::string ended = std::to_string(EndedProcess());
    const std::string self = std::to_string(::getpid());
    const std::string parent = std::to_string(::getppid());
    const std::vector<std::string> staying = {
        ".domb.b3d.tmp" + parent + "-3",      // a process that still runs
        ".domb.b3d.tmp" + self + "-999",     // this process's own
        ".other.b3d.tmp" + ended + "-0",     // another target's
        ".domb.b3d.tmp" + ended + "-x",      // not our pattern
        ".domb.b3d.tmp" + ended,             // not our pattern
        "domb.b3d.tmp" + ended + "-0",       // not hidden
    };
    for (const auto& name : staying)
        test::WriteFile(folder / name, "x");
    test::WriteFile(folder / (".domb.b3d.tmp" + ended + "-0"), "stale");
    test::WriteFile(folder / (".domb.b3d.tmp" + ended + "-17"), "stale");
    std::filesystem::create_directory(folder / (".domb.b3d.tmp" + ended + "-1"));  // not a file we wrote

    EXPECT_EQ(Replace(folder / "domb.b3d", "new"), "written");
    std::vector<std::string> expected = staying;
    expected.push_back(".domb.b3d.tmp" + ended + "-1");
    expected.push_back("domb.b3d");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::EntryNames(folder.path()), expected);
}

TEST(ReplacingFile, PendingTemporaryFilesGoOnRequest)
{
    // What a termination handler calls before the process ends.
    const TempFolder folder;
    test::WriteFile(folder / "a.b3d", "previous");
    ReplacingFile a, b;
    a.Open(folder / "a.b3d");
    b.Open(folder / "b.b3d");
    a.Write("half");
    EXPECT_EQ(test::EntryNames(folder.path()).size(), 3u);
    RemovePendingTemporaryFiles();
    EXPECT_EQ(test::EntryNames(folder.path()), std::vector<std::string>{"a.b3d"});
    EXPECT_EQ(ReadFile(folder / "a.b3d"), "previous");
    a.Abandon();
    b.Abandon();
    EXPECT_EQ(test::EntryNames(folder.path()), std::vector<std::string>{"a.b3d"});
}

TEST(RegularFile, ReadsOnlyARegularFileAndOnlyItsStart)
{
    const TempFolder folder;
    test::WriteFile(folder / "plain", "hu\r\nrest of the file");
    EXPECT_EQ(ReadRegularFile(folder / "plain", 4), std::optional<std::string>("hu\r\n"));
    EXPECT_EQ(ReadRegularFile(folder / "plain", 100), std::optional<std::string>("hu\r\nrest of the file"));
    std::filesystem::create_symlink("plain", folder / "link");
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder / "device");
    std::filesystem::create_directory(folder / "folder");
    for (const char* name : {"link", "pipe", "device", "folder", "missing"}) {
        EXPECT_EQ(ReadRegularFile(folder / name, 100), std::nullopt) << name;
        EXPECT_EQ(ReadLanguageFile(folder / name), UiLanguage::Hungarian) << name;
    }
    // A first line longer than the bound is not "hu" all the same.
    test::WriteFile(folder / "long", std::string(1000, 'x') + "\nhu");
    EXPECT_EQ(ReadLanguageFile(folder / "long"), UiLanguage::English);
}

}  // namespace
}  // namespace kestrane
