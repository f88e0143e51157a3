#include "editors/PickList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/base/TextUtil.h"
#include "core/files/TextFile.h"

namespace kelvane {
namespace {

// The part after the first "=", or the entry without its first character when it has none.
std::string_view SearchableText(std::string_view entry) {
    const size_t equals = entry.find('=');
    if (equals != std::string_view::npos) {
        return entry.substr(equals + 1);
    }
    return entry.empty() ? entry : entry.substr(1);
}

}  // namespace

std::string PickList::IdAt(int position) const {
    if (position < 0 || position >= static_cast<int>(Ids.size())) {
        return {};
    }
    return Ids[static_cast<size_t>(position)];
}

PickList ReadPickListFile(const std::string& path) {
    PickList list;
    if (!std::filesystem::exists(path)) {
        return list;
    }
    for (std::string& line : ReadTextLines(path, NamedBy::Program)) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos) {
            std::string id(TrimBlanks(std::string_view(line).substr(0, equals)));
            list.Add(std::move(line), std::move(id));
        }
    }
    return list;
}

std::string LeadingNumber(std::string_view caption) {
    size_t end = 0;
    while (end < caption.size() && std::isdigit(static_cast<unsigned char>(caption[end]))) {
        ++end;
    }
    return std::string(caption.substr(0, end));
}

std::optional<int> FindNextEntry(std::span<const std::string> entries, int selected,
                                 std::string_view text, SearchDirection direction) {
    if (text.empty()) {
        return std::nullopt;
    }
    const std::string wanted = UpperCase(text);
    const auto matches = [&](int position) {
        return UpperCase(SearchableText(entries[static_cast<size_t>(position)])).find(wanted) !=
               std::string::npos;
    };
    const int count = static_cast<int>(entries.size());
    if (direction == SearchDirection::Forward) {
        for (int position = selected + 1; position < count; ++position) {
            if (matches(position)) {
                return position;
            }
        }
        return std::nullopt;
    }
    int position = std::min(selected, count) - 1;
    if (position < 0) {
        return std::nullopt;
    }
    do {
        if (matches(position)) {
            return position;
        }
        --position;
    } while (position >= 2);
    return std::nullopt;
}

}  // namespace kelvane
