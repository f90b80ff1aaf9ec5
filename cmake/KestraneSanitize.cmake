# Sanitizer and fuzzing builds.
#
# -DKESTRANE_SANITIZE=ON builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer; any finding ends the program with an error, so
# a test that trips one fails.
# -DKESTRANE_BUILD_FUZZERS=ON (Clang only, implies KESTRANE_SANITIZE) also
# instruments the code for coverage and builds the libFuzzer harnesses in
# fuzz/, with a short fuzzing run registered as a test.
option(KESTRANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KESTRANE_BUILD_FUZZERS "Build the libFuzzer harnesses (Clang only)" OFF)

if(KESTRANE_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KESTRANE_BUILD_FUZZERS needs Clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(KESTRANE_SANITIZE ON CACHE BOOL "" FORCE)
endif()

if(KESTRANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KESTRANE_BUILD_FUZZERS)
  # Coverage instrumentation without the fuzzer's main; the harnesses link
  # libFuzzer itself (-fsanitize=fuzzer).
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
