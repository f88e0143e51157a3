#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// A list the user picks from, and the text written for each entry at the same position.
struct PickList {
    std::vector<std::string> Entries;
    std::vector<std::string> Ids;

    void Add(std::string entry, std::string id) {
        Entries.push_back(std::move(entry));
        Ids.push_back(std::move(id));
    }
    // The id of the selected position; empty when nothing (or nothing valid) is selected.
    std::string IdAt(int position) const;
};

// Reads "id=name" lines: the whole line is the entry, the part before the first "=" its id.
// Lines without "=" are passed over; a file that does not exist gives an empty list.
PickList ReadPickListFile(const std::string& path);

// The number a caption starts with: "11 - Raptor" gives "11".
std::string LeadingNumber(std::string_view caption);

enum class SearchDirection { Forward, Backward };

// "Find Next" in a list whose selected position is selected (-1 for none): the first entry
// whose searchable text holds the text, letter case ignored. Forward looks from selected + 1
// to the end; backward looks at selected - 1 in any case and then downwards, but no lower than
// position 2. An empty text finds nothing.
std::optional<int> FindNextEntry(std::span<const std::string> entries, int selected,
                                 std::string_view text, SearchDirection direction);

}  // namespace kelvane
