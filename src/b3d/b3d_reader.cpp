#include "b3d/b3d_reader.h"

#include "b3d/b3d_words.h"
#include "b3d/csv_translation.h"
#include "b3d/obj_reader.h"
#include "b3d/object_format.h"
#include "b3d/text_lines.h"

#include "core/cp1250.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <system_error>
#include <type_traits>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <filesystem>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kestrane::b3d {

namespace {

// ---------------------------------------------------------------- text

constexpr auto IsBlank = IsLineBlank;
constexpr auto Trim = TrimBlanks;

// Text of the file as UTF-8: kept when it already is valid UTF-8, otherwise
// taken as Windows-1250 (the code page of our own files).
std::string ToUtf8(std::string_view text)
{
    return IsValidUtf8(text) ? std::string(text) : Cp1250ToUtf8(text);
}

// The title of a comment line (";------Front wall------": "Front wall"),
// UTF-8, without the dashes, equals signs and blanks around it.
std::string CommentTitle(std::string_view text)
{
    constexpr std::string_view kFrame = " \t\r-=;*";
    const std::size_t begin = text.find_first_not_of(kFrame);
    if (begin == std::string_view::npos)
        return {};
    text = text.substr(begin, text.find_last_not_of(kFrame) - begin + 1);
    return ToUtf8(text.substr(0, 200));
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

// What a message says of an argument with the status (after "is"), in the
// order of NumberStatus; Ok and Empty say it otherwise.
constexpr const char* kNumberFaults[] = {"", "", "not a number", "not a whole number", "not a finite number",
                                         "out of range"};

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

// An affine map p -> m p + t: what one or more Translate, Scale and Rotate
// statements do to a vertex.
struct Affine {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    double t[3] = {0, 0, 0};
    bool identity = true;

    Vec3 operator()(const Vec3& p) const
    {
        return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + t[0],
                m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + t[1],
                m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + t[2]};
    }

    static Affine Translation(const double d[3])
    {
        Affine a;
        a.t[0] = d[0];
        a.t[1] = d[1];
        a.t[2] = d[2];
        a.identity = false;
        return a;
    }

    static Affine Scaling(const double f[3])
    {
        Affine a;
        a.m[0][0] = f[0];
        a.m[1][1] = f[1];
        a.m[2][2] = f[2];
        a.identity = false;
        return a;
    }

    // A turn about the unit axis k through the origin by an angle of cosine
    // c and sine s. Positive angles turn clockwise seen from the tip of the
    // axis (the x, y, z frame is left-handed).
    static Affine Turn(const Vec3& k, double c, double s)
    {
        const double u = 1.0 - c;
        Affine a;
        a.m[0][0] = c + k.x * k.x * u;
        a.m[0][1] = -k.z * s + k.x * k.y * u;
        a.m[0][2] = k.y * s + k.x * k.z * u;
        a.m[1][0] = k.z * s + k.y * k.x * u;
        a.m[1][1] = c + k.y * k.y * u;
        a.m[1][2] = -k.x * s + k.y * k.z * u;
        a.m[2][0] = -k.y * s + k.z * k.x * u;
        a.m[2][1] = k.x * s + k.z * k.y * u;
        a.m[2][2] = c + k.z * k.z * u;
        a.identity = false;
        return a;
    }
};

// `first`, then `second`.
Affine Then(const Affine& first, const Affine& second)
{
    if (first.identity)
        return second;
    if (second.identity)
        return first;
    Affine result;
    result.identity = false;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            result.m[i][j] = second.m[i][0] * first.m[0][j] + second.m[i][1] * first.m[1][j] +
                             second.m[i][2] * first.m[2][j];
        result.t[i] = second.m[i][0] * first.t[0] + second.m[i][1] * first.t[1] + second.m[i][2] * first.t[2] +
                      second.t[i];
    }
    return result;
}

