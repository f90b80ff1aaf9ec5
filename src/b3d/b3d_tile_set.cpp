#include "b3d/b3d_tile_set.h"

#include "b3d/b3d_reader.h"
#include "core/numbers.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
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

}  // namespace

bool IsTileIndex(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    constexpr std::string_view suffix = "_tiles.txt";
    return name.size() > suffix.size() && name.ends_with(suffix);
}

TileSet ReadTileSet(const std::filesystem::path& path, const ReadProgress& progress)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw ReadError("is a folder, not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ReadError(std::error_code(errno, std::generic_category()).message());

    // The tile lines first, with their line numbers.
    std::vector<std::pair<std::size_t, TileSetEntry>> entries;
    TileSet set;
    std::string text;
    for (std::size_t line = 1; std::getline(in, text); ++line) {
        const std::string_view content = Trim(text);
        if (content.empty() || content.front() == ';')
            continue;
        if (const auto entry = ParseEntry(content))
            entries.emplace_back(line, *entry);
        else
            set.model.AddProblem({line, "a tile line is \"file,x,y,z\", not \"" + std::string(content) + "\""});
    }
    if (in.bad())
        throw ReadError(std::error_code(errno, std::generic_category()).message());

    const std::filesystem::path folder = path.parent_path();
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const auto& [line, entry] = entries[k];
        if (progress && !progress(k, entries.size()))
            throw ReadCancelled();
        set.tiles.push_back(entry);
        try {
            AddTile(set, entry, ReadB3dFile(folder / entry.file));
        } catch (const ReadError& e) {
            set.model.AddProblem({line, entry.file + " cannot be read: " + e.what()});
        }
    }
    if (progress && !progress(entries.size(), entries.size()))
        throw ReadCancelled();
    return set;
}

}  // namespace kestrane::b3d
