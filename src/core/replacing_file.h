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
//  - The temporary file is named ".<name>.tmp<pid>-<n>".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrane {

// The platform's text for a failed file operation with errno `code`:
// "File not found", "File access denied", "Disk full", "Too many open files",
// "Invalid filename", or "I/O error <code>".
std::string IoErrorText(int code);

class ReplacingFile {
public:
    ReplacingFile() = default;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();  // an output still open is abandoned

    // Starts a new output for `target` (relative to the current folder).
    // Throws OutputError naming `target` when it cannot be created.
    void Open(const std::filesystem::path& target);
    bool IsOpen() const { return fd_ >= 0; }

    // Writes all of `bytes`. Throws OutputError; the output is then
    // abandoned.
    void Write(std::string_view bytes);

    // Flushes the file to the disk, closes it and renames it over the
    // target. Throws OutputError; the output is then abandoned and the
    // previous file stays untouched.
    void Commit();

    // Drops an unfinished output; the previous file stays untouched.
    void Abandon() noexcept;

private:
    [[noreturn]] void Fail(int code);
    void RemoveStaleTemporaryFiles() const noexcept;

    int folderFd_ = -1;          // the target's folder (O_PATH)
    int fd_ = -1;                // the temporary file
    int slot_ = -1;              // its entry in the interruption table
    std::string name_;           // the target's name in its folder
    std::string temporaryName_;  // the temporary file's name there
    std::string displayPath_;    // the target as the caller named it
};

// Removes the temporary file of every output open in this process.
// Async-signal-safe: meant for a signal handler that ends the process.
void RemovePendingTemporaryFiles() noexcept;

// For a program that is ended by SIGINT, SIGTERM or SIGHUP in the middle of
// writing: installs handlers that remove the pending temporary files and end
// the process with exit code 128 + the signal number (130, 143, 129).
// Signals that are ignored (nohup) stay ignored.
void RemoveTemporaryFilesOnTermination();

}  // namespace kestrane
