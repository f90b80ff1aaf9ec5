#include "core/replacing_file.h"

#include "core/errors.h"
#include "core/replacing_file_names.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kestrane {

namespace {

// --- The temporary files a signal handler removes -------------------------
//
// A table of slots in chunks that are allocated as needed and never freed,
// so that a handler can walk it without locks or allocation however many
// files a batch holds at once. A slot is filled, then armed; the handler
// only reads armed slots, whose contents stay put until they are disarmed.
// Claiming and releasing slots take a lock the handler never needs.

struct PendingSlot {
    std::atomic<bool> armed{false};
    std::atomic<int> folderFd{-1};
    char name[NAME_MAX + 1] = {};
};

constexpr std::size_t kSlotsPerChunk = 256;
constexpr std::size_t kChunks = 4096;  // over a million files at once
std::array<std::atomic<PendingSlot*>, kChunks> pendingChunks{};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free &&
              std::atomic<PendingSlot*>::is_always_lock_free);

std::mutex slotLock;
std::vector<int> freeSlots;  // released, to be claimed again
std::size_t usedSlots = 0;   // slots ever claimed

PendingSlot& SlotAt(int index)
{
    const auto i = static_cast<std::size_t>(index);
    return pendingChunks[i / kSlotsPerChunk].load()[i % kSlotsPerChunk];
}

int ArmPendingSlot(int folderFd, const std::string& name) noexcept
{
    if (name.size() > NAME_MAX)
        return -1;
    int index = -1;
    try {
        const std::lock_guard<std::mutex> hold(slotLock);
        if (!freeSlots.empty()) {
            index = freeSlots.back();
            freeSlots.pop_back();
        } else if (usedSlots < kChunks * kSlotsPerChunk) {
            std::atomic<PendingSlot*>& chunk = pendingChunks[usedSlots / kSlotsPerChunk];
            if (chunk.load() == nullptr)
                chunk.store(new PendingSlot[kSlotsPerChunk]);
            index = static_cast<int>(usedSlots++);
        }
    } catch (...) {
        return -1;  // no memory: left to the next run's clean-up
    }
    if (index < 0)
        return -1;
    PendingSlot& slot = SlotAt(index);
    slot.folderFd.store(folderFd);
    std::memcpy(slot.name, name.c_str(), name.size() + 1);
    slot.armed.store(true);
    return index;
}

void DisarmPendingSlot(int index) noexcept
{
    if (index < 0)
        return;
    PendingSlot& slot = SlotAt(index);
    slot.armed.store(false);
    slot.folderFd.store(-1);
    try {
        const std::lock_guard<std::mutex> hold(slotLock);
        freeSlots.push_back(index);
    } catch (...) {
        // the slot stays unused
    }
}

std::atomic<unsigned> temporaryCounter{0};


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

bool ProcessEnded(pid_t owner) { return ::kill(owner, 0) != 0 && errno == ESRCH; }

thread_local ReplacementGroup* currentGroup = nullptr;

// A group of more files flushes their file system as a whole.
constexpr std::size_t kMostFilesFlushedOneByOne = 8;
// A long output goes on to the disk a run of this many bytes at a time
// while it is being written: the disk writes while the program works, and
// the flush at the end waits only for the last run.
constexpr std::uint64_t kWriteBackRun = std::uint64_t{1} << 20;

}  // namespace

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

    if (ReplacementGroup* group = ReplacementGroup::Current()) {
        group->RemoveStaleTemporaryFilesOf(folderFd_, name_);
    } else {
        const std::string name = name_;
        RemoveStaleTemporaryFiles(folder.empty() ? std::filesystem::path(".") : folder,
                                  [&name](const TemporaryFileName& t) { return TemporaryFileOf(t, name); });
    }

    // Armed before it is created: a signal in between finds the name in
    // the table (and nothing to remove, or the new file).
    for (int attempt = 0;; ++attempt) {
        temporaryName_ = TemporaryNameOf(name_, temporaryCounter++, ::getpid(), NAME_MAX);
        slot_ = ArmPendingSlot(folderFd_, temporaryName_);
        fd_ = ::openat(folderFd_, temporaryName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                       0666);
        if (fd_ >= 0)
            break;
        const int code = errno;
        DisarmPendingSlot(slot_);
        slot_ = -1;
        if (code != EEXIST || attempt == 100) {
            temporaryName_.clear();
            Fail(code);
        }
    }
    written_ = 0;
    writingBack_ = 0;
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
    written_ += bytes.size();
    if (written_ - writingBack_ >= kWriteBackRun) {
        ::sync_file_range(fd_, static_cast<off_t>(writingBack_), static_cast<off_t>(written_ - writingBack_),
                          SYNC_FILE_RANGE_WRITE);
        writingBack_ = written_;
    }
}

