// The simulator layout: cutting the grid into tiles, one section per cell
// colour in each, and the set of files with its index.
#include "terrain/terrain_tiles.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/regular_file.h"
#include "core/version.h"
#include "terrain/block_run.h"
#include "terrain/staged_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>

namespace kestrane {

namespace {

constexpr char kEnd[] = "\r\n";

// Coordinates beyond this many metres do not fit the millimetre arithmetic
// of the tiles (a million kilometres; no route comes near).
constexpr double kMostTileCoordinate = 1e9;

// The colour that sorts a cell into its section: the colour of its first
// corner, as its Color line gives it; all cells share one section when the
// cells have no colour.
std::uint32_t CellColour(const TerrainGeneratorState& state, int i, int j)
{
    if (!state.params.useColor)
        return 0;
    const GridNode& n = state.node(i, j);
    return static_cast<std::uint32_t>(n.red) << 16 | static_cast<std::uint32_t>(n.green) << 8 | n.blue;
}

// The cell colours of the whole mesh, column by column: planning walks the
// grid along X, across its rows, which the grid itself keeps far apart.
class ColumnColourTable {
public:
    explicit ColumnColourTable(const TerrainGeneratorState& state)
        : rows_(state.derived.LastRow() - 1), colours_(static_cast<std::size_t>(rows_) * kGridColumns)
    {
        for (int i = 1; i <= rows_; ++i)
            for (int j = 1; j < state.derived.LastColumn(); ++j)
                colours_[static_cast<std::size_t>(j) * rows_ + (i - 1)] = CellColour(state, i, j);
    }
    int Rows() const { return rows_; }
    // The colour of cell (i, j), i from 1 to Rows().
    std::uint32_t At(int i, int j) const { return colours_[static_cast<std::size_t>(j) * rows_ + (i - 1)]; }

private:
    int rows_;
    std::vector<std::uint32_t> colours_;
};

// The distinct colours of the cells that touch node row i from cell column
// j (the cells of rows i-1 and i): zero, one or two of them.
struct NodeColours {
    std::uint32_t colour[2] = {0, 0};
    int count = 0;

