#include "core/replacing_file.h"

#include "core/errors.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kestrane {

namespace {

// --- The temporary files a signal handler removes -------------------------
//
// A fixed table, so that a handler can walk it without locks or
// allocation. A slot is claimed, filled, then armed; the handler only reads
// armed slots, whose contents stay put until they are disarmed.

struct PendingSlot {
    std::atomic<bool> claimed{false};
    std::atomic<bool> armed{false};
    int folderFd = -1;
    char name[NAME_MAX + 1] = {};
};

constexpr std::size_t kPendingSlots = 16;
std::array<PendingSlot, kPendingSlots> pendingSlots;
static_assert(std::atomic<bool>::is_always_lock_free);

int ArmPendingSlot(int folderFd, const std::string& name) noexcept
{
    if (name.size() > NAME_MAX)
        return -1;
    for (std::size_t i = 0; i < kPendingSlots; ++i) {
        PendingSlot& slot = pendingSlots[i];
        bool expected = false;
        if (!slot.claimed.compare_exchange_strong(expected, true))
            continue;
        slot.folderFd = folderFd;
        std::memcpy(slot.name, name.c_str(), name.size() + 1);
        slot.armed.store(true);
        return static_cast<int>(i);
    }
    return -1;  // more outputs at once than slots: left to the next run's clean-up
}

void DisarmPendingSlot(int index) noexcept
{
    if (index < 0)
        return;
    PendingSlot& slot = pendingSlots[static_cast<std::size_t>(index)];
    slot.armed.store(false);
    slot.folderFd = -1;
    slot.claimed.store(false);
}

std::atomic<unsigned> temporaryCounter{0};

constexpr std::string_view kTemporaryInfix = ".tmp";

bool InCallersGroups(gid_t group)
{
    if (group == ::getegid())
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) {
        if (groups[static_cast<std::size_t>(i)] == group)
            return true;
    }
    return false;
}

// A regular file its owner or the caller has write-protected. Root, who may
// write anything, is refused a file without any write bit.
bool WriteProtected(const struct stat& file)
{
    if ((file.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    const uid_t user = ::geteuid();
    if (user == 0)
        return false;
    if (file.st_uid == user)
        return (file.st_mode & S_IWUSR) == 0;
    if (InCallersGroups(file.st_gid))
        return (file.st_mode & S_IWGRP) == 0;
    return (file.st_mode & S_IWOTH) == 0;
}

// The process id in ".<name>.tmp<pid>-<n>", or 0 when `entry` is not a
// temporary file of `name`.
pid_t TemporaryFileOwner(std::string_view entry, std::string_view name)
{
    if (entry.size() <= 1 + name.size() + kTemporaryInfix.size() || entry.front() != '.' ||
        entry.substr(1, name.size()) != name || entry.substr(1 + name.size(), kTemporaryInfix.size()) != kTemporaryInfix)
        return 0;
    const std::string_view rest = entry.substr(1 + name.size() + kTemporaryInfix.size());
    long long pid = 0;
    const auto [afterPid, pidError] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (pidError != std::errc() || afterPid == rest.data() + rest.size() || *afterPid != '-' || pid <= 0 ||
        pid > INT_MAX)
        return 0;
    unsigned long long counter = 0;
    const char* const end = rest.data() + rest.size();
    const auto [afterCounter, counterError] = std::from_chars(afterPid + 1, end, counter);
    if (counterError != std::errc() || afterCounter != end)
        return 0;
    return static_cast<pid_t>(pid);
}

}  // namespace

std::string IoErrorText(int code)
{
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        return "File access denied";
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return "Invalid filename";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(code);
    }
}

ReplacingFile::~ReplacingFile() { Abandon(); }

