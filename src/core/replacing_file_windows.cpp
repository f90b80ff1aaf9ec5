// File replacement on Windows: the same promises as on Linux (the new file
// complete on the disk before it takes the target's name, the previous file
// untouched by a failure, no temporary file left by a failed or interrupted
// run) with the Windows calls that give them: CreateFileW(CREATE_NEW) for the
// temporary file, FlushFileBuffers, and MoveFileExW with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH to put it in place.
// Windows has no descriptor of a folder: a "folder descriptor" here is the
// number of the folder's path in a table of the folders used, the same
// number for the same folder. The read-only attribute stands for the mode
// bits: a read-only file is refused with "File access denied".
#include "core/replacing_file.h"

#include "core/errors.h"
#include "core/replacing_file_names.h"
#include "core/utf8_path.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace kestrane {

namespace {

namespace fs = std::filesystem;

std::mutex tableLock;
std::vector<fs::path> folderTable;  // a folder's number: its place here

int FolderNumber(const fs::path& folder)
{
    std::error_code failed;
    fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : folder, failed);
    if (failed)
        absolute = folder;
    absolute = absolute.lexically_normal();
    const std::lock_guard<std::mutex> hold(tableLock);
    const auto known = std::find(folderTable.begin(), folderTable.end(), absolute);
    if (known != folderTable.end())
        return static_cast<int>(known - folderTable.begin());
    folderTable.push_back(absolute);
    return static_cast<int>(folderTable.size() - 1);
}

fs::path FolderPath(int number)
{
    const std::lock_guard<std::mutex> hold(tableLock);
    return folderTable.at(static_cast<std::size_t>(number));
}

fs::path EntryPath(int folder, const std::string& name) { return FolderPath(folder) / PathFromUtf8(name); }

// The temporary files a Ctrl+C or a closed console window removes: the
// console handler runs on a thread of its own, so a lock serves.
std::mutex pendingLock;
std::map<int, std::wstring> pendingFiles;
int nextPendingSlot = 0;

int ArmPendingSlot(int folder, const std::string& name) noexcept
{
    try {
        const std::wstring path = EntryPath(folder, name).wstring();
        const std::lock_guard<std::mutex> hold(pendingLock);
        pendingFiles.emplace(nextPendingSlot, path);
        return nextPendingSlot++;
    } catch (...) {
        return -1;  // left to the next run's clean-up
    }
}

void DisarmPendingSlot(int slot) noexcept
{
    if (slot < 0)
        return;
    const std::lock_guard<std::mutex> hold(pendingLock);
    pendingFiles.erase(slot);
}

std::atomic<unsigned> temporaryCounter{0};

// The C library's code for the Windows error `error`, for IoErrorText.
int ErrnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return EINVAL;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

int LastErrno() { return ErrnoOf(::GetLastError()); }

// A process id that names no running process any more.
bool ProcessEnded(int owner)
{
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(owner));
    if (process == nullptr)
        return ::GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

bool IsRegularFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// The temporary files in `folder` left by processes that ended: each
// entry's name (UTF-8) and what it stands for.
std::vector<std::pair<std::string, TemporaryFileName>> StaleTemporaryFiles(const fs::path& folder)
{
    std::vector<std::pair<std::string, TemporaryFileName>> stale;
    std::error_code failed;
    fs::directory_iterator entries(folder, failed);
    const int self = static_cast<int>(::GetCurrentProcessId());
    for (; !failed && entries != fs::directory_iterator(); entries.increment(failed)) {
        std::string entry;
        try {
            entry = entries->path().filename().string();
        } catch (const std::exception&) {
            continue;  // a name that is not Unicode is none of ours
        }
        std::optional<TemporaryFileName> temporary = ParseTemporaryFileName(entry);
        if (temporary && temporary->owner != self && ProcessEnded(temporary->owner))
            stale.emplace_back(std::move(entry), std::move(*temporary));
    }
    return stale;
}

void RemoveStaleEntry(const fs::path& folder, const std::string& entry)
{
    const fs::path path = folder / PathFromUtf8(entry);
    if (IsRegularFile(::GetFileAttributesW(path.c_str())))
        ::DeleteFileW(path.c_str());
}

thread_local ReplacementGroup* currentGroup = nullptr;

// Flushes the complete file `path` to the disk; 0 or the C library's code.
int FlushFile(const fs::path& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastErrno();
    const int code = ::FlushFileBuffers(file) ? 0 : LastErrno();
    ::CloseHandle(file);
    return code;
}

