// The least work a whole-table command could do, each operation a run of its own so the
// harness can measure it as a whole process beside kelvane-cli, writing the same bytes:
//   load TABLE.dbc              reads the file and touches every cell
//   copy TABLE.dbc OUT          writes the same bytes again, the floor of saving
//   export-csv TABLE.dbc OUT    one comma-separated line per record
//   export-patch TABLE.dbc OUT  one patch row line per record
//   dat TABLE.dbc OUT           the id and name of every record, then the closing line
//   apply-patch TABLE.dbc PATCH OUT   the patch's values into the records its keys name
//   import-scp TABLE.dbc SCRIPT OUT   one new record per section, its keys naming fields
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "bench/FloorOutput.h"
#include "bench/FloorRecords.h"
#include "bench/FloorTable.h"
#include "core/base/ValueText.h"
#include "core/table/Field.h"

namespace kelvane::bench {
namespace {

bool NeedsQuotes(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',') {
            return true;
        }
    }
    return false;
}

// Appends the cell's text, in double quotes with inner ones doubled where it needs them.
void AppendCommaItem(std::string& out, const FloorTable& table, uint32_t record, uint32_t field) {
    const size_t start = out.size();
    table.AppendText(out, record, field);
    if (table.HoldsIntegers(field) || !NeedsQuotes(std::string_view(out).substr(start))) {
        return;
    }
    const std::string text = out.substr(start);
    out.resize(start);
    out += '"';
    for (const char c : text) {
        out += c == '"' ? std::string_view("\"\"") : std::string_view(&c, 1);
    }
    out += '"';
}

int Load(const std::string& path) {
    const FloorTable table(path);
    uint32_t sum = 0;
    for (uint32_t record = 0; record < table.Records(); ++record) {
        for (uint32_t field = 0; field < table.Fields(); ++field) {
            sum += table.Cell(record, field);
        }
    }
    // The sum decides the exit status so the loop cannot be left out.
    return sum == 0x7fffffff ? 2 : 0;
}

int Copy(const std::string& from, const std::string& to) {
    const FloorTable table(from);
    FloorOutput output(to);
    output.Add(table.Bytes());
    output.Finish();
    return 0;
}

// One line per record, each ended by CR LF, then the closing text.
template <typename AppendRecord>
int WriteRecordLines(const FloorTable& table, const std::string& to, AppendRecord append,
                     std::string_view closing = {}) {
    FloorOutput output(to);
    std::string& out = output.Buffer();
    for (uint32_t record = 0; record < table.Records(); ++record) {
        append(out, record);
        out += "\r\n";
        output.Spill();
    }
    out += closing;
    output.Finish();
    return 0;
}

int ExportCsv(const std::string& from, const std::string& to) {
    const FloorTable table(from);
    return WriteRecordLines(table, to, [&table](std::string& out, uint32_t record) {
        for (uint32_t field = 0; field < table.Fields(); ++field) {
            if (field > 0) {
                out += ',';
            }
            AppendCommaItem(out, table, record, field);
        }
    });
}

int ExportPatch(const std::string& from, const std::string& to) {
    const FloorTable table(from);
    return WriteRecordLines(table, to, [&table](std::string& out, uint32_t record) {
        table.AppendText(out, record, 0);
        out += ':';
        for (uint32_t field = 1; field < table.Fields(); ++field) {
            if (field > 1) {
                out += ',';
            }
            out += std::to_string(field);
            out += '=';
            const size_t start = out.size();
            table.AppendText(out, record, field);
            if (!table.HoldsIntegers(field) && out.find(',', start) != std::string::npos) {
                out.insert(start, 1, '"');
                out += '"';
            }
        }
    });
}

int Dat(const std::string& from, const std::string& to) {
    const FloorTable table(from);
    const uint32_t id = table.FieldNamed("id");
    const uint32_t name = table.FieldNamed("name");
    return WriteRecordLines(
        table, to,
        [&](std::string& out, uint32_t record) {
            AppendCommaItem(out, table, record, id);
            out += ',';
            AppendCommaItem(out, table, record, name);
        },
        ",\r\n");
}

