#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kelvane {

struct DatKind;
class RecordTable;

// The id and name texts of one record.
struct DatEntry {
    std::string Id;
    std::string Name;
};

// The "id" and name texts of every record in table order, walked with the grid suspended; the
// last record is current afterwards. progress gets each record's number from 0. Fails when the
// table has no records or lacks either column ("Field '%s' not found").
std::vector<DatEntry> GatherDatEntries(RecordTable& table, const DatKind& kind,
                                       const std::function<void(int record)>& progress = {});

// One comma-separated line of id and name per entry, then the closing ",".
std::vector<std::string> DatLines(const std::vector<DatEntry>& entries);

// Gathers the entries and writes the lines to path atomically, each line ended by CR LF.
// Fails with "Cannot create file "%s". %s" when the file cannot be written.
void WriteDatFile(RecordTable& table, const DatKind& kind, const std::string& path);

}  // namespace kelvane
