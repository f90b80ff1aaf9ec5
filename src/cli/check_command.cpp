// kestrane check: reads B3D files and reports their problems.
#include "cli/cli.h"

#include "b3d/b3d_reader.h"
#include "b3d/b3d_tile_set.h"
#include "b3d/load_estimate.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <new>

namespace kestrane::cli {

namespace {

const char* const kCheckHelp =
    "Usage: kestrane check FILE...\n"
    "\n"
    "Reads B3D objects (ours or anybody's) and reports, for each file, its\n"
    "sections, vertices and faces, then every problem with its line number:\n"
    "unknown commands, malformed numbers, faces and texture coordinates that\n"
    "name a vertex the section does not have, colour channels outside 0 to\n"
    "255, nan and inf. Objects with more than 65534 vertices draw a warning.\n"
    "A tile index (NAME_tiles.txt) is read with every tile it lists; their\n"
    "problems name the tile, a missing tile or a malformed line is a problem\n"
    "of the index.\n"
    "A file ending in .csv is read as a CSV object, one ending in .obj as\n"
    "Wavefront OBJ (its MTL beside it), any other as B3D.\n"
    "\n"
    "The simulator's expected load time follows the counts: for an object\n"
    "that takes a second or more, and for every tile set (in all and its\n"
    "slowest tile). An object or tile that takes more than 10 s draws a\n"
    "warning naming what to change.\n"
    "\n"
    "A file may hold at most 250000 sections, 1000000 vertices, 1000000\n"
    "faces with 4000000 corners in all, 100000 sides per cylinder and lines\n"
    "of 1 MiB; a line past a limit is a problem. The first 1000 problems and\n"
    "warnings of a file are listed, the rest counted.\n"
    "\n"
    "  --help     show this text\n"
    "\n"
    "Exit codes: 0 no problem (warnings allowed), 1 a file has a problem or\n"
    "cannot be read, 2 bad command line.\n";

// One block per file: the counts, then the problems and warnings in line order.
void Report(const std::string& name, const b3d::Model& model, std::ostream& out)
{
    out << name << ": " << CountOf(model.sections.size(), "section", "sections") << ", "
        << CountOf(model.vertexCount, "vertex", "vertices") << ", " << CountOf(model.faceCount, "face", "faces")
        << ", " << (model.problemCount == 0 ? "no problems" : CountOf(model.problemCount, "problem", "problems"));
    if (model.warningCount != 0)
        out << ", " << CountOf(model.warningCount, "warning", "warnings");
    out << "\n";

    // Problems and warnings together in line order; those about the whole
    // file (line 0) first.
    struct Entry {
        const b3d::Message* message;
        bool warning;
    };
    std::vector<Entry> entries;
    entries.reserve(model.problems.size() + model.warnings.size());
    for (const b3d::Message& message : model.problems)
        entries.push_back({&message, false});
    for (const b3d::Message& message : model.warnings)
        entries.push_back({&message, true});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.message->line < b.message->line; });
    for (const Entry& entry : entries) {
        out << "  ";
        if (entry.message->line)
            out << "line " << entry.message->line << ": ";
        if (entry.warning)
            out << "warning: ";
        out << entry.message->text << "\n";
    }
    if (model.problemCount > model.problems.size())
        out << "  ... and " << CountOf(model.problemCount - model.problems.size(), "more problem", "more problems")
            << "\n";
    if (model.warningCount > model.warnings.size())
        out << "  ... and " << CountOf(model.warningCount - model.warnings.size(), "more warning", "more warnings")
            << "\n";
}

// "about 4.2 s"
std::string About(double seconds)
{
    return "about " + FormatLoadSeconds(seconds) + " s";
}

// The warning for an object that loads slowly, `what` naming it.
void SlowLoadWarning(double seconds, const std::string& what, std::ostream& out)
{
    if (seconds > kSlowLoadSeconds)
        out << "  warning: the simulator takes " << About(seconds) << " to load " << what
            << " (over 10 s); write the terrain in the simulator layout (--layout simulator), in shorter "
               "tiles (--tile-length) or at a smaller resolution\n";
}

