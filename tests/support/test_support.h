// Helpers shared by the tests: temporary folders, files as bytes, and the
// conversion of expected texts (UTF-8, LF) into the bytes of a B3D file
// (Windows-1250, CR LF).
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane::test {

// A fresh empty folder, removed with everything in it at destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Changes the current folder for the lifetime of the object.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder);
    ~CurrentFolder();

private:
    std::filesystem::path previous_;
};

// The names in `folder` (hidden ones too), sorted.
std::vector<std::string> EntryNames(const std::filesystem::path& folder);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// Expected B3D bytes from readable text: UTF-8 to Windows-1250, every LF
// becomes CR LF.
std::string B3dBytes(std::string_view utf8WithLf);
// The reverse, for readable failure messages: Windows-1250 to UTF-8 and
// CR LF to LF.
std::string ReadableText(std::string_view b3dBytes);

// Expects the B3D `bytes` to be `expected` (UTF-8, LF): first as readable
// text, for a useful message, then byte for byte.
void ExpectB3d(const std::string& bytes, const std::string& expected);

// An expected text kept in tests/data: `name` is its path there
// ("equipment/chimney_hu.txt"), the text UTF-8 with LF line ends.
std::string DataText(const std::string& name);

// ExpectB3d against the text of tests/data/`name`. With the environment
// variable KESTRANE_REGENERATE_TEST_DATA=1 the file is written from `bytes`
// instead (as readable text), after a change that alters the output on
// purpose:
//   KESTRANE_REGENERATE_TEST_DATA=1 ctest --test-dir build -R house_equipment
// then review the change with `git diff tests/data`.
void ExpectB3dData(const std::string& bytes, const std::string& name);

// The lines of a B3D file (CR LF removed, converted to UTF-8).
std::vector<std::string> Lines(std::string_view b3dBytes);

// Runs the command line program (KESTRANE_CLI) with `args` in `folder`;
// returns its exit code and fills stdout and stderr. A non-zero
// `addressSpace` limits the program's virtual memory to that many bytes.
struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    // The most memory the process held (its maximum resident set), counted
    // from the fork on: the test program's own pages are in it too.
    long peakKilobytes = 0;
};
CommandResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& folder,
                     const std::vector<std::string>& environment = {}, std::size_t addressSpace = 0);

// While it lives, no file of this process or of the processes it starts can
// grow beyond `bytes`: a write past it fails with EFBIG ("Disk full"), as on
// a full disk (SIGXFSZ is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
};

}  // namespace kestrane::test
