# Build settings shared by all modules, and the helpers that register tests.

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
# Screenshots and other leftovers of failed tests go beside the builds, in the
# build root (tools/build passes it; by default the build folder's parent).
get_filename_component(_vek_default_root ${CMAKE_BINARY_DIR} DIRECTORY)
set(VEK_BUILD_ROOT ${_vek_default_root} CACHE PATH "Folder holding the builds, the Wine prefix and the artifacts")
set(VEK_ARTIFACTS ${VEK_BUILD_ROOT}/artifacts)
file(MAKE_DIRECTORY ${VEK_ARTIFACTS})

if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Texts of the system are GBK; sources are UTF-8.
  # GB18030 is GBK in its one- and two-byte range and also covers the few
  # characters of the standard headers (the micro sign of <chrono>) that GBK lacks.
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=GB18030)
endif()
add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(WIN32)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX)
  # Ship the compiler's runtime DLLs beside the programs, so the folder runs on its own.
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE _dll OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${_dll}")
      find_file(_dll_found ${dll} PATHS /usr/x86_64-w64-mingw32/lib NO_CACHE NO_DEFAULT_PATH)
      set(_dll ${_dll_found})
    endif()
    if(NOT EXISTS "${_dll}")
      message(FATAL_ERROR "runtime DLL ${dll} not found")
    endif()
    file(COPY ${_dll} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    # Without their debug sections: Wine reads a whole image that is not
    # page-aligned on every start, and libstdc++'s are 20 MB.
    if(CMAKE_STRIP)
      execute_process(COMMAND ${CMAKE_STRIP} --strip-debug ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${dll})
    endif()
  endforeach()
elseif(VEK_FUZZ)
  set(VEK_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer)
  add_compile_options(${VEK_SANITIZE} -fsanitize=fuzzer-no-link)
  add_link_options(${VEK_SANITIZE})
elseif(VEK_SANITIZERS)
  set(VEK_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${VEK_SANITIZE})
  add_link_options(${VEK_SANITIZE})
endif()

# GoogleTest from the system's sources, built with our flags.
if(NOT VEK_FUZZ)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # Like the tests, unoptimised: it is compiled in every build and runs little.
  foreach(t gtest gtest_main gmock gmock_main)
    target_compile_options(${t} PRIVATE -O0)
  endforeach()
endif()

# Test code unoptimised: its large test bodies take several times as long
# to compile at -O2, and the code under test keeps the build's own level.
function(vek_test_compile target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-O0>)
  target_compile_definitions(${target} PRIVATE VEK_ARTIFACTS="${VEK_ARTIFACTS}")
endfunction()

# The test library's headers, parsed once for all test programs (they share
# these flags; the programs' own definitions do not reach these headers).
if(NOT VEK_FUZZ)
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/vek_test_pch.cpp CONTENT "")
  add_library(vek_test_pch STATIC ${CMAKE_BINARY_DIR}/vek_test_pch.cpp)
  target_link_libraries(vek_test_pch PRIVATE GTest::gtest GTest::gmock)
  vek_test_compile(vek_test_pch)
  target_precompile_headers(vek_test_pch PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
endif()

# vek_add_test(<name> SOURCES ... [LIBS ...] [NO_MAIN])
# One test program, one ctest entry (starting a program under Wine costs time,
# so a program holds a whole module's tests). Windows programs run through
# Wine; GUI tests need DISPLAY, which ./test provides.
function(vek_add_test name)
  cmake_parse_arguments(T "NO_MAIN" "" "SOURCES;LIBS" ${ARGN})
  if(VEK_FUZZ)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  if(T_NO_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock ${T_LIBS})
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock ${T_LIBS})
  endif()
  vek_test_compile(${name})
  target_precompile_headers(${name} REUSE_FROM vek_test_pch)
  # Sources that do not use the test library (helpers, stand-ins) are compiled
  # as they are: its headers forced on them would clash with their own names.
  foreach(src ${T_SOURCES})
    if(src MATCHES "\\.(cpp|cc)$")
      get_filename_component(_path ${src} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
      file(STRINGS ${_path} _uses REGEX "#include [<\"](gtest|gmock)/|^TEST(_F|_P)?\\(" LIMIT_COUNT 1)
      if(NOT _uses)
        set_source_files_properties(${src} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
      endif()
    endif()
  endforeach()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()

# vek_add_fuzzer(<name> SOURCES ... [LIBS ...] CORPUS <dir>)
# In the fuzz build: a libFuzzer program, and a ctest entry that replays its
# seed corpus. In the other builds: nothing.
function(vek_add_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT VEK_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  if(F_CORPUS)
    add_test(NAME ${name}.corpus COMMAND ${name} -runs=0 ${F_CORPUS})
  endif()
endfunction()

# vek_split_debug(<target>)
# A deliverable's debug information goes to <file>.debug beside it (named in
# the file's debug link), so that starting the program does not read it.
function(vek_split_debug target)
  if(WIN32 AND CMAKE_STRIP AND CMAKE_OBJCOPY)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
      COMMAND ${CMAKE_STRIP} --strip-debug $<TARGET_FILE:${target}>
      COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
      WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
      VERBATIM)
  endif()
endfunction()

# vek_shared_library(<name> <export-define> SOURCES ...)
# A deliverable DLL named exactly <name>.dll (no "lib" prefix); the define marks
# its own build so its API macro exports rather than imports.
function(vek_shared_library name define)
  cmake_parse_arguments(L "" "" "SOURCES" ${ARGN})
  add_library(${name} SHARED ${L_SOURCES})
  target_compile_definitions(${name} PRIVATE ${define})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "")
  vek_split_debug(${name})
endfunction()
