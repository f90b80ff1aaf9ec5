#include "track/track_generator.h"

#include "b3d/b3d_writer.h"
#include "b3d/simulator_limits.h"
#include "core/numbers.h"
#include "core/replacing_file.h"
#include "core/version.h"
#include "core/utf8_path.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

void WriteHeader(B3dWriter& out, TrackPiece piece, const TrackParams& p, double radius, int segments,
                 const std::string& fileName, UiLanguage language)
{
    out.WriteLine(LocalText{";Házgeneráló program, pályaépítő modul.", ";Buildig generating program, Track kit module."}(language));
    out.WriteLine(kAuthorshipComment);
    out.WriteLine(LocalText{";Nullpont a vágány közepe a sínkorona szintjén, a blokk elején",
                            ";Null point on the track centre at the top of the rail, at the block's start"}(language));
    out.WriteLine(LocalText{";Paraméterek:", ";Parameters:"}(language));
    out.WriteLine(LocalText{";Eredeti fájlnév: ", ";Origin filename: "}(language) + fileName);
    out.WriteLine(LocalText{";Elem: ", ";Piece: "}(language) + std::string(PieceRow(piece).key));
    const struct {
        LocalText label;
        double value;
    } values[] = {
        {{";Sugár:", ";Radius:"}, radius},
        {{";Blokkhossz:", ";Block length:"}, p.blockLength},
        {{";Túlnyúlás:", ";Overlap:"}, p.overlap},
        {{";Tűrés:", ";Tolerance:"}, p.tolerance},
    };
    for (const auto& value : values) {
        std::string line = value.label(language);
        AppendReal(line, value.value);
        out.WriteLine(line);
    }
    std::string line = LocalText{";Szakaszok: ", ";Segments: "}(language);
    AppendInt(line, segments);
    out.WriteLine(line);
    out.WriteLine(";");
}

void WriteSurface(B3dWriter& out, const TrackSurface& surface, const std::string& bitmap, UiLanguage language)
{
    std::string comment(1, ';');
    comment += ElementRow(surface.element).name(language);
    out.WriteLine(comment);
    out.WriteLine("[MeshBuilder]");
    for (const Vec3& vertex : surface.vertices)
        out.EmitVertex(vertex);
    std::string line;
    for (const auto& face : surface.faces) {
        line.assign("Face ");
        for (std::size_t k = 0; k < face.size(); ++k) {
            if (k)
                line.push_back(',');
            AppendInt(line, face[k]);
        }
        out.WriteLine(line);
    }
    out.EmitTextureStart(bitmap);
    for (std::size_t i = 0; i < surface.uv.size(); ++i) {
        line.clear();
        AppendInt(line, static_cast<long long>(i));
        line.push_back(',');
        AppendReal(line, surface.uv[i][0], 1);
        line.push_back(',');
        AppendReal(line, surface.uv[i][1], 1);
        out.EmitCoordinates(line);
    }
    out.WriteLine("");
}

std::size_t FileCount(const TrackParams& p) { return p.radii.size() * p.pieces.size(); }

}  // namespace

std::string RadiusText(double radius) { return TrackNumberText(radius); }

std::string TrackFileName(TrackPiece piece, double radius, UiLanguage language)
{
    const TrackPieceRow& row = PieceRow(piece);
    return std::string(language == UiLanguage::Hungarian ? row.hungarian : row.key) + "_" + RadiusText(radius) + ".b3d";
}

std::string TrackStructureListName(UiLanguage language)
{
    return LocalText{"palya_elemek.txt", "track_structures.txt"}(language);
}

void CheckTrackKit(const TrackParams& p, UiLanguage language)
{
    const bool hu = language == UiLanguage::Hungarian;
    for (const double radius : p.radii)
        for (const TrackPiece piece : p.pieces) {
            const CrossSection section = PieceCrossSection(piece, p, radius);
            const double farthest = section.FarthestX();
            if (radius != 0.0 && std::fabs(radius) <= farthest + 1.0) {
                const std::string caption = TrackFieldCaption(&TrackInput::radii, language);
                const std::string least = TrackNumberText(farthest + 1.0);
                throw InputError(caption, caption + ": " + RadiusText(radius) +
                                              (hu ? " m: a kanyar középpontja a(z) " + std::string(PieceRow(piece).key) +
                                                        " elembe esik; |R| nagyobb kell legyen " + least + " m-nél."
                                                  : " m: the bend's centre falls inside " +
                                                        std::string(PieceRow(piece).key) +
                                                        "; |R| must be larger than " + least + " m."));
            }
            // A cant rolls the ballast's top: its shoulders must still end
            // on the formation.
            if (piece == TrackPiece::Bed) {
                const auto& ballast = section.lines.front().points;
                if (ballast.size() < 6 || ballast[1].x < -p.formation || ballast[4].x > p.formation) {
                    const std::string caption = TrackFieldCaption(&TrackInput::cant, language);
                    throw InputError(caption, caption + (hu ? ": a megdöntött ágyazat túlnyúlik a planumon."
                                                            : ": the rolled ballast runs past the formation."));
                }
            }
        }
}

