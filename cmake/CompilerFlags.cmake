# Warning and sanitizer flags, applied per target so that third-party code
# (GoogleTest, Qt's generated sources) keeps its own; and the include root
# each library exposes.

function(korin_target_flags target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  if(KORIN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Headers are included as "folder/name.h". A library exposes a root that
# holds only its own folder (a link to it), so that code reaches the
# headers of exactly the libraries it links: the Qt-free libraries cannot
# include a chart, plot or window header, nor anything of Qt.
function(korin_include_root target folder)
  set(root "${PROJECT_BINARY_DIR}/include_roots/${folder}")
  file(MAKE_DIRECTORY "${root}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC)
  target_include_directories(${target} PUBLIC "${root}")
endfunction()

if(KORIN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Every library is instrumented for coverage-guided fuzzing; only the fuzz
# targets themselves link libFuzzer's main.
if(KORIN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KORIN_FUZZ needs clang (the fuzz preset sets it)")
  endif()
  set(KORIN_FUZZ_SANITIZERS "address,undefined" CACHE STRING "Sanitizers of the fuzz build")
  set(KORIN_FUZZ_IGNORELIST "${PROJECT_SOURCE_DIR}/fuzz/coverage_ignorelist.txt")
  add_compile_options(-fsanitize=fuzzer-no-link,${KORIN_FUZZ_SANITIZERS} -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined
                      -fsanitize-coverage-ignorelist=${KORIN_FUZZ_IGNORELIST})
  # The build does not see the list as an input of each object: an edit
  # reconfigures, and its digest in the flags rebuilds everything.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${KORIN_FUZZ_IGNORELIST}")
  file(SHA256 "${KORIN_FUZZ_IGNORELIST}" KORIN_FUZZ_IGNORELIST_DIGEST)
  add_compile_definitions(KORIN_FUZZ_IGNORELIST_DIGEST=${KORIN_FUZZ_IGNORELIST_DIGEST})
  add_link_options(-fsanitize=${KORIN_FUZZ_SANITIZERS})
endif()

# Headers that most files of a target include and that cost more to parse
# than the files themselves: GoogleTest in every test, Qt's widgets in
# every window. Precompiled once per target, or taken from a target built
# with the same flags (REUSE), as the test suites do.
set(KORIN_STANDARD_HEADERS <algorithm> <map> <memory> <optional> <span> <string> <string_view>
                           <vector>)
function(korin_precompile target)
  if(NOT KORIN_PRECOMPILED_HEADERS)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 precompile "TESTS;WIDGETS" "REUSE" "")
  if(precompile_REUSE)
    target_precompile_headers(${target} REUSE_FROM ${precompile_REUSE})
    return()
  endif()
  set(headers ${KORIN_STANDARD_HEADERS})
  if(precompile_WIDGETS)
    list(APPEND headers <QLabel> <QLineEdit> <QPainter> <QString> <QWidget>)
  endif()
  if(precompile_TESTS)
    list(APPEND headers <gtest/gtest.h>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