// The faces of a Cube, on the eight vertices in the order it adds them.
constexpr std::uint32_t kCubeFaces[6][4] = {
    {0, 1, 2, 3}, {0, 4, 5, 1}, {0, 3, 7, 4}, {6, 5, 4, 7}, {6, 7, 3, 2}, {6, 2, 1, 5},
};
// The corners of a Cube as signs of its half-sizes.
constexpr int kCubeCorners[8][3] = {
    {1, 1, -1}, {1, -1, -1}, {-1, -1, -1}, {-1, 1, -1},
    {1, 1, 1},  {1, -1, 1},  {-1, -1, 1},  {-1, 1, 1},
};

// ---------------------------------------------------------------- reader

class Reader {
public:
    // `csv`: the text is in the simulator's CSV object format (the same
    // statements under the CSV commands, "AddVertex,1,2,3").
    explicit Reader(bool csv = false) : csv_(csv) {}

    // Reads the next piece of the text; false once the text turned out to
    // be binary, when the rest need not be read.
    bool Feed(std::string_view piece);
    // The model, after the last piece.
    Model Finish();

private:
    struct Command {
        std::string_view name;  // lower case
        std::size_t least;      // arguments
        std::size_t most;
        void (Reader::*handle)();
    };
    static const Command kCommands[];
    static constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

    // Transform statements met at one point of the file: `local` is all of
    // them in their order, which reaches the vertices the section had then;
    // `all` the *All ones alone, which reach every earlier section.
    struct Mark {
        std::uint32_t section;
        std::uint32_t vertices;  // how many the section had then
        std::uint32_t local;     // index in affines_
        std::uint32_t all;       // index in affines_, or kNoAffine
    };
    static constexpr std::uint32_t kNoAffine = std::numeric_limits<std::uint32_t>::max();

    void LineDone(std::string_view line, bool overlong);
    void Binary();
    void ReadLine(std::string_view line);
    void ReadCsvLine(std::string_view line);
    void ReadHeader(std::string_view line);
    void StartMeshBuilder();
    void ReadStatement(std::string_view line);
    // Runs the statement `word` (a B3D word), shown in messages as `shown`,
    // with the comma-separated arguments `rest`.
    void RunStatement(std::string_view word, std::string_view shown, std::string_view rest);

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
    void Emissive();
    void Shear();
    void Nothing() {}

    // Read `count` numbers from argument `index` on, or one whole number;
    // false, with a problem, when one is malformed or not finite.
    bool Reals(std::size_t index, std::size_t count, double* values);
    bool Whole(std::size_t index, long long& value);
    bool Channels(ColorRgb& color);
    void NumberProblem(std::size_t index, NumberStatus status);

    // The current section; one is started, with a problem, for a statement
    // before the first [MeshBuilder].
    Section& Current();
    void StartSection()
    {
        model_.sections.emplace_back();
        model_.sections.back().line = line_;
        model_.sections.back().comment = std::move(comment_);
        comment_.clear();
    }
    // Whether the file may take `vertices`, `faces` and `corners` more; a
    // problem when not.
    bool Room(std::size_t vertices, std::size_t faces, std::size_t corners);
    void Taken(std::size_t vertices, std::size_t faces, std::size_t corners)
    {
        vertexTotal_ += vertices;
        faceTotal_ += faces;
        cornerTotal_ += corners;
    }
    void Transform(const Affine& affine, bool all);
    void ApplyTransforms();
    std::string VertexRangeProblem(long long index, const Section& section) const;

    // `text` is a string, or a function making it: it is only made while
    // the list has room.
    template <typename Text>
    static void Note(std::vector<Message>& list, std::size_t& count, std::size_t line, Text&& text)
    {
        if (list.size() >= kMostListedMessages) {
            ++count;
            return;
        }
        if constexpr (std::is_invocable_v<Text>)
            Model::Add(list, count, {line, text()});
        else
            Model::Add(list, count, {line, std::string(std::forward<Text>(text))});
    }
    template <typename Text>
    void Problem(Text&& text)
    {
        Note(model_.problems, model_.problemCount, line_, std::forward<Text>(text));
    }
    template <typename Text>
    void Warning(Text&& text)
    {
        Note(model_.warnings, model_.warningCount, line_, std::forward<Text>(text));
    }

