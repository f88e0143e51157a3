#include "import/ItemPageImporter.h"

#include "core/base/KelvaneError.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "import/AssignByKind.h"
#include "import/ScriptSyntax.h"

namespace kelvane {
namespace {

constexpr std::string_view kPageLineKey = "Line";
constexpr std::string_view kPageTextColumn = "PageText";

}  // namespace

bool ItemPageImporter::KeyAddsUp(std::string_view key) const {
    return key == kPageLineKey;
}

void ItemPageImporter::HandleLine(RecordTable& table, std::string_view key, std::string_view line) {
    if (key != kPageLineKey) {
        AssignByKind(table, key, line);
        return;
    }
    if (!pageText_.empty()) {
        pageText_ += "\r\n";
    }
    pageText_ += LineValue(line);
}

void ItemPageImporter::EndSection(RecordTable& table) {
    if (table.FindColumn(kPageTextColumn) < 0) {
        throw KelvaneError("the table has no column " + std::string(kPageTextColumn) +
                           ", which holds the text of a page");
    }
    table.FieldByName(kPageTextColumn).SetAsString(pageText_);
}

}  // namespace kelvane
