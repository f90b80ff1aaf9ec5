#include "b3d/b3d_reader.h"

#include "core/cp1250.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <numbers>
#include <system_error>

namespace kestrane::b3d {

namespace {

// ---------------------------------------------------------------- text

constexpr bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// `lower` is already lower case; only ASCII letters fold.
bool EqualsNoCase(std::string_view text, std::string_view lower)
{
    if (text.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i])
            return false;
    }
    return true;
}

// Text of the file as UTF-8: kept when it already is valid UTF-8, otherwise
// taken as Windows-1250 (the code page of our own files).
std::string ToUtf8(std::string_view text)
{
    return IsValidUtf8(text) ? std::string(text) : Cp1250ToUtf8(text);
}

// A piece of the file quoted for a message, cut when very long.
std::string Quoted(std::string_view text)
{
    constexpr std::size_t kLongest = 40;
    const bool cut = text.size() > kLongest;
    return "\"" + ToUtf8(text.substr(0, kLongest)) + (cut ? "...\"" : "\"");
}

std::string Count(std::size_t count, const char* one, const char* many)
{
    if (count == 0)
        return std::string("no ") + many;
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// ---------------------------------------------------------------- numbers

enum class NumberStatus { Ok, Empty, Malformed, NotWhole, NotFinite, OutOfRange };

// from_chars takes no "+" sign; the format allows one.
std::string_view WithoutPlus(std::string_view text)
{
    if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

NumberStatus ParseRealText(std::string_view text, double& value)
{
    if (text.empty())
        return NumberStatus::Empty;
    text = WithoutPlus(text);
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error == std::errc::result_out_of_range && stop == end)
        return NumberStatus::OutOfRange;
    if (error != std::errc() || stop != end)
        return NumberStatus::Malformed;
    if (!std::isfinite(value))
        return NumberStatus::NotFinite;
    return NumberStatus::Ok;
}

NumberStatus ParseWholeText(std::string_view text, long long& value)
{
    if (text.empty())
        return NumberStatus::Empty;
    const std::string_view digits = WithoutPlus(text);
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error == std::errc() && stop == end)
        return NumberStatus::Ok;
    if (error == std::errc::result_out_of_range && stop == end)
        return NumberStatus::OutOfRange;
    // Tell a fraction and "nan" apart from text that is no number at all.
    double real = 0.0;
    switch (ParseRealText(text, real)) {
    case NumberStatus::Ok:
        return NumberStatus::NotWhole;
    case NumberStatus::NotFinite:
        return NumberStatus::NotFinite;
    case NumberStatus::OutOfRange:
        return NumberStatus::OutOfRange;
    default:
        return NumberStatus::Malformed;
    }
}

// ---------------------------------------------------------------- geometry

// A turn about an axis through the origin. Positive angles turn clockwise
// seen from the tip of the axis (the x, y, z frame is left-handed).
struct Turn {
    Point3 k;  // unit axis
    double c, s;

    Point3 operator()(const Point3& p) const
    {
        const double dot = k.x * p.x + k.y * p.y + k.z * p.z;
        const double t = (1.0 - c) * dot;
        return {p.x * c + (k.y * p.z - k.z * p.y) * s + k.x * t,
                p.y * c + (k.z * p.x - k.x * p.z) * s + k.y * t,
                p.z * c + (k.x * p.y - k.y * p.x) * s + k.z * t};
    }
};

// The faces of a Cube, on the eight vertices in the order it adds them.
constexpr std::uint32_t kCubeFaces[6][4] = {
    {0, 1, 2, 3}, {0, 4, 5, 1}, {0, 3, 7, 4}, {6, 5, 4, 7}, {6, 7, 3, 2}, {6, 2, 1, 5},
};
// The corners of a Cube as signs of its half-sizes.
constexpr int kCubeCorners[8][3] = {
    {1, 1, -1}, {1, -1, -1}, {-1, -1, -1}, {-1, 1, -1},
    {1, 1, 1},  {1, -1, 1},  {-1, -1, 1},  {-1, 1, 1},
};

