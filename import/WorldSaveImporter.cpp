#include "import/WorldSaveImporter.h"

#include <array>

#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "import/AssignByKind.h"
#include "import/ScriptNumbers.h"
#include "import/ScriptSyntax.h"

namespace kelvane {
namespace {

// The four columns of a position or a rotation, set in this order: a missing column stops the
// line there, and the columns after it keep their values.
void SetFourFloats(RecordTable& table, const std::array<std::string_view, 4>& columns,
                   std::string_view line) {
    const std::array<float, 4> numbers = FloatQuad(line, QuadSeparator::Blank);
    for (size_t i = 0; i < columns.size(); ++i) {
        table.FieldByName(columns[i]).SetAsFloat(numbers[i]);
    }
}

}  // namespace

bool WorldSaveImporter::TakesSection(const ScriptLines& lines, const ScriptSection& section) const {
    for (int index = section.BodyBegin; index < section.BodyEnd; ++index) {
        const std::string_view line = lines.Line(index);
        if (LineKey(line) == "TYPE" && IntegerValue(line) == 3) {
            return true;
        }
    }
    return false;
}

void WorldSaveImporter::HandleLine(RecordTable& table, std::string_view key,
                                   std::string_view line) {
    if (key == "XYZ") {
        SetFourFloats(table, {"X", "Y", "Z", "R"}, line);
    } else if (key == "ROTATION") {
        SetFourFloats(table, {"rX", "rY", "rZ", "rR"}, line);
    } else {
        AssignByKind(table, key, line);
    }
}

}  // namespace kelvane
