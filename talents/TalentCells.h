#pragma once

namespace kelvane {

// Record-table columns of TalentTab.dbc that the editor gives a meaning; every other column is
// carried through unchanged. Column 0, Index, is never copied.
namespace TabCell {
inline constexpr int Id = 1;
inline constexpr int Name = 2;
inline constexpr int FirstZeroed = 3;  // the three-tab rule's rows hold "0" from here on
inline constexpr int Flags = 10;
inline constexpr int Spacing = 11;
inline constexpr int Mask511 = 12;
inline constexpr int ClassMask = 13;
inline constexpr int Position = 14;
inline constexpr int InternalName = 15;
inline constexpr int Count = 16;
}  // namespace TabCell

// Record-table columns of Talent.dbc that the editor gives a meaning.
namespace TalentCell {
inline constexpr int Id = 1;
inline constexpr int Tab = 2;
inline constexpr int Row = 3;
inline constexpr int Column = 4;
inline constexpr int FirstRank = 5;  // ranks 1 to 5 in columns 5 to 9
inline constexpr int ReqTalent = 14;
inline constexpr int ReqRank = 17;  // stored one less than "Req. N" shows
inline constexpr int Emptied = 20;  // emptied whenever the ranks are stored
inline constexpr int Count = 22;
}  // namespace TalentCell

inline constexpr int RankCount = 5;

}  // namespace kelvane
