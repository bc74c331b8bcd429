# Native build: portable code under AddressSanitizer and UndefinedBehaviorSanitizer.
include(ExternalProject)
enable_testing()

set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
set(WARNINGS -Wall -Wextra -Wpedantic -Werror)

add_library(tessalin_portable STATIC ${PORTABLE_SOURCES})
target_include_directories(tessalin_portable PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(tessalin_portable PUBLIC ${SANITIZE} PRIVATE ${WARNINGS})
target_link_options(tessalin_portable PUBLIC ${SANITIZE})

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*_test.cpp)
add_executable(native_tests ${NATIVE_TESTS})
target_compile_options(native_tests PRIVATE ${WARNINGS})
target_link_libraries(native_tests PRIVATE tessalin_portable GTest::gtest_main)
gtest_discover_tests(native_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)

# Fuzz targets: fuzz/NAME_fuzz.cpp, seeds in fuzz/seeds/NAME/. Each runs for a bounded time
# as a test; `./run fuzz` runs them longer.
set(FUZZ_SECONDS 20 CACHE STRING "Seconds each fuzz target runs during the tests")
file(GLOB FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
set(FUZZ_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all)
add_library(tessalin_portable_fuzz STATIC ${PORTABLE_SOURCES})
target_include_directories(tessalin_portable_fuzz PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(tessalin_portable_fuzz PUBLIC ${FUZZ_SANITIZE} -fsanitize=fuzzer-no-link)
foreach(source ${FUZZ_TARGETS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE tessalin_portable_fuzz)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE ${FUZZ_SANITIZE} -fsanitize=fuzzer)
    string(REGEX REPLACE "_fuzz$" "" corpus ${name})
    set(work ${CMAKE_BINARY_DIR}/fuzz-corpus/${corpus})
    add_test(NAME fuzz.${corpus}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz-run
                     $<TARGET_FILE:${name}> ${work} ${CMAKE_SOURCE_DIR}/fuzz/seeds/${corpus}
                     ${FUZZ_SECONDS})
endforeach()

# The Windows half, built with the MinGW toolchain in its own tree.
set(WINDOWS_BINARY_DIR ${CMAKE_BINARY_DIR}/windows)
ExternalProject_Add(windows
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${WINDOWS_BINARY_DIR}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
               -DCMAKE_BUILD_TYPE=Release
               -DTESSALIN_DIST_DIR=${CMAKE_SOURCE_DIR}/dist
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)

# The tests of the Windows half are defined there (run through Wine by the cross
# toolchain's emulator) and included into this ctest run.
set_property(DIRECTORY APPEND PROPERTY
             TEST_INCLUDE_FILES ${WINDOWS_BINARY_DIR}/CTestTestfile.cmake)

# Benchmarks of portable code: bench/NAME_bench.cpp, optimised and without sanitizers, run by
# `./run bench`. They print figures; they are not tests.
file(GLOB NATIVE_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
if(NATIVE_BENCHES)
    add_library(tessalin_portable_bench STATIC ${PORTABLE_SOURCES})
    target_include_directories(tessalin_portable_bench PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(tessalin_portable_bench PUBLIC -O2)
endif()
foreach(source ${NATIVE_BENCHES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE tessalin_portable_bench)
endforeach()

# The kit for add-in authors and translators. lclcheck reads language files with the library's
# own reader; its core is unit-tested in native_tests, which also check the C header and the
# VBA module against the export definitions in the sources.
add_library(lclcheck_core STATIC ${CMAKE_SOURCE_DIR}/tools/lclcheck/language_check.cpp
                                 ${CMAKE_SOURCE_DIR}/tools/lclcheck/command.cpp)
target_include_directories(lclcheck_core PUBLIC ${CMAKE_SOURCE_DIR}/tools/lclcheck
                                         PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_compile_options(lclcheck_core PRIVATE ${WARNINGS})
target_link_libraries(lclcheck_core PUBLIC tessalin_portable)
add_executable(lclcheck ${CMAKE_SOURCE_DIR}/tools/lclcheck/main_posix.cpp)
target_compile_options(lclcheck PRIVATE ${WARNINGS})
target_link_libraries(lclcheck PRIVATE lclcheck_core)
target_link_libraries(native_tests PRIVATE lclcheck_core)
target_compile_definitions(native_tests PRIVATE TESSALIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
