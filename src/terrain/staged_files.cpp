#include "terrain/staged_files.h"

#include "b3d/b3d_writer.h"
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
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        throw OutputError(IoErrorText(EISDIR), target.string(), EISDIR);
    const std::filesystem::path staged =
        PathOf("." + name + ".tmp" + std::to_string(::getpid()) + "-set" + std::to_string(staged_.size()));
    staged_.push_back({name, staged});
    return staged;
}

void StagedFileSet::Commit()
{
    for (std::size_t k = 0; k < staged_.size(); ++k) {
        const Entry& entry = staged_[k];
        std::filesystem::path target = PathOf(entry.name);
        std::error_code ec;
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) {
            const auto resolved = std::filesystem::canonical(target, ec);
            if (!ec)
                target = resolved;
        }
        struct stat previous {};
        if (::stat(target.c_str(), &previous) == 0)
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
