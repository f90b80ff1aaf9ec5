// Terrain heights from elevation data: any raster GDAL reads (GeoTIFF,
// ESRI ASCII grid, SRTM .hgt, 16-bit greyscale PNG ...), sampled bilinearly
// at the nodes of a regular lattice. The only part of the core that uses
// GDAL; nothing of GDAL shows in this header.
#pragma once

#include "core/types.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

// The heightmap line of the area builder as its controls hold it. An empty
// file name switches the heightmap off.
struct HeightmapInput {
    std::string file;            // HeightmapEdit
    std::string originX = "0";   // HeightmapOrigXEdit: metres east of the raster's west edge
    std::string originZ = "0";   // HeightmapOrigZEdit: metres north of its south edge
    // HeightmapMapOriginCheck: the origin boxes hold the raster's own map
    // coordinates instead (easting and northing, or longitude and latitude
    // in degrees).
    bool mapOrigin = false;
    std::string scale = "1";     // HeightScaleEdit: raster value to metres
    std::string offset = "0";    // HeightOffsetEdit: metres added after the scale
    std::string pixelSize;       // PixelSizeEdit: metres per cell; empty: the file's own

    bool Enabled() const { return !file.empty(); }
    bool operator==(const HeightmapInput&) const = default;
};

// The heightmap's inputs as numbers.
struct HeightmapParams {
    std::string file;
    double originX = 0.0;
    double originZ = 0.0;
    bool mapOrigin = false;  // originX, originZ are map coordinates, not metres
    double scale = 1.0;
    double offset = 0.0;
    std::optional<double> pixelSize;  // metres per cell, overriding the file's
};

// The fields of the heightmap line, for messages that name them.
enum class HeightmapField { File, Origin, MapOrigin, Scale, Offset, PixelSize };
std::string HeightmapCaption(HeightmapField field, UiLanguage language);

// Whether this build reads elevation data at all: the Windows command line
// is built without GDAL. kElevationDataNeedsLinux says why it does not.
bool ElevationDataReadable();
extern const LocalText kElevationDataNeedsLinux;
// The field the origin was typed in: Origin, or MapOrigin for map coordinates.
HeightmapField OriginField(const HeightmapParams& params);

// Reads the texts; throws InputError naming the field for a malformed
// number, a zero or non-finite scale, or a pixel size that is not positive.
// The file itself is not opened here.
HeightmapParams ReadHeightmapInput(const HeightmapInput& input, UiLanguage language);

// A georeferenced raster's outer edges in its own map coordinates:
// eastings and northings, or longitudes and latitudes in degrees.
struct MapExtent {
    double west = 0.0;
    double south = 0.0;
    double east = 0.0;
    double north = 0.0;
};

// What the area builder shows once a file is chosen.
struct HeightmapInfo {
    int columns = 0;       // raster width in cells (west to east)
    int rows = 0;          // raster height in cells (south to north)
    double cellX = 0.0;    // metres per cell east-west
    double cellZ = 0.0;    // metres per cell south-north
    bool ownCellSize = false;   // the file gives its cell size (else: the pixel size, or 1)
    bool geographic = false;    // cells in degrees, converted at the raster's middle latitude
    std::optional<double> minimum;  // raster values, before scale and offset
    std::optional<double> maximum;
    bool rangeApproximate = false;  // a large raster's range, estimated
    std::string format;    // GDAL's short driver name ("GTiff", "AAIGrid", "PNG" ...)
    std::optional<MapExtent> mapExtent;  // none: the raster has no georeferencing
};

// Opens `params.file` and describes it. Throws InputError naming the file
// field when it cannot be opened or holds no usable raster.
HeightmapInfo ReadHeightmapInfo(const HeightmapParams& params, UiLanguage language);

// The terrain nodes to sample: `countX` by `countZ` nodes, the first at
// (originX, originZ) of the params, `stepX` and `stepZ` metres apart.
struct NodeLattice {
    int countX = 0;
    int countZ = 0;
    double stepX = 0.0;
    double stepZ = 0.0;
};

// Progress of a long read, 0 to 1; called from the thread that samples.
using HeightmapProgress = std::function<void(double done)>;

struct HeightmapSamples {
    // countX * countZ heights in metres (scale and offset applied), node
    // (i, j) at [i * countZ + j].
    std::vector<double> heights;
    long long filledNodes = 0;   // no data under them or outside the raster
    long long outsideNodes = 0;  // of those, the ones outside the raster
    int readColumns = 0;         // the cells read, after decimation
    int readRows = 0;
};

// Samples the raster at every node of the lattice (a map origin first
// converted to metres from the raster's south-west corner): bilinear over the four
// nearest cell centres, no-data cells left out; nodes without any data
// under them get the mean of their nearest sampled neighbours. Only the
// window the lattice covers is read, decimated (averaging whole cells) to
// about two samples per node step, so memory stays small whatever the raster's size.
// Throws InputError naming the field for an unreadable file, a raster
// without a cell size when no pixel size is given, a map origin on a raster
// without georeferencing, a lattice entirely outside the raster (the
// origin) or entirely on no-data (the file).
HeightmapSamples SampleHeightmap(const HeightmapParams& params, const NodeLattice& lattice,
                                 UiLanguage language, const HeightmapProgress& progress = {});

// The line telling the user what the heightmap gave, e.g. "Heightmap: 2601
// nodes, 12 filled from neighbours (3 outside the raster)."; the other
// nodes filled had no data under them.
std::string HeightmapReport(const HeightmapSamples& samples, UiLanguage language);

}  // namespace kestrane
