#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/definitions/DbdBuild.h"
#include "core/definitions/DbdFile.h"
#include "core/table/FieldKind.h"

namespace kelvane {

// One field of a DBC record as a layout describes it.
struct DbdField {
    std::string Name;  // array members "Name_1".., locale texts "Name_enUS".., "Name_flags"
    FieldKind Kind = FieldKind::ftInteger;
    int Bits = 32;
    bool Signed = true;  // integers only
    bool IsKey = false;
    std::string Comment;     // the field's own comment, else its column's
    std::string ForeignKey;  // "Table::Column" or empty

    bool operator==(const DbdField&) const = default;
};

// Sizes of a layout's records, counted wide enough for any array sizes a file may give.
struct DbdLayoutSize {
    int64_t FieldCount = 0;
    int64_t RecordBytes = 0;
};

// The fields a DBC record of this layout holds, in order, for the given build (which decides
// how many locale texts a localized text has). Fields kept outside the record ("noninline")
// are left out; a 64-bit integer counts as two 32-bit fields "Name_lo" and "Name_hi".
DbdLayoutSize MeasureDbdLayout(const DbdFile& file, const DbdDefinition& definition,
                               const DbdBuild& build);

// Throws KelvaneError when the layout holds more fields than a table may have.
std::vector<DbdField> ExpandDbdLayout(const DbdFile& file, const DbdDefinition& definition,
                                      const DbdBuild& build);

}  // namespace kelvane
