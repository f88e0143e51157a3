#pragma once

#include <bitset>
#include <string>
#include <string_view>

namespace kelvane {

enum class ColumnAlignment { Left, Right };

// The characters that may be typed into a column's cells.
class CharSet {
  public:
    static CharSet Any();
    static CharSet Of(std::string_view chars);
    bool Allows(char c) const { return allowed_[static_cast<unsigned char>(c)]; }
    bool AllowsAll() const { return allowed_.all(); }
    bool operator==(const CharSet&) const = default;

  private:
    std::bitset<256> allowed_;
};

// How the grid shows one column: held as data so the GUI only has to apply it.
struct ColumnPresentation {
    std::string Caption;
    ColumnAlignment Alignment = ColumnAlignment::Right;
    bool HexHooks = false;  // shown and typed as upper-case hexadecimal
    CharSet ValidChars = CharSet::Any();
    int WidthPixels = 0;  // 0: the grid's default width
};

}  // namespace kelvane
