# Cross build for 64-bit Windows: clang and lld targeting MinGW-w64, with Debian's MinGW-w64
# headers, runtime and C++ library (GCC's, posix thread model). lld writes the PDB that a
# Windows debugger reads; clang emits the CodeView debug information it is made from.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TESSALIN_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TESSALIN_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${TESSALIN_TARGET})
set(CMAKE_RC_COMPILER ${TESSALIN_TARGET}-windres)
# llvm-strip keeps the header's zero time stamp; binutils' strip would write the current time.
set(CMAKE_STRIP llvm-strip)
set(CMAKE_FIND_ROOT_PATH /usr/${TESSALIN_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang finds the MinGW-w64 sysroot but not the C++ headers and libraries in GCC's own folder.
execute_process(COMMAND ${TESSALIN_TARGET}-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(gcc_folder ${libgcc} DIRECTORY)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${gcc_folder}/include/c++ \
-isystem ${gcc_folder}/include/c++/${TESSALIN_TARGET} -isystem ${gcc_folder}/include/c++/backward")
# GCC's driver adds winpthread, which the posix thread model needs, by itself; lld finds
# archive members whatever their order on the command line. No link time goes into the
# binaries, so that a build from the same sources gives the same bytes.
foreach(kind EXE SHARED MODULE)
    set(CMAKE_${kind}_LINKER_FLAGS_INIT
        "-fuse-ld=lld -L${gcc_folder} -lpthread -Wl,--no-insert-timestamp")
endforeach()

# Tests and the stand-in host run under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