    bool Has(std::uint32_t c) const { return (count > 0 && colour[0] == c) || (count > 1 && colour[1] == c); }
};

NodeColours ColoursAround(const ColumnColourTable& table, int i, int j)
{
    NodeColours around;
    if (i - 1 >= 1)
        around.colour[around.count++] = table.At(i - 1, j);
    if (i <= table.Rows()) {
        const std::uint32_t c = table.At(i, j);
        if (!around.Has(c))
            around.colour[around.count++] = c;
    }
    return around;
}

// The vertices that cell column j adds to a tile: its right-hand nodes once
// for each distinct colour around them, its left-hand nodes once for each
// colour that the tile's previous column (when `continues`) does not
// already give them.
std::size_t ColumnVertices(const ColumnColourTable& table, int j, bool continues)
{
    std::size_t added = 0;
    for (int i = 1; i <= table.Rows() + 1; ++i) {
        const NodeColours here = ColoursAround(table, i, j);
        added += static_cast<std::size_t>(here.count);  // node (i, j + 1)
        const NodeColours before = continues ? ColoursAround(table, i, j - 1) : NodeColours{};
        for (int k = 0; k < here.count; ++k)
            added += before.Has(here.colour[k]) ? 0 : 1;  // node (i, j)
    }
    return added;
}

// The distinct colours of cell column j, sorted.
std::vector<std::uint32_t> ColumnColours(const ColumnColourTable& table, int j)
{
    std::vector<std::uint32_t> colours;
    for (int i = 1; i <= table.Rows(); ++i)
        colours.push_back(table.At(i, j));
    std::sort(colours.begin(), colours.end());
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    return colours;
}

// How many cell columns the tile length allows (at least one); 0: no limit.
int ColumnsPerTileLength(const TerrainGeneratorState& state)
{
    const double length = state.params.tileLength;
    const double cell = std::abs(state.derived.cellZ);
    if (!(length > 0.0) || !(cell > 0.0))
        return 0;
    const double columns = std::floor(length / cell + 1e-9);  // 25 m of 25/3 m cells: 3, not 2
    if (columns >= kMaxCellsZ)
        return 0;
    return columns < 1.0 ? 1 : static_cast<int>(columns);
}

// A node with the offset added, as the files print it.
MillimetrePoint NodeMillimetres(const TerrainGeneratorState& state, int i, int j)
{
    const GridNode& n = state.node(i, j);
    const Vec3& offset = state.params.offset;
    return {RoundThousandths(n.x + offset.x), RoundThousandths(n.y + offset.y), RoundThousandths(n.z + offset.z)};
}

void AppendPoint(std::string& out, const MillimetrePoint& p, int width)
{
    AppendThousandths(out, p.x, width);
    out.push_back(',');
    AppendThousandths(out, p.y, width);
    out.push_back(',');
    AppendThousandths(out, p.z, width);
}

// Refuses, before anything is written, coordinates that the millimetre
// arithmetic of the tiles cannot hold.
void CheckTileCoordinates(const TerrainGeneratorState& state, UiLanguage language)
{
    const Vec3& offset = state.params.offset;
    for (int i = 1; i <= state.derived.LastRow(); ++i) {
        for (int j = 1; j <= state.derived.LastColumn(); ++j) {
            const GridNode& n = state.node(i, j);
            if (std::abs(n.x + offset.x) < kMostTileCoordinate && std::abs(n.y + offset.y) < kMostTileCoordinate &&
                std::abs(n.z + offset.z) < kMostTileCoordinate)
                continue;
            throw InputError("", LocalText{"A megadott értékekből egymillió kilométernél nagyobb koordináták "
                                           "adódnak, ezek nem darabolhatók; a fájlok nem készültek el.",
                                           "The values given make coordinates beyond a million kilometres, "
                                           "too large to cut into tiles; no file was written."}(language));
        }
    }
}

// ";Csempe: 1 / 2, origó: x,y,z m" - which tile of how many, and where it
// is placed.
std::string TileLine(int number, int count, const MillimetrePoint& origin, UiLanguage language)
{
    std::string line = LocalText{";Csempe: ", ";Tile: "}(language);
    AppendInt(line, number);
    line.append(LocalText{" / ", " of "}(language));
    AppendInt(line, count);
    line.append(LocalText{", origó: ", ", origin: "}(language));
    AppendPoint(line, origin, 0);
    line.append(" m");
    return line;
}

// Writes the sections of one tile. Its tables hold the nodes of the tile
// alone, row by row, so that a section's nodes lie close together; they
// are sized for the whole grid once and reused by every tile and section.
class TileWriter {
public:
    TileWriter(const TerrainGeneratorState& state, B3dWriter& out)
        : state_(state), out_(out), run_(out), stamp_(kGridRows * kGridColumns, 0),
          index_(kGridRows * kGridColumns, 0), millimetres_(kGridRows * kGridColumns)
    {
        if (!state.params.texture.empty()) {
            textureLoad_.append("[texture]\r\nload ");
            AppendUtf8AsCp1250(textureLoad_, state.params.texture);  // as typed, in the code page
            textureLoad_.append(kEnd);
        }
    }

    // The header, the tile line and one section per colour of `tile`, its
    // vertices relative to the tile's origin, into the open output.
    void Write(const TerrainTile& tile, int number, int count, UiLanguage language)
    {
        WriteTerrainHeader(out_, state_.params, language);
        out_.WriteLine(TileLine(number, count, tile.origin, language));
        if (tile.lastColumn <= tile.firstColumn)
            return;
        firstColumn_ = tile.firstColumn;
        width_ = tile.lastColumn - tile.firstColumn + 1;
        // The tile's nodes as printed.
        for (int i = 1; i <= state_.derived.LastRow(); ++i)
            for (int j = tile.firstColumn; j <= tile.lastColumn; ++j)
                millimetres_[NodeId(i, j)] = NodeMillimetres(state_, i, j);
        SortCells(tile);
        for (std::size_t s = 0; s + 1 < sectionStart_.size(); ++s)
            WriteSection(tile, s);
        run_.Flush();
    }

private:
    // The longest lines: a vertex line with three numbers of at most 26
    // characters, a face or texture coordinate line with three integers.
    static constexpr std::size_t kMostVertexLine = 7 + 3 * 27 + 2;
    static constexpr std::size_t kMostIndexLine = 12 + 3 * 21 + 2;

    // Node (i, j) of the current tile.
    int NodeId(int i, int j) const { return (i - 1) * width_ + (j - firstColumn_); }

