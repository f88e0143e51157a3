// kelvane-make-examples OUTDIR: writes the bundled example tables and their field-definition
// files into OUTDIR (created when missing).
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "examples/generator/ExampleTables.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kelvane-make-examples OUTDIR\n";
        return 2;
    }
    try {
        const std::string folder = argv[1];
        std::filesystem::create_directories(folder);
        for (const std::string& path : kelvane::WriteExampleTables(folder)) {
            std::cout << path << '\n';
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