TrackMesh TrackPieceMesh(TrackPiece piece, const TrackParams& p, double radius)
{
    return BuildTrackMesh(PieceCrossSection(piece, p, radius), p, radius);
}

std::size_t WriteTrackPiece(const std::filesystem::path& path, TrackPiece piece, const TrackParams& p, double radius,
                            UiLanguage language, ObjectFormat format)
{
    const TrackMesh mesh = TrackPieceMesh(piece, p, radius);
    B3dWriter out;
    out.format = format;
    out.OpenOutput(path);
    WriteHeader(out, piece, p, radius, mesh.segments, path.filename().string(), language);
    for (const TrackSurface& surface : mesh.surfaces)
        WriteSurface(out, surface, p.textures[static_cast<std::size_t>(surface.element)], language);
    out.CloseOutput();
    return mesh.VertexCount();
}

std::string TrackStructureList(const TrackParams& p, const std::vector<std::string>& files, UiLanguage language)
{
    const bool hu = language == UiLanguage::Hungarian;
    const std::size_t count = p.radii.size();
    const bool cuttings = std::any_of(p.pieces.begin(), p.pieces.end(), [](TrackPiece piece) {
        return piece == TrackPiece::CuttingLeft || piece == TrackPiece::CuttingRight;
    });
    const bool walls = std::any_of(p.pieces.begin(), p.pieces.end(), [](TrackPiece piece) {
        return piece == TrackPiece::WallLeft || piece == TrackPiece::WallRight;
    });
    // Cuttings and walls are both WallL/WallR: walls after the cuttings.
    const std::size_t wallStart = cuttings && walls ? count : 0;

    std::string text = hu ? ";Kestrane Builder pályakészlet, blokkhossz " + TrackNumberText(p.blockLength) + " m\r\n"
                          : ";Kestrane Builder track kit, block length " + TrackNumberText(p.blockLength) + " m\r\n";
    text += hu ? ";A pálya With Structure szakaszába másolandó. Sorszámok:\r\n"
               : ";Paste into the route's With Structure section. Indices:\r\n";
    for (std::size_t i = 0; i < count; ++i)
        text += ";  " + std::to_string(i) + (hu ? ": sugár " : ": radius ") + RadiusText(p.radii[i]) + " m\r\n";
    if (wallStart > 0)
        text += hu ? ";WallL/WallR: bevágások 0-" + std::to_string(count - 1) + ", támfalak " + std::to_string(wallStart) +
                         "-" + std::to_string(wallStart + count - 1) + "\r\n"
                   : ";WallL/WallR: cuttings 0-" + std::to_string(count - 1) + ", retaining walls " +
                         std::to_string(wallStart) + "-" + std::to_string(wallStart + count - 1) + "\r\n";
    text += "With Structure\r\n";
    std::size_t file = 0;
    for (std::size_t i = 0; i < count; ++i) {
        text += (hu ? ";sugár " : ";radius ") + RadiusText(p.radii[i]) + " m\r\n";
        for (const TrackPiece piece : p.pieces) {
            const bool wall = piece == TrackPiece::WallLeft || piece == TrackPiece::WallRight;
            text += '.';
            text += PieceRow(piece).structure;
            text += '(';
            text += std::to_string(i + (wall ? wallStart : 0));
            text += ") " + files[file++] + "\r\n";
        }
    }
    return text;
}

namespace {

// The number before the closing " m" of a comment line (";radius 300 m",
// ";... block length 25 m"); nullopt for any other line.
std::optional<double> MetresAtEnd(std::string_view line)
{
    if (line.empty() || line.front() != ';' || !line.ends_with(" m"))
        return std::nullopt;
    line.remove_suffix(2);
    const auto space = line.rfind(' ');
    return space == std::string_view::npos ? std::nullopt : ParseReal(line.substr(space + 1));
}

}  // namespace

