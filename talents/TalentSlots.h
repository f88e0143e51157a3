#pragma once

#include <string>

namespace kelvane {

// The tree of a tab: 7 rows of 4 slots, numbered 1 to 28 row by row from the top left.
inline constexpr int SlotRowCount = 7;
inline constexpr int SlotColumnCount = 4;
inline constexpr int SlotCount = SlotRowCount * SlotColumnCount;

inline constexpr int SlotRow(int slot) {
    return (slot - 1) / SlotColumnCount;
}
inline constexpr int SlotColumn(int slot) {
    return (slot - 1) % SlotColumnCount;
}

// The three fields of a slot as the user sees and types them.
enum class SlotField { Talent, ReqTalent, ReqRank };

struct SlotTexts {
    std::string Talent;     // the talent ID
    std::string ReqTalent;  // the required talent ID
    std::string ReqRank;    // "Req. N": the required rank as shown, one more than stored
};

}  // namespace kelvane