    Model model_;
    bool csv_ = false;
    std::size_t line_ = 0;
    std::string comment_;  // the text of the comment line just before, if the line before was one
    TextLines lines_{kLongestLine};
    bool binary_ = false;
    bool skipping_ = false;  // in a section past kMostFileSections
    const Command* command_ = nullptr;
    std::string_view shown_;  // the command as messages name it
    std::vector<std::string_view> args_;
    bool shearWarned_ = false;
    std::size_t vertexTotal_ = 0;
    std::size_t faceTotal_ = 0;
    std::size_t cornerTotal_ = 0;
    std::vector<Mark> marks_;
    std::vector<Affine> affines_;
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
    {"emissivecolor", 3, 3, &Reader::Emissive},
    {"transparent", 3, 3, &Reader::ChannelsOnly},
    {"blendmode", 1, 3, &Reader::Nothing},
    {"shear", 7, 7, &Reader::Shear},
    {"shearall", 7, 7, &Reader::Shear},
};

bool Reader::Feed(std::string_view piece)
{
    if (binary_)
        return false;
    if (TextLines::IsBinary(piece)) {
        Binary();
        return false;
    }
    lines_.Feed(piece, [this](std::string_view line, bool overlong) { LineDone(line, overlong); });
    return true;
}

void Reader::LineDone(std::string_view line, bool overlong)
{
    ++line_;
    if (overlong)
        Problem(lines_.OverlongProblem());
    else
        ReadLine(line);
}

// A NUL byte anywhere: whatever was read is dropped.
void Reader::Binary()
{
    model_ = Model();
    line_ = 0;
    Problem(csv_ ? "not a text file" : "not a text file (a binary B3D file cannot be read)");
    binary_ = true;
    lines_.Drop();
    std::vector<Mark>().swap(marks_);
    std::vector<Affine>().swap(affines_);
}

Model Reader::Finish()
{
    if (binary_)
        return std::move(model_);
    lines_.Finish([this](std::string_view line, bool overlong) { LineDone(line, overlong); });
    ApplyTransforms();

    for (Section& section : model_.sections) {
        if (!section.texCoords.empty())
            section.texCoords.resize(section.vertices.size());
        model_.vertexCount += section.vertices.size();
        model_.faceCount += section.faces.size();
    }
    if (model_.vertexCount > kMostVertices) {
        model_.AddWarning({0, std::to_string(model_.vertexCount) + " vertices, more than " +
                                  std::to_string(kMostVertices)});
    }
    return std::move(model_);
}

void Reader::ReadLine(std::string_view line)
{
    if (const std::size_t comment = line.find(';'); comment != std::string_view::npos) {
        if (Trim(line.substr(0, comment)).empty())
            comment_ = CommentTitle(line.substr(comment + 1));
        line = line.substr(0, comment);
    }
    line = Trim(line);
    if (line.empty())
        return;
    if (csv_) {
        ReadCsvLine(line);
        return;
    }
    if (line.front() == '[') {
        ReadHeader(line);
        return;
    }
    comment_.clear();
    if (!skipping_)
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
        StartMeshBuilder();
        if (skipping_)
            return;
    } else if (EqualsNoCase(name, "texture")) {
        if (skipping_)
            return;
        if (model_.sections.empty())
            Problem("[Texture] before the first [MeshBuilder]");
    } else {
        Problem("unknown section " + Quoted(line.substr(0, close + 1)));
        return;
    }
    if (!after.empty())
        Problem("unexpected text " + Quoted(after) + " after the section header");
}

