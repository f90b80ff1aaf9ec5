// Opening a raster through GDAL, its cell size in metres and the windowed,
// decimated read of the cells a node lattice needs.
#include "heightmap/heightmap_window.h"

#include "core/errors.h"
#include "heightmap/heightmap_module.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <numbers>
#include <optional>

namespace kestrane {

namespace {

using heightmap_detail::CellRange;
using heightmap_detail::RasterExtent;
using heightmap_detail::RasterWindow;

// GDAL's block cache is shared by every read; 32 MB bound the memory a
// large raster costs, unless the user set GDAL_CACHEMAX.
constexpr long long kBlockCacheBytes = 32LL * 1024 * 1024;

// Samples read per node step along each axis when the raster is finer
// than the lattice: decimation averages the cells between.
constexpr int kSamplesPerStep = 2;

// Metres above or below sea level beyond which a cell is taken for no data.
constexpr double kMostHeight = 100000.0;

// Rasters up to this many cells have their height range computed exactly.
constexpr double kExactRangeCells = 16.0 * 1024 * 1024;

// Formats whose file only describes where the heights are (another file,
// a web service): through them a given file would lead GDAL to files and
// hosts nobody named.
constexpr const char* kIndirectFormats[] = {"VRT",     "WMS",    "WMTS",   "WCS",  "HTTP",  "DAAS", "EEDAI",
                                            "PLMosaic", "OGCAPI", "STACTA", "STACIT", "GTI", "DERIVED", "NGW",
                                            "ESRIC",   "Rasterlite", "MBTiles"};

void EnsureGdal()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Raw bands of a VRT read any file's bytes as heights; nothing here
        // goes to the network.
        CPLSetConfigOption("GDAL_VRT_ENABLE_RAWRASTERBAND", "NO");
        CPLSetConfigOption("CPL_VSIL_CURL_ALLOWED_EXTENSIONS", "{noext}.none");
        CPLSetConfigOption("GDAL_HTTP_MAX_RETRY", "0");
        GDALAllRegister();
        for (const char* name : kIndirectFormats)
            if (GDALDriverH driver = GDALGetDriverByName(name)) {
                // Taken out of the driver manager, the driver is ours to free.
                GDALDeregisterDriver(driver);
                GDALDestroyDriver(driver);
            }
        if (CPLGetConfigOption("GDAL_CACHEMAX", nullptr) == nullptr)
            GDALSetCacheMax64(kBlockCacheBytes);
    });
}

