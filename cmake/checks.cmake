# Builds that look for faults rather than ship: the test suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the libFuzzer targets
# of fuzz/ (added at the end of the top-level list). Both need clang; Qt and
# the system libraries stay uninstrumented.
option(RK_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(RK_FUZZ "Build the fuzz targets of fuzz/ (implies the sanitizers)" OFF)

if(RK_SANITIZE OR RK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "RK_SANITIZE and RK_FUZZ need clang (configure with CXX=clang++)")
  endif()
  # Every report ends the run: a report that scrolls past in a green run is never read.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

# `sanitized_tests` builds only what ctest runs, not the tools and benchmarks.
function(rk_add_sanitized_tests)
  get_property(targets DIRECTORY ${CMAKE_SOURCE_DIR}/tests PROPERTY BUILDSYSTEM_TARGETS)
  list(FILTER targets INCLUDE REGEX "^tests_")
  add_custom_target(sanitized_tests DEPENDS ${targets})
endfunction()
if(RK_SANITIZE)
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL rk_add_sanitized_tests)
endif()

if(RK_FUZZ)
  # Coverage feedback for everything of ours; only the fuzz targets bring libFuzzer's main().
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
