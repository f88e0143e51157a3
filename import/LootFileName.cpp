#include "import/LootFileName.h"

#include <algorithm>

namespace kelvane {
namespace {

bool IsControl(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 32 || code == 127;
}

}  // namespace

bool IsPlainFileNamePart(std::string_view id) {
    return !id.empty() && id.find_first_of("/\\:") == std::string_view::npos &&
           id.find("..") == std::string_view::npos && std::none_of(id.begin(), id.end(), IsControl);
}

}  // namespace kelvane