// Keeps GDAL's messages off the terminal while they are collected for ours.
class QuietErrors {
public:
    QuietErrors()
    {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietErrors() { CPLPopErrorHandler(); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

    static std::string LastMessage()
    {
        const char* message = CPLGetLastErrorMsg();
        return message && *message ? std::string(" (") + message + ")" : std::string();
    }
};

[[noreturn]] void RefuseFile(const HeightmapParams& params, UiLanguage language, const LocalText& reason,
                             const std::string& detail = {})
{
    const std::string caption = HeightmapCaption(HeightmapField::File, language);
    throw InputError(caption, caption + ": \"" + params.file + "\" " + reason(language) + detail);
}

[[noreturn]] void RefuseFileBecause(const HeightmapParams& params, UiLanguage language, const std::string& hu,
                                    const std::string& en)
{
    const std::string caption = HeightmapCaption(HeightmapField::File, language);
    throw InputError(caption, caption + ": \"" + params.file + "\" " + (language == UiLanguage::Hungarian ? hu : en));
}

struct DatasetCloser {
    void operator()(void* dataset) const { GDALClose(static_cast<GDALDatasetH>(dataset)); }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

// An open raster with its first band and its extent in metres.
struct OpenRaster {
    Dataset dataset;
    GDALRasterBandH band = nullptr;
    RasterExtent extent;
    bool ownCellSize = false;
    bool geographic = false;
    bool northUp = true;  // row 0 is the north edge
    std::optional<MapExtent> map;  // its edges in map coordinates, when georeferenced
    std::string format;
};

// Metres per degree of latitude and of longitude at latitude `phi` (the
// WGS 84 ellipsoid's series).
double MetresPerDegreeLatitude(double phi)
{
    return 111132.92 - 559.82 * std::cos(2 * phi) + 1.175 * std::cos(4 * phi);
}
double MetresPerDegreeLongitude(double phi) { return 111412.84 * std::cos(phi) - 93.5 * std::cos(3 * phi); }

// Only a file named by a plain path: GDAL would read "/vsicurl/..."
// from the network and "/vsizip/..." out of an archive, and would wait on a
// pipe for ever.
void RequirePlainRegularFile(const HeightmapParams& params, UiLanguage language)
{
    if (params.file.starts_with("/vsi") || params.file.find("/vsi") != std::string::npos)
        RefuseFile(params, language,
                   {"nem közönséges fájl útvonala (a /vsi... virtuális fájlok nem használhatók).",
                    "is not a plain file path (/vsi... virtual files cannot be used)."});
    struct stat entry {};
    // A folder is left to GDAL: some formats are folders of files.
    if (::stat(params.file.c_str(), &entry) == 0 && !S_ISREG(entry.st_mode) && !S_ISDIR(entry.st_mode))
        RefuseFile(params, language,
                   {"nem közönséges fájl (hanem cső vagy eszköz).",
                    "is not a regular file (but a pipe or a device)."});
}

// An ESRI ASCII grid holds its heights as text after its header: a file cut
// short (an interrupted download) holds fewer than rows × columns numbers,
// and GDAL's reader would search the missing ones for minutes. Counted in
// one pass before anything is read.
void RequireWholeTextGrid(const HeightmapParams& params, const OpenRaster& raster, UiLanguage language)
{
    if (raster.format != "AAIGrid")
        return;
    const int fd = ::open(params.file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;  // GDAL has read it; its own errors follow
    const long long expected = static_cast<long long>(raster.extent.columns) * raster.extent.rows;
    long long numbers = 0;
    bool inToken = false, headerWord = false;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t i = 0; i < n; ++i) {
            const char c = buffer[i];
            const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',';
            if (blank) {
                inToken = false;
                continue;
            }
            if (!inToken) {
                inToken = true;
                // A header line is a keyword and its value: the keyword
                // starts with a letter, its value is not a height.
                const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
                if (letter) {
                    headerWord = true;
                } else if (headerWord) {
                    headerWord = false;
                } else {
                    ++numbers;
                }
            }
        }
    }
    ::close(fd);
    if (numbers < expected)
        RefuseFileBecause(params, language,
                   "csonka: a fejléc szerint " + std::to_string(raster.extent.rows) + " × " +
                        std::to_string(raster.extent.columns) + " magasságot kellene tartalmaznia, de csak " +
                        std::to_string(numbers) + " van benne (megszakadt letöltés?).",
                   "is cut short: its header declares " + std::to_string(raster.extent.rows) + " × " +
                        std::to_string(raster.extent.columns) + " heights, but it holds " + std::to_string(numbers) +
                        " (an interrupted download?).");
}

OpenRaster Open(const HeightmapParams& params, UiLanguage language)
{
    RequirePlainRegularFile(params, language);
    EnsureGdal();
    QuietErrors quiet;
    OpenRaster raster;
    raster.dataset.reset(GDALOpenEx(params.file.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    if (!raster.dataset)
        RefuseFile(params, language, {"nem nyitható meg domborzati raszterként.", "cannot be opened as a raster."},
                   QuietErrors::LastMessage());
    const auto dataset = static_cast<GDALDatasetH>(raster.dataset.get());
    const int bands = GDALGetRasterCount(dataset);
    // One band of heights; a second one may be a greyscale image's alpha.
    if (bands < 1 || bands > 2)
        RefuseFile(params, language,
                   {"nem egysávos (szürkeárnyalatos) raszter.", "is not a single-band (greyscale) raster."});
    raster.band = GDALGetRasterBand(dataset, 1);
    if (GDALDataTypeIsComplex(GDALGetRasterDataType(raster.band)))
        RefuseFile(params, language, {"komplex számokat tárol.", "holds complex numbers."});
    raster.extent.columns = GDALGetRasterXSize(dataset);
    raster.extent.rows = GDALGetRasterYSize(dataset);
    if (raster.extent.columns < 1 || raster.extent.rows < 1)
        RefuseFile(params, language, {"üres raszter.", "is an empty raster."});
    if (const char* driver = GDALGetDriverShortName(GDALGetDatasetDriver(dataset)))
        raster.format = driver;
    RequireWholeTextGrid(params, raster, language);

    double transform[6] = {0, 1, 0, 0, 0, 1};
    if (GDALGetGeoTransform(dataset, transform) == CE_None) {
        if (transform[2] != 0.0 || transform[4] != 0.0)
            RefuseFile(params, language,
                       {"elforgatott raszter; csak észak vagy dél felé álló, forgatás nélküli raszter használható.",
                        "is a rotated raster; only rasters without rotation (north-up or south-up) can be used."});
        raster.ownCellSize = true;
        raster.northUp = transform[5] < 0;
        // The corners of the first and the last cell: a south-up raster's
        // first row is its south edge.
        const double x0 = transform[0];
        const double x1 = transform[0] + transform[1] * raster.extent.columns;
        const double y0 = transform[3];
        const double y1 = transform[3] + transform[5] * raster.extent.rows;
        raster.map = MapExtent{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
        double cellX = std::abs(transform[1]);
        double cellZ = std::abs(transform[5]);
        if (OGRSpatialReferenceH srs = GDALGetSpatialRef(dataset)) {
            if (OSRIsGeographic(srs)) {
                // Degrees: metres at the raster's middle latitude.
                const double middle = transform[3] + transform[5] * raster.extent.rows / 2.0;
                const double phi = middle * std::numbers::pi / 180.0;
                cellX *= MetresPerDegreeLongitude(phi);
                cellZ *= MetresPerDegreeLatitude(phi);
                raster.geographic = true;
            } else if (OSRIsProjected(srs)) {
                const double metres = OSRGetLinearUnits(srs, nullptr);
                if (metres > 0) {
                    cellX *= metres;
                    cellZ *= metres;
                }
            }
        }
        raster.extent.cellX = cellX;
        raster.extent.cellZ = cellZ;
    }
    CPLErrorReset();
    if (params.pixelSize) {
        raster.extent.cellX = *params.pixelSize;
        raster.extent.cellZ = *params.pixelSize;
    }
    return raster;
}

// The raster's cell size in metres, or a refusal naming the pixel size
// field when neither the file nor the user gives one.
void RequireCellSize(const OpenRaster& raster, UiLanguage language)
{
    const RasterExtent& e = raster.extent;
    if (e.cellX > 0 && e.cellZ > 0 && std::isfinite(e.cellX) && std::isfinite(e.cellZ))
        return;
    const std::string caption = HeightmapCaption(HeightmapField::PixelSize, language);
    throw InputError(caption, caption + LocalText{": a fájl nem adja meg a cellák méretét; adja meg, hány méter "
                                                  "egy képpont.",
                                                  ": the file gives no cell size; give the metres per "
                                                  "pixel."}(language));
}

// The params with a map origin turned into metres east and north of the
// raster's south-west corner: the part of the raster's map extent west and
// south of it, times the extent in metres (so a geographic raster's degrees
// take the same metres per degree as its cells). Refuses a map origin on a
// raster without georeferencing.
HeightmapParams MetreOrigin(const OpenRaster& raster, const HeightmapParams& params, UiLanguage language)
{
    if (!params.mapOrigin)
        return params;
    if (!raster.map) {
        const std::string caption = HeightmapCaption(HeightmapField::MapOrigin, language);
        throw InputError(caption, caption + ": \"" + params.file + "\"" +
                                      LocalText{" nem hordoz térképi koordinátákat (nincs georeferenciája); az "
                                                "origót méterben kell megadni a délnyugati sarkától.",
                                                " has no map coordinates (no georeferencing); give the origin "
                                                "in metres from its south-west corner."}(language));
    }
    const MapExtent& map = *raster.map;
    const RasterExtent& e = raster.extent;
    HeightmapParams metric = params;
    metric.originX = (params.originX - map.west) / (map.east - map.west) * e.columns * e.cellX;
    metric.originZ = (params.originZ - map.south) / (map.north - map.south) * e.rows * e.cellZ;
    return metric;
}

// A read that reports no progress for this long is stopped: a damaged
// file can keep a reader searching without end.
constexpr std::chrono::seconds kMostStall{20};

struct ProgressRelay {
    const HeightmapProgress* progress;
    double done = -1.0;  // the most reported so far
    std::chrono::steady_clock::time_point since = std::chrono::steady_clock::now();
    bool stalled = false;
};

int CPL_STDCALL RelayProgress(double done, const char*, void* data)
{
    auto* relay = static_cast<ProgressRelay*>(data);
    const auto now = std::chrono::steady_clock::now();
    if (done > relay->done) {
        relay->done = done;
        relay->since = now;
    } else if (now - relay->since > kMostStall) {
        relay->stalled = true;
        return FALSE;
    }
    if (relay->progress && *relay->progress)
        (*relay->progress)(std::clamp(done, 0.0, 1.0));
    return TRUE;
}

// One axis of a decimated read: `count` samples of `factor` whole cells
// each from cell `first` on, so that averaging keeps every sample centred
// on its cells.
struct Decimation {
    int first = 0;
    int count = 0;
    int factor = 1;
};

// The cells first .. first + cells - 1 of `total` in at most `most`
// samples. A decimated span takes one sample more on either side where
// the raster has it, so that nodes near the span's edges still lie between
// two sample centres; it grows to a whole number of samples and moves back
// inside the raster when it would run over its far edge.
Decimation Decimate(int first, int cells, int total, int most)
{
    Decimation d{first, cells, 1};
    if (cells <= most)
        return d;
    d.factor = (cells + most - 1) / most;
    const int from = std::max(first - d.factor, 0);
    const int to = std::min(first + cells + d.factor, total);  // one past the last cell
    d.count = (to - from + d.factor - 1) / d.factor;
    if (d.count * d.factor > total)
        d.count = total / d.factor;
    d.first = std::clamp(from, 0, total - d.count * d.factor);
    return d;
}

// Reads `range` into memory, averaged down to about kSamplesPerStep
// samples per node step, north row first, no data as NaN.
RasterWindow ReadWindow(const OpenRaster& raster, const CellRange& range, const NodeLattice& lattice,
                        const HeightmapParams& params, UiLanguage language, const HeightmapProgress& progress)
{
    const RasterExtent& e = raster.extent;
    const Decimation across = Decimate(range.firstColumn, range.columnCount, e.columns,
                                       kSamplesPerStep * std::max(lattice.countX, 1) + 2);
    const Decimation down =
        Decimate(range.firstRow, range.rowCount, e.rows, kSamplesPerStep * std::max(lattice.countZ, 1) + 2);
    RasterWindow window;
    window.columns = across.count;
    window.rows = down.count;
    window.values.resize(static_cast<std::size_t>(window.columns) * window.rows);

    // The file's rows may run from the south; the range counts from the
    // north.
    const int rowSpan = down.count * down.factor;
    const int fileFirstRow = raster.northUp ? down.first : e.rows - down.first - rowSpan;

    ProgressRelay relay{&progress};
    GDALRasterIOExtraArg extra;
    INIT_RASTERIO_EXTRA_ARG(extra);
    const bool decimated = across.factor > 1 || down.factor > 1;
    extra.eResampleAlg = decimated ? GRIORA_Average : GRIORA_NearestNeighbour;
    extra.pfnProgress = RelayProgress;
    extra.pProgressData = &relay;
    {
        QuietErrors quiet;
        const CPLErr result = GDALRasterIOEx(raster.band, GF_Read, across.first, fileFirstRow,
                                             across.count * across.factor, rowSpan, window.values.data(),
                                             window.columns, window.rows, GDT_Float64, 0, 0, &extra);
        if (result != CE_None && relay.stalled)
            RefuseFileBecause(params, language,
                       "olvasása " + std::to_string(kMostStall.count()) +
                           " másodperce nem halad; leállítva (hibás vagy csonka fájl).",
                       "made no progress in reading for " + std::to_string(kMostStall.count()) +
                            " seconds and was stopped (a damaged or truncated file).");
        if (result != CE_None)
            RefuseFile(params, language, {"nem olvasható (hibás vagy csonka fájl).",
                                          "cannot be read (a damaged or truncated file)."},
                       QuietErrors::LastMessage());
    }
    if (!raster.northUp) {
        for (int top = 0, bottom = window.rows - 1; top < bottom; ++top, --bottom)
            std::swap_ranges(window.values.begin() + static_cast<std::ptrdiff_t>(top) * window.columns,
                             window.values.begin() + static_cast<std::ptrdiff_t>(top + 1) * window.columns,
                             window.values.begin() + static_cast<std::ptrdiff_t>(bottom) * window.columns);
    }

    // Heights beyond any on the earth (a float's lowest value written in
    // place of a marker) count as no data too.
    int hasNoData = FALSE;
    const double noData = GDALGetRasterNoDataValue(raster.band, &hasNoData);
    for (double& value : window.values)
        if ((hasNoData && value == noData) || !std::isfinite(value) || std::abs(value) > kMostHeight)
            value = std::numeric_limits<double>::quiet_NaN();

    window.west = across.first * e.cellX;
    window.north = (e.rows - down.first) * e.cellZ;
    window.cellX = across.factor * e.cellX;
    window.cellZ = down.factor * e.cellZ;
    return window;
}

}  // namespace

}  // namespace kestrane

// The entry points the heightmap loader finds (heightmap_module.h): plain
// C types in and out, every exception caught and handed to `fail`.
namespace {

kestrane::HeightmapParams ParamsOf(const KestraneHeightmapRequest& request)
{
    kestrane::HeightmapParams params;
    params.file = request.file;
    params.originX = request.originX;
    params.originZ = request.originZ;
    params.mapOrigin = request.mapOrigin != 0;
    params.scale = request.scale;
    params.offset = request.offset;
    if (request.hasPixelSize)
        params.pixelSize = request.pixelSize;
    return params;
}

kestrane::UiLanguage LanguageOf(const KestraneHeightmapRequest& request)
{
    return request.language == static_cast<int>(kestrane::UiLanguage::Hungarian) ? kestrane::UiLanguage::Hungarian
                                                                                  : kestrane::UiLanguage::English;
}

template <class Work>
void Guarded(const KestraneHeightmapRequest& request, Work work) noexcept
{
    try {
        work();
    } catch (const kestrane::InputError& e) {
        request.fail(request.context, KestraneInputRefused, e.field().c_str(), e.what());
    } catch (const std::bad_alloc& e) {
        request.fail(request.context, KestraneOutOfMemory, "", e.what());
    } catch (const std::exception& e) {
        request.fail(request.context, KestraneOtherFailure, "", e.what());
    } catch (...) {
        request.fail(request.context, KestraneOtherFailure, "", "unknown error");
    }
}

}  // namespace

extern "C" void KestraneReadHeightmapInfo(const KestraneHeightmapRequest* request, KestraneHeightmapInfoResult* out)
{
    Guarded(*request, [&] {
        using namespace kestrane;
        const UiLanguage language = LanguageOf(*request);
        const HeightmapParams params = ParamsOf(*request);
        const OpenRaster raster = Open(params, language);
        KestraneHeightmapInfoResult info{};
        info.columns = raster.extent.columns;
        info.rows = raster.extent.rows;
        info.cellX = raster.extent.cellX;
        info.cellZ = raster.extent.cellZ;
        info.ownCellSize = raster.ownCellSize;
        info.geographic = raster.geographic;
        raster.format.copy(info.format, sizeof info.format - 1);
        if (raster.map) {
            info.hasMapExtent = 1;
            info.west = raster.map->west;
            info.south = raster.map->south;
            info.east = raster.map->east;
            info.north = raster.map->north;
        }
        QuietErrors quiet;
        // Exact on rasters that read quickly; from overviews or a subsample
        // on large ones.
        info.rangeApproximate = static_cast<double>(info.columns) * info.rows > kExactRangeCells;
        double range[2] = {0, 0};
        if (GDALComputeRasterMinMax(raster.band, info.rangeApproximate ? TRUE : FALSE, range) == CE_None &&
            std::isfinite(range[0]) && std::isfinite(range[1])) {
            info.hasMinimum = info.hasMaximum = 1;
            info.minimum = range[0];
            info.maximum = range[1];
        }
        *out = info;
    });
}

extern "C" void KestraneSampleHeightmap(const KestraneHeightmapRequest* request, KestraneHeightmapSamplesResult* out)
{
    Guarded(*request, [&] {
        using namespace kestrane;
        const UiLanguage language = LanguageOf(*request);
        const NodeLattice lattice{request->countX, request->countZ, request->stepX, request->stepZ};
        HeightmapProgress progress;
        if (request->progress)
            progress = [request](double done) { request->progress(request->context, done); };
        const HeightmapParams given = ParamsOf(*request);
        const OpenRaster raster = Open(given, language);
        RequireCellSize(raster, language);
        const HeightmapParams params = MetreOrigin(raster, given, language);
        const CellRange range = heightmap_detail::CellsUnderLattice(raster.extent, params, lattice);
        RasterWindow window;
        if (range.columnCount > 0 && range.rowCount > 0)
            window = ReadWindow(raster, range, lattice, params, language, progress);
        if (progress)
            progress(1.0);
        const HeightmapSamples samples =
            heightmap_detail::SampleLattice(raster.extent, window, params, lattice, language);
        std::copy(samples.heights.begin(), samples.heights.end(), out->heights);
        out->filledNodes = samples.filledNodes;
        out->outsideNodes = samples.outsideNodes;
        out->readColumns = samples.readColumns;
        out->readRows = samples.readRows;
    });
}
