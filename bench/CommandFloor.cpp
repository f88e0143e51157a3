// The least work a whole-table command could do, each operation a run of its own so the
// harness can measure it as a whole process beside kelvane-cli, writing the same bytes:
//   load TABLE.dbc              reads the file and touches every cell
//   copy TABLE.dbc OUT          writes the same bytes again, the floor of saving
//   export-csv TABLE.dbc OUT    one comma-separated line per record
//   export-patch TABLE.dbc OUT  one patch row line per record
//   dat TABLE.dbc OUT           the id and name of every record, then the closing line
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>

#include "bench/FloorOutput.h"
#include "bench/FloorTable.h"

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

int ExportCsv(const std::string& from, const std::string& to) {
    const FloorTable table(from);
    FloorOutput output(to);
    std::string& out = output.Buffer();
    for (uint32_t record = 0; record < table.Records(); ++record) {
        for (uint32_t field = 0; field < table.Fields(); ++field) {
            if (field > 0) {
                out += ',';
            }
            AppendCommaItem(out, table, record, field);
        }
        out += "\r\n";
        output.Spill();
    }
    output.Finish();
    return 0;
}

int ExportPatch(const std::string& from, const std::string& to) {
    const FloorTable table(from);
    FloorOutput output(to);
    std::string& out = output.Buffer();
    for (uint32_t record = 0; record < table.Records(); ++record) {
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
        out += "\r\n";
        output.Spill();
    }
    output.Finish();
    return 0;
}

int Dat(const std::string& from, const std::string& to) {
    const FloorTable table(from);
    const uint32_t id = table.FieldNamed("id");
    const uint32_t name = table.FieldNamed("name");
    FloorOutput output(to);
    std::string& out = output.Buffer();
    for (uint32_t record = 0; record < table.Records(); ++record) {
        AppendCommaItem(out, table, record, id);
        out += ',';
        AppendCommaItem(out, table, record, name);
        out += "\r\n";
        output.Spill();
    }
    out += ",\r\n";
    output.Finish();
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
              << " load TABLE.dbc | copy|export-csv|export-patch|dat TABLE.dbc OUT\n";
    return 1;
}
