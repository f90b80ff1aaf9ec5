#include "core/regular_file.h"

#include <cerrno>
#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrane {

namespace {

#ifdef _WIN32
// Windows has no devices or pipes under a file's name, and nothing to block
// an open: the kind of the entry is enough.
std::optional<std::string> ReadBounded(const std::filesystem::path& path, std::size_t most, bool followLinks)
{
    std::error_code failed;
    const auto entry = followLinks ? std::filesystem::status(path, failed) : std::filesystem::symlink_status(path, failed);
    if (failed || !std::filesystem::is_regular_file(entry))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(most, '\0');
    if (!in || (!in.read(bytes.data(), static_cast<std::streamsize>(most)) && in.bad()))
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}
#else
std::optional<std::string> ReadBounded(const std::filesystem::path& path, std::size_t most, bool followLinks)
{
    // Looked at first, so that a device is not even opened; then checked
    // again on the open file, in case the name changed in between.
    struct stat entry {};
    if ((followLinks ? ::stat(path.c_str(), &entry) : ::lstat(path.c_str(), &entry)) != 0 || !S_ISREG(entry.st_mode))
        return std::nullopt;
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return std::nullopt;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes(most, '\0');
    std::size_t done = 0;
    while (done < most) {
        const ssize_t n = ::read(fd, bytes.data() + done, most - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}
#endif

}  // namespace

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::size_t most)
{
    return ReadBounded(path, most, false);
}

std::optional<std::string> ReadRegularFileFollowingLinks(const std::filesystem::path& path, std::size_t most)
{
    return ReadBounded(path, most, true);
}

}  // namespace kestrane
