#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/StringPool.h"

namespace kelvane {

// Cell values of one record kept apart from its table, compactly enough to hold every cell a
// bulk import changed: an undo history keeps them to put the cells back. A text of the loaded
// file's string block is kept as its reference, so putting it back restores the very bytes the
// file had; other texts are copied.
class SavedCells {
  public:
    enum class Kind : uint8_t { Blank, Integer, Float, BlockText, OwnedText };

    struct Cell {
        int Column = 0;
        Kind What = Kind::Blank;
        int32_t Integer = 0;
        double Float = 0;
        StringPool::Ref BlockText = 0;
        std::string_view OwnedText;
    };

    void AddBlank(int column);
    void AddInteger(int column, int32_t value);
    void AddFloat(int column, double value);
    // A string cell's text as the table holds it: by its reference when it lies in the block.
    void AddText(int column, StringPool::Ref ref, std::string_view text);

    bool Empty() const { return entries_.empty(); }
    size_t Size() const { return entries_.size(); }
    // Valid until the next Add.
    Cell At(size_t i) const;

  private:
    // Sixteen bytes a cell: the bulk of an import's undo data is these.
    struct Entry {
        uint32_t Column : 29;
        uint32_t What : 3;
        uint32_t TextSize;  // of an owned text
        union {
            int32_t Integer;
            double Float;
            uint32_t Text;  // a block reference, or where an owned text starts in texts_
        };
    };

    Entry& Add(int column, Kind what);

    std::vector<Entry> entries_;
    std::string texts_;
};

}  // namespace kelvane
