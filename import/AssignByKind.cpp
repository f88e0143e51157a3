#include "import/AssignByKind.h"

#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "import/ScriptNumbers.h"
#include "import/ScriptSyntax.h"

namespace kelvane {

void AssignByKind(RecordTable& table, std::string_view key, std::string_view line) {
    Field field = table.FieldByName(key);
    switch (field.Kind()) {
        case FieldKind::ftString:
            field.SetAsString(LineValue(line));
            break;
        case FieldKind::ftInteger:
            field.SetAsInteger(IntegerValue(line));
            break;
        case FieldKind::ftFloat:
            field.SetAsFloat(FloatValue(line));
            break;
    }
}

}  // namespace kelvane
