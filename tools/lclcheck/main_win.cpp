// lclcheck.exe. Files without a signature are read in this machine's ANSI code page with the
// library's own decoder.
#include <windows.h>

#include <exception>
#include <iostream>

#include "command.h"
#include "localizer/language_folder_win.h"

int wmain(int argc, wchar_t** argv) {
    // Reports are UTF-8, like the keys and names they quote.
    SetConsoleOutputCP(CP_UTF8);
    try {
        const std::vector<std::filesystem::path> arguments(argv + 1, argv + argc);
        return tessalin::lclcheck::RunLclcheck(arguments, tessalin::DecodeAnsi, std::cout,
                                               std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "lclcheck: " << error.what() << '\n';
        return tessalin::lclcheck::kUsageError;
    }
}
