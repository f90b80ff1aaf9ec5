// The simulator layout: cutting the grid into tiles, a section per cell
// colour of each block of cells in them, and the set of files with its index.
#include "terrain/terrain_tiles.h"

#include "b3d/load_estimate.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/large_memory.h"
#include "core/numbers.h"
#include "core/regular_file.h"
#include "core/version.h"
#include "terrain/block_run.h"
#include "terrain/staged_files.h"
#include "terrain/work_ahead.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <iterator>
#include <optional>
#include <set>
#include <string_view>
#include <thread>
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

// What sorts a cell into a section of a tile: its colour (24 bits) and,
// for a colour with more cells in the grid than one section may hold, the
// block of the grid it lies in (blocks counted from the grid's first row
// and column). A colour that fits one section keeps its cells together.
using SectionKey = std::uint64_t;

class SectionKeys {
public:
    explicit SectionKeys(const TerrainGeneratorState& state) : state_(state), block_(SectionBlockOf(state))
    {
        // Neighbours mostly share their colour: a run of one colour along a
        // row is counted whole.
        std::unordered_map<std::uint32_t, std::size_t> cells;
        for (int i = 1; i < state.derived.LastRow(); ++i) {
            for (int j = 1; j < state.derived.LastColumn();) {
                const std::uint32_t colour = CellColour(state, i, j);
                const int runStart = j;
                while (++j < state.derived.LastColumn() && CellColour(state, i, j) == colour) {
                }
                cells[colour] += static_cast<std::size_t>(j - runStart);
            }
        }
        const std::size_t most = static_cast<std::size_t>(block_.rows) * static_cast<std::size_t>(block_.columns);
        for (const auto& [colour, count] : cells)
            if (count > most)
                large_.push_back(colour);
        std::sort(large_.begin(), large_.end());
    }

    // The keys of cells (i, first) to (i, last - 1): put(j, key) for each.
    // Neighbours mostly share their colour: each run of one is looked up once.
    template <typename Put>
    void OfRow(int i, int first, int last, Put put) const
    {
        std::uint32_t colour = 0;
        bool large = false;
        // The row's band, and the column's band counted along as j grows.
        const SectionKey rowBand = static_cast<SectionKey>((i - 1) / block_.rows) << 32 | SectionKey{1} << 24;
        SectionKey columnBand = static_cast<SectionKey>((first - 1) / block_.columns);
        int bandLeft = block_.columns - (first - 1) % block_.columns;  // columns before the next band
        for (int j = first; j < last; ++j) {
            const std::uint32_t c = CellColour(state_, i, j);
            if (j == first || c != colour) {
                colour = c;
                large = IsLarge(colour);
            }
            put(j, large ? columnBand << 40 | rowBand | colour : SectionKey{colour});
            if (--bandLeft == 0) {
                ++columnBand;
                bandLeft = block_.columns;
            }
        }
    }

private:
    bool IsLarge(std::uint32_t colour) const { return std::binary_search(large_.begin(), large_.end(), colour); }

    const TerrainGeneratorState& state_;
    SectionBlock block_;
    std::vector<std::uint32_t> large_;  // colours cut into blocks, sorted
};

// The section keys of the whole mesh, column by column: planning walks the
// grid along X, across its rows, which the grid itself keeps far apart.
class ColumnColourTable {
public:
    ColumnColourTable(const TerrainGeneratorState& state, const SectionKeys& keys)
        : rows_(state.derived.LastRow() - 1), keys_(static_cast<std::size_t>(rows_) * kGridColumns)
    {
        for (int i = 1; i <= rows_; ++i)
            keys.OfRow(i, 1, state.derived.LastColumn(),
                       [&](int j, SectionKey key) { keys_[static_cast<std::size_t>(j) * rows_ + (i - 1)] = key; });
    }
    int Rows() const { return rows_; }
    // The keys of cell column j, row 1 first.
    const SectionKey* Column(int j) const { return &keys_[static_cast<std::size_t>(j) * rows_]; }

private:
    int rows_;
    std::vector<SectionKey, LargeAllocator<SectionKey>> keys_;
};