bool MoveInPlace(const fs::path& temporary, const fs::path& target)
{
    return ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

BOOL WINAPI RemoveTemporaryFilesAndExit(DWORD event)
{
    RemovePendingTemporaryFiles();
    // As a shell reports SIGINT and SIGHUP.
    ::ExitProcess(event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT ? 129 : 130);
}

}  // namespace

ReplacingFile::~ReplacingFile() { Abandon(); }

void ReplacingFile::Open(const fs::path& target)
{
    Abandon();
    displayPath_ = target.string();
    readablePath_ = target;  // Commit leaves the target readable here, or beside it the temporary file
    name_ = target.filename().string();
    if (name_.empty() || name_ == "." || name_ == "..")
        Fail(EISDIR);
    const fs::path folder = target.parent_path();
    const DWORD folderAttributes = ::GetFileAttributesW(folder.empty() ? L"." : folder.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES)
        Fail(LastErrno());
    if ((folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        Fail(ENOTDIR);
    folderFd_ = FolderNumber(folder);

    // What stands under the name now: a folder cannot be replaced, a
    // read-only file is not to be.
    const fs::path targetPath = EntryPath(folderFd_, name_);
    const DWORD previous = ::GetFileAttributesW(targetPath.c_str());
    if (previous != INVALID_FILE_ATTRIBUTES) {
        if ((previous & FILE_ATTRIBUTE_DIRECTORY) != 0 && (previous & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
            Fail(EISDIR);
        if ((previous & FILE_ATTRIBUTE_READONLY) != 0 && IsRegularFile(previous))
            Fail(EACCES);
    } else if (const DWORD error = ::GetLastError(); error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        Fail(ErrnoOf(error));
    }

    if (ReplacementGroup* group = ReplacementGroup::Current()) {
        group->RemoveStaleTemporaryFilesOf(folderFd_, name_);
    } else {
        const std::string name = name_;
        RemoveStaleTemporaryFiles(FolderPath(folderFd_),
                                  [&name](const TemporaryFileName& t) { return TemporaryFileOf(t, name); });
    }

    const long long pid = ::GetCurrentProcessId();
    for (int attempt = 0;; ++attempt) {
        temporaryName_ = TemporaryNameOf(name_, temporaryCounter++, pid, kLongestEntryName);
        slot_ = ArmPendingSlot(folderFd_, temporaryName_);
        HANDLE file = ::CreateFileW(EntryPath(folderFd_, temporaryName_).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = file;
            fd_ = 0;
            break;
        }
        const int code = LastErrno();
        DisarmPendingSlot(slot_);
        slot_ = -1;
        if (code != EEXIST || attempt == 100) {
            temporaryName_.clear();
            Fail(code);
        }
    }
}

void ReplacingFile::Write(std::string_view bytes)
{
    if (fd_ < 0)
        Fail(EBADF);
    while (!bytes.empty()) {
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handle_, bytes.data(), part, &written, nullptr))
            Fail(LastErrno());
        if (written == 0)
            Fail(ENOSPC);
        bytes.remove_prefix(written);
    }
}

void ReplacingFile::StartWriteBack() noexcept {}  // the flush of Commit does it all

void ReplacingFile::Commit()
{
    if (fd_ < 0)
        return;
    if (ReplacementGroup* group = ReplacementGroup::Current()) {
        fd_ = -1;
        if (!::CloseHandle(std::exchange(handle_, nullptr)))
            Fail(LastErrno());
        readablePath_ = readablePath_.parent_path() / PathFromUtf8(temporaryName_);
        group->Adopt({ReplacementGroup::Step::Kind::Rename, folderFd_, temporaryName_, name_, displayPath_, slot_});
        folderFd_ = -1;
        slot_ = -1;
        temporaryName_.clear();
        return;
    }
    // On the disk before the name points to it.
    if (!::FlushFileBuffers(handle_))
        Fail(LastErrno());
    fd_ = -1;
    if (!::CloseHandle(std::exchange(handle_, nullptr)))
        Fail(LastErrno());
    if (!MoveInPlace(EntryPath(folderFd_, temporaryName_), EntryPath(folderFd_, name_)))
        Fail(LastErrno());
    DisarmPendingSlot(slot_);
    slot_ = -1;
    temporaryName_.clear();
    folderFd_ = -1;
}

void ReplacingFile::Abandon() noexcept
{
    if (fd_ >= 0) {
        ::CloseHandle(std::exchange(handle_, nullptr));
        fd_ = -1;
    }
    if (!temporaryName_.empty()) {
        try {
            ::DeleteFileW(EntryPath(folderFd_, temporaryName_).c_str());
        } catch (...) {
            // left to the next run's clean-up
        }
        temporaryName_.clear();
    }
    DisarmPendingSlot(slot_);
    slot_ = -1;
    folderFd_ = -1;
}

void ReplacingFile::Fail(int code)
{
    Abandon();
    throw OutputError(IoErrorText(code), displayPath_, code);
}

void RemoveStaleTemporaryFiles(const fs::path& folder, const std::function<bool(const TemporaryFileName&)>& ours)
{
    const fs::path listed = folder.empty() ? fs::path(".") : folder;
    for (const auto& [entry, temporary] : StaleTemporaryFiles(listed))
        if (ours(temporary))
            RemoveStaleEntry(listed, entry);
}

// --- Groups of files replaced together -------------------------------------

ReplacementGroup::ReplacementGroup() : outer_(currentGroup) { currentGroup = this; }

ReplacementGroup::~ReplacementGroup()
{
    Abandon();
    currentGroup = outer_;
}

ReplacementGroup* ReplacementGroup::Current() { return currentGroup; }


int ReplacementGroup::KeptFolder(int folderFd) const
{
    return std::find(folders_.begin(), folders_.end(), folderFd) != folders_.end() ? folderFd : -1;
}

void ReplacementGroup::Adopt(Step step)
{
    if (KeptFolder(step.folderFd) < 0)
        folders_.push_back(step.folderFd);
    steps_.push_back(std::move(step));
}

void ReplacementGroup::RemoveStaleTemporaryFilesOf(int folderFd, const std::string& name)
{
    if (outer_ != nullptr) {
        outer_->RemoveStaleTemporaryFilesOf(folderFd, name);
        return;
    }
    // The folder is listed once for the whole group: a batch writes
    // thousands of files into it. Its number stands in for the inode.
    auto listed = std::find_if(staleListings_.begin(), staleListings_.end(), [folderFd](const StaleListing& l) {
        return l.inode == static_cast<ino_t>(folderFd);
    });
    if (listed == staleListings_.end()) {
        staleListings_.push_back({0, static_cast<ino_t>(folderFd), StaleTemporaryFiles(FolderPath(folderFd))});
        listed = staleListings_.end() - 1;
    }
    for (auto& [entry, temporary] : listed->stale) {
        if (entry.empty() || !TemporaryFileOf(temporary, name))
            continue;
        RemoveStaleEntry(FolderPath(folderFd), entry);
        entry.clear();
    }
}

void ReplacementGroup::AddRemoval(const fs::path& target)
{
    const fs::path folder = target.parent_path();
    const DWORD attributes = ::GetFileAttributesW(folder.empty() ? L"." : folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return;  // nothing there to remove
    Step step;
    step.kind = Step::Kind::Remove;
    step.folderFd = FolderNumber(folder);
    step.name = target.filename().string();
    step.displayPath = target.string();
    Adopt(std::move(step));
}

void ReplacementGroup::Abandon() noexcept
{
    for (Step& step : steps_) {
        if (!step.temporaryName.empty()) {
            try {
                ::DeleteFileW(EntryPath(step.folderFd, step.temporaryName).c_str());
            } catch (...) {
                // left to the next run's clean-up
            }
        }
        DisarmPendingSlot(step.slot);
    }
    steps_.clear();
}

void ReplacementGroup::Publish()
{
    if (outer_ != nullptr) {
        for (Step& step : steps_)
            outer_->Adopt(std::move(step));
        steps_.clear();
        folders_.clear();
        return;
    }
    StepCalls calls;
    calls.flush = [](const Step& step) { return FlushFile(EntryPath(step.folderFd, step.temporaryName)); };
    calls.rename = [](Step& step) {
        if (!MoveInPlace(EntryPath(step.folderFd, step.temporaryName), EntryPath(step.folderFd, step.name)))
            return LastErrno();
        DisarmPendingSlot(step.slot);
        return 0;
    };
    calls.remove = [](const Step& step) {
        const fs::path target = EntryPath(step.folderFd, step.name);
        const DWORD attributes = ::GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            ::DeleteFileW(target.c_str());
    };
    CarryOutSteps(calls);
}

void RemovePendingTemporaryFiles() noexcept
{
    const std::lock_guard<std::mutex> hold(pendingLock);
    for (const auto& [slot, path] : pendingFiles)
        ::DeleteFileW(path.c_str());
}

void RemoveTemporaryFilesOnTermination() { ::SetConsoleCtrlHandler(RemoveTemporaryFilesAndExit, TRUE); }

}  // namespace kestrane
