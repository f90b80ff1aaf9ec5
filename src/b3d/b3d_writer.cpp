#include "b3d/b3d_writer.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/numbers.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrane {

namespace {

constexpr std::size_t kBufferSize = 1 << 18;
constexpr std::string_view kLineEnd = "\r\n";

std::atomic<unsigned> temporaryCounter{0};

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

B3dWriter::~B3dWriter() { Abandon(); }

void B3dWriter::OpenOutput(const std::filesystem::path& path)
{
    Abandon();
    displayPath_ = path.string();
    target_ = path;
    buffer_.clear();
    buffer_.reserve(kBufferSize + 4096);
    written_ = 0;

    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::exists(status)) {
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec)))
            target_ = std::filesystem::canonical(path, ec);
        if (ec)
            Fail(ec.value());
        if (!std::filesystem::is_regular_file(status) && !std::filesystem::is_directory(status)) {
            // A device or a pipe: it cannot be replaced, only written to.
            inPlace_ = true;
            fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd_ < 0)
                Fail(errno);
            return;
        }
    }
    inPlace_ = false;
    const auto folder = target_.parent_path();
    const auto name = "." + target_.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                      std::to_string(temporaryCounter++);
    temporary_ = folder.empty() ? std::filesystem::path(name) : folder / name;
    if (std::filesystem::is_directory(status)) {
        // Renaming over a folder fails; say so before anything is written.
        temporary_.clear();
        Fail(EISDIR);
    }
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        const int code = errno;
        temporary_.clear();
        Fail(code);
    }
    struct stat previous {};
    if (::stat(target_.c_str(), &previous) == 0)
        ::fchmod(fd_, previous.st_mode & 07777);
}

void B3dWriter::Flush()
{
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
        }
        if (n == 0)
            Fail(ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    written_ += buffer_.size();
    buffer_.clear();
}

void B3dWriter::CloseOutput()
{
    if (fd_ < 0)
        return;
    Flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int code = errno;
        fd_ = -1;
        Abandon();
        throw OutputError(IoErrorText(code), displayPath_, code);
    }
    if (!inPlace_) {
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
            const int code = errno;
            Abandon();
            throw OutputError(IoErrorText(code), displayPath_, code);
        }
        temporary_.clear();
    }
}

void B3dWriter::Abandon() noexcept
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    buffer_.clear();
}

void B3dWriter::Fail(int code)
{
    Abandon();
    throw OutputError(IoErrorText(code), displayPath_, code);
}

void B3dWriter::WriteText(std::string_view text)
{
    if (!AppendUtf8AsCp1250(buffer_, text))
        throw std::invalid_argument("text that Windows-1250 cannot write");
    if (buffer_.size() >= kBufferSize)
        Flush();
}

void B3dWriter::WriteLine(std::string_view text)
{
    if (!AppendUtf8AsCp1250(buffer_, text))
        throw std::invalid_argument("text that Windows-1250 cannot write");
    buffer_.append(kLineEnd);
    if (buffer_.size() >= kBufferSize)
        Flush();
}

void B3dWriter::AppendPoint(std::string& line, double x, double y, double z) const
{
    AppendReal(line, x + offset.x);
    line.push_back(',');
    AppendReal(line, y + offset.y);
    line.push_back(',');
    AppendReal(line, z + offset.z);
}

void B3dWriter::EmitVertex(double x, double y, double z)
{
    line_.assign("vertex ");
    AppendPoint(line_, x, y, z);
    WriteLine(line_);
}

void B3dWriter::EmitTranslate(double x, double y, double z)
{
    line_.assign("translate ");
    AppendPoint(line_, x, y, z);
    WriteLine(line_);
}

void B3dWriter::EmitColor(const ColorRgb& color)
{
    WriteLine("color " + FormatChannel(color.r) + "," + FormatChannel(color.g) + "," + FormatChannel(color.b));
}

void B3dWriter::EmitColorUnpadded(const ColorRgb& color)
{
    line_.assign("color ");
    AppendInt(line_, color.r);
    line_.push_back(',');
    AppendInt(line_, color.g);
    line_.push_back(',');
    AppendInt(line_, color.b);
    WriteLine(line_);
}

void B3dWriter::WriteFields(std::string_view keyword, std::string_view x, std::string_view y, std::string_view z)
{
    line_.assign(keyword);
    line_.append(x);
    line_.push_back(',');
    line_.append(y);
    line_.push_back(',');
    line_.append(z);
    WriteLine(line_);
}

void B3dWriter::EmitCube(std::string_view x, std::string_view y, std::string_view z)
{
    WriteFields("cube ", x, y, z);
}

void B3dWriter::EmitCube(const Vec3& half)
{
    WriteFields("cube ", FormatReal(half.x), FormatReal(half.y), FormatReal(half.z));
}

void B3dWriter::EmitVertexRelative(std::string_view x, std::string_view y, std::string_view z)
{
    WriteFields("vertex ", x, y, z);
}

void B3dWriter::EmitVertexRelative(const Vec3& p)
{
    WriteFields("vertex ", FormatReal(p.x), FormatReal(p.y), FormatReal(p.z));
}

void B3dWriter::EmitTextureStart(std::string_view file, LoadWord word)
{
    WriteLine("[Texture]");
    line_.assign(word == LoadWord::Capital ? "Load " : "load ");
    line_.append(file);
    WriteLine(line_);
}

void B3dWriter::EmitCoordinates(std::string_view vertexUv)
{
    line_.assign("Coordinates ");
    line_.append(vertexUv);
    WriteLine(line_);
}

void B3dWriter::EmitCoordinates(long long vertex, long long u, long long v)
{
    line_.assign("Coordinates ");
    AppendInt(line_, vertex);
    line_.push_back(',');
    AppendInt(line_, u);
    line_.push_back(',');
    AppendInt(line_, v);
    WriteLine(line_);
}

void B3dWriter::EmitTexture(std::string_view file, std::initializer_list<std::string_view> coordinates,
                            LoadWord word)
{
    EmitTextureStart(file, word);
    for (const auto coordinate : coordinates)
        EmitCoordinates(coordinate);
    WriteLine("");
}

// The texture coordinates of the usual shapes: the spellings are kept byte
// for byte ("0.5", not FormatReal's " 0.500").
void B3dWriter::EmitTextureTriangle(std::string_view file)
{
    EmitTexture(file, {"0,1,1", "1,0,1", "2,0.5,0"});
}

void B3dWriter::EmitTextureQuad(std::string_view file)
{
    EmitTexture(file, {"0,1,1", "1,0,1", "2,0,0", "3,1,0"});
}

void B3dWriter::EmitTextureQuadSloped(std::string_view file, double inset)
{
    const std::string left = "2," + FormatReal(inset) + ",0";
    const std::string right = "3," + FormatReal(1.0 - inset) + ",0";
    EmitTexture(file, {"0,1,1", "1,0,1", left, right});
}

void B3dWriter::EmitTexturePentagon(std::string_view file, double shoulder)
{
    const std::string low = "2,0," + FormatReal(shoulder);
    const std::string high = "4,1," + FormatReal(shoulder);
    EmitTexture(file, {"0,1,1", "1,0,1", low, "3,0.5,0", high});
}

}  // namespace kestrane