void Reader::StartMeshBuilder()
{
    skipping_ = model_.sections.size() >= kMostFileSections;
    if (skipping_) {
        Problem("the file passes the limit of " + std::to_string(kMostFileSections) +
                " sections; this section is left out");
        return;
    }
    StartSection();
}

// A CSV line: the command and its arguments, all separated by commas. The
// command is looked up in the same table the CSV writer translates with;
// the B3D word itself is taken too, as the simulator takes it.
void Reader::ReadCsvLine(std::string_view line)
{
    const std::size_t comma = line.find(',');
    const std::string_view name = Trim(line.substr(0, comma));
    const std::string_view rest = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    const char* word = B3dWordOfCsv(name);
    if (word && std::string_view(word) == "[meshbuilder]") {
        StartMeshBuilder();
        return;
    }
    comment_.clear();
    if (!skipping_)
        RunStatement(word ? std::string_view(word) : name, name, rest);
}

void Reader::ReadStatement(std::string_view line)
{
    std::size_t nameEnd = 0;
    while (nameEnd < line.size() && !IsBlank(line[nameEnd]))
        ++nameEnd;
    const std::string_view name = line.substr(0, nameEnd);
    RunStatement(name, {}, line.substr(nameEnd));
}

void Reader::RunStatement(std::string_view word, std::string_view shown, std::string_view rest)
{
    command_ = nullptr;
    for (const Command& command : kCommands) {
        if (EqualsNoCase(word, command.name)) {
            command_ = &command;
            break;
        }
    }
    if (!command_) {
        Problem([&] { return "unknown command " + Quoted(shown.empty() ? word : shown); });
        return;
    }
    shown_ = shown.empty() ? command_->name : shown;

    args_.clear();
    rest = Trim(rest);
    if (!rest.empty()) {
        while (true) {
            const std::size_t comma = rest.find(',');
            args_.push_back(Trim(rest.substr(0, comma)));
            if (comma == std::string_view::npos)
                break;
            rest.remove_prefix(comma + 1);
        }
    }
    // The simulator drops empty arguments at the end of a CSV line
    // ("AddVertex,1,2,3,,,").
    if (csv_)
        while (!args_.empty() && args_.back().empty())
            args_.pop_back();

    const std::size_t count = args_.size();
    if (count < command_->least || count > command_->most) {
        Problem([&] {
            std::string wanted;
            if (command_->most == kAny)
                wanted = "at least " + std::to_string(command_->least);
            else if (command_->least == command_->most)
                wanted = std::to_string(command_->least);
            else
                wanted = std::to_string(command_->least) + " to " + std::to_string(command_->most);
            return std::string(shown_) + " needs " + wanted + " arguments, not " + std::to_string(count);
        });
        return;
    }
    (this->*command_->handle)();
}

// ---------------------------------------------------------------- arguments

