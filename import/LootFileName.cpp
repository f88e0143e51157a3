#include "import/LootFileName.h"

#include <algorithm>

namespace kelvane {
namespace {

// "loott" + id + ".dbc" within the longest file name file systems take.
constexpr size_t kMaxFileNameBytes = 255;
constexpr size_t kLootNameBytes = sizeof("loott.dbc") - 1;

bool IsControl(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 32 || code == 127;
}

}  // namespace

bool IsPlainFileNamePart(std::string_view id) {
    return !id.empty() && id.size() + kLootNameBytes <= kMaxFileNameBytes &&
           id.find_first_of("/\\:") == std::string_view::npos &&
           id.find("..") == std::string_view::npos && std::none_of(id.begin(), id.end(), IsControl);
}

}  // namespace kelvane