std::optional<TrackStructureFiles> ReadTrackStructureList(const std::string& text)
{
    TrackStructureFiles list;
    bool structures = false;  // after the "With Structure" line
    std::size_t start = 0;
    for (bool first = true; start < text.size(); first = false) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (first) {
            const auto length = MetresAtEnd(line);
            if (!length || *length <= 0)
                return std::nullopt;
            list.blockLength = *length;
        } else if (line == "With Structure") {
            structures = true;
        } else if (structures && line.starts_with(';')) {
            const auto radius = MetresAtEnd(line);
            if (!radius)
                return std::nullopt;
            list.radii.push_back({*radius, {}});
        } else if (structures && line.starts_with('.')) {
            const auto name = line.find(") ");
            if (name == std::string_view::npos || list.radii.empty())
                return std::nullopt;
            list.radii.back().second.emplace_back(line.substr(name + 2));
        }
    }
    if (list.radii.empty())
        return std::nullopt;
    return list;
}

bool IsTrackStructureList(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    return name == TrackStructureListName(UiLanguage::English) || name == TrackStructureListName(UiLanguage::Hungarian);
}

TrackResult GenerateTrackKit(const TrackInput& input, UiLanguage language, const std::filesystem::path& folder,
                             const std::string& fileName)
{
    const TrackParams p = ReadTrackParams(input, language);
    CheckTrackKit(p, language);
    const bool hu = language == UiLanguage::Hungarian;
    const std::size_t count = FileCount(p);
    if (!fileName.empty() && count != 1)
        throw InputError(hu ? "a kimeneti név (-o, \"output\") egy fájlt nevez meg, a készlet " + std::to_string(count) +
                                  " fájl; egy elemet és egy sugarat adj meg hozzá."
                            : "an output name (-o, \"output\") names one file, but the kit has " +
                                  std::to_string(count) + " files; give one piece and one radius with it.");

    TrackResult result;
    // The kit replaces its earlier files as a whole: every file is written
    // beside its name first and all go in place together, or none do.
    ReplacementGroup files;
    for (const double radius : p.radii)
        for (const TrackPiece piece : p.pieces)
            result.files.push_back(
                FileNameInFormat(fileName.empty() ? TrackFileName(piece, radius, language) : fileName, input.format));
    std::size_t file = 0;
    for (const double radius : p.radii)
        for (const TrackPiece piece : p.pieces) {
            const std::string& name = result.files[file++];
            const std::size_t vertices =
                WriteTrackPiece(PathInFolder(folder, name), piece, p, radius, language, input.format);
            if (vertices > kSimulatorMostVertices)
                result.warnings.push_back(
                    {{},
                     hu ? name + ": " + std::to_string(vertices) + " csúcspont, több mint amennyit a szimulátor kezel (" +
                              std::to_string(kSimulatorMostVertices) + "); nagyobb tűrés vagy kevesebb talpfa segít."
                        : name + ": " + std::to_string(vertices) + " vertices, more than the simulator handles (" +
                              std::to_string(kSimulatorMostVertices) +
                              "); a larger tolerance or fewer sleepers help."});
        }
    for (const TrackPiece piece : p.pieces)
        for (const TrackSurface& surface : TrackPieceMesh(piece, p, p.radii.front()).surfaces) {
            const std::string& bitmap = p.textures[static_cast<std::size_t>(surface.element)];
            if (std::find(result.textures.begin(), result.textures.end(), bitmap) == result.textures.end())
                result.textures.push_back(bitmap);
        }

    result.structureList = PathInFolder(folder, TrackStructureListName(language));
    B3dWriter list;  // a text file in the objects' code page and line ends
    list.OpenOutput(result.structureList);
    list.WriteText(TrackStructureList(p, result.files, language));
    list.CloseOutput();
    files.Publish();

    const std::string radii = std::to_string(p.radii.size()), pieces = std::to_string(p.pieces.size());
    result.status = hu ? "Pályakészlet kész: " + std::to_string(count) + " fájl (" + radii + " sugár, " + pieces + " elem)"
                       : "Track kit written: " + std::to_string(count) + (count == 1 ? " file (" : " files (") + radii +
                             (p.radii.size() == 1 ? " radius, " : " radii, ") + pieces +
                             (p.pieces.size() == 1 ? " piece)" : " pieces)");
    return result;
}

}  // namespace kestrane