void Reader::NumberProblem(std::size_t index, NumberStatus status)
{
    if (status == NumberStatus::Ok)
        return;
    Problem([&] {
        const std::string text = std::string(shown_) + ": ";
        if (status == NumberStatus::Empty)
            return text + "argument " + std::to_string(index + 1) + " is empty";
        return text + Quoted(args_[index]) + " (argument " + std::to_string(index + 1) + ") is " +
               kNumberFaults[static_cast<std::size_t>(status)];
    });
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
bool Reader::Channels(ColorRgb& color)
{
    std::uint8_t* const values[] = {&color.r, &color.g, &color.b, &color.a};
    color.a = 255;
    for (std::size_t i = 0; i < args_.size(); ++i) {
        long long channel = 0;
        if (!Whole(i, channel))
            return false;
        if (channel < 0 || channel > 255) {
            Problem(std::string(shown_) + ": channel " + std::to_string(channel) + " (argument " +
                    std::to_string(i + 1) + ") is outside 0 to 255");
            return false;
        }
        *values[i] = static_cast<std::uint8_t>(channel);
    }
    return true;
}

// ---------------------------------------------------------------- sections

Section& Reader::Current()
{
    if (model_.sections.empty()) {
        Problem(std::string(shown_) + (csv_ ? " before the first CreateMeshBuilder" : " before the first [MeshBuilder]"));
        StartSection();
    }
    return model_.sections.back();
}

bool Reader::Room(std::size_t vertices, std::size_t faces, std::size_t corners)
{
    const char* what = nullptr;
    std::size_t limit = 0;
    if (vertexTotal_ + vertices > kMostFileVertices) {
        what = "vertices";
        limit = kMostFileVertices;
    } else if (faceTotal_ + faces > kMostFileFaces) {
        what = "faces";
        limit = kMostFileFaces;
    } else if (cornerTotal_ + corners > kMostFileCorners) {
        what = "face corners";
        limit = kMostFileCorners;
    } else {
        return true;
    }
    Problem([&] {
        return std::string(shown_) + ": the file passes the limit of " + std::to_string(limit) + " " + what +
               "; the line is left out";
    });
    return false;
}

// The vertices of a section are kept as they were added; the transforms
// that reach them are recorded here and applied by ApplyTransforms, so that
// a transform line costs the same however many vertices it moves.
void Reader::Transform(const Affine& affine, bool all)
{
    Section& section = Current();
    const auto sectionIndex = static_cast<std::uint32_t>(model_.sections.size() - 1);
    const auto vertices = static_cast<std::uint32_t>(section.vertices.size());
    const auto next = static_cast<std::uint32_t>(affines_.size());
    if (marks_.empty() || marks_.back().section != sectionIndex || marks_.back().vertices != vertices) {
        marks_.push_back({sectionIndex, vertices, next, all ? next : kNoAffine});
        affines_.push_back(affine);
        return;
    }
    // No vertex came since the last transform: the two join.
    Mark& mark = marks_.back();
    if (all) {
        if (mark.all == kNoAffine) {
            mark.all = next;
            affines_.push_back(affine);
        } else if (mark.all != mark.local) {
            affines_[mark.all] = Then(affines_[mark.all], affine);
        }
    } else if (mark.all == mark.local) {
        // Only *All transforms so far: from here on the section's own differ.
        mark.local = next;
        affines_.push_back(affines_[mark.all]);
    }
    affines_[mark.local] = Then(affines_[mark.local], affine);
}

// One walk from the last section to the first. `all` composes the *All
// transforms met so far (those after the point reached); within a section,
// `own` composes every transform after the point reached that reaches its
// vertices. Each vertex is moved once.
void Reader::ApplyTransforms()
{
    Affine all;
    std::size_t next = marks_.size();
    for (std::size_t s = model_.sections.size(); s-- > 0;) {
        std::vector<Vec3>& vertices = model_.sections[s].vertices;
        Affine own = all;
        std::size_t end = vertices.size();
        auto move = [&](std::size_t begin) {
            if (!own.identity)
                for (std::size_t i = begin; i < end; ++i)
                    vertices[i] = own(vertices[i]);
            end = begin;
        };
        for (; next > 0 && marks_[next - 1].section == s; --next) {
            const Mark& mark = marks_[next - 1];
            move(mark.vertices);
            own = Then(affines_[mark.local], own);
            if (mark.all != kNoAffine)
                all = Then(affines_[mark.all], all);
        }
        move(0);
    }
    std::vector<Mark>().swap(marks_);
    std::vector<Affine>().swap(affines_);
}

std::string Reader::VertexRangeProblem(long long index, const Section& section) const
{
    return std::string(shown_) + " names vertex " + std::to_string(index) + ", but the section has " +
           Count(section.vertices.size(), "vertex", "vertices");
}

// ---------------------------------------------------------------- statements

void Reader::Vertex()
{
    double values[6];
    // The normal (arguments 4 to 6) is checked but not kept.
    if (!Reals(0, args_.size(), values))
        return;
    Section& section = Current();
    if (!Room(1, 0, 0))
        return;
    Taken(1, 0, 0);
    section.vertices.push_back({values[0], values[1], values[2]});
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
            Problem([&] { return VertexRangeProblem(index, section); });
            section.corners.resize(first);
            return;
        }
        section.corners.push_back(static_cast<std::uint32_t>(index));
    }
    if (!Room(0, 1, args_.size())) {
        section.corners.resize(first);
        return;
    }
    Taken(0, 1, args_.size());
    section.faces.push_back({static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(args_.size()), twoSided});
}

