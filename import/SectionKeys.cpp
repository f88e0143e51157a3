#include "import/SectionKeys.h"

#include <cstdint>

#include "core/base/TextUtil.h"

namespace kelvane {

// FNV-1a over the upper-case letters, so keys that differ in case only meet.
size_t SectionKeys::CaseFreeHash::operator()(std::string_view key) const {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : key) {
        hash = (hash ^ static_cast<unsigned char>(UpperCaseChar(c))) * 1099511628211ull;
    }
    return static_cast<size_t>(hash);
}

bool SectionKeys::CaseFreeEqual::operator()(std::string_view left, std::string_view right) const {
    return EqualsIgnoreCase(left, right);
}

}  // namespace kelvane
