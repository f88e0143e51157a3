#include "editors/DatFile.h"

#include <array>

#include "core/base/KelvaneError.h"
#include "core/files/TextFile.h"
#include "core/table/Field.h"
#include "core/table/NotificationSuspension.h"
#include "core/table/RecordTable.h"
#include "editors/DatKinds.h"
#include "exchange/TextExport.h"

namespace kelvane {

std::vector<DatEntry> GatherDatEntries(RecordTable& table, const DatKind& kind,
                                       const std::function<void(int record)>& progress) {
    table.RequireActive();
    if (table.IsEmpty()) {
        throw KelvaneError("The table has no records, so there is nothing to write into " +
                           std::string(kind.FileName) + ".");
    }
    const int idColumn = table.FieldByName(DatIdColumn).Column();
    const int nameColumn = table.FieldByName(kind.NameColumn).Column();
    std::vector<DatEntry> entries;
    entries.reserve(static_cast<size_t>(table.RecordCount()));
    const NotificationSuspension suspension(table);
    for (table.First(); !table.Eof(); table.Next()) {
        const int row = table.CurrentRow();
        entries.push_back({CellText(table, row, idColumn), CellText(table, row, nameColumn)});
        if (progress) {
            progress(row);
        }
    }
    return entries;
}

std::vector<std::string> DatLines(const std::vector<DatEntry>& entries) {
    std::vector<std::string> lines;
    lines.reserve(entries.size() + 1);
    for (const DatEntry& entry : entries) {
        const std::array<std::string, 2> texts{entry.Id, entry.Name};
        lines.push_back(CommaLine(texts));
    }
    lines.emplace_back(",");
    return lines;
}

void WriteDatFile(RecordTable& table, const DatKind& kind, const std::string& path) {
    WriteTextLines(path, DatLines(GatherDatEntries(table, kind)));
}

}  // namespace kelvane
