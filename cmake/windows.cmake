# Windows half: Tessalin.dll, its tests under Wine and the stand-in host.
enable_testing()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(WARNINGS -Wall -Wextra -Wpedantic -Werror -Wno-cast-function-type
             -Wno-missing-field-initializers)
# The C++ runtime, libgcc and winpthread are linked in, so the DLL and the test programs
# import only DLLs that every Windows installation has.
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
set(SYSTEM_LIBRARIES user32 gdi32 advapi32 shell32 ole32 oleaut32 comdlg32 uxtheme comctl32)

add_library(Tessalin SHARED ${ALL_SOURCES} ${CMAKE_SOURCE_DIR}/src/frame/version.rc
                            ${CMAKE_SOURCE_DIR}/src/frame/exports.def)
set_target_properties(Tessalin PROPERTIES PREFIX "" OUTPUT_NAME Tessalin)
target_include_directories(Tessalin PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(Tessalin PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                            _WIN32_WINNT=0x0601)
target_compile_options(Tessalin PRIVATE ${WARNINGS})
target_link_options(Tessalin PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at)
target_link_libraries(Tessalin PRIVATE ${SYSTEM_LIBRARIES})

if(TESSALIN_DIST_DIR)
    add_custom_command(TARGET Tessalin POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSALIN_DIST_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Tessalin> ${TESSALIN_DIST_DIR}/)
endif()

# GoogleTest from Debian's source package, cross-built.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Shared helpers of the tests under Wine: loading the DLL, helper child processes, windows.
file(GLOB WINE_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/support/*.cpp)
add_library(wine_support STATIC ${WINE_SUPPORT})
target_include_directories(wine_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/wine ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(wine_support PUBLIC UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(wine_support PUBLIC gtest ${SYSTEM_LIBRARIES} version)
target_link_options(wine_support PUBLIC ${STATIC_RUNTIME})

# One program per test file under Wine, so every file loads the DLL into a fresh process.
file(GLOB WINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*_test.cpp)
foreach(source ${WINE_TESTS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE ${WARNINGS})
    target_link_libraries(${name} PRIVATE wine_support)
    add_dependencies(${name} Tessalin)
    add_test(NAME wine.${name} COMMAND ${name})
    # They share one display, one clipboard and one foreground window: one at a time.
    set_tests_properties(wine.${name} PROPERTIES RESOURCE_LOCK display TIMEOUT 300)
endforeach()

# The DLL's import and export tables, read with objdump.
add_test(NAME dll.tables
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-dll-tables $<TARGET_FILE:Tessalin>
                 ${CMAKE_SOURCE_DIR}/src/frame/exports.def)

# The stand-in host.
file(GLOB DEMO_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/demo/*.cpp)
add_executable(host ${DEMO_SOURCES})
target_compile_definitions(host PRIVATE UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601)
target_compile_options(host PRIVATE ${WARNINGS})
target_link_options(host PRIVATE ${STATIC_RUNTIME} -municode)
target_link_libraries(host PRIVATE ${SYSTEM_LIBRARIES})
add_dependencies(host Tessalin)

# The host's own language files, in Messages next to host.exe: the host names its own folder
# as the installation folder.
add_custom_target(host_messages ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/demo/messages
            $<TARGET_FILE_DIR:host>/Messages)
add_dependencies(host host_messages)

# Benchmarks under Wine: bench/wine/NAME_bench.cpp, run by `./run bench`.
file(GLOB WINE_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/wine/*_bench.cpp)
foreach(source ${WINE_BENCHES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE wine_support)
    add_dependencies(${name} Tessalin)
endforeach()

# Used by scripts/display.sh to wait until Wine reports every monitor.
add_executable(monitor_probe ${CMAKE_SOURCE_DIR}/tests/wine/tools/monitor_probe.cpp)
target_link_options(monitor_probe PRIVATE ${STATIC_RUNTIME})