void Reader::Cube()
{
    double half[3];
    if (!Reals(0, 3, half))
        return;
    Section& section = Current();
    if (!Room(8, 6, 24))
        return;
    Taken(8, 6, 24);
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
    const std::size_t caps = (sizes[1] > 0.0 ? 1 : 0) + (sizes[0] > 0.0 ? 1 : 0);
    if (!Room(2 * std::size_t{n}, n + caps, 4 * std::size_t{n} + caps * n))
        return;
    Taken(2 * std::size_t{n}, n + caps, 4 * std::size_t{n} + caps * n);
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
    Transform(Affine::Translation(d), all);
}

void Reader::Stretch(bool all)
{
    double f[3];
    if (!Reals(0, 3, f))
        return;
    Transform(Affine::Scaling(f), all);
}

void Reader::Spin(bool all)
{
    double values[4];
    if (!Reals(0, 4, values))
        return;
    const double length = std::sqrt(values[0] * values[0] + values[1] * values[1] + values[2] * values[2]);
    if (length == 0.0) {
        Problem(std::string(shown_) + ": the axis 0,0,0 has no direction");
        return;
    }
    const double angle = values[3] * std::numbers::pi / 180.0;
    const Vec3 axis{values[0] / length, values[1] / length, values[2] / length};
    Transform(Affine::Turn(axis, std::cos(angle), std::sin(angle)), all);
}

void Reader::Color()
{
    ColorRgb color;
    if (!Channels(color))
        return;
    Section& section = Current();
    section.color = color;
    section.hasColor = true;
}

void Reader::ChannelsOnly()
{
    ColorRgb color;
    Channels(color);
}

void Reader::Emissive()
{
    ColorRgb color;
    if (!Channels(color))
        return;
    Section& section = Current();
    section.emissive = color;  // three values: opaque
    section.hasEmissive = true;
}

void Reader::Load()
{
    if (args_[0].empty()) {
        Problem("load names no file");
        return;
    }
    if (args_[0].size() > kLongestTextureName) {
        Problem("load: the file name is longer than " + std::to_string(kLongestTextureName) + " characters");
        return;
    }
    Current().texture = ToUtf8(args_[0]);
    // A second argument names the night-time texture.
    Current().nightTexture = args_.size() > 1 && args_[1].size() <= kLongestTextureName ? ToUtf8(args_[1]) : std::string();
}

void Reader::Coordinates()
{
    long long index = 0;
    double uv[2];
    if (!Whole(0, index) || !Reals(1, 2, uv))
        return;
    Section& section = Current();
    if (index < 0 || static_cast<unsigned long long>(index) >= section.vertices.size()) {
        Problem([&] { return VertexRangeProblem(index, section); });
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
        Warning(std::string(shown_) + " is not applied: the vertices keep their places");
        shearWarned_ = true;
    }
}

}  // namespace

Model ReadB3d(std::string_view text)
{
    Reader reader;
    reader.Feed(text);
    return reader.Finish();
}

Model ReadCsv(std::string_view text)
{
    Reader reader(true);
    reader.Feed(text);
    return reader.Finish();
}

