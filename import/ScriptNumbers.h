#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kelvane {

// The number readers of script files. Each takes the whole text of a line (key, "=" and value)
// and finds its value itself; none fails: an unreadable number gives a fixed default.
//
// The readers cut a value at fixed characters, which they search for from the start of the
// trimmed line, the key included: a cut character in the key leaves nothing to read.

// Cut at the first blank, "/", tab or ",": 'x=12 // c' and 'x=12,13' read 12, 'x= 12' reads
// nothing. 0 when unreadable.
int32_t IntegerValue(std::string_view line);

struct IntegerPair {
    int32_t First = 0;
    int32_t Second = 0;
    bool operator==(const IntegerPair&) const = default;
};

// Two integers around the first "," ('k=123, 5'); the first is cut at "," , "/" or tab, the
// second is the whole rest of the line. Each is trimmed, but whether it is hexadecimal is
// decided by its first character before trimming ('k=010, 010' reads 16 and 10). Reading stops
// at the first unreadable one; what is not read is 0.
IntegerPair ReadIntegerPair(std::string_view line);

// Cut at the first blank, "/" or tab (not at ","). -1.0 when unreadable.
float FloatValue(std::string_view line);

// The text after the first blank of the line, to its end: 'loot=1234 25.5' reads 25.5, while a
// trailing remark makes it unreadable. -1.0 when unreadable.
float LootChance(std::string_view line);

// What separates the four numbers of FloatQuad besides "/" and tab: a blank (the world save's
// positions) or "," (quest locations, whose pieces are trimmed).
enum class QuadSeparator : char { Blank = ' ', Comma = ',' };

// Four numbers in a row after the "=", each ended by the separator, "/" or tab. An empty,
// missing or unreadable piece gives 0.0, so two separators in a row give 0.0.
std::array<float, 4> FloatQuad(std::string_view line, QuadSeparator separator);

}  // namespace kelvane