    // Sorts the tile's cells by colour: sections in the order their colour
    // first appears (row by row, then column by column), each with its
    // cells in that same order.
    void SortCells(const TerrainTile& tile)
    {
        const int lastRow = state_.derived.LastRow();
        sectionOf_.clear();
        cellSection_.clear();
        std::uint32_t lastColour = 0, lastSection = 0;  // neighbours mostly share their colour
        for (int i = 1; i < lastRow; ++i) {
            for (int j = tile.firstColumn; j < tile.lastColumn; ++j) {
                const std::uint32_t colour = CellColour(state_, i, j);
                if (cellSection_.empty() || colour != lastColour) {
                    lastColour = colour;
                    lastSection =
                        sectionOf_.try_emplace(colour, static_cast<std::uint32_t>(sectionOf_.size())).first->second;
                }
                cellSection_.push_back(lastSection);
            }
        }
        sectionStart_.assign(sectionOf_.size() + 1, 0);
        for (const std::uint32_t s : cellSection_)
            ++sectionStart_[s + 1];
        for (std::size_t s = 1; s < sectionStart_.size(); ++s)
            sectionStart_[s] += sectionStart_[s - 1];
        cells_.resize(cellSection_.size());
        next_.assign(sectionStart_.begin(), sectionStart_.end() - 1);
        std::size_t n = 0;
        for (int i = 1; i < lastRow; ++i)
            for (int j = tile.firstColumn; j < tile.lastColumn; ++j)
                cells_[next_[cellSection_[n++]]++] = {i, j};
    }

    void WriteSection(const TerrainTile& tile, std::size_t section)
    {
        ++serial_;
        const std::size_t first = sectionStart_[section];
        const std::size_t last = sectionStart_[section + 1];

        // The nodes of the section, numbered in the order its cells first use them.
        nodes_.clear();
        for (std::size_t c = first; c < last; ++c) {
            const auto [i, j] = cells_[c];
            for (const int id : {NodeId(i, j), NodeId(i, j + 1), NodeId(i + 1, j + 1), NodeId(i + 1, j)}) {
                if (stamp_[id] != serial_) {
                    stamp_[id] = serial_;
                    index_[id] = static_cast<std::uint32_t>(nodes_.size());
                    nodes_.push_back(id);
                }
            }
        }

        run_.MakeRoom(kMostIndexLine);
        run_.Put("[Meshbuilder];");
        run_.PutInt(static_cast<long long>(section + 1));
        run_.Put(kEnd);
        for (const int id : nodes_) {
            const MillimetrePoint& p = millimetres_[id];
            run_.MakeRoom(kMostVertexLine);
            run_.Put("Vertex ");
            run_.PutThousandths(p.x - tile.origin.x, 6);
            run_.Put(',');
            run_.PutThousandths(p.y - tile.origin.y, 6);
            run_.Put(',');
            run_.PutThousandths(p.z - tile.origin.z, 6);
            run_.Put(kEnd);
        }

        // The two triangles of every cell, corners as in domb.b3d:
        // (P0, P1, P2) and (P3, P0, P2).
        for (std::size_t c = first; c < last; ++c) {
            const auto [i, j] = cells_[c];
            const std::uint32_t p0 = index_[NodeId(i, j)], p1 = index_[NodeId(i, j + 1)];
            const std::uint32_t p2 = index_[NodeId(i + 1, j + 1)], p3 = index_[NodeId(i + 1, j)];
            PutFace(p0, p1, p2);
            PutFace(p3, p0, p2);
        }

        if (state_.params.useColor) {
            const GridNode& n = state_.node(cells_[first].first, cells_[first].second);
            run_.MakeRoom(kMostIndexLine);
            run_.PutColorLine(n.red, n.green, n.blue);
        }

        if (!textureLoad_.empty()) {
            run_.MakeRoom(textureLoad_.size());
            run_.Put(textureLoad_);
            // u: rows from the near edge; v: columns back from the tile's
            // far edge, so that each cell reads P0 (0,1), P1 (0,0),
            // P2 (1,0), P3 (1,1) plus whole numbers.
            for (std::size_t k = 0; k < nodes_.size(); ++k) {
                const int i = nodes_[k] / width_ + 1, j = nodes_[k] % width_ + firstColumn_;
                run_.MakeRoom(kMostIndexLine);
                run_.Put("Coordinates ");
                run_.PutInt(static_cast<long long>(k));
                run_.Put(',');
                run_.PutInt(i - 1);
                run_.Put(',');
                run_.PutInt(tile.lastColumn - j);
                run_.Put(kEnd);
            }
        }
        run_.MakeRoom(3);
        run_.Put(";\r\n");
    }

    void PutFace(std::uint32_t a, std::uint32_t b, std::uint32_t c)
    {
        run_.MakeRoom(kMostIndexLine);
        run_.Put("Face2 ");
        run_.PutInt(a);
        run_.Put(',');
        run_.PutInt(b);
        run_.Put(',');
        run_.PutInt(c);
        run_.Put(kEnd);
    }

