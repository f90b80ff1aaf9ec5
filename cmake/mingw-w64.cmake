# Cross-compiling the command line for 64-bit Windows with MinGW-w64 (the
# posix thread model: std::thread and std::mutex need it), linked statically
# so that kestrane.exe runs without any DLL of ours or of the compiler's.
# Used by tools/windows.sh:
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64.cmake -DKESTRANE_BUILD_GUI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KESTRANE_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${KESTRANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRANE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTRANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libstdc++-6.dll, libgcc_s_seh-1.dll or libwinpthread-1.dll beside the
# program: everything but Windows' own DLLs goes into kestrane.exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# GCC 12's libstdc++ headers draw false -Wrestrict warnings from string
# appends at -O2 and above (GCC bug 105329); the Linux build does not see them.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

# nlohmann-json is header-only: the Debian package's headers serve the
# Windows build as they are, through a package configuration that names
# only their folder (never the rest of /usr/include).
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw-w64 CACHE PATH "nlohmann-json for the Windows build")
