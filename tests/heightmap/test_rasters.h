// Small rasters the heightmap tests write themselves through GDAL.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrane::test {

// A raster to write: `columns` by `rows` cells, row 0 the north edge.
struct RasterLayout {
    std::string driver = "GTiff";  // GTiff, AAIGrid, PNG ...
    std::string type = "Float32";  // GDAL's data type name
    int columns = 0;
    int rows = 0;
    // West edge, cell width, 0, north edge, 0, -cell height; none: a plain
    // image without a cell size.
    std::optional<std::array<double, 6>> transform;
    std::string srs;               // "EPSG:32633", "EPSG:4326"; empty: none
    std::optional<double> noData;
    std::vector<std::string> options;  // creation options, "TILED=YES" ...
};

// Writes `layout` to `path` with every cell's value from `value(column, row)`.
void WriteRaster(const std::filesystem::path& path, const RasterLayout& layout,
                 const std::function<double(int column, int row)>& value);

// An 8 by 8 cell 16-bit greyscale PNG of `value` everywhere: no cell size,
// no georeferencing.
void WritePlainImage(const std::filesystem::path& path, double value);

// A large tiled float32 GeoTIFF written sparse: only the tiles of the
// block rows in `filledBlockRows` hold data (`value`), the others read as 0.
void WriteSparseRaster(const std::filesystem::path& path, int columns, int rows, int tile, double cell,
                       const std::vector<int>& filledBlockRows, const std::function<double(int column, int row)>& value);

}  // namespace kestrane::test