void ReplacingFile::StartWriteBack() noexcept
{
    if (fd_ < 0)
        return;
    ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
    writingBack_ = written_;  // the next run counts from here
}

void ReplacingFile::Commit()
{
    if (fd_ < 0)
        return;
    if (ReplacementGroup* group = ReplacementGroup::Current()) {
        // Complete, to be flushed and put in place with the group's files.
        // Its write-back starts now, while the next files are made: the
        // group's flush then waits for less.
        StartWriteBack();
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            Fail(errno);
        const std::filesystem::path folder = std::filesystem::path(displayPath_).parent_path();
        readablePath_ = folder / temporaryName_;
        group->Adopt({ReplacementGroup::Step::Kind::Rename, folderFd_, temporaryName_, name_, displayPath_, slot_});
        folderFd_ = -1;
        slot_ = -1;
        temporaryName_.clear();
        return;
    }
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
    readablePath_ = displayPath_;
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

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               const std::function<bool(const TemporaryFileName&)>& ours)
{
    const int listing = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0)
        return;
    DIR* entries = ::fdopendir(listing);
    if (entries == nullptr) {
        ::close(listing);
        return;
    }
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(entries)) {
        const std::optional<TemporaryFileName> temporary = ParseTemporaryFileName(entry->d_name);
        if (!temporary || temporary->owner == self || !ours(*temporary))
            continue;
        // Only a process that no longer exists leaves its file for good.
        if (!ProcessEnded(temporary->owner))
            continue;
        struct stat file {};
        if (::fstatat(listing, entry->d_name, &file, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(file.st_mode))
            ::unlinkat(listing, entry->d_name, 0);
    }
    ::closedir(entries);
}

// --- Groups of files replaced together -------------------------------------

ReplacementGroup::ReplacementGroup() : outer_(currentGroup) { currentGroup = this; }

ReplacementGroup::~ReplacementGroup()
{
    Abandon();
    for (const int fd : folders_)
        ::close(fd);
    currentGroup = outer_;
}

ReplacementGroup* ReplacementGroup::Current() { return currentGroup; }


int ReplacementGroup::KeptFolder(int folderFd) const
{
    struct stat given {};
    if (::fstat(folderFd, &given) != 0)
        return -1;
    for (const int kept : folders_) {
        struct stat known {};
        if (::fstat(kept, &known) == 0 && known.st_dev == given.st_dev && known.st_ino == given.st_ino)
            return kept;
    }
    return -1;
}

void ReplacementGroup::Adopt(Step step)
{
    // One descriptor per folder, however many files the group holds.
    const int given = step.folderFd;
    step.folderFd = KeptFolder(given);
    if (step.folderFd < 0) {
        folders_.push_back(given);
        step.folderFd = given;
    }
    if (step.slot >= 0)
        SlotAt(step.slot).folderFd.store(step.folderFd);
    if (step.folderFd != given)
        ::close(given);
    steps_.push_back(std::move(step));
}

