#include "core/definitions/DbdFile.h"

#include <algorithm>

namespace kelvane {
namespace {

constexpr std::string_view kForeignSeparator = "::";

}  // namespace

DbdSpan DbdSparseTexts::Find(uint32_t item) const {
    const auto found =
        std::lower_bound(texts_.begin(), texts_.end(), item,
                         [](const ItemText& text, uint32_t wanted) { return text.Item < wanted; });
    return found != texts_.end() && found->Item == item ? found->Text : DbdSpan{};
}

std::string_view DbdFile::ForeignTable(uint32_t column) const {
    const std::string_view key = TextOf(ForeignKeys.Find(column));
    return key.substr(0, key.find(kForeignSeparator));
}

std::string_view DbdFile::ForeignColumn(uint32_t column) const {
    const std::string_view key = TextOf(ForeignKeys.Find(column));
    const size_t separator = key.find(kForeignSeparator);
    return separator == std::string_view::npos ? std::string_view()
                                               : key.substr(separator + kForeignSeparator.size());
}

bool DbdFile::ListsBuild(const DbdDefinition& definition, const DbdBuild& build) const {
    for (uint32_t at = definition.Builds.First; at < definition.Builds.End(); ++at) {
        if (Builds[at].Contains(build)) {
            return true;
        }
    }
    return false;
}

}  // namespace kelvane