void ReplacingFile::Open(const std::filesystem::path& target)
{
    Abandon();
    displayPath_ = target.string();
    name_ = target.filename().string();
    if (name_.empty() || name_ == "." || name_ == "..")
        Fail(EISDIR);
    const std::filesystem::path folder = target.parent_path();
    folderFd_ = ::open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0)
        Fail(errno);

    // What stands under the name now. Only a regular file passes its mode
    // on; anything else is simply replaced.
    struct stat previous {};
    bool keepMode = false;
    if (::fstatat(folderFd_, name_.c_str(), &previous, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(previous.st_mode))
            Fail(EISDIR);  // renaming over a folder fails; say so before anything is written
        if (S_ISREG(previous.st_mode)) {
            if (WriteProtected(previous))
                Fail(EACCES);
            keepMode = true;
        }
    } else if (errno != ENOENT) {
        Fail(errno);
    }

    RemoveStaleTemporaryFiles();

    const std::string prefix = "." + name_ + std::string(kTemporaryInfix) + std::to_string(::getpid()) + "-";
    for (int attempt = 0;; ++attempt) {
        temporaryName_ = prefix + std::to_string(temporaryCounter++);
        fd_ = ::openat(folderFd_, temporaryName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                       0666);
        if (fd_ >= 0)
            break;
        const int code = errno;
        if (code != EEXIST || attempt == 100) {
            temporaryName_.clear();
            Fail(code);
        }
    }
    slot_ = ArmPendingSlot(folderFd_, temporaryName_);
    if (keepMode)
        ::fchmod(fd_, previous.st_mode & 07777);
}

void ReplacingFile::Write(std::string_view bytes)
{
    if (fd_ < 0)
        Fail(EBADF);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
        }
        if (n == 0)
            Fail(ENOSPC);
        done += static_cast<std::size_t>(n);
    }
}

void ReplacingFile::Commit()
{
    if (fd_ < 0)
        return;
    // On the disk before the name points to it: a power cut leaves the old
    // file or the new one, never an empty one.
    // A file system that cannot sync (EINVAL, ENOSYS) still has the data;
    // a failed write-back (EIO, ENOSPC) fails the output.
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != ENOSYS)
        Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        Fail(errno);
    if (::renameat(folderFd_, temporaryName_.c_str(), folderFd_, name_.c_str()) != 0)
        Fail(errno);
    DisarmPendingSlot(slot_);
    slot_ = -1;
    temporaryName_.clear();
    // The rename itself on the disk too (best effort: a folder that cannot
    // be opened for reading still has the new file).
    const int folder = ::openat(folderFd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    ::close(folderFd_);
    folderFd_ = -1;
}

void ReplacingFile::Abandon() noexcept
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporaryName_.empty()) {
        ::unlinkat(folderFd_, temporaryName_.c_str(), 0);
        temporaryName_.clear();
    }
    DisarmPendingSlot(slot_);
    slot_ = -1;
    if (folderFd_ >= 0) {
        ::close(folderFd_);
        folderFd_ = -1;
    }
}

void ReplacingFile::Fail(int code)
{
    Abandon();
    throw OutputError(IoErrorText(code), displayPath_, code);
}

void ReplacingFile::RemoveStaleTemporaryFiles() const noexcept
{
    const int listing = ::openat(folderFd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0)
        return;
    DIR* folder = ::fdopendir(listing);
    if (folder == nullptr) {
        ::close(listing);
        return;
    }
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(folder)) {
        const pid_t owner = TemporaryFileOwner(entry->d_name, name_);
        if (owner == 0 || owner == self)
            continue;
        // Only a process that no longer exists leaves its file for good.
        if (::kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        struct stat file {};
        if (::fstatat(listing, entry->d_name, &file, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(file.st_mode))
            ::unlinkat(listing, entry->d_name, 0);
    }
    ::closedir(folder);
}

void RemovePendingTemporaryFiles() noexcept
{
    for (PendingSlot& slot : pendingSlots) {
        if (slot.armed.load())
            ::unlinkat(slot.folderFd, slot.name, 0);
    }
}

namespace {

extern "C" void RemoveTemporaryFilesAndExit(int signal)
{
    RemovePendingTemporaryFiles();
    ::_exit(128 + signal);
}

}  // namespace

void RemoveTemporaryFilesOnTermination()
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction handler {};
        handler.sa_handler = RemoveTemporaryFilesAndExit;
        sigfillset(&handler.sa_mask);
        ::sigaction(signal, &handler, nullptr);
    }
}

}  // namespace kestrane
