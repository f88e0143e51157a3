#pragma once

#include <string>
#include <vector>

#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"

namespace kelvane::testing {

// Small DBC files made by hand, each laid out as the writer itself writes it, so saving one
// again gives the same bytes.

// Three spells: an id shown in hex, a name, a speed and a rank; the block holds "Fireball"
// at 1 and "Frost Nova" at 10.
inline DbcBytes SpellSample() {
    DbcBytes file;
    file.Header(3, 4, 16, 21);
    file.Int(0x10).Int(1).Float(1.5f).Int(-1);
    file.Int(0xFF).Int(10).Float(0.1f).Int(7);
    file.Int(0).Int(0).Float(-2.25f).Int(0);
    file.Raw(std::string("\0Fireball\0Frost Nova\0", 21));
    return file;
}

inline std::vector<FieldSpec> SpellSampleFields() {
    return {{"ID", FieldKind::ftInteger, true},
            {"Name", FieldKind::ftString},
            {"Speed", FieldKind::ftFloat},
            {"Rank", FieldKind::ftInteger}};
}

// Item subclasses: the class, first column and so key, repeats (0 on records 1 to 3, 2 on
// records 4 and 5), as in many real tables; the subclass tells the records apart.
inline DbcBytes SubClassSample() {
    DbcBytes file;
    file.Header(5, 3, 12, 44);
    file.Int(0).Int(0).Int(1);
    file.Int(0).Int(1).Int(12);
    file.Int(0).Int(2).Int(19);
    file.Int(2).Int(0).Int(36);
    file.Int(2).Int(1).Int(40);
    file.Raw(std::string("\0Consumable\0Potion\0Liquid(OBSOLETE)\0Bow\0Gun\0", 44));
    return file;
}

inline std::vector<FieldSpec> SubClassSampleFields() {
    return {{"Class"}, {"SubClass"}, {"Name", FieldKind::ftString}};
}

// Two records with byte fields: FieldCount 3, RecordSize 9, cells of 4, 4 and 1 bytes.
inline DbcBytes ByteFieldSample() {
    DbcBytes file;
    file.Header(2, 3, 9, 1);
    file.Int(7).Int(-2).Byte(200);
    file.Int(8).Int(5).Byte(0);
    file.Raw(std::string(1, '\0'));
    return file;
}

}  // namespace kelvane::testing
