// The GDAL reading is a module of its own, loaded at the first heightmap:
// the programs start without GDAL and its many libraries mapped, and
// only a heightmap costs their memory.
#include "heightmap/heightmap.h"

#include "core/errors.h"
#include "core/non_copyable.h"
#include "heightmap/heightmap_module.h"

#ifndef _WIN32
#include <dlfcn.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

namespace kestrane {

const LocalText kElevationDataNeedsLinux{
    "Windowson nem használható: a domborzati adatokhoz a Linuxos változat kell (a Windowsos parancssorban nincs GDAL)",
    "is not available on Windows: elevation data needs the Linux build (the Windows command line has no GDAL)"};

#ifdef _WIN32
bool ElevationDataReadable() { return false; }
#else
bool ElevationDataReadable() { return true; }
#endif

namespace {

constexpr const char* kModuleName = "libkestrane_heightmap_gdal.so";

struct GdalModule {
    KestraneReadHeightmapInfoFunction readInfo = nullptr;
    KestraneSampleHeightmapFunction sample = nullptr;
    std::string failure;  // why it could not be loaded
};

// Beside the program first (an installed program), then where the build
// put it.
GdalModule Load()
{
    GdalModule module;
#ifdef _WIN32
    module.failure = kElevationDataNeedsLinux.en;
    return module;
#else
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string candidates[] = {
        error ? std::string() : (program.parent_path() / kModuleName).string(),
        KESTRANE_GDAL_MODULE,
    };
    void* handle = nullptr;
    for (const std::string& path : candidates) {
        if (path.empty() || !std::filesystem::exists(path, error))
            continue;
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle)
            break;
        module.failure = dlerror();
    }
    if (!handle) {
        if (module.failure.empty())
            module.failure = std::string(kModuleName) + " not found";
        return module;
    }
    module.readInfo = reinterpret_cast<KestraneReadHeightmapInfoFunction>(dlsym(handle, "KestraneReadHeightmapInfo"));
    module.sample = reinterpret_cast<KestraneSampleHeightmapFunction>(dlsym(handle, "KestraneSampleHeightmap"));
    if (!module.readInfo || !module.sample)
        module.failure = std::string(kModuleName) + " lacks its entry points";
    return module;
#endif
}

const GdalModule& Module(UiLanguage language)
{
    static const GdalModule module = Load();
    if (!module.failure.empty()) {
        const std::string caption = HeightmapCaption(HeightmapField::File, language);
        throw InputError(caption, caption + LocalText{": a domborzati adatok olvasója (GDAL) nem tölthető be: ",
                                                      ": the elevation data reader (GDAL) cannot be loaded: "}(
                                                language) +
                                      module.failure);
    }
    return module;
}

// A call into the module: the request in plain C types, and what comes back
// instead of a result, thrown here as it was thrown there.
class ModuleCall : NonCopyable {  // the request's context points to it
public:
    // `params` and `progress` outlive the call.
    ModuleCall(const HeightmapParams& params, UiLanguage language, const HeightmapProgress* progress = nullptr)
        : progress_(progress)
    {
        request_.file = params.file.c_str();
        request_.originX = params.originX;
        request_.originZ = params.originZ;
        request_.mapOrigin = params.mapOrigin ? 1 : 0;
        request_.scale = params.scale;
        request_.offset = params.offset;
        request_.hasPixelSize = params.pixelSize.has_value() ? 1 : 0;
        request_.pixelSize = params.pixelSize.value_or(0.0);
        request_.language = static_cast<int>(language);
        request_.progress = progress && *progress ? &Progress : nullptr;
        request_.fail = &Fail;
        request_.context = this;
    }
    KestraneHeightmapRequest& Request() { return request_; }

    // Throws what the module reported, if anything.
    void Check() const
    {
        switch (failure_) {
        case 0:
            return;
        case KestraneInputRefused:
            throw InputError(field_, message_);
        case KestraneOutOfMemory:
            throw std::bad_alloc();
        default:
            throw std::runtime_error(message_);
        }
    }

private:
    static void Progress(void* context, double done)
    {
        try {
            (*static_cast<ModuleCall*>(context)->progress_)(done);
        } catch (...) {  // a report that failed leaves the reading as it is
        }
    }
    static void Fail(void* context, int kind, const char* field, const char* message)
    {
        auto* call = static_cast<ModuleCall*>(context);
        call->failure_ = kind;
        try {
            call->field_ = field;
            call->message_ = message;
        } catch (...) {
            call->failure_ = KestraneOutOfMemory;
        }
    }

    const HeightmapProgress* progress_;
    KestraneHeightmapRequest request_{};
    int failure_ = 0;
    std::string field_, message_;
};

}  // namespace

HeightmapInfo ReadHeightmapInfo(const HeightmapParams& params, UiLanguage language)
{
    const GdalModule& module = Module(language);
    ModuleCall call(params, language);
    KestraneHeightmapInfoResult result{};
    module.readInfo(&call.Request(), &result);
    call.Check();
    HeightmapInfo info;
    info.columns = result.columns;
    info.rows = result.rows;
    info.cellX = result.cellX;
    info.cellZ = result.cellZ;
    info.ownCellSize = result.ownCellSize != 0;
    info.geographic = result.geographic != 0;
    if (result.hasMinimum)
        info.minimum = result.minimum;
    if (result.hasMaximum)
        info.maximum = result.maximum;
    info.rangeApproximate = result.rangeApproximate != 0;
    info.format = result.format;  // the module ends it within the array
    if (result.hasMapExtent)
        info.mapExtent = MapExtent{result.west, result.south, result.east, result.north};
    return info;
}

HeightmapSamples SampleHeightmap(const HeightmapParams& params, const NodeLattice& lattice, UiLanguage language,
                                 const HeightmapProgress& progress)
{
    const GdalModule& module = Module(language);
    ModuleCall call(params, language, &progress);
    KestraneHeightmapRequest& request = call.Request();
    request.countX = lattice.countX;
    request.countZ = lattice.countZ;
    request.stepX = lattice.stepX;
    request.stepZ = lattice.stepZ;
    HeightmapSamples samples;
    samples.heights.resize(static_cast<std::size_t>(std::max(lattice.countX, 0)) *
                           static_cast<std::size_t>(std::max(lattice.countZ, 0)));
    KestraneHeightmapSamplesResult result{};
    result.heights = samples.heights.data();
    module.sample(&request, &result);
    call.Check();
    samples.filledNodes = result.filledNodes;
    samples.outsideNodes = result.outsideNodes;
    samples.readColumns = result.readColumns;
    samples.readRows = result.readRows;
    return samples;
}

}  // namespace kestrane