// The vertices that a cell column adds to a tile (`here`: its `rows` keys,
// row 1 first): its right-hand nodes once for each distinct key of the
// cells around them (above and below: one or two), its left-hand nodes once
// for each of those keys that the tile's previous column (`before`, when
// the tile continues) does not already give them.
std::size_t ColumnVertices(const SectionKey* here, const SectionKey* before, std::size_t rows)
{
    // Whether a cell of `keys` beside node row i (i - 1 and i, those that
    // exist) has `key`.
    const auto beside = [rows](const SectionKey* keys, std::size_t i, SectionKey key) {
        return (i > 0 && keys[i - 1] == key) || (i < rows && keys[i] == key);
    };
    std::size_t added = 0;
    for (std::size_t i = 0; i <= rows; ++i) {
        const SectionKey above = here[i > 0 ? i - 1 : 0], below = here[i < rows ? i : rows - 1];
        const std::size_t keys = above == below ? 1 : 2;
        added += keys;  // node (i, j + 1)
        if (before == nullptr)
            added += keys;  // node (i, j)
        else
            added += (beside(before, i, above) ? 0 : 1) + (keys == 2 && !beside(before, i, below) ? 1 : 0);
    }
    return added;
}

// The distinct keys of a cell column (its `rows` keys), sorted, into
// `colours`.
void ColumnColours(const SectionKey* keys, std::size_t rows, std::vector<SectionKey>& colours)
{
    colours.clear();
    for (std::size_t i = 0; i < rows; ++i) {
        if (i > 0 && keys[i] == keys[i - 1])
            continue;  // a run of one key along the column once
        const auto at = std::lower_bound(colours.begin(), colours.end(), keys[i]);
        if (at == colours.end() || *at != keys[i])
            colours.insert(at, keys[i]);
    }
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

// Makes the sections of one tile as text. Its tables hold the nodes of the
// tile alone, row by row, so that a section's nodes lie close together;
// they grow to the largest tile and are reused by every tile and section.
// Writers on several threads may share the state and the keys: they only
// read them.
class TileWriter {
public:
    // `mostNodes`: the nodes of the largest tile it will write.
    TileWriter(const TerrainGeneratorState& state, const SectionKeys& keys, B3dWriter& out, std::size_t mostNodes)
        : state_(state),
          keys_(keys),
          mostNodes_(mostNodes),
          tables_(TableBytes(mostNodes)),
          run_(out, tables_.Resource())
    {
        cellSection_.reserve(mostNodes);
        cells_.reserve(mostNodes);
        if (!state.params.texture.empty()) {
            textureLoad_.append("[texture]\r\nload ");
            AppendUtf8AsCp1250(textureLoad_, state.params.texture);  // as typed, in the code page
            textureLoad_.append(kEnd);
        }
    }

    // One section per colour of each block of `tile`, its vertices relative
    // to the tile's origin, into `out` (after the header and the tile
    // line); returns the loader's expected seconds for the tile.
    double Write(const TerrainTile& tile, B3dWriter& out)
    {
        load_ = LoadCounts{};
        if (tile.lastColumn <= tile.firstColumn)
            return EstimateLoadSeconds(load_);
        run_.WriteTo(out);
        firstColumn_ = tile.firstColumn;
        width_ = tile.lastColumn - tile.firstColumn + 1;
        // The tables take the largest tile's nodes (cells fewer) at once,
        // on the thread that uses them, and are never copied as they grow.
        const std::size_t nodes =
            std::max(mostNodes_, static_cast<std::size_t>(state_.derived.LastRow()) * static_cast<std::size_t>(width_));
        if (millimetres_.size() < nodes) {
            for (std::pmr::vector<std::uint32_t>* table : {&stamp_, &numbered_, &index_, &cellDone_})
                table->resize(nodes, 0);
            millimetres_.resize(nodes);
            cellQuad_.resize(nodes);
        }
        // The tile's nodes as printed.
        for (int i = 1; i <= state_.derived.LastRow(); ++i)
            for (int j = tile.firstColumn; j <= tile.lastColumn; ++j)
                millimetres_[NodeId(i, j)] = NodeMillimetres(state_, i, j);
        // Each cell's quad, asked for again and again while blocks grow.
        for (int i = 1; i < state_.derived.LastRow(); ++i)
            for (int j = tile.firstColumn; j < tile.lastColumn; ++j)
                cellQuad_[CellId(i, j)] = QuadOf(millimetres_[NodeId(i, j)], millimetres_[NodeId(i, j + 1)],
                                                 millimetres_[NodeId(i + 1, j + 1)], millimetres_[NodeId(i + 1, j)]);
        SortCells(tile);
        for (std::size_t s = 0; s + 1 < sectionStart_.size(); ++s)
            WriteSection(tile, s);
        run_.Flush();
        return EstimateLoadSeconds(load_);
    }

private:
    // The bytes of the tables for `nodes` nodes and as many cells, each
    // table with room to align it, and of the text's first blocks.
    static std::size_t TableBytes(std::size_t nodes)
    {
        constexpr std::size_t kPerNode = 4 * sizeof(std::uint32_t) + sizeof(MillimetrePoint) + sizeof(CellQuad) +
                                         sizeof(std::uint32_t) + sizeof(std::pair<int, int>);
        return nodes * kPerNode + 8 * alignof(std::max_align_t) + BlockRun::kSize;
    }

    // The longest lines: a vertex line with three numbers of at most 26
    // characters, a face or texture coordinate line with three integers.
    static constexpr std::size_t kMostVertexLine = 7 + 3 * 27 + 2;
    static constexpr std::size_t kMostIndexLine = 12 + 3 * 21 + 2;

    // Node (i, j) of the current tile.
    int NodeId(int i, int j) const { return (i - 1) * width_ + (j - firstColumn_); }

    // Sorts the tile's cells by colour and block: sections in the order
    // their colour and block first appear (row by row, then column by
    // column), each with its cells in that same order.
    void SortCells(const TerrainTile& tile)
    {
        const int lastRow = state_.derived.LastRow();
        sectionOf_.clear();
        cellSection_.clear();
        SectionKey lastKey = 0;
        std::uint32_t lastSection = 0;  // neighbours mostly share their section
        for (int i = 1; i < lastRow; ++i) {
            keys_.OfRow(i, tile.firstColumn, tile.lastColumn, [&](int, SectionKey key) {
                if (cellSection_.empty() || key != lastKey) {
                    lastKey = key;
                    lastSection =
                        sectionOf_.try_emplace(key, static_cast<std::uint32_t>(sectionOf_.size())).first->second;
                }
                cellSection_.push_back(lastSection);
            });
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

        // Every cell: one face P0, P1, P2, P3 when its corners lie in a
        // plane and make a convex quad, else the two triangles of domb.b3d,
        // (P0, P1, P2) and (P3, P0, P2). The loader cuts a face into a fan
        // from its first corner, (P0, P1, P2) and (P0, P2, P3): the same
        // two triangles, across the same diagonal. A block of such cells
        // that Holds is one face of its outer corners.
        faces_.clear();
        for (std::size_t c = first; c < last; ++c) {
            const auto [i, j] = cells_[c];
            if (cellDone_[CellId(i, j)] == serial_)
                continue;
            const int n0 = NodeId(i, j), n1 = NodeId(i, j + 1), n2 = NodeId(i + 1, j + 1), n3 = NodeId(i + 1, j);
            const CellQuad quad = cellQuad_[CellId(i, j)];
            if (quad != CellQuad::None) {
                const CellBlock block = FlatBlockFrom(i, j, static_cast<std::uint32_t>(section), quad);
                const int b1 = NodeId(i, block.lastColumn + 1), b2 = NodeId(block.lastRow + 1, block.lastColumn + 1),
                          b3 = NodeId(block.lastRow + 1, j);
                const bool up = state_.params.twoSided || quad == CellQuad::Up;
                faces_.push_back({{n0, up ? b1 : b3, b2, up ? b3 : b1}, 4});
            } else {
                cellDone_[CellId(i, j)] = serial_;
                AddTriangle(n0, n1, n2);
                AddTriangle(n3, n0, n2);
            }
        }

        // The nodes the faces use, and those of the tile's first and last
        // columns (which the neighbouring tiles share), numbered in the order
        // the section's cells first reach them; other nodes along or inside
        // a block of one face are left out.
        for (const SectionFace& face : faces_)
            for (int k = 0; k < face.count; ++k)
                stamp_[face.nodes[k]] = serial_;
        nodes_.clear();
        nodePlaces_.clear();
        for (std::size_t c = first; c < last; ++c) {
            const auto [i, j] = cells_[c];
            const int near = j - firstColumn_, far = near + 1;  // the cell's node columns in the tile
            const bool nearEdge = near == 0, farEdge = far == width_ - 1;
            const std::array<std::pair<int, bool>, 4> corners{{{NodeId(i, j), nearEdge},
                                                               {NodeId(i, j + 1), farEdge},
                                                               {NodeId(i + 1, j + 1), farEdge},
                                                               {NodeId(i + 1, j), nearEdge}}};
            const std::array<std::pair<int, int>, 4> places{{{i, j}, {i, j + 1}, {i + 1, j + 1}, {i + 1, j}}};
            for (int k = 0; k < 4; ++k) {
                const auto [id, onEdge] = corners[k];
                const bool kept = onEdge || stamp_[id] == serial_;
                if (kept && numbered_[id] != serial_) {
                    numbered_[id] = serial_;
                    index_[id] = static_cast<std::uint32_t>(nodes_.size());
                    nodes_.push_back(id);
                    nodePlaces_.push_back(places[k]);
                }
            }
        }

        // The vertex numbers, and the texture's rows and columns.
        numbers_.Cover(std::max({nodes_.size(), static_cast<std::size_t>(state_.derived.LastRow()),
                                 static_cast<std::size_t>(width_)}));
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
        for (const SectionFace& face : faces_) {
            run_.MakeRoom(kMostIndexLine + 21);
            run_.Put(state_.params.twoSided ? "Face2 " : "Face ");
            for (int k = 0; k < face.count; ++k) {
                if (k > 0)
                    run_.Put(',');
                run_.PutSmall(numbers_[index_[face.nodes[k]]]);
            }
            run_.Put(kEnd);
        }
        load_.AddSection(nodes_.size(), faces_.size(), state_.params.twoSided ? faces_.size() : 0);

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
                const auto [i, j] = nodePlaces_[k];
                run_.MakeRoom(kMostIndexLine);
                run_.Put("Coordinates ");
                run_.PutSmall(numbers_[k]);
                run_.Put(',');
                run_.PutSmall(numbers_[static_cast<std::size_t>(i - 1)]);
                run_.Put(',');
                run_.PutSmall(numbers_[static_cast<std::size_t>(tile.lastColumn - j)]);
                run_.Put(kEnd);
            }
        }
        run_.MakeRoom(3);
        run_.Put(";\r\n");
    }

    // Cell (i, j) of the current tile, row by row as SortCells numbers them.
    std::size_t CellId(int i, int j) const
    {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(width_ - 1) +
               static_cast<std::size_t>(j - firstColumn_);
    }

    // Whether cell (i, j) may join a block of the section: not yet written,
    // of the section, flat and convex the same way as the block's first cell.
    bool Joins(int i, int j, std::uint32_t section, CellQuad quad) const
    {
        const std::size_t id = CellId(i, j);
        return cellDone_[id] != serial_ && cellSection_[id] == section && cellQuad_[id] == quad;
    }

    // Whether the cells from (i, j) to (lastRow, lastColumn) can be one face
    // of the same surface: its four outer corners make the same quad as its
    // first cell (flat and convex), and every node lies within
    // kBlockMostOffLattice of the point the same share of the way along the
    // block's rows and columns (bilinear in its corners: the node is then on
    // the face, and its sides are straight). With a texture the block must
    // be a parallelogram as well: the texture coordinates, whole numbers per
    // row and column, then run across the face as across each of its cells.
    bool Holds(int i, int j, int lastRow, int lastColumn, CellQuad quad)
    {
        const MillimetrePoint& p0 = millimetres_[NodeId(i, j)];
        const MillimetrePoint& p1 = millimetres_[NodeId(i, lastColumn + 1)];
        const MillimetrePoint& p2 = millimetres_[NodeId(lastRow + 1, lastColumn + 1)];
        const MillimetrePoint& p3 = millimetres_[NodeId(lastRow + 1, j)];
        if (QuadOf(p0, p1, p2, p3) != quad)
            return false;
        if (!textureLoad_.empty() && (std::llabs(p0.x + p2.x - p1.x - p3.x) > kBlockMostOffLattice ||
                                      std::llabs(p0.y + p2.y - p1.y - p3.y) > kBlockMostOffLattice ||
                                      std::llabs(p0.z + p2.z - p1.z - p3.z) > kBlockMostOffLattice))
            return false;
        const double rows = lastRow + 1 - i, columns = lastColumn + 1 - j;
        // Each column's points on the near and the far side of the block,
        // the same for every row: worked out once per column.
        sides_.clear();
        for (int c = j; c <= lastColumn + 1; ++c) {
            const double t = (c - j) / columns;
            const auto near = [t](long long c0, long long c1) {
                return (1 - t) * static_cast<double>(c0) + t * static_cast<double>(c1);
            };
            const auto far = [t](long long c2, long long c3) {
                return t * static_cast<double>(c2) + (1 - t) * static_cast<double>(c3);
            };
            sides_.push_back({{near(p0.x, p1.x), near(p0.y, p1.y), near(p0.z, p1.z)},
                              {far(p2.x, p3.x), far(p2.y, p3.y), far(p2.z, p3.z)}});
        }
        for (int r = lastRow + 1; r >= i; --r) {  // the newest row first: where a growing block fails
            const double s = (r - i) / rows;
            const MillimetrePoint* p = &millimetres_[NodeId(r, j)];
            for (const ColumnSides& side : sides_) {
                const auto off = [s](long long at, double near, double far) {
                    const double bilinear = (1 - s) * near + s * far;
                    return std::abs(static_cast<double>(at) - bilinear) > kBlockMostOffLattice;
                };
                if (off(p->x, side.near[0], side.far[0]) || off(p->y, side.near[1], side.far[1]) ||
                    off(p->z, side.near[2], side.far[2]))
                    return false;
                ++p;
            }
        }
        return true;
    }

    // A column of a block being checked: where its near and far sides lie
    // (X, Y, Z) in the bilinear surface of the block's corners.
    struct ColumnSides {
        std::array<double, 3> near;
        std::array<double, 3> far;
    };

    // The largest block of cells from the flat, convex cell (i, j) of
    // `quad`, grown first along Z, then across X, while it Holds; its
    // cells are marked written.
    struct CellBlock {
        int lastRow;
        int lastColumn;
    };
    CellBlock FlatBlockFrom(int i, int j, std::uint32_t section, CellQuad quad)
    {
        const int tileLastColumn = firstColumn_ + width_ - 2, gridLastRow = state_.derived.LastRow() - 1;
        int lastColumn = j;
        while (lastColumn < tileLastColumn && Joins(i, lastColumn + 1, section, quad) &&
               Holds(i, j, i, lastColumn + 1, quad))
            ++lastColumn;
        const auto rowJoins = [&](int r) {
            for (int c = j; c <= lastColumn; ++c)
                if (!Joins(r, c, section, quad))
                    return false;
            return Holds(i, j, r, lastColumn, quad);
        };
        int lastRow = i;
        while (lastRow < gridLastRow && rowJoins(lastRow + 1))
            ++lastRow;
        for (int r = i; r <= lastRow; ++r)
            for (int c = j; c <= lastColumn; ++c)
                cellDone_[CellId(r, c)] = serial_;
        return {lastRow, lastColumn};
    }

    // Whether the triangle of nodes a, b, c (in that order) is seen from
    // above: the loader shows a face on the side where its corners run
    // clockwise, the side cross(b - a, c - a) points to.
    bool FacesUp(int a, int b, int c) const
    {
        const MillimetrePoint &pa = millimetres_[a], &pb = millimetres_[b], &pc = millimetres_[c];
        const double abx = static_cast<double>(pb.x - pa.x), abz = static_cast<double>(pb.z - pa.z);
        const double acx = static_cast<double>(pc.x - pa.x), acz = static_cast<double>(pc.z - pa.z);
        return abz * acx - abx * acz >= 0.0;
    }

    // The triangle of nodes a, b, c: two-sided in that order, or one-sided
    // with its corners turned to face up.
    void AddTriangle(int a, int b, int c)
    {
        const bool up = state_.params.twoSided || FacesUp(a, b, c);
        faces_.push_back({{a, up ? b : c, up ? c : b, 0}, 3});
    }

    // A face of the section being written: its corners' nodes in order.
    struct SectionFace {
        std::array<int, 4> nodes;
        int count;
    };

    const TerrainGeneratorState& state_;
    const SectionKeys& keys_;
    std::size_t mostNodes_;
    // The tables of a node or a cell of the tile and the text's blocks,
    // side by side in the writer's own large block: megabytes whose first
    // touch would otherwise cost a page fault every 4 KiB.
    LargeArena tables_;
    BlockRun run_;  // into the output of the tile being written
    // serial_ while a face of the section being written uses the node
    std::pmr::vector<std::uint32_t> stamp_{tables_.Resource()};
    // serial_ of the section that numbered the node last
    std::pmr::vector<std::uint32_t> numbered_{tables_.Resource()};
    std::pmr::vector<std::uint32_t> index_{tables_.Resource()};     // the node's vertex number in that section
    std::pmr::vector<std::uint32_t> cellDone_{tables_.Resource()};  // serial_ of the section that wrote the cell
    std::pmr::vector<MillimetrePoint> millimetres_{tables_.Resource()};  // every node, offset added
    std::pmr::vector<CellQuad> cellQuad_{tables_.Resource()};            // every cell's QuadOf
    int firstColumn_ = 1;  // of the current tile
    int width_ = 1;        // its node columns
    std::uint32_t serial_ = 0;
    std::unordered_map<SectionKey, std::uint32_t> sectionOf_;  // colour and block -> section
    std::pmr::vector<std::uint32_t> cellSection_{tables_.Resource()};
    std::vector<std::size_t> sectionStart_;
    std::vector<std::size_t> next_;
    std::pmr::vector<std::pair<int, int>> cells_{tables_.Resource()};
    std::vector<int> nodes_;
    std::vector<std::pair<int, int>> nodePlaces_;  // each of nodes_'s grid row and column
    std::vector<SectionFace> faces_;
    SmallNumbers numbers_;  // the vertex numbers' text and more
    std::vector<ColumnSides> sides_;  // Holds's columns
    std::string textureLoad_;
    LoadCounts load_;  // of the tile being written
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

const LocalText kTilesFinished{"Domb csempék generálása kész: %1 fájl és ", "Domb tiles generated: %1 files and "};

// The tiles of the mesh, with the section keys of its cells.
std::vector<TerrainTile> PlanTiles(const TerrainGeneratorState& state, const SectionKeys& keysOfCells);

int tileWorkersForTesting = -1;  // < 0: as many as the machine's cores allow

}  // namespace