// More sides than any sensible cylinder; guards the memory against a typo.
constexpr long long kMostCylinderSides = 100000;

// ---------------------------------------------------------------- reader

class Reader {
public:
    Model Run(std::string_view text);

private:
    struct Command {
        std::string_view name;  // lower case
        std::size_t least;      // arguments
        std::size_t most;
        void (Reader::*handle)();
    };
    static const Command kCommands[];
    static constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

    void ReadLine(std::string_view line);
    void ReadHeader(std::string_view line);
    void ReadStatement(std::string_view line);

    // Statements.
    void Vertex();
    void Face() { AddFace(false); }
    void Face2() { AddFace(true); }
    void AddFace(bool twoSided);
    void Cube();
    void Cylinder();
    void Translate() { Move(false); }
    void TranslateAll() { Move(true); }
    void Move(bool all);
    void Scale() { Stretch(false); }
    void ScaleAll() { Stretch(true); }
    void Stretch(bool all);
    void Rotate() { Spin(false); }
    void RotateAll() { Spin(true); }
    void Spin(bool all);
    void Color();
    void Load();
    void Coordinates();
    void ChannelsOnly();
    void Shear();
    void Nothing() {}

    // Read `count` numbers from argument `index` on, or one whole number;
    // false, with a problem, when one is malformed or not finite.
    bool Reals(std::size_t index, std::size_t count, double* values);
    bool Whole(std::size_t index, long long& value);
    bool Channels(int* values);
    void NumberProblem(std::size_t index, NumberStatus status);

    // The current section; one is started, with a problem, for a statement
    // before the first [MeshBuilder].
    Section& Current();
    void StartSection()
    {
        model_.sections.emplace_back();
        model_.sections.back().line = line_;
    }
    template <typename Change>
    void ForVertices(bool all, Change change);
    std::string VertexRangeProblem(long long index, const Section& section) const;

    void Problem(std::string text) { model_.problems.push_back({line_, std::move(text)}); }
    void Warning(std::string text) { model_.warnings.push_back({line_, std::move(text)}); }

    Model model_;
    std::size_t line_ = 0;
    const Command* command_ = nullptr;
    std::vector<std::string_view> args_;
    bool shearWarned_ = false;
};

const Reader::Command Reader::kCommands[] = {
    // The frequent ones first.
    {"vertex", 3, 6, &Reader::Vertex},
    {"face", 3, kAny, &Reader::Face},
    {"face2", 3, kAny, &Reader::Face2},
    {"coordinates", 3, 3, &Reader::Coordinates},
    {"color", 3, 4, &Reader::Color},
    {"load", 1, 2, &Reader::Load},
    {"cube", 3, 3, &Reader::Cube},
    {"cylinder", 4, 4, &Reader::Cylinder},
    {"translate", 3, 3, &Reader::Translate},
    {"translateall", 3, 3, &Reader::TranslateAll},
    {"rotate", 4, 4, &Reader::Rotate},
    {"rotateall", 4, 4, &Reader::RotateAll},
    {"scale", 3, 3, &Reader::Scale},
    {"scaleall", 3, 3, &Reader::ScaleAll},
    // Accepted without changing the model.
    {"emissivecolor", 3, 3, &Reader::ChannelsOnly},
    {"transparent", 3, 3, &Reader::ChannelsOnly},
    {"blendmode", 1, 3, &Reader::Nothing},
    {"shear", 7, 7, &Reader::Shear},
    {"shearall", 7, 7, &Reader::Shear},
};

Model Reader::Run(std::string_view text)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    if (!text.empty() && std::memchr(text.data(), '\0', text.size())) {
        Problem("not a text file (a binary B3D file cannot be read)");
        return std::move(model_);
    }
    while (!text.empty()) {
        ++line_;
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            ReadLine(text);
            break;
        }
        ReadLine(text.substr(0, end));
        text.remove_prefix(end + 1);
    }

    for (Section& section : model_.sections) {
        if (!section.texCoords.empty())
            section.texCoords.resize(section.vertices.size());
        model_.vertexCount += section.vertices.size();
        model_.faceCount += section.faces.size();
    }
    if (model_.vertexCount > kMostVertices) {
        model_.warnings.push_back({0, std::to_string(model_.vertexCount) + " vertices, more than " +
                                          std::to_string(kMostVertices)});
    }
    return std::move(model_);
}

