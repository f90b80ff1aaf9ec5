#include "terrain/staged_files.h"

#include "core/replacing_file.h"
#include "core/errors.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrane {

StagedFileSet::StagedFileSet(std::filesystem::path folder) : folder_(std::move(folder)) {}

StagedFileSet::~StagedFileSet()
{
    for (const Entry& entry : staged_)
        ::unlink(entry.staged.c_str());
}

std::filesystem::path StagedFileSet::PathOf(const std::string& name) const
{
    return folder_.empty() ? std::filesystem::path(name) : folder_ / name;
}

std::filesystem::path StagedFileSet::Stage(const std::string& name)
{
    const std::filesystem::path target = PathOf(name);
    struct stat previous {};
    if (::lstat(target.c_str(), &previous) == 0) {
        if (S_ISDIR(previous.st_mode))
            throw OutputError(IoErrorText(EISDIR), target.string(), EISDIR);
        // A file write-protected by its mode bits is kept, as a single file is.
        if (S_ISREG(previous.st_mode) && (previous.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            throw OutputError(IoErrorText(EACCES), target.string(), EACCES);
    }
    const std::filesystem::path staged =
        PathOf("." + name + ".tmp" + std::to_string(::getpid()) + "-set" + std::to_string(staged_.size()));
    staged_.push_back({name, staged});
    return staged;
}

void StagedFileSet::Commit()
{
    for (std::size_t k = 0; k < staged_.size(); ++k) {
        const Entry& entry = staged_[k];
        // Whatever stands under the name is replaced, never written through;
        // a regular file passes its permissions on.
        const std::filesystem::path target = PathOf(entry.name);
        struct stat previous {};
        if (::lstat(target.c_str(), &previous) == 0 && S_ISREG(previous.st_mode))
            ::chmod(entry.staged.c_str(), previous.st_mode & 07777);
        if (::rename(entry.staged.c_str(), target.c_str()) != 0) {
            const int code = errno;
            throw OutputError(IoErrorText(code), PathOf(entry.name).string(), code);
        }
        staged_[k].staged.clear();
    }
    staged_.clear();
}

}  // namespace kestrane
