// Every file the program writes replaces a directory entry: the new content
// goes into a temporary file beside the target, is flushed to the disk, and
// is renamed over the target's name only when it is complete.
//
//  - Whatever stands under the target's name (a symbolic link, a pipe, a
//    device) is replaced by the new regular file; it is never opened for
//    writing, so the file a link points to stays as it is.
//  - A regular file whose mode bits forbid writing (chmod a-w, or no write
//    bit for the writing user's class) is refused with "File access denied"
//    and left as it is. The mode bits decide, so this holds for root too.
//  - A failed or abandoned output leaves the previous file untouched and
//    removes its temporary file. Temporary files of processes that no longer
//    exist, left beside the target by an interrupted run, are removed when
//    the target is written again.
//  - The temporary file is named ".<name>.tmp<pid>-<n>"; a name too long for
//    that is cut short in the temporary name (never in the target's), so
//    every name the folder takes can be written.
//  - While a ReplacementGroup is open, a committed file is complete but not
//    yet in place: the group flushes all of its files in one pass and then
//    puts each in place (a batch, a tile set).
#pragma once

#include "core/non_copyable.h"

#include <cstdint>
#include <filesystem>
#include <sys/types.h>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// The platform's text for a failed file operation with errno `code`:
// "File not found", "File access denied", "Disk full", "Too many open files",
// "Invalid filename", or "I/O error <code>".
std::string IoErrorText(int code);

class ReplacingFile : NonCopyable {
public:
    ~ReplacingFile();  // an output still open is abandoned

    // Starts a new output for `target` (relative to the current folder).
    // Throws OutputError naming `target` when it cannot be created.
    void Open(const std::filesystem::path& target);
    bool IsOpen() const { return fd_ >= 0; }

    // Writes all of `bytes`; a long output starts going to the disk a run
    // at a time. Throws OutputError; the output is then abandoned.
    void Write(std::string_view bytes);
    // Starts writing what has been written so far to the disk, without
    // waiting for it (where the system allows): the flush of Commit or of
    // the group then waits for less.
    void StartWriteBack() noexcept;

    // Flushes the file to the disk, closes it and renames it over the
    // target. Throws OutputError; the output is then abandoned and the
    // previous file stays untouched. While a ReplacementGroup is open, the
    // complete file is handed to it instead, to be flushed and renamed
    // with the group's other files.
    void Commit();

    // Where the content written can be read: the target after a Commit, or
    // the temporary file while a group holds it.
    const std::filesystem::path& ReadablePath() const { return readablePath_; }

    // Drops an unfinished output; the previous file stays untouched.
    void Abandon() noexcept;

private:
    [[noreturn]] void Fail(int code);
    int folderFd_ = -1;          // the target's folder (O_PATH)
    int fd_ = -1;                // the temporary file
#ifdef _WIN32
    void* handle_ = nullptr;     // its Windows handle (fd_ is 0 while it is open)
#endif
    int slot_ = -1;              // its entry in the interruption table
    std::uint64_t written_ = 0;      // bytes written to fd_ so far
    std::uint64_t writingBack_ = 0;  // of them, those sent on to the disk
    std::string name_;           // the target's name in its folder
    std::string temporaryName_;  // the temporary file's name there
    std::string displayPath_;    // the target as the caller named it
    std::filesystem::path readablePath_;
};

// The target name a temporary file of ours stands for (".<name>.tmp<pid>-<n>",
// also the "-set<n>" names earlier releases used for tile sets) and the
// process that made it; nothing for any other entry name.
struct TemporaryFileName {
    std::string target;
    int owner = 0;
    bool cut = false;  // the target's name was cut short: `target` is its beginning
};
// Files that replace their targets together. While a group is open (the
// innermost one of this thread), every ReplacingFile committed joins it
// instead of being put in place at once; Publish then flushes all of them
// in one pass and carries out the group's steps in the order they were
// added: each file renamed over its target, and the removals asked for in
// between. A group opened inside another hands its steps to the outer one
// on Publish. What a group holds when it is dropped unpublished (a failure,
// a refusal) is removed, and the previous files stay as they were.
class ReplacementGroup : NonCopyable {
public:
    ReplacementGroup();
    ~ReplacementGroup();

    // The innermost open group of this thread, or nothing.
    static ReplacementGroup* Current();

    // A step: removes `target` (a file or link; a folder stays) when the
    // group is published, after the steps added before it.
    void AddRemoval(const std::filesystem::path& target);

    // Flushes every file of the group to the disk, then carries out its
    // steps in order and makes the folders' new entries durable. Throws
    // OutputError when a step fails; the steps after it are dropped and
    // their temporary files removed.
    void Publish();

    // Drops every step not yet carried out, removing its temporary file.
    void Abandon() noexcept;

    // The names (in their folders) that the steps not yet carried out
    // replace or remove, in order.
    std::vector<std::string> TargetNames() const;

    // A file to rename over its target, or a target to remove.
    struct Step {
        enum class Kind { Rename, Remove };
        Kind kind = Kind::Rename;
        int folderFd = -1;          // the target's folder (O_PATH)
        std::string temporaryName;  // Rename: the complete file
        std::string name;           // the target's name in its folder
        std::string displayPath;    // the target as the caller named it
        int slot = -1;              // the temporary file's entry in the interruption table
    };
    // Takes a complete file over from ReplacingFile::Commit, its folder
    // descriptor included.
    void Adopt(Step step);
    // For ReplacingFile::Open: the temporary files of ended processes for
    // `name` in the folder `folderFd`, found in one listing per folder.
    void RemoveStaleTemporaryFilesOf(int folderFd, const std::string& name);

    // For tests: called with the number of each step before it is carried
    // out; what it throws fails the publication at that step.
    static void SetStepHookForTesting(void (*hook)(std::size_t step));

private:
    // The platform's calls for Publish; each returns 0 or the errno of
    // its failure.
    struct StepCalls {
        std::function<int(const Step&)> flush;    // puts a complete file on the disk; empty: all are there
        std::function<int(Step&)> rename;         // renames it over its target, its slot disarmed
        std::function<void(const Step&)> remove;  // removes a target that is not a folder
    };
    // Publish after the outer group and the flush of the file systems:
    // flushes each file, then carries out the steps in order (the test
    // hook before each). A failure abandons what is left and throws
    // OutputError naming the step's target.
    void CarryOutSteps(const StepCalls& calls);
    int KeptFolder(int folderFd) const;  // a kept descriptor of the same folder, or -1
    struct StaleListing {
        dev_t device;
        ino_t inode;
        std::vector<std::pair<std::string, TemporaryFileName>> stale;  // entry (empty once removed), what it is
    };
    std::vector<Step> steps_;
    std::vector<int> folders_;
    std::vector<StaleListing> staleListings_;
    ReplacementGroup* outer_ = nullptr;
};

std::optional<TemporaryFileName> ParseTemporaryFileName(std::string_view entry);

// Removes from `folder` the temporary files of processes that no longer
// exist whose target `ours` accepts. Regular files only.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               const std::function<bool(const TemporaryFileName&)>& ours);

// Removes the temporary file of every output open in this process.
// Async-signal-safe: meant for a signal handler that ends the process.
void RemovePendingTemporaryFiles() noexcept;

// For a program that is ended by SIGINT, SIGTERM or SIGHUP in the middle of
// writing: installs handlers that remove the pending temporary files and end
// the process with exit code 128 + the signal number (130, 143, 129).
// Signals that are ignored (nohup) stay ignored.
void RemoveTemporaryFilesOnTermination();

}  // namespace kestrane
