#include "import/ItemPageImporter.h"

#include "core/RecordTable.h"
#include "import/AssignByKind.h"
#include "import/ScriptSyntax.h"

namespace kelvane {
namespace {

constexpr std::string_view kPageLineKey = "Line";

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
    table.FieldByName("PageText").SetAsString(pageText_);
}

}  // namespace kelvane