std::vector<TerrainTile> PlanTerrainTiles(const TerrainGeneratorState& state)
{
    return PlanTiles(state, SectionKeys(state));
}

namespace {

std::vector<TerrainTile> PlanTiles(const TerrainGeneratorState& state, const SectionKeys& keysOfCells)
{
    const int lastColumn = state.derived.LastColumn();
    std::vector<TerrainTile> tiles;
    if (state.derived.LastRow() < 2 || lastColumn < 2) {
        tiles.push_back({});
        return tiles;
    }
    const int perLength = ColumnsPerTileLength(state);
    const ColumnColourTable table(state, keysOfCells);
    TerrainTile tile;
    std::vector<SectionKey> keys, merged, column;  // of the tile so far (sorted), of cell column j
    const auto rows = static_cast<std::size_t>(table.Rows());
    for (int j = 1; j < lastColumn; ++j) {
        const bool continues = j > tile.firstColumn;
        std::size_t added = ColumnVertices(table.Column(j), continues ? table.Column(j - 1) : nullptr, rows);
        ColumnColours(table.Column(j), rows, column);
        std::size_t newKeys = 0;
        for (const SectionKey c : column)
            newKeys += std::binary_search(keys.begin(), keys.end(), c) ? 0 : 1;
        const bool pieceStarts = perLength > 0 && (j - 1) % perLength == 0;
        if (continues && (pieceStarts || tile.vertices + added > kTileMostVertices ||
                          keys.size() + newKeys > kTileMostSections)) {
            tile.sections = keys.size();
            tiles.push_back(tile);
            tile = TerrainTile{};
            tile.firstColumn = tile.lastColumn = j;
            keys.clear();
            added = ColumnVertices(table.Column(j), nullptr, rows);
        }
        tile.vertices += added;
        if (keys.empty()) {
            keys = column;
        } else if (newKeys > 0) {  // mostly a column brings no key the tile does not have
            merged.clear();
            std::set_union(keys.begin(), keys.end(), column.begin(), column.end(), std::back_inserter(merged));
            keys.swap(merged);
        }
        tile.lastColumn = j + 1;
    }
    tile.sections = keys.size();
    tiles.push_back(tile);

    if (tiles.size() > 1) {
        for (TerrainTile& t : tiles)
            t.origin = NodeMillimetres(state, 1, t.firstColumn);
    }
    return tiles;
}

}  // namespace

