// The command line in a folder as a hostile archive or an interrupted run
// leaves it: links, pipes and devices under the names it writes and reads,
// write-protected files, signals in the middle of a full-size terrain and
// the temporary files of runs that were killed.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kestrane {
namespace {

using namespace std::chrono_literals;
using test::ReadFile;
using test::TempFolder;

// A run of the command line in `folder` (output to /dev/null), started
// through `wrapper` when one is given. Killed at destruction if still running.
class CliRun {
public:
    CliRun(const std::vector<std::string>& args, const std::filesystem::path& folder,
           const std::vector<std::string>& wrapper = {})
    {
        const char* program = std::getenv("KESTRANE_CLI");
        if (!program) {
            ADD_FAILURE() << "KESTRANE_CLI is not set";
            return;
        }
        std::vector<std::string> command = wrapper;
        command.push_back(program);
        command.insert(command.end(), args.begin(), args.end());
        pid_ = ::fork();
        if (pid_ == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            if (::chdir(folder.c_str()) != 0 || null < 0)
                ::_exit(127);
            ::dup2(null, 1);
            ::dup2(null, 2);
            std::vector<char*> argv;
            for (auto& word : command)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~CliRun()
    {
        if (pid_ > 0 && !ended_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    CliRun(const CliRun&) = delete;
    CliRun& operator=(const CliRun&) = delete;

    pid_t pid() const { return pid_; }

    // The exit code, or 1000 + the signal that killed it, or -1 when it is
    // still running after `limit` (it is killed then).
    int Wait(std::chrono::milliseconds limit = 30s)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (true) {
            const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
            if (ended == pid_)
                break;
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, nullptr, 0);
                ended_ = true;
                return -1;
            }
            std::this_thread::sleep_for(5ms);
        }
        ended_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    }

private:
    pid_t pid_ = -1;
    bool ended_ = false;
};

bool IsRegularFile(const std::filesystem::path& path)
{
    return std::filesystem::is_regular_file(std::filesystem::symlink_status(path));
}

const std::vector<std::string> kFullSizeTerrain = {
    "terrain", "--lang", "en", "--area", "1000,10000", "--resolution", "100,1000", "--slope", "5,-20",
    "--curve", "30,300,600", "--peak", "20,100,15,10", "--peak", "50,200,-8,25", "--peak", "80,400,20,30"};

TEST(FileSafety, WhatStandsUnderAnOutputNameIsReplacedNeverWrittenThrough)
{
    const TempFolder folder;
    test::WriteFile(folder / "victim.b3d", "keep");
    std::filesystem::create_symlink("victim.b3d", folder / "haz_satorteto.b3d");
    CliRun house({"house", "--lang", "hu"}, folder.path());
    EXPECT_EQ(house.Wait(), 0);
    EXPECT_TRUE(IsRegularFile(folder / "haz_satorteto.b3d"));
    EXPECT_EQ(ReadFile(folder / "haz_satorteto.b3d").rfind(";H\xE1zgener\xE1l\xF3 program", 0), 0u);
    EXPECT_EQ(ReadFile(folder / "victim.b3d"), "keep");

    // A pipe would block an open for writing; a device would swallow the file.
    ASSERT_EQ(::mkfifo((folder / "domb.b3d").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/null", folder / "House_pyramid.b3d");
    CliRun terrain({"terrain", "--lang", "en"}, folder.path());
    EXPECT_EQ(terrain.Wait(20s), 0) << "a pipe under the name blocked the run";
    EXPECT_TRUE(IsRegularFile(folder / "domb.b3d"));
    CliRun english({"house", "--lang", "en"}, folder.path());
    EXPECT_EQ(english.Wait(), 0);
    EXPECT_TRUE(IsRegularFile(folder / "House_pyramid.b3d"));
    EXPECT_GT(std::filesystem::file_size(folder / "House_pyramid.b3d"), 1000u);
    EXPECT_EQ(test::EntryNames(folder.path()),
              (std::vector<std::string>{"House_pyramid.b3d", "domb.b3d", "haz_satorteto.b3d", "victim.b3d"}));
}

TEST(FileSafety, LangCfgThatIsNoRegularFileReadsAsMissing)
{
    // Missing means Hungarian: the default house is haz_satorteto.b3d.
    const TempFolder folder;
    test::WriteFile(folder / "english.cfg", "en");
    auto languageOfRun = [&folder]() -> std::string {
        std::filesystem::remove(folder / "haz_satorteto.b3d");
        std::filesystem::remove(folder / "House_pyramid.b3d");
        CliRun run({"house"}, folder.path());
        const int code = run.Wait(20s);
        if (code != 0)
            return "exit " + std::to_string(code);
        return std::filesystem::exists(folder / "haz_satorteto.b3d") ? "hu" : "en";
    };
    ASSERT_EQ(::mkfifo((folder / "lang.cfg").c_str(), 0644), 0);
    EXPECT_EQ(languageOfRun(), "hu") << "a pipe";
    std::filesystem::remove(folder / "lang.cfg");
    std::filesystem::create_symlink("/dev/zero", folder / "lang.cfg");
    EXPECT_EQ(languageOfRun(), "hu") << "a device";
    std::filesystem::remove(folder / "lang.cfg");
    std::filesystem::create_symlink("english.cfg", folder / "lang.cfg");
    EXPECT_EQ(languageOfRun(), "hu") << "a link";
    std::filesystem::remove(folder / "lang.cfg");
    test::WriteFile(folder / "lang.cfg", "en");
    EXPECT_EQ(languageOfRun(), "en") << "the regular file";
}

TEST(FileSafety, WriteProtectedTargetIsRefusedAndKept)
{
    const TempFolder folder;
    const auto target = folder / "House_pyramid.b3d";
    test::WriteFile(target, "previous");
    std::filesystem::permissions(target, std::filesystem::perms(0444));
    {
        // The mode bits decide, so root is refused too.
        const auto run = test::RunCli({"house", "--lang", "en"}, folder.path());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "kestrane house: " + target.filename().string() + ": File access denied\n");
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(ReadFile(target), "previous");
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0444));
    EXPECT_EQ(test::EntryNames(folder.path()), std::vector<std::string>{"House_pyramid.b3d"});

    if (::geteuid() != 0)
        GTEST_SKIP() << "the ordinary user's cases need root to switch to one";
    // An ordinary user (nobody) in a folder of its own.
    const std::vector<std::string> nobody = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    ASSERT_EQ(::chown(folder.path().c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    CliRun own({"house", "--lang", "en"}, folder.path(), nobody);
    EXPECT_EQ(own.Wait(), 1) << "its own file, 0444";
    EXPECT_EQ(ReadFile(target), "previous");
    // A file of another user that only its owner may write.
    ASSERT_EQ(::chown(target.c_str(), 0, 0), 0);
    std::filesystem::permissions(target, std::filesystem::perms(0644));
    CliRun others({"house", "--lang", "en"}, folder.path(), nobody);
    EXPECT_EQ(others.Wait(), 1) << "root's file, 0644";
    EXPECT_EQ(ReadFile(target), "previous");
    // Its own writable file is replaced, keeping the mode.
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    CliRun writable({"house", "--lang", "en"}, folder.path(), nobody);
    EXPECT_EQ(writable.Wait(), 0);
    EXPECT_NE(ReadFile(target), "previous");
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(test::EntryNames(folder.path()), std::vector<std::string>{"House_pyramid.b3d"});
}

TEST(FileSafety, InterruptedRunRemovesItsTemporaryFile)
{
    for (const auto& [signal, code] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}, std::pair{SIGHUP, 129}}) {
        const TempFolder folder;
        test::WriteFile(folder / "domb.b3d", "previous");
        CliRun run(kFullSizeTerrain, folder.path());
        // Interrupted while its temporary file is being written.
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        bool writing = false;
        while (!writing && std::chrono::steady_clock::now() < deadline) {
            for (const auto& name : test::EntryNames(folder.path()))
                writing = writing || name.rfind(".domb.b3d.tmp", 0) == 0;
            std::this_thread::sleep_for(1ms);
        }
        ASSERT_TRUE(writing) << "no temporary file seen";
        ::kill(run.pid(), signal);
        EXPECT_EQ(run.Wait(), code) << strsignal(signal);
        EXPECT_EQ(test::EntryNames(folder.path()), std::vector<std::string>{"domb.b3d"}) << strsignal(signal);
        EXPECT_EQ(ReadFile(folder / "domb.b3d"), "previous");
    }
}

TEST(FileSafety, TemporaryFilesOfEndedRunsGoWithTheNextGeneration)
{
    const TempFolder folder;
    test::WriteFile(folder / "domb.b3d", "previous");
    {
        // SIGKILL leaves no chance to clean up.
        CliRun killed(kFullSizeTerrain, folder.path());
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (test::EntryNames(folder.path()).size() < 2 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        ::kill(killed.pid(), SIGKILL);
        EXPECT_EQ(killed.Wait(), 1000 + SIGKILL);
    }
    ASSERT_EQ(test::EntryNames(folder.path()).size(), 2u) << "the killed run left its temporary file";
    // A run that still goes on keeps its file; other targets' files stay.
    const std::string living = ".domb.b3d.tmp" + std::to_string(::getpid()) + "-0";
    test::WriteFile(folder / living, "in progress");
    test::WriteFile(folder / ".other.b3d.tmp999999999-0", "not ours");
    EXPECT_EQ(test::RunCli({"terrain", "--lang", "en"}, folder.path()).exitCode, 0);
    EXPECT_EQ(test::EntryNames(folder.path()), (std::vector<std::string>{living, ".other.b3d.tmp999999999-0", "domb.b3d"}));
    EXPECT_NE(ReadFile(folder / "domb.b3d"), "previous");
}

}  // namespace
}  // namespace kestrane
