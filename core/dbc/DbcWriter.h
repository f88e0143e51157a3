#pragma once

#include <optional>
#include <string>

#include "core/dbc/CellLayout.h"
#include "core/files/FileSnapshot.h"

namespace kelvane {

class RecordTable;

// The bytes of the table as a DBC file: records in table order, strings placed once (texts set
// since the load trimmed), the cells of layout while the table has as many field columns, 4-byte
// cells otherwise. The table must be browsing (no record being edited). Fails with a
// KelvaneError saying why the table cannot be written.
std::string EncodeDbc(const RecordTable& table, const CellLayout& layout);

// Writes the table as EncodeDbc encodes it to path, atomically: on any failure the file that
// was there stays untouched. When path is the file loaded (as it was then) and another program
// changed it since, fails with FileChangedError. Returns the file as written.
FileSnapshot WriteDbcFile(const RecordTable& table, const CellLayout& layout,
                          const std::string& path, const std::optional<FileSnapshot>& loaded);

}  // namespace kelvane