    const TerrainGeneratorState& state_;
    B3dWriter& out_;
    BlockRun run_;
    std::vector<std::uint32_t> stamp_;  // serial_ of the section that numbered the node last
    std::vector<std::uint32_t> index_;  // the node's vertex number in that section
    std::vector<MillimetrePoint> millimetres_;  // every node, offset added
    int firstColumn_ = 1;  // of the current tile
    int width_ = 1;        // its node columns
    std::uint32_t serial_ = 0;
    std::unordered_map<std::uint32_t, std::uint32_t> sectionOf_;  // colour -> section
    std::vector<std::uint32_t> cellSection_;
    std::vector<std::size_t> sectionStart_;
    std::vector<std::size_t> next_;
    std::vector<std::pair<int, int>> cells_;
    std::vector<int> nodes_;
    std::string textureLoad_;
};

// The index: two comment lines, then "file,x,y,z" (the origin in metres) for
// every tile in order along Z.
void WriteTileIndex(B3dWriter& out, const std::vector<TerrainTile>& tiles, const std::string& stem,
                    UiLanguage language, ObjectFormat format)
{
    out.WriteLine(LocalText{";Házgeneráló program, terepépítő modul: a domb csempéi.",
                            ";Buildig generating program, Area builder module: the tiles of domb."}(language));
    out.WriteLine(kAuthorshipComment);
    out.WriteLine(LocalText{";Fájl, origó X, Y, Z méterben; az objektum csúcspontjai az origóhoz képest értendők.",
                            ";File, origin X, Y, Z in metres; the object's vertices are relative to its origin."}(
        language));
    const int count = static_cast<int>(tiles.size());
    for (int k = 0; k < count; ++k) {
        std::string line = TerrainTileFileName(k + 1, count, stem, format);
        line.push_back(',');
        AppendPoint(line, tiles[k].origin, 0);
        out.WriteLine(line);
    }
}

// The number of a tile file of the set `stem` ("domb_007.b3d": 7), or
// nothing for another name.
std::optional<int> TileNumber(std::string_view name, const std::string& stem, ObjectFormat format)
{
    const std::string_view suffix = ObjectFormatEnding(format);
    if (name.size() < stem.size() + 1 + 3 + suffix.size() || !name.starts_with(stem) || name[stem.size()] != '_' ||
        !name.ends_with(suffix))
        return std::nullopt;
    const std::string_view digits = name.substr(stem.size() + 1, name.size() - stem.size() - 1 - suffix.size());
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(std::string(digits));
}

// The tiles that the index `index` of an earlier set lists: only names of
// the set's own pattern, so an index from elsewhere cannot point the
// clean-up at other files.
std::set<std::string> ListedTiles(const std::filesystem::path& index, const std::string& stem, ObjectFormat format)
{
    std::set<std::string> listed;
    const std::optional<std::string> text = ReadRegularFile(index, 16u << 20);
    if (!text)
        return listed;
    std::string_view rest = *text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::string_view name = line.substr(0, line.find(','));
        if (TileNumber(name, stem, format))
            listed.emplace(name);
    }
    return listed;
}

// The tiles of an earlier set beyond the first `keep`: those its index
// listed that are still in the folder. Files of the same pattern that no
// index of ours listed are not ours to remove.
std::vector<std::string> StaleTiles(const std::set<std::string>& listed, const std::string& stem, int keep,
                                    ObjectFormat format)
{
    std::vector<std::string> stale;
    for (const std::string& name : listed)
        if (*TileNumber(name, stem, format) > keep)
            stale.push_back(name);
    return stale;
}

const LocalText kTilesFinished{"Domb csempék generálása kész: %1 fájl és ", "Domb tiles generated: %1 files and "};

}  // namespace

