#include "support/test_support.h"

#include "core/cp1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <csignal>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrane::test {

TempFolder::TempFolder()
{
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("kestrane-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(path_))
            break;
    }
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

CurrentFolder::CurrentFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path())
{
    std::filesystem::current_path(folder);
}

CurrentFolder::~CurrentFolder()
{
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
}

std::vector<std::string> EntryNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string B3dBytes(std::string_view utf8WithLf)
{
    std::string converted;
    if (!AppendUtf8AsCp1250(converted, utf8WithLf))
        ADD_FAILURE() << "expected text that Windows-1250 cannot write";
    std::string bytes;
    for (const char c : converted) {
        if (c == '\n')
            bytes += "\r\n";
        else
            bytes += c;
    }
    return bytes;
}

std::string ReadableText(std::string_view b3dBytes)
{
    std::string text;
    const std::string utf8 = Cp1250ToUtf8(b3dBytes);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
            continue;
        text += utf8[i];
    }
    return text;
}

void ExpectB3d(const std::string& bytes, const std::string& expected)
{
    EXPECT_EQ(ReadableText(bytes), expected);
    EXPECT_EQ(bytes, B3dBytes(expected));
}

std::string DataText(const std::string& name)
{
    const std::filesystem::path path = std::filesystem::path(KESTRANE_TEST_DATA) / name;
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    return ReadFile(path);
}

void ExpectB3dData(const std::string& bytes, const std::string& name)
{
    const char* regenerate = std::getenv("KESTRANE_REGENERATE_TEST_DATA");
    if (regenerate && std::string(regenerate) == "1") {
        WriteFile(std::filesystem::path(KESTRANE_TEST_DATA) / name, ReadableText(bytes));
        return;
    }
    ExpectB3d(bytes, DataText(name));
}

std::vector<std::string> Lines(std::string_view b3dBytes)
{
    std::vector<std::string> lines;
    std::istringstream in(ReadableText(b3dBytes));
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

CommandResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& folder,
                     const std::vector<std::string>& environment, std::size_t addressSpace)
{
    const char* program = std::getenv("KESTRANE_CLI");
    CommandResult result;
    if (!program) {
        ADD_FAILURE() << "KESTRANE_CLI is not set";
        return result;
    }
    TempFolder capture;
    const auto outPath = capture / "out";
    const auto errPath = capture / "err";
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        if (!freopen(outPath.c_str(), "w", stdout) || !freopen(errPath.c_str(), "w", stderr))
            _exit(127);
        for (const auto& assignment : environment)
            putenv(const_cast<char*>(assignment.c_str()));
        if (addressSpace != 0) {
            const rlimit limit{addressSpace, addressSpace};
            if (setrlimit(RLIMIT_AS, &limit) != 0)
                _exit(127);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program));
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program, argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.peakKilobytes = usage.ru_maxrss;
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}

struct FileSizeLimit::Saved {
    rlimit limit{};
    struct sigaction excess{};
};

FileSizeLimit::FileSizeLimit(unsigned long long bytes) : saved_(std::make_unique<Saved>())
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    if (sigaction(SIGXFSZ, &ignore, &saved_->excess) != 0 || getrlimit(RLIMIT_FSIZE, &saved_->limit) != 0)
        ADD_FAILURE() << "no file size limit here";
    rlimit lowered = saved_->limit;
    lowered.rlim_cur = static_cast<rlim_t>(bytes);
    if (setrlimit(RLIMIT_FSIZE, &lowered) != 0)
        ADD_FAILURE() << "the file size limit could not be lowered";
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &saved_->limit);
    sigaction(SIGXFSZ, &saved_->excess, nullptr);
}

}  // namespace kestrane::test