void Reader::ReadLine(std::string_view line)
{
    if (const std::size_t comment = line.find(';'); comment != std::string_view::npos)
        line = line.substr(0, comment);
    line = Trim(line);
    if (line.empty())
        return;
    if (line.front() == '[')
        ReadHeader(line);
    else
        ReadStatement(line);
}

void Reader::ReadHeader(std::string_view line)
{
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) {
        Problem("section header " + Quoted(line) + " has no \"]\"");
        return;
    }
    const std::string_view name = Trim(line.substr(1, close - 1));
    const std::string_view after = Trim(line.substr(close + 1));
    if (EqualsNoCase(name, "meshbuilder")) {
        StartSection();
    } else if (EqualsNoCase(name, "texture")) {
        if (model_.sections.empty())
            Problem("[Texture] before the first [MeshBuilder]");
    } else {
        Problem("unknown section " + Quoted(line.substr(0, close + 1)));
        return;
    }
    if (!after.empty())
        Problem("unexpected text " + Quoted(after) + " after the section header");
}

void Reader::ReadStatement(std::string_view line)
{
    std::size_t nameEnd = 0;
    while (nameEnd < line.size() && !IsBlank(line[nameEnd]))
        ++nameEnd;
    const std::string_view name = line.substr(0, nameEnd);

    command_ = nullptr;
    for (const Command& command : kCommands) {
        if (EqualsNoCase(name, command.name)) {
            command_ = &command;
            break;
        }
    }
    if (!command_) {
        Problem("unknown command " + Quoted(name));
        return;
    }

    args_.clear();
    std::string_view rest = Trim(line.substr(nameEnd));
    if (!rest.empty()) {
        while (true) {
            const std::size_t comma = rest.find(',');
            args_.push_back(Trim(rest.substr(0, comma)));
            if (comma == std::string_view::npos)
                break;
            rest.remove_prefix(comma + 1);
        }
    }

    const std::size_t count = args_.size();
    if (count < command_->least || count > command_->most) {
        std::string wanted;
        if (command_->most == kAny)
            wanted = "at least " + std::to_string(command_->least);
        else if (command_->least == command_->most)
            wanted = std::to_string(command_->least);
        else
            wanted = std::to_string(command_->least) + " to " + std::to_string(command_->most);
        Problem(std::string(command_->name) + " needs " + wanted + " arguments, not " + std::to_string(count));
        return;
    }
    (this->*command_->handle)();
}

// ---------------------------------------------------------------- arguments

void Reader::NumberProblem(std::size_t index, NumberStatus status)
{
    std::string text = std::string(command_->name) + ": ";
    const std::string quoted = Quoted(args_[index]) + " (argument " + std::to_string(index + 1) + ")";
    switch (status) {
    case NumberStatus::Empty:
        text += "argument " + std::to_string(index + 1) + " is empty";
        break;
    case NumberStatus::Malformed:
        text += quoted + " is not a number";
        break;
    case NumberStatus::NotWhole:
        text += quoted + " is not a whole number";
        break;
    case NumberStatus::NotFinite:
        text += quoted + " is not a finite number";
        break;
    case NumberStatus::OutOfRange:
        text += quoted + " is out of range";
        break;
    case NumberStatus::Ok:
        return;
    }
    Problem(std::move(text));
}

bool Reader::Reals(std::size_t index, std::size_t count, double* values)
{
    for (std::size_t i = 0; i < count; ++i) {
        const NumberStatus status = ParseRealText(args_[index + i], values[i]);
        if (status != NumberStatus::Ok) {
            NumberProblem(index + i, status);
            return false;
        }
    }
    return true;
}

