#include "b3d/load_estimate.h"

#include "core/numbers.h"

#include <cmath>

namespace kestrane {

namespace {

// The model's constants, fitted (least relative squares) to the current
// release of the loader on this machine (README: the load-time model):
// process CPU seconds less the loader's own start (0.06 s), files with
// paths of about 30 characters (each face costs more with a longer path:
// the loader compares it with the names of known faulty objects).
constexpr double kStartSeconds = 0.002;        // an object: opening and reading it (500 tiles cost no more than 8)
constexpr double kPerFace = 4.8e-5;            // each face line
constexpr double kPerVertex = 1.5e-5;          // each vertex line
constexpr double kPerSectionFace = 2.5e-8;     // sections × faces: the faces copied for each section
constexpr double kPerSectionVertex = 7.6e-9;   // sections × vertices: the vertices copied for each section
constexpr double kPerSquaredFace = 2.0e-9;     // a section's faces²: each face passes the earlier ones
constexpr double kPerSquaredFace2 = 5.7e-8;    // a section's two-sided faces²: each compared in full

}  // namespace

void LoadCounts::AddSection(std::size_t vertexCount, std::size_t faceCount, std::size_t twoSided)
{
    ++sections;
    vertices += vertexCount;
    faces += faceCount;
    faceSquares += static_cast<double>(faceCount) * static_cast<double>(faceCount);
    twoSidedSquares += static_cast<double>(twoSided) * static_cast<double>(twoSided);
}

LoadCounts CountLoad(const b3d::Model& model)
{
    LoadCounts counts;
    for (const b3d::Section& section : model.sections) {
        std::size_t twoSided = 0;
        for (const b3d::Face& face : section.faces)
            twoSided += face.twoSided ? 1 : 0;
        counts.AddSection(section.vertices.size(), section.faces.size(), twoSided);
    }
    return counts;
}

double EstimateLoadSeconds(const LoadCounts& counts)
{
    const double sections = static_cast<double>(counts.sections);
    const double faces = static_cast<double>(counts.faces);
    const double vertices = static_cast<double>(counts.vertices);
    return kStartSeconds + kPerFace * faces + kPerVertex * vertices + sections * (kPerSectionFace * faces + kPerSectionVertex * vertices) +
           kPerSquaredFace * counts.faceSquares + kPerSquaredFace2 * counts.twoSidedSquares;
}

std::string FormatLoadSeconds(double seconds)
{
    // Two significant digits: 0.042, 0.42, 4.2, 42, 420.
    // (9.96 rounds to 10, not to 10.0.)
    const int decimals = seconds >= 9.95 ? 0 : seconds >= 0.995 ? 1 : seconds >= 0.0995 ? 2 : 3;
    const double scale = std::pow(10.0, decimals);
    const long long whole = std::llround(seconds * scale);
    std::string text = std::to_string(whole / static_cast<long long>(scale));
    if (decimals > 0) {
        std::string fraction = std::to_string(whole % static_cast<long long>(scale));
        fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
        text += "." + fraction;
    }
    return text;
}

std::string LoadEstimateStatus(double seconds, UiLanguage language)
{
    return LocalText{"; a szimulátor kb. ", "; the simulator loads it in about "}(language) + FormatLoadSeconds(seconds) +
           LocalText{" s alatt tölti be", " s"}(language);
}

}  // namespace kestrane
