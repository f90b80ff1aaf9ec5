// The output text file of a B3D object and the statement emitters that the
// house elements share.
//
// Lines are taken as UTF-8 and written in Windows-1250, each ended by CR LF.
// The file replaces the target's directory entry only when the last line and
// the close have succeeded (see ReplacingFile), so a failed generation leaves
// the previous file as it was, and a link or device under the target's name
// is replaced, never written through.
#pragma once

#include "b3d/csv_translation.h"
#include "b3d/object_format.h"
#include "core/replacing_file.h"
#include "core/types.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// What a writer has put into its output, counted as the simulator reads the
// lines (command words in any case, blanks before them skipped, comment
// lines left out).
struct B3dCounts {
    std::size_t sections = 0;  // "[MeshBuilder]" lines
    std::size_t vertices = 0;  // "vertex" lines
    std::size_t faces = 0;     // "face" and "face2" lines
    std::vector<std::string> textures;  // the files of the "load" lines, each once, first use first
};

class B3dWriter {
public:
    B3dWriter() = default;
    B3dWriter(const B3dWriter&) = delete;
    B3dWriter& operator=(const B3dWriter&) = delete;
    ~B3dWriter();  // an output still open is abandoned

    // Added by EmitVertex and EmitTranslate to every point they write.
    Vec3 offset;

    // The format of the outputs opened from now on. The statements are
    // emitted as B3D whatever the format: as CSV each line is translated on
    // its way to the file (csv_translation.h); as OBJ the text is kept and
    // read into the mesh model when the output closes, which then writes
    // the OBJ file and its MTL beside it (path with ".mtl"). The path is
    // taken as given: FileNameInFormat gives the name of each format.
    // The MTL is put in place together with its OBJ file (in the group
    // that is open, if any).
    ObjectFormat format = ObjectFormat::B3d;

    // Starts a new output for `path` (relative to the current folder).
    // Throws OutputError when it cannot be created. With Counting::On the
    // writer counts what it writes (Counts()); a large terrain, which counts
    // its own cells, is written faster without.
    enum class Counting { Off, On };
    void OpenOutput(const std::filesystem::path& path, Counting counting = Counting::Off);
    // Writes what is buffered, closes, and puts the file in place.
    // Throws OutputError; the previous file then stays untouched.
    void CloseOutput();
    // Writes out what is buffered and starts writing the output to the
    // disk, while it stays open (an OBJ file is written when it closes).
    // Throws OutputError, as CloseOutput.
    void StartWriteBack();
    // Drops an unfinished output; the previous file stays untouched.
    void Abandon() noexcept;
    // Where the closed output can be read back (see ReplacingFile).
    const std::filesystem::path& WrittenPath() const { return file_.ReadablePath(); }

    // What the output opened last with Counting::On holds, complete once
    // CloseOutput has returned: a generation reports its object from these
    // instead of reading its own file back.
    const B3dCounts& Counts() const { return counts_; }

    // The text (UTF-8, converted to Windows-1250), then CR LF.
    void WriteLine(std::string_view text);
    // The text alone, without a line end.
    void WriteText(std::string_view text);
    // Bytes already in Windows-1250, line ends included, written as they
    // are; a long run goes to the file without passing through the buffer.
    void WriteBytes(std::string_view bytes);

    // "vertex x,y,z" with the offset added, each coordinate through FormatReal.
    void EmitVertex(double x, double y, double z);
    void EmitVertex(const Vec3& p) { EmitVertex(p.x, p.y, p.z); }
    // "translate x,y,z" with the offset added.
    void EmitTranslate(double x, double y, double z);
    void EmitTranslate(const Vec3& p) { EmitTranslate(p.x, p.y, p.z); }
    // "color r,g,b" with each channel three characters wide.
    void EmitColor(const ColorRgb& color);
    // "color r,g,b" without padding ("color 5,20,100"): the stairs and the
    // fixed colours of soffits, rims, gutters, downpipe and chimney cap.
    void EmitColorUnpadded(const ColorRgb& color);
    // "EmissiveColor r,g,b" without padding: light the faces of the section
    // give off whatever the light around them (lit windows).
    void EmitEmissiveColor(const ColorRgb& color);

    // Statements whose three numbers are written as given: each field is
    // either FormatReal text or a fixed text such as "0" or "0.25" that the
    // files have always carried. No offset is added.
    // "cube x,y,z": a box of these half-extents around its translate point.
    void EmitCube(std::string_view x, std::string_view y, std::string_view z);
    void EmitCube(const Vec3& half);  // every field through FormatReal
    // "vertex x,y,z" relative to the section's translate point, which
    // carries the offset instead.
    void EmitVertexRelative(std::string_view x, std::string_view y, std::string_view z);
    void EmitVertexRelative(const Vec3& p);  // every field through FormatReal

    // Texture blocks: "[Texture]", the load line, one "Coordinates" line per
    // entry ("vertex,u,v"), an empty line. Walls and roofs write "load",
    // the gutters and the chimney "Load"; the simulator takes both, the
    // files keep each element's own.
    enum class LoadWord { Lower, Capital };  // "load" / "Load"
    void EmitTexture(std::string_view file, std::initializer_list<std::string_view> coordinates,
                     LoadWord word = LoadWord::Lower);
    // The parts of a block for callers that compute its lines: the first two
    // lines, and one coordinate line. The caller ends the block.
    void EmitTextureStart(std::string_view file, LoadWord word = LoadWord::Lower);
    void EmitCoordinates(std::string_view vertexUv);
    void EmitCoordinates(long long vertex, long long u, long long v);
    // The blocks of the usual face shapes.
    void EmitTextureTriangle(std::string_view file);
    void EmitTextureQuad(std::string_view file);
    void EmitTextureQuadSloped(std::string_view file, double inset);
    void EmitTexturePentagon(std::string_view file, double shoulder);

private:
    void Flush();
    void WriteOut(std::string_view bytes);
    void Tally(std::string_view bytes);
    void TallyLine(std::string_view line);
    void AppendPoint(std::string& line, double x, double y, double z) const;
    void WriteChannels(std::string_view keyword, const ColorRgb& color);
    void WriteFields(std::string_view keyword, std::string_view x, std::string_view y, std::string_view z);

    ReplacingFile file_;
    std::filesystem::path mtlPath_;
    ObjectFormat openFormat_ = ObjectFormat::B3d;
    CsvTranslator csv_;
    std::string translated_;  // CSV: the text of the piece being written
    std::string source_;      // OBJ: the whole B3D text
    std::string buffer_;
    std::string line_;
    unsigned long long written_ = 0;
    bool counting_ = false;
    B3dCounts counts_;
    std::string lineHead_;  // the start of a line that Tally has not seen end yet
};

}  // namespace kestrane