// Calls take(line) for every line without its line end.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of("\r\n"), text.size());
        take(text.substr(0, end));
        text.remove_prefix(end);
        if (text.starts_with("\r\n")) {
            text.remove_prefix(2);
        } else if (!text.empty()) {
            text.remove_prefix(1);
        }
    }
}

// "KEY:N=value,N=value": a value in double quotes may hold commas.
void ApplyPatchLine(FloorRecords& records, std::string_view line) {
    const size_t colon = line.find(':');
    const std::optional<int32_t> key =
        colon == std::string_view::npos ? std::nullopt : ParseIntegerText(line.substr(0, colon));
    if (!key) {
        return;
    }
    const uint32_t record = records.RecordWithKey(*key);
    std::string_view pairs = line.substr(colon + 1);
    while (!pairs.empty()) {
        const size_t equals = pairs.find('=');
        uint32_t field = 0;
        std::from_chars(pairs.data(), pairs.data() + equals, field);
        pairs.remove_prefix(equals + 1);
        const bool quoted = pairs.starts_with('"');
        const size_t end =
            std::min(quoted ? pairs.find("\",", 1) + 1 : pairs.find(','), pairs.size());
        records.Set(record, field, quoted ? pairs.substr(1, end - 2) : pairs.substr(0, end));
        pairs.remove_prefix(std::min(end + 1, pairs.size()));
    }
}

int ApplyPatch(const std::string& from, const std::string& patch, const std::string& to) {
    const FloorTable table(from);
    FloorRecords records(table);
    ForEachLine(ReadFloorText(patch).View(),
                [&records](std::string_view line) { ApplyPatchLine(records, line); });
    records.Write(to);
    return 0;
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

int ImportScp(const std::string& from, const std::string& script, const std::string& to) {
    const FloorTable table(from);
    FloorRecords records(table);
    std::unordered_map<std::string, uint32_t> fieldOfName;
    for (uint32_t field = table.Fields(); field-- > 0;) {
        fieldOfName[LowerCase(table.Name(field))] = field;
    }
    uint32_t record = 0;
    bool inSection = false;
    ForEachLine(ReadFloorText(script).View(), [&](std::string_view line) {
        if (line.starts_with('[')) {
            record = records.AddRecord();
            inSection = true;
            return;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) {
            return;
        }
        const auto field = fieldOfName.find(LowerCase(line.substr(0, equals)));
        if (field != fieldOfName.end()) {
            records.Set(record, field->second, line.substr(equals + 1));
        }
    });
    records.Write(to);
    return 0;
}

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    using namespace kelvane::bench;
    const std::string operation = argc > 1 ? argv[1] : "";
    try {
        if (operation == "load" && argc == 3) {
            return Load(argv[2]);
        }
        using Edit = int (*)(const std::string&, const std::string&, const std::string&);
        const std::pair<std::string_view, Edit> edits[] = {{"apply-patch", ApplyPatch},
                                                           {"import-scp", ImportScp}};
        for (const auto& [word, run] : edits) {
            if (operation == word && argc == 5) {
                return run(argv[2], argv[3], argv[4]);
            }
        }
        using Operation = int (*)(const std::string&, const std::string&);
        const std::pair<std::string_view, Operation> operations[] = {
            {"copy", Copy}, {"export-csv", ExportCsv}, {"export-patch", ExportPatch}, {"dat", Dat}};
        for (const auto& [word, run] : operations) {
            if (operation == word && argc == 4) {
                return run(argv[2], argv[3]);
            }
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    std::cerr << "usage: " << argv[0]
              << " load TABLE.dbc | copy|export-csv|export-patch|dat TABLE.dbc OUT"
                 " | apply-patch|import-scp TABLE.dbc INPUT OUT\n";
    return 1;
}
