#include "editors/QuestRecord.h"

#include <string_view>

#include "core/table/Field.h"
#include "core/table/NotificationSuspension.h"
#include "core/table/RecordTable.h"
#include "exchange/TextExport.h"

namespace kelvane {
namespace {

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
    return out;
}

}  // namespace

std::vector<ColumnAssignment> QuestAssignments(const QuestForm& form, const QuestLinks& links) {
    return {
        {"name", form.Name},
        {"objectives", WithCrLf(form.Objectives)},
        {"details", WithCrLf(form.Details)},
        {"incompletetext", WithCrLf(form.IncompleteText)},
        {"completetext", WithCrLf(form.CompleteText)},
        {"endtext", WithCrLf(form.EndText)},
        {"id", form.Id},
        {"openedbyquest", links.OpenedBy.IdAt(form.OpenedBy)},
        {"nextstoryquest", links.Next.IdAt(form.Next)},
        {"requireslevel", std::to_string(form.RequiredLevel)},
    };
}

void AppendQuestLinks(RecordTable& table, QuestLinks& links) {
    const int idColumn = table.FieldByName("id").Column();
    const int nameColumn = table.FieldByName("name").Column();
    const NotificationSuspension suspension(table);
    for (table.First(); !table.Eof(); table.Next()) {
        const int row = table.CurrentRow();
        std::string id = CellText(table, row, idColumn);
        const std::string entry = id + " " + CellText(table, row, nameColumn);
        links.OpenedBy.Add(entry, id);
        links.Next.Add(entry, std::move(id));
    }
}

}  // namespace kelvane
