#include "b3d/obj_reader.h"

#include "b3d/text_lines.h"
#include "core/cp1250.h"
#include "core/numbers.h"
#include "core/regular_file.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>
#include <vector>

namespace kestrane::b3d {

namespace {

constexpr auto IsBlank = IsLineBlank;
constexpr auto Trim = TrimBlanks;

// The words of a line, split at blanks.
std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

std::optional<double> Real(std::string_view word)
{
    const std::optional<double> value = ParseReal(word);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::string Quoted(std::string_view text)
{
    constexpr std::size_t kLongest = 40;
    const std::string_view shown = text.substr(0, kLongest);
    const std::string utf8 = IsValidUtf8(shown) ? std::string(shown) : Cp1250ToUtf8(shown);
    return "\"" + utf8 + (text.size() > kLongest ? "...\"" : "\"");
}

// An MTL channel (0 to 1) as a colour channel.
std::uint8_t Channel(double value)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

struct Material {
    ColorRgb color{255, 255, 255, 255};
    ColorRgb emissive{0, 0, 0, 255};
    std::string texture;
};

// Statements read without changing the model.
constexpr std::string_view kLeftOut[] = {"vn", "vp", "s", "l", "p", "mg", "lod", "bevel", "c_interp", "d_interp",
                                         "usemap", "maplib", "shadow_obj", "trace_obj", "cstype", "deg", "curv",
                                         "curv2", "surf", "parm", "trim", "hole", "scrv", "sp", "end", "call",
                                         "csh", "ctech", "stech", "bmat", "step"};

class ObjReader {
public:
    explicit ObjReader(const MtlSource& mtl) : mtl_(mtl) {}

    bool Feed(std::string_view piece)
    {
        if (binary_)
            return false;
        if (TextLines::IsBinary(piece)) {
            model_ = Model();
            model_.AddProblem({0, "not a text file"});
            binary_ = true;
            lines_.Drop();
            return false;
        }
        lines_.Feed(piece, [this](std::string_view line, bool overlong) { LineDone(line, overlong); });
        return true;
    }

    Model Finish()
    {
        if (binary_)
            return std::move(model_);
        lines_.Finish([this](std::string_view line, bool overlong) { LineDone(line, overlong); });
        for (Section& section : model_.sections) {
            if (!section.texCoords.empty())
                section.texCoords.resize(section.vertices.size());
            model_.vertexCount += section.vertices.size();
            model_.faceCount += section.faces.size();
        }
        if (model_.vertexCount > kMostVertices)
            model_.AddWarning({0, std::to_string(model_.vertexCount) + " vertices, more than " +
                                      std::to_string(kMostVertices)});
        return std::move(model_);
    }

private:
    void Problem(std::string text) { model_.AddProblem({line_, std::move(text)}); }
    void Warning(std::string text) { model_.AddWarning({line_, std::move(text)}); }

    void LineDone(std::string_view line, bool overlong)
    {
        ++line_;
        if (overlong) {
            Problem(lines_.OverlongProblem());
            return;
        }
        line = Trim(line.substr(0, line.find('#')));
        if (line.empty())
            return;
        std::size_t end = 0;
        while (end < line.size() && !IsBlank(line[end]))
            ++end;
        const std::string_view keyword = line.substr(0, end);
        const std::string_view rest = Trim(line.substr(end));
        if (keyword == "v")
            Position(Words(rest));
        else if (keyword == "vt")
            TexturePoint(Words(rest));
        else if (keyword == "f")
            Polygon(Words(rest));
        else if (keyword == "o" || keyword == "g")
            Group(rest);
        else if (keyword == "usemtl")
            UseMaterial(rest);
        else if (keyword == "mtllib")
            Library(rest);
        else if (std::find(std::begin(kLeftOut), std::end(kLeftOut), keyword) == std::end(kLeftOut))
            Problem("unknown statement " + Quoted(keyword));
    }

    // The first `count` of `words`, of which there are `least` to `most`,
    // as numbers; false, with a problem, when they are not.
    bool Numbers(const char* keyword, const std::vector<std::string_view>& words, std::size_t least,
                 std::size_t most, std::size_t count, double* values)
    {
        if (words.size() < least || words.size() > most) {
            Problem(std::string(keyword) + " needs " + std::to_string(least) + " to " + std::to_string(most) +
                    " numbers, not " + std::to_string(words.size()));
            return false;
        }
        for (std::size_t k = 0; k < std::min(count, words.size()); ++k) {
            const auto value = Real(words[k]);
            if (!value) {
                Problem(std::string(keyword) + ": " + Quoted(words[k]) + " (number " + std::to_string(k + 1) +
                        ") is not a finite number");
                return false;
            }
            values[k] = *value;
        }
        return true;
    }

    // Whether the file may take one more of what `held` holds; a problem
    // when not.
    bool Room(const char* keyword, std::size_t held, const char* what)
    {
        if (held < kMostFileVertices)
            return true;
        Problem(std::string(keyword) + ": the file passes the limit of " + std::to_string(kMostFileVertices) + " " +
                what + "; the line is left out");
        return false;
    }

    void Position(const std::vector<std::string_view>& words)
    {
        double xyz[3];
        if (Numbers("v", words, 3, 7, 3, xyz) && Room("v", positions_.size(), "vertices"))
            positions_.push_back({xyz[0], xyz[1], -xyz[2]});
    }

    void TexturePoint(const std::vector<std::string_view>& words)
    {
        double uv[2] = {0.0, 0.0};
        if (Numbers("vt", words, 1, 3, 2, uv) && Room("vt", texturePoints_.size(), "texture coordinates"))
            texturePoints_.push_back({uv[0], 1.0 - uv[1]});
    }

    // An index of a face corner: from 1, or negative back from the last of
    // `count` given; nothing, with a problem, when it names none of them.
    std::optional<std::uint32_t> Index(std::string_view text, std::size_t count, const char* what,
                                       std::size_t corner)
    {
        const std::optional<double> value = Real(text);
        const long long index = value && *value == std::floor(*value) && std::abs(*value) < 1e15
                                    ? static_cast<long long>(*value)
                                    : 0;
        const long long resolved = index < 0 ? static_cast<long long>(count) + index : index - 1;
        if (!value || index == 0 || resolved < 0 || resolved >= static_cast<long long>(count)) {
            Problem("f: corner " + std::to_string(corner) + " names " + what + " " + Quoted(text) + ", but " +
                    CountOf(count, what, what == std::string_view("vertex") ? "vertices" : "texture coordinates") +
                    " are given before it");
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(resolved);
    }

    void Polygon(const std::vector<std::string_view>& words)
    {
        if (words.size() < 3) {
            Problem("f needs at least 3 corners, not " + std::to_string(words.size()));
            return;
        }
        // Each corner: its position and texture coordinate (kNone: none).
        constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
        std::vector<std::pair<std::uint32_t, std::uint32_t>> corners;
        corners.reserve(words.size());
        for (std::size_t k = 0; k < words.size(); ++k) {
            const std::string_view word = words[k];
            const std::size_t slash = word.find('/');
            const auto position = Index(word.substr(0, slash), positions_.size(), "vertex", k + 1);
            if (!position)
                return;
            std::uint32_t uv = kNone;
            if (slash != std::string_view::npos) {
                std::string_view after = word.substr(slash + 1);
                after = after.substr(0, after.find('/'));
                if (!after.empty()) {
                    const auto index = Index(after, texturePoints_.size(), "texture coordinate", k + 1);
                    if (!index)
                        return;
                    uv = *index;
                }
            }
            corners.emplace_back(*position, uv);
        }
        if (!SectionReady())
            return;
        Section& section = model_.sections.back();
        if (vertexTotal_ + corners.size() > kMostFileVertices || faceTotal_ + 1 > kMostFileFaces ||
            cornerTotal_ + corners.size() > kMostFileCorners) {
            Problem("f: the file passes the limit of its vertices, faces or face corners; the line is left out");
            return;
        }
        const auto first = static_cast<std::uint32_t>(section.corners.size());
        // Reversed: OBJ's counter-clockwise front is B3D's clockwise one.
        for (auto corner = corners.rbegin(); corner != corners.rend(); ++corner) {
            const std::uint64_t key = std::uint64_t{corner->first} << 32 | corner->second;
            auto [at, added] = vertexOf_.emplace(key, static_cast<std::uint32_t>(section.vertices.size()));
            if (added) {
                section.vertices.push_back(positions_[corner->first]);
                ++vertexTotal_;
                if (corner->second != kNone) {
                    section.texCoords.resize(section.vertices.size());
                    section.texCoords.back() = texturePoints_[corner->second];
                }
            }
            section.corners.push_back(at->second);
        }
        cornerTotal_ += corners.size();
        ++faceTotal_;
        section.faces.push_back({first, static_cast<std::uint32_t>(corners.size()), false});
    }

    // Starts the section of the next face when a group or a material began
    // since the last one; false when the file has no room for it.
    bool SectionReady()
    {
        if (!model_.sections.empty() && !newSection_)
            return !skipping_;
        newSection_ = false;
        vertexOf_.clear();
        skipping_ = model_.sections.size() >= kMostFileSections;
        if (skipping_) {
            Problem("the file passes the limit of " + std::to_string(kMostFileSections) +
                    " sections; its faces are left out");
            return false;
        }
        Section& section = model_.sections.emplace_back();
        section.line = line_;
        section.comment = IsValidUtf8(group_) ? group_ : Cp1250ToUtf8(group_);
        const auto material = materials_.find(material_);
        if (material != materials_.end()) {
            const Material& m = material->second;
            section.color = m.color;
            section.hasColor = m.color != ColorRgb{255, 255, 255, 255};
            section.emissive = m.emissive;
            section.hasEmissive = m.emissive != ColorRgb{0, 0, 0, 255};
            section.texture = m.texture;
        }
        return true;
    }

    void Group(std::string_view name)
    {
        if (std::string_view(group_) != name.substr(0, 200))
            newSection_ = true;
        group_ = std::string(name.substr(0, 200));
    }

    void UseMaterial(std::string_view name)
    {
        if (name != material_) {
            newSection_ = true;
            material_ = std::string(name.substr(0, kLongestTextureName));
        }
        if (!materials_.count(material_))
            Warning("usemtl: the material " + Quoted(name) + " is in no material library read");
    }

    void Library(std::string_view names)
    {
        if (!mtl_) {
            Warning("mtllib: material libraries are not read here");
            return;
        }
        for (const std::string_view name : Words(names)) {
            const std::optional<std::string> text = mtl_(std::string(name));
            if (!text) {
                Warning("mtllib: " + Quoted(name) + " cannot be read");
                continue;
            }
            ReadLibrary(*text, name);
        }
    }

    void ReadLibrary(std::string_view text, std::string_view libraryName)
    {
        Material* current = nullptr;
        std::size_t number = 0;
        while (!text.empty()) {
            ++number;
            const std::size_t end = text.find('\n');
            std::string_view line = Trim(text.substr(0, std::min(end, text.find('#'))));
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            std::size_t split = 0;
            while (split < line.size() && !IsBlank(line[split]))
                ++split;
            const std::string_view keyword = line.substr(0, split);
            const std::string_view rest = Trim(line.substr(split));
            auto problem = [&](const std::string& what) {
                Warning(std::string(libraryName) + " line " + std::to_string(number) + ": " + what);
            };
            if (keyword == "newmtl") {
                current = &materials_[std::string(rest.substr(0, kLongestTextureName))];
                continue;
            }
            const bool colour = keyword == "Kd" || keyword == "Ke";
            if (!current || !(colour || keyword == "d" || keyword == "map_Kd"))
                continue;  // other statements of the format are left out
            if (keyword == "map_Kd") {
                // Options ("-s 1 1 1 file.png") come first; the file is the last word.
                const auto words = Words(rest);
                const std::string_view file = !rest.empty() && rest.front() == '-' && !words.empty() ? words.back() : rest;
                if (file.empty() || file.size() > kLongestTextureName)
                    problem("map_Kd: the file name is empty or longer than " + std::to_string(kLongestTextureName) +
                            " characters");
                else
                    current->texture = IsValidUtf8(file) ? std::string(file) : Cp1250ToUtf8(file);
                continue;
            }
            const auto words = Words(rest);
            std::vector<double> values;
            for (const std::string_view word : words)
                if (const auto value = Real(word))
                    values.push_back(*value);
            if (values.size() != words.size() || values.size() != (colour ? 3u : 1u)) {
                problem(std::string(keyword) + " needs " + (colour ? "3 numbers" : "1 number"));
                continue;
            }
            if (keyword == "d") {
                current->color.a = Channel(values[0]);
                continue;
            }
            ColorRgb& target = keyword == "Kd" ? current->color : current->emissive;
            target.r = Channel(values[0]);
            target.g = Channel(values[1]);
            target.b = Channel(values[2]);
        }
    }

    const MtlSource& mtl_;
    Model model_;
    TextLines lines_{kLongestLine};
    std::size_t line_ = 0;
    bool binary_ = false;
    std::vector<Vec3> positions_;  // in the simulator's frame
    std::vector<TexCoord> texturePoints_;
    std::map<std::string, Material> materials_;
    std::string group_;
    std::string material_;
    bool newSection_ = false;
    bool skipping_ = false;
    std::unordered_map<std::uint64_t, std::uint32_t> vertexOf_;  // of the current section
    std::size_t vertexTotal_ = 0;
    std::size_t faceTotal_ = 0;
    std::size_t cornerTotal_ = 0;
};

}  // namespace

Model ReadObj(std::string_view text, const MtlSource& mtl)
{
    ObjReader reader(mtl);
    reader.Feed(text);
    return reader.Finish();
}

Model ReadObjFile(const std::filesystem::path& path, const ReadProgress& progress)
{
    const std::filesystem::path folder = path.parent_path();
    const MtlSource mtl = [&folder](const std::string& name) {
        const std::optional<std::string> text = ReadRegularFileFollowingLinks(folder / name, kMostMtlBytes + 1);
        return text && text->size() <= kMostMtlBytes ? text : std::nullopt;
    };
    ObjReader reader(mtl);
    ReadFileInPieces(path, [&reader](std::string_view piece) { return reader.Feed(piece); }, progress);
    return reader.Finish();
}

}  // namespace kestrane::b3d