// The simulator's expected load time of one object from its counts: a line
// from a second on, a warning over 10 s.
void ReportLoadTime(const LoadCounts& counts, std::ostream& out)
{
    const double seconds = EstimateLoadSeconds(counts);
    if (seconds < 1.0)
        return;
    out << "  simulator load: " << About(seconds) << "\n";
    SlowLoadWarning(seconds, "this object", out);
}

// The same for a tile set, one entry per tile: in all, the slowest tile, a
// warning for each tile over 10 s.
void ReportTileSetLoadTime(const std::vector<std::pair<std::string, LoadCounts>>& tiles, std::ostream& out)
{
    if (tiles.empty())
        return;
    double total = 0.0, slowest = -1.0;
    std::string slowestName;
    for (const auto& [name, counts] : tiles) {
        const double seconds = EstimateLoadSeconds(counts);
        total += seconds;
        if (seconds > slowest) {
            slowest = seconds;
            slowestName = name;
        }
    }
    out << "  simulator load: " << About(total) << " for " << CountOf(tiles.size(), "tile", "tiles");
    if (tiles.size() > 1)
        out << ", the slowest " << slowestName << " " << About(slowest);
    out << "\n";
    for (const auto& [name, counts] : tiles)
        SlowLoadWarning(EstimateLoadSeconds(counts), name, out);
}

// The simulator places an object's vertices within this many metres of
// its origin along each axis; farther ones are not where the file says.
constexpr double kMostPlaceableCoordinate = 1e7;

// A problem for the vertices beyond that range: how many, and the first.
void CheckCoordinateRange(b3d::Model& model)
{
    std::size_t beyond = 0;
    std::optional<std::pair<std::size_t, Vec3>> first;  // its section's line, the vertex
    for (const b3d::Section& section : model.sections) {
        for (const Vec3& p : section.vertices) {
            if (std::abs(p.x) <= kMostPlaceableCoordinate && std::abs(p.y) <= kMostPlaceableCoordinate &&
                std::abs(p.z) <= kMostPlaceableCoordinate)
                continue;
            ++beyond;
            if (!first)
                first.emplace(section.line, p);
        }
    }
    if (!first)
        return;
    std::string text = CountOf(beyond, "vertex lies", "vertices lie") +
                       " beyond 10,000,000 m on an axis, farther than the simulator can place (the first at ";
    AppendReal(text, first->second.x, 0);
    text += ",";
    AppendReal(text, first->second.y, 0);
    text += ",";
    AppendReal(text, first->second.z, 0);
    text += ", in the section of line " + std::to_string(first->first) + ")";
    model.AddProblem({0, text});
}

}  // namespace

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> files;
    bool optionsEnd = false;
    for (const std::string& arg : args) {
        if (!optionsEnd && (arg == "--help" || arg == "-h")) {
            out << kCheckHelp;
            return kExitOk;
        }
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && arg.size() > 1 && arg.front() == '-') {
            err << "kestrane check: unknown option \"" << arg << "\" (see kestrane check --help)\n";
            return kExitBadInput;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) {
        err << "kestrane check: no files given (see kestrane check --help)\n";
        return kExitBadInput;
    }

    int exitCode = kExitOk;
    for (const std::string& file : files) {
        try {
            // A tile index stands for its tiles: each is read and its
            // problems name it; the counts are the whole set's.
            const std::filesystem::path path = PathFromUtf8(file);
            const bool tileSet = b3d::IsTileIndex(path);
            b3d::TileSet set;
            if (tileSet)
                set = b3d::ReadTileSet(path);
            b3d::Model model = tileSet ? std::move(set.model) : b3d::ReadObjectFile(path);
            CheckCoordinateRange(model);
            Report(file, model, out);
            if (tileSet)
                ReportTileSetLoadTime(set.loads, out);
            else
                ReportLoadTime(CountLoad(model), out);
            if (model.problemCount != 0)
                exitCode = kExitProblemsFound;
        } catch (const b3d::ReadError& e) {
            out.flush();
            err << "kestrane check: " << file << ": cannot read: " << e.what() << "\n";
            exitCode = kExitProblemsFound;
        } catch (const std::bad_alloc&) {
            // The model is gone by now, and with it the memory it took.
            out.flush();
            err << "kestrane check: " << file << ": not enough memory to read it\n";
            exitCode = kExitProblemsFound;
        }
    }
    return exitCode;
}

}  // namespace kestrane::cli