void ReplacementGroup::RemoveStaleTemporaryFilesOf(int folderFd, const std::string& name)
{
    if (outer_ != nullptr) {
        outer_->RemoveStaleTemporaryFilesOf(folderFd, name);
        return;
    }
    // The folder is listed once for the whole group: a batch writes
    // thousands of files into it.
    struct stat folder {};
    if (::fstat(folderFd, &folder) != 0)
        return;
    auto listed = std::find_if(staleListings_.begin(), staleListings_.end(), [&folder](const StaleListing& l) {
        return l.device == folder.st_dev && l.inode == folder.st_ino;
    });
    if (listed == staleListings_.end()) {
        StaleListing listing{folder.st_dev, folder.st_ino, {}};
        const int fd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (DIR* entries = fd >= 0 ? ::fdopendir(fd) : nullptr) {
            const pid_t self = ::getpid();
            while (const dirent* entry = ::readdir(entries)) {
                std::optional<TemporaryFileName> temporary = ParseTemporaryFileName(entry->d_name);
                if (temporary && temporary->owner != self && ProcessEnded(temporary->owner))
                    listing.stale.emplace_back(entry->d_name, std::move(*temporary));
            }
            ::closedir(entries);
        } else if (fd >= 0) {
            ::close(fd);
        }
        staleListings_.push_back(std::move(listing));
        listed = staleListings_.end() - 1;
    }
    for (auto& [entry, temporary] : listed->stale) {
        if (entry.empty() || !TemporaryFileOf(temporary, name))
            continue;
        struct stat file {};
        if (::fstatat(folderFd, entry.c_str(), &file, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(file.st_mode))
            ::unlinkat(folderFd, entry.c_str(), 0);
        entry.clear();
    }
}

void ReplacementGroup::AddRemoval(const std::filesystem::path& target)
{
    const std::filesystem::path folder = target.parent_path();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;  // nothing there to remove
    Step step;
    step.kind = Step::Kind::Remove;
    step.folderFd = fd;
    step.name = target.filename().string();
    step.displayPath = target.string();
    Adopt(std::move(step));
}

void ReplacementGroup::Abandon() noexcept
{
    for (Step& step : steps_) {
        if (!step.temporaryName.empty())
            ::unlinkat(step.folderFd, step.temporaryName.c_str(), 0);
        DisarmPendingSlot(step.slot);
    }
    steps_.clear();
}

void ReplacementGroup::Publish()
{
    if (outer_ != nullptr) {
        // Carried out with the enclosing group's files, each step in the
        // enclosing group's descriptor of its folder.
        for (const int fd : folders_) {
            int kept = outer_->KeptFolder(fd);
            if (kept < 0) {
                outer_->folders_.push_back(fd);
                kept = fd;
            }
            for (Step& step : steps_) {
                if (step.folderFd != fd)
                    continue;
                step.folderFd = kept;
                if (step.slot >= 0)
                    SlotAt(step.slot).folderFd.store(kept);
            }
            if (kept != fd)
                ::close(fd);
        }
        folders_.clear();
        for (Step& step : steps_)
            outer_->steps_.push_back(std::move(step));
        steps_.clear();
        return;
    }
    // Many files: one flush of each file system they are on, a single
    // journal commit in place of one per file.
    const std::size_t files = static_cast<std::size_t>(std::count_if(
        steps_.begin(), steps_.end(), [](const Step& step) { return step.kind == Step::Kind::Rename; }));
    bool flushed = false;
    if (files > kMostFilesFlushedOneByOne) {
        flushed = true;
        std::vector<dev_t> devices;
        for (const int kept : folders_) {
            struct stat folder {};
            if (::fstat(kept, &folder) != 0 ||
                std::find(devices.begin(), devices.end(), folder.st_dev) != devices.end())
                continue;
            devices.push_back(folder.st_dev);
            const int fd = ::openat(kept, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd < 0 || ::syncfs(fd) != 0)
                flushed = false;
            if (fd >= 0)
                ::close(fd);
        }
    }
    // Otherwise (or where that fails) every file on the disk before any name
    // points to it; writing back all of them before waiting for the first
    // lets the disk take them in one go.
    for (const Step& step : steps_) {
        if (flushed || step.kind != Step::Kind::Rename)
            continue;
        const int fd = ::openat(step.folderFd, step.temporaryName.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
            ::close(fd);
        }
    }
    StepCalls calls;
    if (!flushed) {
        calls.flush = [](const Step& step) {
            const int fd = ::openat(step.folderFd, step.temporaryName.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0)
                return errno;
            const int synced = ::fsync(fd) == 0 ? 0 : errno;
            ::close(fd);
            return synced == EINVAL || synced == ENOSYS ? 0 : synced;
        };
    }
    calls.rename = [](Step& step) {
        if (::renameat(step.folderFd, step.temporaryName.c_str(), step.folderFd, step.name.c_str()) != 0)
            return errno;
        DisarmPendingSlot(step.slot);
        return 0;
    };
    calls.remove = [](const Step& step) {
        struct stat entry {};
        if (::fstatat(step.folderFd, step.name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISDIR(entry.st_mode))
            ::unlinkat(step.folderFd, step.name.c_str(), 0);
    };
    CarryOutSteps(calls);
    // The new entries on the disk too (best effort, as for a single file).
    for (const int kept : folders_) {
        const int folder = ::openat(kept, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
}

void RemovePendingTemporaryFiles() noexcept
{
    for (std::atomic<PendingSlot*>& chunk : pendingChunks) {
        PendingSlot* const slots = chunk.load();
        if (slots == nullptr)
            break;  // chunks are allocated in order
        for (std::size_t i = 0; i < kSlotsPerChunk; ++i) {
            if (slots[i].armed.load())
                ::unlinkat(slots[i].folderFd.load(), slots[i].name, 0);
        }
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
