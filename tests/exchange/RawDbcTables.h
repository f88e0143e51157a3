#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "tests/support/DbcBytes.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

// A cell of a DBC file as it is on disk: an integer, a 32-bit float (its bits kept, NaN payloads
// and -0 included), or a text exactly as the string block holds it.
using RawCell = std::variant<int32_t, float, std::string>;
using RawRecord = std::vector<RawCell>;

// Writes the DBC file name into the folder, of 4-byte cells, each distinct text once in the
// block in first-met order, and its field-definition file beside it; returns its path. Texts
// come back byte for byte when loaded, blanks and line breaks included, which no table edit
// could save.
inline std::string WriteRawTable(const TempDir& folder, const std::string& name,
                                 const std::vector<FieldSpec>& fields,
                                 const std::vector<RawRecord>& records) {
    std::string block(1, '\0');
    std::map<std::string, int32_t> offsets{{"", 0}};
    DbcBytes cells;
    for (const RawRecord& record : records) {
        for (const RawCell& cell : record) {
            if (const auto* text = std::get_if<std::string>(&cell)) {
                const auto [at, added] = offsets.emplace(*text, static_cast<int32_t>(block.size()));
                if (added) {
                    block += *text + '\0';
                }
                cells.Int(at->second);
            } else if (const auto* number = std::get_if<float>(&cell)) {
                cells.Float(*number);
            } else {
                cells.Int(std::get<int32_t>(cell));
            }
        }
    }
    const auto fieldCount = static_cast<int32_t>(fields.size());
    DbcBytes file;
    file.Header(static_cast<int32_t>(records.size()), fieldCount, 4 * fieldCount,
                static_cast<int32_t>(block.size()));
    file.Raw(cells.Bytes()).Raw(block);
    folder.Write(name, file.Bytes());
    const std::string path = folder.File(name);
    WriteFieldDefs(path, fields);
    return path;
}

}  // namespace kelvane::testing
