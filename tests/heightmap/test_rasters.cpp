#include "test_rasters.h"

#include <cpl_conv.h>
#include <cpl_string.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <stdexcept>

namespace kestrane::test {

namespace {

GDALDataType TypeByName(const std::string& name)
{
    const GDALDataType type = GDALGetDataTypeByName(name.c_str());
    if (type == GDT_Unknown)
        throw std::runtime_error("unknown GDAL data type " + name);
    return type;
}

char** Options(const std::vector<std::string>& options)
{
    char** list = nullptr;
    for (const std::string& option : options)
        list = CSLAddString(list, option.c_str());
    return list;
}

void Describe(GDALDatasetH dataset, const RasterLayout& layout)
{
    if (layout.transform) {
        std::array<double, 6> transform = *layout.transform;
        GDALSetGeoTransform(dataset, transform.data());
    }
    if (!layout.srs.empty()) {
        OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
        OSRSetAxisMappingStrategy(srs, OAMS_TRADITIONAL_GIS_ORDER);
        OSRSetFromUserInput(srs, layout.srs.c_str());
        GDALSetSpatialRef(dataset, srs);
        OSRDestroySpatialReference(srs);
    }
    if (layout.noData)
        GDALSetRasterNoDataValue(GDALGetRasterBand(dataset, 1), *layout.noData);
}

}  // namespace

void WriteRaster(const std::filesystem::path& path, const RasterLayout& layout,
                 const std::function<double(int column, int row)>& value)
{
    GDALAllRegister();
    GDALDatasetH memory = GDALCreate(GDALGetDriverByName("MEM"), "", layout.columns, layout.rows, 1,
                                     TypeByName(layout.type), nullptr);
    Describe(memory, layout);
    std::vector<double> cells(static_cast<std::size_t>(layout.columns) * layout.rows);
    for (int row = 0; row < layout.rows; ++row)
        for (int column = 0; column < layout.columns; ++column)
            cells[static_cast<std::size_t>(row) * layout.columns + column] = value(column, row);
    if (GDALRasterIO(GDALGetRasterBand(memory, 1), GF_Write, 0, 0, layout.columns, layout.rows, cells.data(),
                     layout.columns, layout.rows, GDT_Float64, 0, 0) != CE_None)
        throw std::runtime_error("cannot fill the raster in memory");
    char** options = Options(layout.options);
    GDALDatasetH file = GDALCreateCopy(GDALGetDriverByName(layout.driver.c_str()), path.c_str(), memory, FALSE,
                                       options, nullptr, nullptr);
    CSLDestroy(options);
    GDALClose(memory);
    if (!file)
        throw std::runtime_error("cannot write " + path.string() + ": " + CPLGetLastErrorMsg());
    GDALClose(file);
}

void WritePlainImage(const std::filesystem::path& path, double value)
{
    RasterLayout layout;
    layout.driver = "PNG";
    layout.type = "UInt16";
    layout.columns = 8;
    layout.rows = 8;
    WriteRaster(path, layout, [value](int, int) { return value; });
}

void WriteSparseRaster(const std::filesystem::path& path, int columns, int rows, int tile, double cell,
                       const std::vector<int>& filledBlockRows, const std::function<double(int column, int row)>& value)
{
    GDALAllRegister();
    const std::string size = std::to_string(tile);
    char** options = Options({"TILED=YES", "BLOCKXSIZE=" + size, "BLOCKYSIZE=" + size, "SPARSE_OK=TRUE",
                              "COMPRESS=DEFLATE", "BIGTIFF=YES"});
    GDALDatasetH file =
        GDALCreate(GDALGetDriverByName("GTiff"), path.c_str(), columns, rows, 1, GDT_Float32, options);
    CSLDestroy(options);
    if (!file)
        throw std::runtime_error("cannot create " + path.string());
    const double transform[6] = {0.0, cell, 0.0, rows * cell, 0.0, -cell};
    GDALSetGeoTransform(file, const_cast<double*>(transform));
    std::vector<float> strip(static_cast<std::size_t>(columns) * tile);
    for (const int blockRow : filledBlockRows) {
        for (int r = 0; r < tile; ++r)
            for (int c = 0; c < columns; ++c)
                strip[static_cast<std::size_t>(r) * columns + c] = static_cast<float>(value(c, blockRow * tile + r));
        if (GDALRasterIO(GDALGetRasterBand(file, 1), GF_Write, 0, blockRow * tile, columns, tile, strip.data(),
                         columns, tile, GDT_Float32, 0, 0) != CE_None)
            throw std::runtime_error("cannot write a strip of " + path.string());
    }
    GDALClose(file);
}

}  // namespace kestrane::test
