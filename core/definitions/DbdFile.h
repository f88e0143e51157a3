#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "core/definitions/DbdBuild.h"

namespace kelvane {

// A .dbd file is held as its text and small records that point into it, kept in deques that
// grow without copying: reading a file of any shape costs a few times its size, not the size
// of a string and a vector for each of its many short lines.

// Where a text lies in the file's text.
struct DbdSpan {
    uint32_t Start = 0;
    uint32_t Size = 0;
};

// Items of one layout in a list of the file: First and the Count after it.
struct DbdRange {
    uint32_t First = 0;
    uint32_t Count = 0;

    uint32_t End() const { return First + Count; }
};

enum class DbdColumnType : uint8_t { Int, Uint, Float, String, LocString };

// One line of the COLUMNS block: a name every layout below may use, with its type. Its foreign
// key and comment, which few columns have, are kept apart (DbdFile::ForeignKeys, ::Comments).
struct DbdColumn {
    DbdSpan Name;
    DbdColumnType Type = DbdColumnType::Int;
    bool NameVerified = true;  // false when the name carries a trailing '?'
};

// One field line of a layout, in file order. Its name is its column's; annotations other than
// "id" and "noninline" change nothing here and are not kept.
struct DbdEntry {
    static constexpr uint8_t kUnsigned = 1;   // from a "<u8>"-style width
    static constexpr uint8_t kKey = 2;        // $id$
    static constexpr uint8_t kNonInline = 4;  // $noninline$: kept outside the record

    uint32_t Column = 0;     // into DbdFile::Columns
    uint16_t ArraySize = 0;  // 0 for a single field
    uint8_t Bits = 0;        // 0 when the line gives no width
    uint8_t Flags = 0;

    bool Unsigned() const { return (Flags & kUnsigned) != 0; }
    bool IsKey() const { return (Flags & kKey) != 0; }
    bool NonInline() const { return (Flags & kNonInline) != 0; }
};

// One layout: the builds and layout hashes it holds for, and its fields, as ranges of the
// file's lists.
struct DbdDefinition {
    DbdRange Builds;        // DbdFile::Builds
    DbdRange LayoutHashes;  // DbdFile::LayoutHashes
    DbdRange Comments;      // DbdFile::LayoutComments
    DbdRange Entries;       // DbdFile::Entries
    // Entries of a layout far too big for any table, checked but not kept.
    uint32_t EntriesLeftOut = 0;
    int LineNumber = 0;
};

// Texts that only some items of a list have, by the item's index, added in increasing order.
class DbdSparseTexts {
  public:
    void Add(uint32_t item, DbdSpan text) { texts_.push_back({item, text}); }
    // An empty span when the item has none.
    DbdSpan Find(uint32_t item) const;

  private:
    struct ItemText {
        uint32_t Item;
        DbdSpan Text;
    };
    std::deque<ItemText> texts_;
};

struct DbdFile {
    std::string FileName;
    std::string Text;
    std::deque<DbdColumn> Columns;
    std::deque<DbdDefinition> Definitions;
    std::deque<DbdBuildRange> Builds;
    std::deque<uint32_t> LayoutHashes;
    std::deque<DbdSpan> LayoutComments;  // COMMENT lines
    std::deque<DbdEntry> Entries;
    DbdSparseTexts ForeignKeys;     // by column: "Table::Column"
    DbdSparseTexts ColumnComments;  // by column
    DbdSparseTexts EntryComments;   // by entry

    std::string_view TextOf(DbdSpan span) const {
        return std::string_view(Text).substr(span.Start, span.Size);
    }
    std::string_view ColumnName(uint32_t column) const { return TextOf(Columns[column].Name); }
    // Empty when the column refers to no other table.
    std::string_view ForeignTable(uint32_t column) const;
    std::string_view ForeignColumn(uint32_t column) const;
    std::string_view ColumnComment(uint32_t column) const {
        return TextOf(ColumnComments.Find(column));
    }
    std::string_view EntryComment(uint32_t entry) const {
        return TextOf(EntryComments.Find(entry));
    }
    bool ListsBuild(const DbdDefinition& definition, const DbdBuild& build) const;
};

}  // namespace kelvane
