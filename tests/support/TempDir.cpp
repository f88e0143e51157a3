#include "tests/support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kelvane::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvane-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::File(std::string_view name) const {
    return path_ + "/" + std::string(name);
}

void TempDir::Write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir::Read(std::string_view name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace kelvane::testing