std::vector<TerrainTile> PlanTerrainTiles(const TerrainGeneratorState& state)
{
    const int lastColumn = state.derived.LastColumn();
    std::vector<TerrainTile> tiles;
    if (state.derived.LastRow() < 2 || lastColumn < 2) {
        tiles.push_back({});
        return tiles;
    }
    const int perLength = ColumnsPerTileLength(state);
    const ColumnColourTable table(state);
    TerrainTile tile;
    std::vector<std::uint32_t> colours;  // of the tile so far, sorted
    for (int j = 1; j < lastColumn; ++j) {
        const bool continues = j > tile.firstColumn;
        std::size_t added = ColumnVertices(table, j, continues);
        const std::vector<std::uint32_t> column = ColumnColours(table, j);
        std::size_t newColours = 0;
        for (const std::uint32_t c : column)
            newColours += std::binary_search(colours.begin(), colours.end(), c) ? 0 : 1;
        const bool pieceStarts = perLength > 0 && (j - 1) % perLength == 0;
        if (continues && (pieceStarts || tile.vertices + added > kTileMostVertices ||
                          colours.size() + newColours > kTileMostSections)) {
            tile.sections = colours.size();
            tiles.push_back(tile);
            tile = TerrainTile{};
            tile.firstColumn = tile.lastColumn = j;
            colours.clear();
            added = ColumnVertices(table, j, false);
        }
        tile.vertices += added;
        std::vector<std::uint32_t> merged;
        std::set_union(colours.begin(), colours.end(), column.begin(), column.end(), std::back_inserter(merged));
        colours.swap(merged);
        tile.lastColumn = j + 1;
    }
    tile.sections = colours.size();
    tiles.push_back(tile);

    if (tiles.size() > 1) {
        for (TerrainTile& t : tiles)
            t.origin = NodeMillimetres(state, 1, t.firstColumn);
    }
    return tiles;
}

std::string TerrainTileIndexName(const std::string& stem)
{
    return stem + "_tiles.txt";
}

std::string TerrainTileFileName(int number, int count, const std::string& stem, ObjectFormat format)
{
    const std::string ending = ObjectFormatEnding(format);
    if (count == 1)
        return stem + ending;
    std::string digits = std::to_string(number);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    return stem + "_" + digits + ending;
}

TerrainResult WriteSimulatorLayout(const TerrainGeneratorState& state, UiLanguage language,
                                   const std::filesystem::path& folder, const std::string& stem, ObjectFormat format)
{
    const std::string indexName = TerrainTileIndexName(stem);
    CheckTileCoordinates(state, language);
    const std::vector<TerrainTile> tiles = PlanTerrainTiles(state);
    const int count = static_cast<int>(tiles.size());
    B3dWriter out;
    TileWriter writer(state, out);
    TerrainResult result;
    result.tiles = count;
    StagedFileSet files(folder);
    const std::set<std::string> listed = ListedTiles(files.PathOf(indexName), stem, format);
    out.format = format;

    if (count == 1) {
        // One file suffices: domb.b3d, replaced as a single file is.
        result.path = files.PathOf(TerrainTileFileName(1, 1, stem, format));
        out.OpenOutput(result.path);
        writer.Write(tiles.front(), 1, 1, language);
        out.CloseOutput();
        result.status = TerrainFinishedStatus(language);
    } else {
        std::vector<std::filesystem::path> staged;
        for (int k = 1; k <= count; ++k)
            staged.push_back(files.Stage(TerrainTileFileName(k, count, stem, format)));
        const std::filesystem::path stagedIndex = files.Stage(indexName);
        std::string name;
        try {
            for (int k = 1; k <= count; ++k) {
                name = TerrainTileFileName(k, count, stem, format);
                if (format == ObjectFormat::Obj) {
                    // The tile's material library is one of the set too.
                    out.materialName = std::filesystem::path(name).replace_extension(".mtl").string();
                    out.materialPath = files.Stage(out.materialName);
                }
                out.OpenOutput(staged[k - 1]);
                writer.Write(tiles[k - 1], k, count, language);
                out.CloseOutput();
            }
            name = indexName;
            out.format = ObjectFormat::B3d;  // the index is plain text in any format
            out.OpenOutput(stagedIndex);
            WriteTileIndex(out, tiles, stem, language, format);
            out.CloseOutput();
        } catch (const OutputError& e) {
            // Named as the file it would have become.
            throw OutputError(e.what(), files.PathOf(name).string(), e.code());
        }
        files.Commit();
        result.path = files.PathOf(indexName);
        result.status = kTilesFinished(language);
        result.status.replace(result.status.find("%1"), 2, std::to_string(count));
        result.status += indexName;
    }

    // The new set is complete: what an earlier, larger set left goes.
    std::vector<std::string> stale = StaleTiles(listed, stem, count == 1 ? 0 : count, format);
    if (count == 1)
        stale.push_back(indexName);
    for (const std::string& name : stale) {
        std::error_code ec;
        const auto path = files.PathOf(name);
        if (!std::filesystem::is_directory(std::filesystem::symlink_status(path, ec)))
            std::filesystem::remove(path, ec);
    }
    return result;
}

}  // namespace kestrane
