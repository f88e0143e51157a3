#include "import/ItemPageImporter.h"

#include "core/RecordTable.h"
#include "import/AssignByKind.h"
#include "import/ScriptSyntax.h"

namespace kelvane {

void ItemPageImporter::HandleLine(RecordTable& table, std::string_view key, std::string_view line) {
    if (key != "Line") {
        AssignByKind(table, key, line);
        return;
    }
    if (!pageText_.empty()) {
        pageText_ += "\r\n";
    }
    pageText_ += LineValue(line);
}

void ItemPageImporter::EndSection(RecordTable& table) {
    table.FieldByName("PageText").SetAsString(pageText_);
}

}  // namespace kelvane
