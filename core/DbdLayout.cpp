#include "core/DbdLayout.h"

#include <algorithm>
#include <string_view>

#include "core/DbdLocales.h"
#include "core/FieldDef.h"
#include "core/KelvaneError.h"

namespace kelvane {
namespace {

// One field a single (non-array) entry turns into.
struct FieldShape {
    std::string_view Suffix;  // appended to the entry's name after '_', if not empty
    FieldKind Kind = FieldKind::ftInteger;
    int Bits = 32;
    bool Signed = true;
};

std::vector<FieldShape> ShapesOf(const DbdColumn& column, const DbdEntry& entry,
                                 const DbdBuild& build) {
    switch (column.Type) {
        case DbdColumnType::Float:
            return {{"", FieldKind::ftFloat, 32, true}};
        case DbdColumnType::String:
            return {{"", FieldKind::ftString, 32, true}};
        case DbdColumnType::LocString: {
            const auto& locales = DbdLocaleSuffixes(build);
            if (locales.empty()) {
                return {{"", FieldKind::ftString, 32, true}};
            }
            std::vector<FieldShape> shapes;
            for (std::string_view locale : locales) {
                shapes.push_back({locale, FieldKind::ftString, 32, true});
            }
            shapes.push_back({"flags", FieldKind::ftInteger, 32, false});
            return shapes;
        }
        case DbdColumnType::Int:
        case DbdColumnType::Uint:
            break;
    }
    bool isSigned = column.Type == DbdColumnType::Int && !entry.Unsigned;
    if (entry.Bits == 64) {
        return {{"lo", FieldKind::ftInteger, 32, false},
                {"hi", FieldKind::ftInteger, 32, isSigned}};
    }
    return {{"", FieldKind::ftInteger, entry.Bits == 0 ? 32 : entry.Bits, isSigned}};
}

bool InRecord(const DbdEntry& entry) {
    return !entry.HasAnnotation("noninline");
}

std::string JoinName(const std::string& base, std::string_view suffix) {
    return suffix.empty() ? base : base + "_" + std::string(suffix);
}

}  // namespace

DbdLayoutSize MeasureDbdLayout(const DbdFile& file, const DbdDefinition& definition,
                               const DbdBuild& build) {
    DbdLayoutSize size;
    for (const DbdEntry& entry : definition.Entries) {
        if (!InRecord(entry)) {
            continue;
        }
        int64_t elements = entry.ArraySize == 0 ? 1 : entry.ArraySize;
        for (const FieldShape& shape : ShapesOf(file.Columns[entry.ColumnIndex], entry, build)) {
            size.FieldCount += elements;
            size.RecordBytes += elements * (shape.Bits / 8);
        }
    }
    return size;
}

std::vector<DbdField> ExpandDbdLayout(const DbdFile& file, const DbdDefinition& definition,
                                      const DbdBuild& build) {
    if (MeasureDbdLayout(file, definition, build).FieldCount > MaxFieldCount) {
        throw KelvaneError("The layout on line " + std::to_string(definition.LineNumber) +
                           " of \"" + file.FileName + "\" holds more than " +
                           std::to_string(MaxFieldCount) + " fields.");
    }
    std::vector<DbdField> fields;
    for (const DbdEntry& entry : definition.Entries) {
        if (!InRecord(entry)) {
            continue;
        }
        const DbdColumn& column = file.Columns[entry.ColumnIndex];
        std::string foreignKey =
            column.ForeignTable.empty() ? "" : column.ForeignTable + "::" + column.ForeignColumn;
        const std::string& comment = entry.Comment.empty() ? column.Comment : entry.Comment;
        std::vector<FieldShape> shapes = ShapesOf(column, entry, build);
        for (int element = 0; element < std::max(entry.ArraySize, 1); ++element) {
            std::string base = entry.ArraySize == 0
                                   ? entry.Name
                                   : JoinName(entry.Name, std::to_string(element + 1));
            for (const FieldShape& shape : shapes) {
                fields.push_back({JoinName(base, shape.Suffix), shape.Kind, shape.Bits,
                                  shape.Signed, entry.HasAnnotation("id"), comment, foreignKey});
            }
        }
    }
    return fields;
}

}  // namespace kelvane