SectionBlock SectionBlockOf(const TerrainGeneratorState& state)
{
    const std::size_t faces = state.params.twoSided ? kSectionMostFacesTwoSided : kSectionMostFaces;
    const int cells = static_cast<int>(faces / 2);
    const int gridRows = std::max(1, state.derived.LastRow() - 1);
    int rows = 1;
    while ((rows + 1) * (rows + 1) <= cells)
        ++rows;
    rows = std::min(rows, gridRows);
    return {rows, std::max(1, cells / rows)};
}

CellQuad QuadOf(const MillimetrePoint& p0, const MillimetrePoint& p1, const MillimetrePoint& p2,
              const MillimetrePoint& p3)
{
    // Corners relative to P0, in millimetres: small, exact numbers.
    const auto from = [&p0](const MillimetrePoint& p) {
        return std::array<double, 3>{static_cast<double>(p.x - p0.x), static_cast<double>(p.y - p0.y),
                                     static_cast<double>(p.z - p0.z)};
    };
    const std::array<std::array<double, 3>, 4> q{from(p0), from(p1), from(p2), from(p3)};
    // The plan (X, Z) turn at corner k: positive where the corners run
    // clockwise seen from above, as a face seen from above has them.
    const auto turn = [&q](int k) {
        const auto &a = q[(k + 3) % 4], &b = q[k], &c = q[(k + 1) % 4];
        return (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]);
    };
    const double t0 = turn(0), t1 = turn(1), t2 = turn(2), t3 = turn(3);
    const bool up = t0 > 0 && t1 > 0 && t2 > 0 && t3 > 0;
    if (!up && !(t0 < 0 && t1 < 0 && t2 < 0 && t3 < 0))
        return CellQuad::None;  // not convex, or a corner on a line with its neighbours
    // Whether corner `d` lies farther than kQuadMostOffPlane from the plane
    // of corners a, b, c. Squared, the distance decides without a root
    // unless it is within a factor of two of the limit; there the distance
    // itself is worked out and compared.
    const auto offPlane = [&q](int a, int b, int c, int d) {
        const auto sub = [](const std::array<double, 3>& u, const std::array<double, 3>& v) {
            return std::array<double, 3>{u[0] - v[0], u[1] - v[1], u[2] - v[2]};
        };
        const auto u = sub(q[b], q[a]), v = sub(q[c], q[a]), w = sub(q[d], q[a]);
        const double nx = u[1] * v[2] - u[2] * v[1], ny = u[2] * v[0] - u[0] * v[2], nz = u[0] * v[1] - u[1] * v[0];
        const double along = nx * w[0] + ny * w[1] + nz * w[2], normal = nx * nx + ny * ny + nz * nz;
        const double limit = kQuadMostOffPlane * kQuadMostOffPlane * normal;
        if (along * along < 0.25 * limit)
            return false;
        if (along * along > 4.0 * limit)
            return true;
        return std::abs(along) / std::sqrt(normal) > kQuadMostOffPlane;
    };
    if (offPlane(0, 1, 2, 3) || offPlane(0, 2, 3, 1))
        return CellQuad::None;
    return up ? CellQuad::Up : CellQuad::Down;
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
                                   const std::filesystem::path& folder, const std::string& stem,
                                   const TileProgress& progress, ObjectFormat format)
{
    const std::string indexName = TerrainTileIndexName(stem);
    CheckTileCoordinates(state, language);
    const SectionKeys keys(state);
    const std::vector<TerrainTile> tiles = PlanTiles(state, keys);
    const int count = static_cast<int>(tiles.size());
    TerrainResult result;
    result.tiles = count;
    result.loadSeconds = 0.0;
    // The files go in place together, in the order TileSetReplacement
    // gives: the earlier index first out, the new index last in. A
    // cancelled or failed run drops them all and leaves the earlier set.
    TileSetReplacement files(folder, stem, format);
    files.RemoveEarlierIndex();

    // The tiles' sections are made on the other cores too, while this
    // thread opens each tile's file, writes its header and puts it in
    // place, in order (see WorkAhead).
    const std::size_t workers = tileWorkersForTesting >= 0
                                    ? static_cast<std::size_t>(tileWorkersForTesting)
                                    : WorkAhead::WorkersFor(tiles.size(), std::thread::hardware_concurrency());
    std::deque<B3dWriter> outputs(WorkAhead::SlotsFor(workers));  // a tile's output in each slot of the ring
    std::size_t mostNodes = 0;
    for (const TerrainTile& tile : tiles)
        mostNodes = std::max(mostNodes, static_cast<std::size_t>(state.derived.LastRow()) *
                                            static_cast<std::size_t>(tile.lastColumn - tile.firstColumn + 1));
    std::deque<TileWriter> writers;  // the workers' and this thread's
    for (std::size_t w = 0; w <= workers; ++w)
        writers.emplace_back(state, keys, outputs.front(), mostNodes);
    std::vector<double> loadSeconds(tiles.size(), 0.0);
    const auto open = [&](std::size_t k, std::size_t slot) {
        B3dWriter& out = outputs[slot];
        out.format = format;
        out.OpenOutput(files.PathOf(TerrainTileFileName(static_cast<int>(k) + 1, count, stem, format)));
        WriteTerrainHeader(out, state.params, language);
        out.WriteLine(TileLine(static_cast<int>(k) + 1, count, tiles[k].origin, language));
    };
    // A tile's file starts going to the disk as soon as it is made: the
    // tiles are made out of order but finished in order.
    const auto write = [&](std::size_t maker, std::size_t k, std::size_t slot) {
        loadSeconds[k] = writers[maker].Write(tiles[k], outputs[slot]);
        outputs[slot].StartWriteBack();
    };
    // The largest tiles are made first (their vertices weigh them): the
    // makers then finish together.
    std::vector<std::size_t> weights;
    for (const TerrainTile& tile : tiles)
        weights.push_back(tile.vertices);
    WorkAhead work(tiles.size(), workers, open, write, std::move(weights));
    for (int k = 1; k <= count; ++k) {
        B3dWriter& out = outputs[work.Get(static_cast<std::size_t>(k - 1))];
        result.loadSeconds += loadSeconds[k - 1];
        if (count == 1) {
            // One file suffices: domb.b3d, replaced as a single file is.
            result.path = files.PathOf(TerrainTileFileName(1, 1, stem, format));
            if (progress && !progress(1, 1)) {
                out.Abandon();
                throw GenerationCancelled();
            }
        }
        out.CloseOutput();
        if (count > 1 && progress && !progress(k, count))
            throw GenerationCancelled();
        work.Done(static_cast<std::size_t>(k - 1));
    }
    files.RemoveLeftovers(count);
    if (count == 1) {
        result.status = TerrainFinishedStatus(language);
    } else {
        B3dWriter out;  // the index is plain text in any format
        out.OpenOutput(files.PathOf(indexName));
        WriteTileIndex(out, tiles, stem, language, format);
        out.CloseOutput();
        result.path = files.PathOf(indexName);
        result.status = kTilesFinished(language);
        result.status.replace(result.status.find("%1"), 2, std::to_string(count));
        result.status += indexName;
    }
    files.Publish();
    return result;
}

void SetTileWorkersForTesting(int workers) { tileWorkersForTesting = workers; }

}  // namespace kestrane