bool Reader::Whole(std::size_t index, long long& value)
{
    const NumberStatus status = ParseWholeText(args_[index], value);
    if (status != NumberStatus::Ok) {
        NumberProblem(index, status);
        return false;
    }
    return true;
}

// Colour channels, whole numbers 0 to 255; the alpha channel defaults to 255.
bool Reader::Channels(int* values)
{
    values[3] = 255;
    for (std::size_t i = 0; i < args_.size(); ++i) {
        long long channel = 0;
        if (!Whole(i, channel))
            return false;
        if (channel < 0 || channel > 255) {
            Problem(std::string(command_->name) + ": channel " + std::to_string(channel) + " (argument " +
                    std::to_string(i + 1) + ") is outside 0 to 255");
            return false;
        }
        values[i] = static_cast<int>(channel);
    }
    return true;
}

// ---------------------------------------------------------------- sections

Section& Reader::Current()
{
    if (model_.sections.empty()) {
        Problem(std::string(command_->name) + " before the first [MeshBuilder]");
        StartSection();
    }
    return model_.sections.back();
}

template <typename Change>
void Reader::ForVertices(bool all, Change change)
{
    Section& current = Current();
    if (!all) {
        for (Point3& vertex : current.vertices)
            change(vertex);
        return;
    }
    for (Section& section : model_.sections) {
        for (Point3& vertex : section.vertices)
            change(vertex);
    }
}

std::string Reader::VertexRangeProblem(long long index, const Section& section) const
{
    return std::string(command_->name) + " names vertex " + std::to_string(index) + ", but the section has " +
           Count(section.vertices.size(), "vertex", "vertices");
}

// ---------------------------------------------------------------- statements

void Reader::Vertex()
{
    double values[6];
    // The normal (arguments 4 to 6) is checked but not kept.
    if (!Reals(0, args_.size(), values))
        return;
    Current().vertices.push_back({values[0], values[1], values[2]});
}

void Reader::AddFace(bool twoSided)
{
    Section& section = Current();
    const std::size_t first = section.corners.size();
    for (std::size_t i = 0; i < args_.size(); ++i) {
        long long index = 0;
        if (!Whole(i, index)) {
            section.corners.resize(first);
            return;
        }
        if (index < 0 || static_cast<unsigned long long>(index) >= section.vertices.size()) {
            Problem(VertexRangeProblem(index, section));
            section.corners.resize(first);
            return;
        }
        section.corners.push_back(static_cast<std::uint32_t>(index));
    }
    section.faces.push_back({static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(args_.size()), twoSided});
}

void Reader::Cube()
{
    double half[3];
    if (!Reals(0, 3, half))
        return;
    Section& section = Current();
    const auto base = static_cast<std::uint32_t>(section.vertices.size());
    for (const auto& corner : kCubeCorners)
        section.vertices.push_back({corner[0] * half[0], corner[1] * half[1], corner[2] * half[2]});
    for (const auto& face : kCubeFaces) {
        section.faces.push_back({static_cast<std::uint32_t>(section.corners.size()), 4, false});
        for (const std::uint32_t corner : face)
            section.corners.push_back(base + corner);
    }
}

void Reader::Cylinder()
{
    long long sides = 0;
    double sizes[3];  // upper radius, lower radius, height
    if (!Whole(0, sides) || !Reals(1, 3, sizes))
        return;
    if (sides < 2 || sides > kMostCylinderSides) {
        Problem("cylinder: the side count " + std::to_string(sides) + " (argument 1) is outside 2 to " +
                std::to_string(kMostCylinderSides));
        return;
    }
    Section& section = Current();
    const auto n = static_cast<std::uint32_t>(sides);
    const double upper = std::abs(sizes[0]);
    const double lower = std::abs(sizes[1]);
    const double halfHeight = sizes[2] / 2.0;
    const auto base = static_cast<std::uint32_t>(section.vertices.size());

    for (std::uint32_t k = 0; k < n; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / n;
        const double c = std::cos(angle);
        const double s = std::sin(angle);
        section.vertices.push_back({c * upper, halfHeight, s * upper});
        section.vertices.push_back({c * lower, -halfHeight, s * lower});
    }
    auto addFace = [&section](std::uint32_t count) {
        section.faces.push_back({static_cast<std::uint32_t>(section.corners.size()), count, false});
    };
    // The side walls, each between two neighbouring pairs of vertices; the
    // last one closes the ring.
    for (std::uint32_t k = 0; k < n; ++k) {
        const std::uint32_t next = (k + 1 < n) ? 2 * k + 2 : 0;
        addFace(4);
        for (const std::uint32_t corner : {next, next + 1, 2 * k + 1, 2 * k})
            section.corners.push_back(base + corner);
    }
    if (sizes[1] > 0.0) {
        addFace(n);
        for (std::uint32_t k = n; k-- > 0;)
            section.corners.push_back(base + 2 * k);
    }
    if (sizes[0] > 0.0) {
        addFace(n);
        for (std::uint32_t k = 0; k < n; ++k)
            section.corners.push_back(base + 2 * k + 1);
    }
}

