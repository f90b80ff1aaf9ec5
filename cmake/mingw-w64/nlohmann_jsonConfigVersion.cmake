# The version of the system's nlohmann-json package, whose headers the
# Windows build uses.
include(/usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake OPTIONAL RESULT_VARIABLE _kestrane_json_version)
if(NOT _kestrane_json_version)
  set(PACKAGE_VERSION_UNSUITABLE TRUE)
endif()