namespace {

// Hands `feed` piece after piece from `readPiece(buffer, size)`, which
// returns the number of bytes read (0 at the end) or throws ReadError,
// until the end or until `feed` wants no more.
template <typename ReadPiece>
void FeedPieces(ReadPiece readPiece, const PieceFeed& feed, const ReadProgress& progress, std::uint64_t total)
{
    std::string buffer(std::size_t{1} << 16, '\0');
    std::uint64_t done = 0;
    for (;;) {
        const std::size_t got = readPiece(buffer.data(), buffer.size());
        if (got == 0)
            break;
        done += got;
        const bool more = feed(std::string_view(buffer.data(), got));
        if (progress && !progress(done, total))
            throw ReadCancelled();
        if (!more)
            break;
    }
}

// Closes a file descriptor when reading ends, however it ends.
struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

Model ReadStatementsFile(const std::filesystem::path& path, const ReadProgress& progress, bool csv)
{
    Reader reader(csv);
    ReadFileInPieces(path, [&reader](std::string_view piece) { return reader.Feed(piece); }, progress);
    return reader.Finish();
}

}  // namespace

Model ReadB3d(std::istream& in, const ReadProgress& progress, std::uint64_t total)
{
    Reader reader;
    FeedPieces(
        [&in](char* data, std::size_t size) -> std::size_t {
            if (!in)
                return 0;
            in.read(data, static_cast<std::streamsize>(size));
            if (in.bad())
                throw ReadError(std::error_code(errno, std::generic_category()).message());
            return static_cast<std::size_t>(in.gcount());
        },
        [&reader](std::string_view piece) { return reader.Feed(piece); }, progress, total);
    return reader.Finish();
}

void ReadFileInPieces(const std::filesystem::path& path, const PieceFeed& feed, const ReadProgress& progress)
{
    // Opened without blocking and read only when it is a regular file: a pipe
    // or a device under an object's name would otherwise hang the reading or
    // never end it.
#ifdef _WIN32
    // Windows opens a folder for nobody and has no pipes or devices under
    // a file's name; the wide name carries any letter, binary mode keeps
    // CR LF as it is.
    std::error_code folderCheck;
    if (std::filesystem::is_directory(path, folderCheck))
        throw ReadError("is a folder, not a file");
    const int fd = ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY);
    struct _stat64 status {};
    const auto statusOf = [](int file, struct _stat64* into) { return ::_fstat64(file, into); };
#else
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status {};
    const auto statusOf = [](int file, struct stat* into) { return ::fstat(file, into); };
#endif
    if (fd < 0)
        throw ReadError(std::error_code(errno, std::generic_category()).message());
    const FdCloser closer{fd};
    if (statusOf(fd, &status) != 0)
        throw ReadError(std::error_code(errno, std::generic_category()).message());
    if (S_ISDIR(status.st_mode))
        throw ReadError("is a folder, not a file");
    if (!S_ISREG(status.st_mode))
        throw ReadError("is not a regular file");
#ifndef _WIN32
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
#endif
    FeedPieces(
        [fd](char* data, std::size_t size) -> std::size_t {
            for (;;) {
#ifdef _WIN32
                const int got = ::_read(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
#else
                const ssize_t got = ::read(fd, data, size);
#endif
                if (got >= 0)
                    return static_cast<std::size_t>(got);
                if (errno != EINTR)
                    throw ReadError(std::error_code(errno, std::generic_category()).message());
            }
        },
        feed, progress, static_cast<std::uint64_t>(status.st_size));
}

Model ReadB3dFile(const std::filesystem::path& path, const ReadProgress& progress)
{
    return ReadStatementsFile(path, progress, false);
}

Model ReadCsvFile(const std::filesystem::path& path, const ReadProgress& progress)
{
    return ReadStatementsFile(path, progress, true);
}

Model ReadObjectFile(const std::filesystem::path& path, const ReadProgress& progress)
{
    const std::string name = path.filename().string();
    if (HasEnding(name, ObjectFormatEnding(ObjectFormat::Csv)))
        return ReadCsvFile(path, progress);
    if (HasEnding(name, ObjectFormatEnding(ObjectFormat::Obj)))
        return ReadObjFile(path, progress);
    return ReadB3dFile(path, progress);
}

}  // namespace kestrane::b3d
