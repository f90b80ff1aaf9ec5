// The entry points of the GDAL module (heightmap_raster.cpp) as the
// heightmap loader finds them (heightmap_loader.cpp), in plain C: the module
// and the program that loads it may each bring their own C++ library (the
// command line carries its own), so no C++ object and no exception passes
// between them. Strings are UTF-8.
#pragma once

extern "C" {

struct KestraneHeightmapRequest {
    // The heightmap's inputs as numbers (HeightmapParams).
    const char* file;
    double originX;
    double originZ;
    int mapOrigin;
    double scale;
    double offset;
    int hasPixelSize;
    double pixelSize;
    int language;  // UiLanguage of the messages
    // The lattice sampled (NodeLattice; sampling only).
    int countX;
    int countZ;
    double stepX;
    double stepZ;
    // Progress of a long read, 0 to 1 (none when null); it must not throw.
    void (*progress)(void* context, double done);
    // A refusal: the field's caption (empty for none) and the whole message.
    // `kind` is one of the KestraneHeightmapFailure values. Called at most
    // once, instead of a result; it must not throw.
    void (*fail)(void* context, int kind, const char* field, const char* message);
    void* context;  // passed to progress and fail
};

enum KestraneHeightmapFailure { KestraneInputRefused = 1, KestraneOutOfMemory = 2, KestraneOtherFailure = 3 };

struct KestraneHeightmapInfoResult {
    int columns;
    int rows;
    double cellX;
    double cellZ;
    int ownCellSize;
    int geographic;
    int hasMinimum;
    double minimum;
    int hasMaximum;
    double maximum;
    int rangeApproximate;
    char format[64];  // GDAL's short driver name, cut to fit
    int hasMapExtent;
    double west;
    double south;
    double east;
    double north;
};

struct KestraneHeightmapSamplesResult {
    double* heights;  // countX * countZ, provided by the caller
    long long filledNodes;
    long long outsideNodes;
    int readColumns;
    int readRows;
};

typedef void (*KestraneReadHeightmapInfoFunction)(const KestraneHeightmapRequest*, KestraneHeightmapInfoResult*);
typedef void (*KestraneSampleHeightmapFunction)(const KestraneHeightmapRequest*, KestraneHeightmapSamplesResult*);

}  // extern "C"
