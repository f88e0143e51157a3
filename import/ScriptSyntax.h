#pragma once

#include <string_view>

namespace kelvane {

// What SectionId, LineKey and LineValue give when there is nothing to give. Importers compare
// with it exactly and skip what gives it, so a key or an id that is literally "unknown" is
// skipped too.
inline constexpr std::string_view UnknownText = "unknown";

// Whether the line opens a section: its trimmed text begins with "[".
bool IsSectionHeader(std::string_view line);

// The id of a header '[type id]': the text after the first blank and before the first "]",
// untrimmed; empty when the "]" comes first ('[item] 12'). A header without any blank ('[12]')
// gives the text between "[" and the first "]". UnknownText without a "]".
std::string_view SectionId(std::string_view header);

// The text before the first "=" of the trimmed line, untrimmed ('Name =5' has the key 'Name ').
// UnknownText when the line holds no "=".
std::string_view LineKey(std::string_view line);

// The text after the first "=" of the trimmed line, remarks and inner blanks included.
// UnknownText when the line holds no "=".
std::string_view LineValue(std::string_view line);

}  // namespace kelvane
