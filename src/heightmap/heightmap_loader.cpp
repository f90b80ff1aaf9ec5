// The GDAL reading is a module of its own, loaded at the first heightmap:
// the programs start without GDAL and its many libraries mapped, and
// only a heightmap costs their memory.
#include "heightmap/heightmap.h"

#include "core/errors.h"

#ifndef _WIN32
#include <dlfcn.h>
#include <unistd.h>
#endif

#include <filesystem>
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

using ReadInfoFunction = void (*)(const HeightmapParams*, UiLanguage, HeightmapInfo*);
using SampleFunction = void (*)(const HeightmapParams*, const NodeLattice*, UiLanguage, const HeightmapProgress*,
                                HeightmapSamples*);

struct GdalModule {
    ReadInfoFunction readInfo = nullptr;
    SampleFunction sample = nullptr;
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
    module.readInfo = reinterpret_cast<ReadInfoFunction>(dlsym(handle, "KestraneReadHeightmapInfo"));
    module.sample = reinterpret_cast<SampleFunction>(dlsym(handle, "KestraneSampleHeightmap"));
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

}  // namespace

HeightmapInfo ReadHeightmapInfo(const HeightmapParams& params, UiLanguage language)
{
    HeightmapInfo info;
    Module(language).readInfo(&params, language, &info);
    return info;
}

HeightmapSamples SampleHeightmap(const HeightmapParams& params, const NodeLattice& lattice, UiLanguage language,
                                 const HeightmapProgress& progress)
{
    HeightmapSamples samples;
    Module(language).sample(&params, &lattice, language, &progress, &samples);
    return samples;
}

}  // namespace kestrane
