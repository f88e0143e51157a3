#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/definitions/FieldDefFile.h"
#include "core/files/CurrentTable.h"
#include "core/files/TablePaths.h"
#include "core/table/FieldDef.h"

namespace kelvane::testing {

struct FieldSpec {
    std::string Name;
    FieldKind Kind = FieldKind::ftInteger;
    bool Hex = false;
    int Bits = 0;  // the cell's size in bits; 0 writes none
};

// Writes the field-definition file that belongs beside the DBC file at dbcPath, with the
// program's own writer.
inline void WriteFieldDefs(const std::string& dbcPath, const std::vector<FieldSpec>& fields) {
    CurrentTable current;
    current.FilePath = dbcPath;
    current.TableName = TableNameFromPath(dbcPath);
    const auto defs = std::make_unique<FieldDefList>();
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldSpec& field = fields[i];
        (*defs)[static_cast<int>(i)] = FieldDef{static_cast<int32_t>(i),
                                                field.Name,
                                                std::string(FieldKindText(field.Kind)),
                                                field.Kind,
                                                field.Hex,
                                                field.Bits};
    }
    SaveFieldDefinitions(current, *defs, static_cast<int>(fields.size()));
}

}  // namespace kelvane::testing
