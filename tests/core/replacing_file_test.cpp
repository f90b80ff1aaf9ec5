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
#include <csignal>
#include <string>
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

// A long output goes to the disk a run at a time while it is written, and
// the same file object goes on to the next output: each reads back whole.
TEST(ReplacingFile, LongOutputsInPiecesReadBackWhole)
{
    const TempFolder folder;
    ReplacingFile file;
    for (const std::size_t size : {std::size_t{3'500'000}, std::size_t{1'200'000}}) {
        std::string text(size, ' ');
        for (std::size_t k = 0; k < size; ++k)
            text[k] = static_cast<char>('a' + (k * 7 + k / 4093) % 26);
        const auto target = folder / ("long" + std::to_string(size) + ".b3d");
        file.Open(target);
        for (std::size_t at = 0; at < size; at += 300'001) {
            file.Write(std::string_view(text).substr(at, 300'001));
            if (at == 600'002)
                file.StartWriteBack();
        }
        file.Commit();
        EXPECT_TRUE(ReadFile(target) == text) << size;
    }
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

TEST(ReplacingFile, NamesUpToTheLongestTakeTheirTemporaryFileCutShort)
{
    const TempFolder folder;
    const pid_t ended = EndedProcess();
    for (const std::size_t length : {245u, 251u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".b3d";
        // What an interrupted run left for the name, cut short as this run cuts it.
        const std::string suffix = ".tmp" + std::to_string(ended) + "-0";
        const std::string stale = "." + name.substr(0, std::min(name.size(), 255 - 1 - suffix.size())) + suffix;
        test::WriteFile(folder / stale, "stale");
        EXPECT_EQ(Replace(folder / name, "new"), "written") << length;
        EXPECT_EQ(test::EntryNames(folder.path()), std::vector<std::string>{name}) << length;
        std::filesystem::remove(folder / name);
    }
}

TEST(ReplacingFile, TemporaryNamesOfEveryReleaseAreRecognised)
{
    const auto parsed = [](std::string_view entry) {
        const auto name = ParseTemporaryFileName(entry);
        return name ? name->target + "@" + std::to_string(name->owner) : std::string("-");
    };
    EXPECT_EQ(parsed(".domb.b3d.tmp42-7"), "domb.b3d@42");
    EXPECT_EQ(parsed(".domb_003.b3d.tmp42-set2"), "domb_003.b3d@42");
    EXPECT_EQ(parsed("..domb_003.b3d.tmp42-set2.tmp42-9"), "domb_003.b3d@42");
    EXPECT_EQ(parsed(".domb.b3d.tmp42-x"), "-");
    EXPECT_EQ(parsed("domb.b3d.tmp42-1"), "-");
}

// A group's files are complete beside their names until Publish; then all
// go in place in order, the removals between them.
TEST(ReplacementGroup, PutsItsFilesInPlaceTogetherInOrder)
{
    const TempFolder folder;
    test::WriteFile(folder / "a.b3d", "old a");
    test::WriteFile(folder / "gone.txt", "old");
    {
        ReplacementGroup group;
        EXPECT_EQ(ReplacementGroup::Current(), &group);
        ReplacingFile file;
        file.Open(folder / "a.b3d");
        file.Write("new a");
        file.Commit();
        EXPECT_EQ(ReadFile(file.ReadablePath()), "new a");
        EXPECT_EQ(ReadFile(folder / "a.b3d"), "old a");
        group.AddRemoval(folder / "gone.txt");
        EXPECT_EQ(Replace(folder / "b.b3d", "new b"), "written");
        EXPECT_FALSE(std::filesystem::exists(folder / "b.b3d"));
        group.Publish();
    }
    EXPECT_EQ(ReplacementGroup::Current(), nullptr);
    EXPECT_EQ(test::EntryNames(folder.path()), (std::vector<std::string>{"a.b3d", "b.b3d"}));
    EXPECT_EQ(ReadFile(folder / "a.b3d"), "new a");

    // Dropped unpublished, an inner group inside: nothing changes.
    {
        ReplacementGroup outer;
        {
            ReplacementGroup inner;
            EXPECT_EQ(Replace(folder / "a.b3d", "newer"), "written");
            inner.Publish();
        }
        EXPECT_EQ(Replace(folder / "c.b3d", "c"), "written");
    }
    EXPECT_EQ(test::EntryNames(folder.path()), (std::vector<std::string>{"a.b3d", "b.b3d"}));
    EXPECT_EQ(ReadFile(folder / "a.b3d"), "new a");
}

TEST(ReplacementGroup, AnEndingSignalRemovesEveryFileItHolds)
{
    // More files at once than a fixed table would hold; the handler runs
    // in a child that ends by the signal.
    const TempFolder folder;
    const pid_t child = ::fork();
    if (child == 0) {
        RemoveTemporaryFilesOnTermination();
        ReplacementGroup group;
        for (int k = 0; k < 600; ++k)
            Replace(folder / ("f" + std::to_string(k) + ".b3d"), "x");
        ::raise(SIGTERM);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
    EXPECT_EQ(test::EntryNames(folder.path()), std::vector<std::string>{});
}

}  // namespace
}  // namespace kestrane
