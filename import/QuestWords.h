#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvane {

// The quest keys whose values are words: "Complexity" (the whole value, compared exactly),
// "RequiresRace", "RequiresClass" and "QuestBehavior" (the bits of every listed name found in
// the value, or a fixed number when it holds "None") and "RequiresTradeSkill" (the first
// skill of the list found in the value). Names are found anywhere in the value, letter case
// counting; a value without any of them gives 0. Gives nothing for any other key.
std::optional<int32_t> QuestWordNumber(std::string_view key, std::string_view value);

}  // namespace kelvane