void Reader::Move(bool all)
{
    double d[3];
    if (!Reals(0, 3, d))
        return;
    ForVertices(all, [&d](Point3& p) {
        p.x += d[0];
        p.y += d[1];
        p.z += d[2];
    });
}

void Reader::Stretch(bool all)
{
    double f[3];
    if (!Reals(0, 3, f))
        return;
    ForVertices(all, [&f](Point3& p) {
        p.x *= f[0];
        p.y *= f[1];
        p.z *= f[2];
    });
}

void Reader::Spin(bool all)
{
    double values[4];
    if (!Reals(0, 4, values))
        return;
    const double length = std::sqrt(values[0] * values[0] + values[1] * values[1] + values[2] * values[2]);
    if (length == 0.0) {
        Problem(std::string(command_->name) + ": the axis 0,0,0 has no direction");
        return;
    }
    const double angle = values[3] * std::numbers::pi / 180.0;
    const Turn turn{{values[0] / length, values[1] / length, values[2] / length}, std::cos(angle), std::sin(angle)};
    ForVertices(all, [&turn](Point3& p) { p = turn(p); });
}

void Reader::Color()
{
    int channels[4];
    if (!Channels(channels))
        return;
    Section& section = Current();
    section.color = {static_cast<std::uint8_t>(channels[0]), static_cast<std::uint8_t>(channels[1]),
                     static_cast<std::uint8_t>(channels[2]), static_cast<std::uint8_t>(channels[3])};
    section.hasColor = true;
}

void Reader::ChannelsOnly()
{
    int channels[4];
    Channels(channels);
}

void Reader::Load()
{
    // A second argument names the night-time texture, which the model leaves out.
    if (args_[0].empty()) {
        Problem("load names no file");
        return;
    }
    Current().texture = ToUtf8(args_[0]);
}

void Reader::Coordinates()
{
    long long index = 0;
    double uv[2];
    if (!Whole(0, index) || !Reals(1, 2, uv))
        return;
    Section& section = Current();
    if (index < 0 || static_cast<unsigned long long>(index) >= section.vertices.size()) {
        Problem(VertexRangeProblem(index, section));
        return;
    }
    if (section.texCoords.size() < section.vertices.size())
        section.texCoords.resize(section.vertices.size());
    section.texCoords[static_cast<std::size_t>(index)] = {uv[0], uv[1]};
}

void Reader::Shear()
{
    double values[7];
    if (!Reals(0, 7, values))
        return;
    if (!shearWarned_) {
        Warning(std::string(command_->name) + " is not applied: the vertices keep their places");
        shearWarned_ = true;
    }
}

}  // namespace

Model ReadB3d(std::string_view text)
{
    return Reader().Run(text);
}

Model ReadB3dFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw ReadError("is a folder, not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ReadError(std::error_code(errno, std::generic_category()).message());
    std::string bytes;
    const auto size = std::filesystem::file_size(path, error);
    if (!error)
        bytes.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        throw ReadError(std::error_code(errno, std::generic_category()).message());
    return ReadB3d(bytes);
}

}  // namespace kestrane::b3d
