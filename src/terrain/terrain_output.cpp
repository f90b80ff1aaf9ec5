// The terrain file: its header and one mesh block per cell.
#include "terrain/terrain_state.h"

#include "core/cp1250.h"
#include "core/numbers.h"
#include "core/version.h"
#include "terrain/block_run.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace kestrane {

namespace {

// The "x,y,z" texts (offset added, each 6:3) of the nodes of one grid row.
// Every node belongs to up to four cells; it is formatted once.
class RowText {
public:
    RowText() : start_(kGridColumns + 1, 0) { text_.reserve(kGridColumns * 24); }

    void Format(const TerrainGeneratorState& state, int row)
    {
        const Vec3& offset = state.params.offset;
        const int last = state.derived.LastColumn();
        text_.clear();
        longest_ = 0;
        for (int j = 1; j <= last; ++j) {
            const GridNode& n = state.node(row, j);
            start_[j] = text_.size();
            AppendReal(text_, n.x + offset.x);
            text_.push_back(',');
            AppendReal(text_, n.y + offset.y);
            text_.push_back(',');
            AppendReal(text_, n.z + offset.z);
            longest_ = std::max(longest_, text_.size() - start_[j]);
        }
        start_[last + 1] = text_.size();
    }

    std::string_view Node(int column) const
    {
        return std::string_view(text_).substr(start_[column], start_[column + 1] - start_[column]);
    }
    std::size_t Longest() const { return longest_; }

private:
    std::string text_;
    std::vector<std::size_t> start_;
    std::size_t longest_ = 0;
};

}  // namespace

void WriteTerrainHeader(B3dWriter& out, const TerrainParams& params, UiLanguage language)
{
    out.WriteLine(LocalText{";Házgeneráló program, terepépítő modul.",
                            ";Buildig generating program, Area builder module."}(language));
    out.WriteLine(kAuthorshipComment);
    out.WriteLine(LocalText{";Nullpont a bal első sarok", ";Null point on left front corner"}(language));
    out.WriteLine(LocalText{";Az obektum textúrázása a Te feladatod!", ";The correct texturing is a your job!"}(language));
    out.WriteLine(LocalText{";Paraméterek:", ";Parameters:"}(language));

    std::string line = LocalText{";Alapterület: ", ";Area: "}(language);
    AppendReal(line, params.area.x, 8);
    line.push_back('x');
    AppendReal(line, params.area.z, 8);
    line.push_back('m');
    out.WriteLine(line);

    line = LocalText{";Felbontás: ", ";Resolution: "}(language);
    AppendReal(line, params.resolution.x, 8);
    line.push_back('x');
    AppendReal(line, params.resolution.z, 8);
    out.WriteLine(line);

    out.WriteLine(";");
}

void WriteTerrain(B3dWriter& out, const TerrainGeneratorState& state, UiLanguage language)
{
    const TerrainParams& p = state.params;
    WriteTerrainHeader(out, p, language);

    const int lastRow = state.derived.LastRow();
    const int lastColumn = state.derived.LastColumn();
    if (lastRow < 2 || lastColumn < 2)
        return;  // no cells

    // The lines every block shares; the texture name as typed, in the code
    // page.
    static constexpr char kTitle[] = "[Meshbuilder];";
    static constexpr char kVertex[] = "Vertex ";
    static constexpr char kFaces[] = "Face2 0,1,2\r\nFace2 3,0,2\r\n";
    static constexpr char kEnd[] = "\r\n";
    static constexpr char kBlockEnd[] = ";\r\n";
    std::string texture;
    if (!p.texture.empty()) {
        texture.append("[texture]\r\nload ");
        AppendUtf8AsCp1250(texture, p.texture);
        texture.append("\r\nCoordinates 0,0,1\r\nCoordinates 1,0,0\r\nCoordinates 2,1,0\r\nCoordinates 3,1,1\r\n");
    }

    RowText rowI, rowNext;  // rows i and i + 1
    rowNext.Format(state, 1);
    BlockRun run(out);
    for (int i = 1; i < lastRow; ++i) {
        std::swap(rowI, rowNext);
        rowNext.Format(state, i + 1);
        // The longest block: title with two numbers, four vertex lines, the colour line, the
        // shared lines.
        const std::size_t most = sizeof kTitle + 24 + 4 * (sizeof kVertex + std::max(rowI.Longest(), rowNext.Longest()) + 2) +
                                 sizeof kFaces + 19 + texture.size() + sizeof kBlockEnd;
        for (int j = 1; j < lastColumn; ++j) {
            run.MakeRoom(most);
            run.Put(kTitle);
            run.PutInt(i);
            run.Put('.');
            run.PutInt(j);
            run.Put(kEnd);
            for (const std::string_view node : {rowI.Node(j), rowI.Node(j + 1), rowNext.Node(j + 1), rowNext.Node(j)}) {
                run.Put(kVertex);  // P0 (i, j), P1 (i, j+1), P2 (i+1, j+1), P3 (i+1, j)
                run.Put(node);
                run.Put(kEnd);
            }
            run.Put(kFaces);
            if (p.useColor) {
                const GridNode& n = state.node(i, j);
                run.PutColorLine(n.red, n.green, n.blue);
            }
            run.Put(texture);
            run.Put(kBlockEnd);
        }
    }
    run.Flush();
}

ObjectSize CellLayoutSize(const TerrainGeneratorState& state)
{
    const int rows = state.derived.LastRow() - 1, columns = state.derived.LastColumn() - 1;
    const std::size_t cells = rows > 0 && columns > 0 ? static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns) : 0;
    return {cells, 4 * cells};
}

}  // namespace kestrane
