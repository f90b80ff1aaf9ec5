# kestrane_warnings(target): opt-in warnings (-DKESTRANE_WARNINGS=ON).
function(kestrane_warnings target)
  if(KESTRANE_WARNINGS)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  endif()
endfunction()

# kestrane_core_library(name SOURCES ... DEPENDS ...): a toolkit-free library
# of the core, with the alias Kestrane::<name>.
function(kestrane_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(kestrane_${name} STATIC ${ARG_SOURCES})
  add_library(Kestrane::${name} ALIAS kestrane_${name})
  target_include_directories(kestrane_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(kestrane_${name} PUBLIC ${ARG_DEPENDS})
  target_compile_features(kestrane_${name} PUBLIC cxx_std_20)
  kestrane_warnings(kestrane_${name})
endfunction()
