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

std::string SkippedLootIdsMessage(const std::vector<std::string>& ids) {
    if (ids.empty()) {
        return {};
    }
    std::string message =
        "These loot templates were not written, because their ids cannot be part of a file "
        "name:";
    for (const std::string& id : ids) {
        message += (&id == &ids.front() ? " '" : ", '") + id + "'";
    }
    return message + ".";
}

}  // namespace kelvane
