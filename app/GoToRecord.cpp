#include "app/GoToRecord.h"

#include <string>

#include "app/RecordView.h"
#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"

namespace kelvane {

void GoToRecord(RecordTable& table, const RecordView& view, int column, std::string_view text) {
    table.RequireActive();
    const std::string_view wanted = TrimBlanks(text);
    const std::string caption = EchoText(table.Presentation(column).Caption);
    if (wanted.empty()) {
        throw KelvaneError("Type the " + caption + " of the record to go to.");
    }
    for (const int row : view.ShownRows()) {
        if (EqualsIgnoreCase(table.DisplayText(row, column), wanted)) {
            table.MoveTo(row);
            return;
        }
    }
    throw KelvaneError("No shown record has " + caption + " '" + EchoText(wanted) + "'.");
}

}  // namespace kelvane
