#include "b3d/b3d_tile_set.h"

#include "b3d/b3d_reader.h"
#include "b3d/object_format.h"
#include "core/cp1250.h"
#include "core/numbers.h"
#include "core/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>

namespace kestrane::b3d {

namespace {

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// "file,x,y,z"; nothing when the line has another form.
std::optional<TileSetEntry> ParseEntry(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t begin = 0;;) {
        const auto comma = line.find(',', begin);
        fields.push_back(Trim(line.substr(begin, comma == std::string_view::npos ? std::string_view::npos
                                                                                  : comma - begin)));
        if (comma == std::string_view::npos)
            break;
        begin = comma + 1;
    }
    if (fields.size() != 4 || fields[0].empty())
        return std::nullopt;
    double xyz[3];
    for (int k = 0; k < 3; ++k) {
        const auto value = fields[k + 1].empty() ? std::nullopt : ParseReal(fields[k + 1]);
        if (!value)
            return std::nullopt;
        xyz[k] = *value;
    }
    return TileSetEntry{std::string(fields[0]), {xyz[0], xyz[1], xyz[2]}};
}

void AddTile(TileSet& set, const TileSetEntry& entry, Model tile)
{
    Model& model = set.model;
    set.mostVertices = std::max(set.mostVertices, tile.vertexCount);
    model.vertexCount += tile.vertexCount;
    model.faceCount += tile.faceCount;
    for (Section& section : tile.sections) {
        for (Vec3& p : section.vertices) {
            p.x += entry.origin.x;
            p.y += entry.origin.y;
            p.z += entry.origin.z;
        }
        model.sections.push_back(std::move(section));
    }
    // Listed as far as the model lists them, all of them counted.
    for (Message& problem : tile.problems)
        model.AddProblem({problem.line, entry.file + ": " + problem.text});
    model.problemCount += tile.problemCount - tile.problems.size();
    for (Message& warning : tile.warnings)
        model.AddWarning({warning.line, entry.file + ": " + warning.text});
    model.warningCount += tile.warningCount - tile.warnings.size();
}

// A tile of the set `stem` in any of the formats an object is written in
// (a CSV tile set names NAME_001.csv ...).
bool IsTileOfSet(std::string_view file, std::string_view stem)
{
    for (const ObjectFormat format : {ObjectFormat::B3d, ObjectFormat::Csv, ObjectFormat::Obj})
        if (TileNumber(file, stem, ObjectFormatEnding(format)))
            return true;
    return false;
}

}  // namespace

bool IsTileIndex(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    constexpr std::string_view suffix = "_tiles.txt";
    return name.size() > suffix.size() && name.ends_with(suffix);
}

std::optional<int> TileNumber(std::string_view name, std::string_view stem, std::string_view suffix)
{
    if (name.size() < stem.size() + 1 + 3 + suffix.size() || !name.starts_with(stem) || name[stem.size()] != '_' ||
        !name.ends_with(suffix))
        return std::nullopt;
    const std::string_view digits = name.substr(stem.size() + 1, name.size() - stem.size() - 1 - suffix.size());
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(std::string(digits));
}

TileSet ReadTileSet(const std::filesystem::path& path, const ReadProgress& progress)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw ReadError("is a folder, not a file");
    // Read as every file the program reads: a pipe or a device under the
    // name is not opened, and at most kMostIndexBytes of it are taken.
    const std::optional<std::string> text = ReadRegularFileFollowingLinks(path, kMostIndexBytes + 1);
    if (!text) {
        const int code = std::filesystem::exists(path, error) ? 0 : ENOENT;
        throw ReadError(code ? std::error_code(code, std::generic_category()).message()
                             : std::string("is not a regular file"));
    }
    if (text->size() > kMostIndexBytes)
        throw ReadError("is larger than " + std::to_string(kMostIndexBytes >> 20) + " MiB, more than any index");

    const std::string indexName = path.filename().string();
    const std::string stem = indexName.substr(0, indexName.size() - std::string_view("_tiles.txt").size());

    // The tile lines first, with their line numbers.
    std::vector<std::pair<std::size_t, TileSetEntry>> entries;
    TileSet set;
    std::map<std::string, std::size_t> named;  // tile, the line that named it first
    std::string_view rest = *text;
    for (std::size_t line = 1; !rest.empty(); ++line) {
        const std::size_t end = rest.find('\n');
        const std::string_view content = Trim(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (content.empty() || content.front() == ';')
            continue;
        const auto entry = ParseEntry(content);
        if (!entry) {
            set.model.AddProblem({line, "a tile line is \"file,x,y,z\", not " + QuotedValue(content)});
            continue;
        }
        if (!IsTileOfSet(entry->file, stem)) {
            set.model.AddProblem({line, QuotedValue(entry->file) + " is not a tile of this set (" + stem +
                                            "_001.b3d ... beside the index); it is not read"});
            continue;
        }
        if (const auto [first, added] = named.emplace(entry->file, line); !added) {
            set.model.AddProblem({line, entry->file + " is named again (first at line " +
                                            std::to_string(first->second) + "); it is read once"});
            continue;
        }
        entries.emplace_back(line, *entry);
    }

    const std::filesystem::path folder = path.parent_path();
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const auto& [line, entry] = entries[k];
        if (progress && !progress(k, entries.size()))
            throw ReadCancelled();
        set.tiles.push_back(entry);
        try {
            Model tile = ReadObjectFile(folder / entry.file);
            // The set loads as one object would: the same limits over all
            // of its tiles.
            const char* passed = nullptr;
            std::size_t limit = 0;
            if (set.model.sections.size() + tile.sections.size() > kMostFileSections)
                passed = "sections", limit = kMostFileSections;
            else if (set.model.vertexCount + tile.vertexCount > kMostFileVertices)
                passed = "vertices", limit = kMostFileVertices;
            else if (set.model.faceCount + tile.faceCount > kMostFileFaces)
                passed = "faces", limit = kMostFileFaces;
            if (passed) {
                set.model.AddProblem({line, entry.file + ": the set passes the limit of " + std::to_string(limit) +
                                                " " + passed + " over its tiles; this tile and those after it "
                                                "are not read"});
                break;
            }
            set.loads.emplace_back(entry.file, CountLoad(tile));
            AddTile(set, entry, std::move(tile));
        } catch (const ReadError& e) {
            set.model.AddProblem({line, entry.file + " cannot be read: " + e.what()});
        }
    }
    if (progress && !progress(entries.size(), entries.size()))
        throw ReadCancelled();
    return set;
}

}  // namespace kestrane::b3d
