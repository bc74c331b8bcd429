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

set(LIBRARY_DEFINITIONS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# The symbols go to Tessalin.pdb beside the DLL, which names it without a folder. The linker
# computes the DLL's PDB GUID from the PDB's bytes, so the PDB holds no path of this checkout
# either: the compiler sees the checkout's paths relative to the build folder, and the linker
# sees only relative paths (the export list is copied into the build folder) and names the
# sources under a fixed folder, C:\tessalin standing for the checkout. The DLL is then stripped
# of the DWARF sections and symbol table that the linker keeps from GCC's static libraries:
# the DLL under test is the one shipped.
file(RELATIVE_PATH build_folder ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
set(LIBRARY_COMPILER_LAUNCHER "${CMAKE_SOURCE_DIR}/scripts/relative-paths;${CMAKE_SOURCE_DIR}")
set(LIBRARY_COMPILE_OPTIONS ${WARNINGS} -g -gcodeview -ffile-compilation-dir=.)

# The file dialogs' code, built once and linked into the DLL and into the dialog test, which
# drives both platform dialogs whichever one Wine's own choice would give.
set(DIALOG_SOURCES ${CMAKE_SOURCE_DIR}/src/fs/file_dialogs_win.cpp
                   ${CMAKE_SOURCE_DIR}/src/fs/dialog_settings.cpp
                   ${CMAKE_SOURCE_DIR}/src/fs/current_directory_win.cpp
                   ${CMAKE_SOURCE_DIR}/src/frame/call_conventions.cpp)
add_library(tessalin_dialogs OBJECT ${DIALOG_SOURCES})
set_target_properties(tessalin_dialogs PROPERTIES CXX_COMPILER_LAUNCHER
                                                  "${LIBRARY_COMPILER_LAUNCHER}")
target_include_directories(tessalin_dialogs PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(tessalin_dialogs PRIVATE ${LIBRARY_DEFINITIONS})
target_compile_options(tessalin_dialogs PRIVATE ${LIBRARY_COMPILE_OPTIONS})

set(DLL_SOURCES ${ALL_SOURCES})
list(REMOVE_ITEM DLL_SOURCES ${DIALOG_SOURCES})
add_library(Tessalin SHARED ${DLL_SOURCES} $<TARGET_OBJECTS:tessalin_dialogs>
                            ${CMAKE_SOURCE_DIR}/src/frame/version.rc)
set_target_properties(Tessalin PROPERTIES PREFIX "" OUTPUT_NAME Tessalin
                                          CXX_COMPILER_LAUNCHER "${LIBRARY_COMPILER_LAUNCHER}")
target_include_directories(Tessalin PRIVATE ${CMAKE_SOURCE_DIR}/src
                                            ${CMAKE_BINARY_DIR}/generated)
target_compile_definitions(Tessalin PRIVATE ${LIBRARY_DEFINITIONS})
target_compile_options(Tessalin PRIVATE ${LIBRARY_COMPILE_OPTIONS})
configure_file(${CMAKE_SOURCE_DIR}/src/frame/exports.def exports.def COPYONLY)
target_link_options(Tessalin PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at exports.def
                    -Wl,--pdb=bin/Tessalin.pdb -Wl,--Xlink=-pdbaltpath:Tessalin.pdb
                    -Wl,--Xlink=-pdbsourcepath:C:/tessalin/${build_folder})
set_property(TARGET Tessalin APPEND PROPERTY LINK_DEPENDS ${CMAKE_BINARY_DIR}/exports.def)
target_link_libraries(Tessalin PRIVATE ${SYSTEM_LIBRARIES})
add_custom_command(TARGET Tessalin POST_BUILD COMMAND ${CMAKE_STRIP} $<TARGET_FILE:Tessalin>)

if(TESSALIN_DIST_DIR)
    add_custom_command(TARGET Tessalin POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSALIN_DIST_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Tessalin>
                $<TARGET_FILE_DIR:Tessalin>/Tessalin.pdb ${TESSALIN_DIST_DIR}/)
endif()

# GoogleTest from Debian's source package, cross-built.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The host's side, which the field check, the stand-in host, the tests under Wine and the
# benchmarks share: loading the library, the message loop, reading windows, notes on the
# clipboard, screenshots. Its users include it, and their own headers, from the checkout's root:
# "tools/hostkit/windows_win.h".
file(GLOB HOSTKIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/hostkit/*.cpp)
add_library(hostkit STATIC ${HOSTKIT_SOURCES})
target_include_directories(hostkit PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(hostkit PUBLIC UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601)
target_compile_options(hostkit PRIVATE ${WARNINGS})
target_link_libraries(hostkit PUBLIC ${SYSTEM_LIBRARIES} uuid)
target_link_options(hostkit PUBLIC ${STATIC_RUNTIME})

# Shared helpers of the tests under Wine: the DLL beside them, helper child processes, windows.
file(GLOB WINE_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/support/*.cpp)
add_library(wine_support STATIC ${WINE_SUPPORT})
target_include_directories(wine_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/wine)
target_link_libraries(wine_support PUBLIC gtest hostkit version)

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
target_link_libraries(file_dialogs_test PRIVATE tessalin_dialogs)

# The notes view and the overlays again with the system at 144 pixels per inch: sizes and
# fonts scale from the design values, and the rectangles the library is given stay exact.
function(add_wine_test_at_144_dpi name filter)
    add_test(NAME wine.${name}.at_144_dpi COMMAND ${name} --gtest_filter=${filter})
    set_tests_properties(wine.${name}.at_144_dpi PROPERTIES ENVIRONMENT TESSALIN_LOG_PIXELS=144
                         RESOURCE_LOCK display TIMEOUT 300)
endfunction()
add_wine_test_at_144_dpi(notes_view_test "NotesView.IsCreated*:NotesView.ControlsAndFonts*")
add_wine_test_at_144_dpi(monitors_test "Monitors.EachMonitorShows*")

# The DLL's import and export tables, read with objdump.
add_test(NAME dll.tables
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-dll-tables $<TARGET_FILE:Tessalin>
                 ${CMAKE_SOURCE_DIR}/src/frame/exports.def)

# The field check, which add-in authors run on Windows beside the DLL. It reads the library's
# design tables for the sizes it expects, calls the library only through its exports, and
# shares the host side's kit. It imports only known DLLs (its test, like the DLL's).
file(GLOB FIELDCHECK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/fieldcheck/*.cpp)
add_executable(fieldcheck ${FIELDCHECK_SOURCES} ${CMAKE_SOURCE_DIR}/tools/fieldcheck/fieldcheck.rc)
target_include_directories(fieldcheck PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_compile_options(fieldcheck PRIVATE ${WARNINGS})
target_link_options(fieldcheck PRIVATE -municode -s)
target_link_libraries(fieldcheck PRIVATE hostkit)
add_dependencies(fieldcheck Tessalin)
add_test(NAME wine.fieldcheck
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-fieldcheck $<TARGET_FILE:fieldcheck>)
set_tests_properties(wine.fieldcheck PROPERTIES RESOURCE_LOCK display TIMEOUT 300)
add_test(NAME fieldcheck.imports
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-dll-tables $<TARGET_FILE:fieldcheck>)

# The stand-in host of ./run demo, not shipped, and its own language files in Messages next to
# the program: the demo names its own folder as the installation folder.
file(GLOB DEMO_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/demo/*.cpp)
add_executable(standin_host ${DEMO_SOURCES})
target_compile_options(standin_host PRIVATE ${WARNINGS})
target_link_options(standin_host PRIVATE -municode)
target_link_libraries(standin_host PRIVATE hostkit)
add_dependencies(standin_host Tessalin)
add_custom_target(host_messages ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/demo/messages
            $<TARGET_FILE_DIR:standin_host>/Messages)
add_dependencies(standin_host host_messages)

# A copy of the library with faults that a test plants in it one at a time, chosen by an
# environment variable, to see the field check FAIL each: linked from the very objects of
# Tessalin.dll, some of whose calls to the system are wrapped
# (tests/wine/tools/planted_faults.cpp), so that the shipped DLL is neither rebuilt nor touched.
set(PLANTED_WRAPS Sleep SetTimer SendMessageW ShowWindow MessageBoxW GetMonitorInfoW
                  GetClipboardSequenceNumber GetCurrentDirectoryW EmptyClipboard)
list(TRANSFORM PLANTED_WRAPS PREPEND -Wl,--wrap=)
add_library(TessalinPlanted SHARED $<TARGET_OBJECTS:Tessalin> $<TARGET_OBJECTS:tessalin_dialogs>
                                   ${CMAKE_SOURCE_DIR}/tests/wine/tools/planted_faults.cpp)
set_target_properties(TessalinPlanted PROPERTIES PREFIX "")
target_compile_definitions(TessalinPlanted PRIVATE UNICODE _UNICODE)
target_link_options(TessalinPlanted PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at exports.def
                    ${PLANTED_WRAPS})
target_include_directories(TessalinPlanted PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(TessalinPlanted PRIVATE ${SYSTEM_LIBRARIES})
add_dependencies(fieldcheck_faults_test TessalinPlanted fieldcheck)
set_tests_properties(wine.fieldcheck_faults_test PROPERTIES TIMEOUT 600)

# Benchmarks under Wine: bench/wine/NAME_bench.cpp, run by `./run bench`.
file(GLOB WINE_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/wine/*_bench.cpp)
foreach(source ${WINE_BENCHES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/bench)
    target_link_libraries(${name} PRIVATE wine_support)
    add_dependencies(${name} Tessalin)
endforeach()

# Used by scripts/display.sh to wait until Wine reports every monitor.
add_executable(monitor_probe ${CMAKE_SOURCE_DIR}/tests/wine/tools/monitor_probe.cpp)
target_link_options(monitor_probe PRIVATE ${STATIC_RUNTIME})

# The library's language-file reader with its listing of the folder on disk, outside the DLL:
# for lclcheck.exe and for the localisation test, which lists a real folder with it.
add_library(language_reader OBJECT ${PORTABLE_SOURCES}
                                   ${CMAKE_SOURCE_DIR}/src/localizer/language_folder_win.cpp)
target_include_directories(language_reader PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(language_reader PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                  _WIN32_WINNT=0x0601)
target_compile_options(language_reader PRIVATE ${WARNINGS})
target_link_libraries(localization_test PRIVATE language_reader)

# The kit for add-in authors and translators, next to the DLL in dist/: the C header, the
# import library and a .def for other linkers, the VBA module, lclcheck.exe, which reads
# language files with the library's own reader and ANSI decoder, and fieldcheck.exe.
add_executable(lclcheck ${CMAKE_SOURCE_DIR}/tools/lclcheck/language_check.cpp
                        ${CMAKE_SOURCE_DIR}/tools/lclcheck/command.cpp
                        ${CMAKE_SOURCE_DIR}/tools/lclcheck/main_win.cpp)
target_include_directories(lclcheck PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_compile_options(lclcheck PRIVATE ${WARNINGS})
target_link_options(lclcheck PRIVATE ${STATIC_RUNTIME} -municode -s)
target_link_libraries(lclcheck PRIVATE language_reader)
add_test(NAME wine.lclcheck COMMAND lclcheck --reference 0409 ${CMAKE_SOURCE_DIR}/demo/messages
                                    ${CMAKE_SOURCE_DIR}/tests/kit/0c0a.lcl)
set_tests_properties(wine.lclcheck PROPERTIES
    PASS_REGULAR_EXPRESSION "0409.lcl: language 0x0409 \\(1033\\), UTF-8.*line 2: fewer than three fields.*3 files, 1 losing text")

# An add-in author's C program: built against the header, linked with the import library.
add_executable(c_client ${CMAKE_SOURCE_DIR}/tests/kit/c_client.c
                        ${CMAKE_SOURCE_DIR}/tests/kit/cxx_client.cpp)
target_include_directories(c_client PRIVATE ${CMAKE_SOURCE_DIR}/include)
target_compile_options(c_client PRIVATE ${WARNINGS})
target_link_options(c_client PRIVATE ${STATIC_RUNTIME})
target_link_libraries(c_client PRIVATE Tessalin)
add_test(NAME wine.c_client COMMAND c_client)
set_tests_properties(wine.c_client PROPERTIES RESOURCE_LOCK display TIMEOUT 300)

# The import library for Microsoft's linker, made from the one export list.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/Tessalin.lib
    COMMAND llvm-dlltool -m i386:x86-64 -d ${CMAKE_SOURCE_DIR}/src/frame/exports.def
            -l ${CMAKE_BINARY_DIR}/Tessalin.lib
    DEPENDS ${CMAKE_SOURCE_DIR}/src/frame/exports.def)

if(TESSALIN_DIST_DIR)
    add_custom_target(kit ALL
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSALIN_DIST_DIR}/include
                ${TESSALIN_DIST_DIR}/lib ${TESSALIN_DIST_DIR}/vba ${TESSALIN_DIST_DIR}/docs
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/include/tessalin.h
                ${TESSALIN_DIST_DIR}/include/
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_LINKER_FILE:Tessalin>
                ${CMAKE_BINARY_DIR}/Tessalin.lib ${TESSALIN_DIST_DIR}/lib/
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/src/frame/exports.def
                ${TESSALIN_DIST_DIR}/lib/Tessalin.def
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/kit/vba/Tessalin.bas
                ${TESSALIN_DIST_DIR}/vba/
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/docs/exports.md
                ${TESSALIN_DIST_DIR}/docs/
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:lclcheck>
                $<TARGET_FILE:fieldcheck> ${CMAKE_SOURCE_DIR}/kit/README.txt ${TESSALIN_DIST_DIR}/
        DEPENDS ${CMAKE_BINARY_DIR}/Tessalin.lib)
    add_dependencies(kit Tessalin lclcheck fieldcheck)

    # The release package made from this kit as `./run package` makes it, then unpacked and
    # checked: contents, symbols, checksums, both import libraries, and signing.
    add_test(NAME package.contents
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-package ${TESSALIN_DIST_DIR})
    set_tests_properties(package.contents PROPERTIES RESOURCE_LOCK display TIMEOUT 300)
endif()
