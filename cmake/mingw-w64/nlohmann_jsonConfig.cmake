# nlohmann-json for the Windows build: the headers of the system's package,
# reached through a folder that holds nothing but them.
if(NOT TARGET nlohmann_json::nlohmann_json)
  find_path(KESTRANE_NLOHMANN_JSON_INCLUDE nlohmann/json.hpp
            PATHS /usr/include /usr/local/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT KESTRANE_NLOHMANN_JSON_INCLUDE)
    set(nlohmann_json_FOUND FALSE)
    set(nlohmann_json_NOT_FOUND_MESSAGE "nlohmann/json.hpp not found (Debian: nlohmann-json3-dev)")
    return()
  endif()
  set(_kestrane_json_folder ${CMAKE_BINARY_DIR}/nlohmann-json-include)
  file(MAKE_DIRECTORY ${_kestrane_json_folder})
  file(CREATE_LINK ${KESTRANE_NLOHMANN_JSON_INCLUDE}/nlohmann ${_kestrane_json_folder}/nlohmann SYMBOLIC)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${_kestrane_json_folder})
endif()
