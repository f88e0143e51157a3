// kelvane_compare_mysql_rows ROWS EXPECTED.csv: compares the rows a MySQL server returned for a
// table with the comma-separated export of the same table, cell for cell.
//
// ROWS holds one line per row, cells separated by tabs, each cell tagged so that no byte of a
// value can be misread: empty for NULL, "i" and the number for integers, "f" and the number
// for floats, "t" and the hexadecimal bytes for texts. Each row is written the way the export
// writes a record (the same integer, float and quoting rules), and the two sets of records
// must be equal; SQL gives rows in no particular order, so both are sorted first.

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/DecimalSeparator.h"
#include "core/base/ValueText.h"
#include "exchange/TextExport.h"

namespace {

std::string ReadFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error(std::string("cannot read ") + path);
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t end = text.find(separator); end != std::string_view::npos;
         end = text.find(separator, start)) {
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string FromHex(std::string_view hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        unsigned value = 0;
        std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
        bytes += static_cast<char>(value);
    }
    return bytes;
}

std::string CellOfRow(std::string_view tagged) {
    if (tagged.empty()) {
        return "";
    }
    const std::string_view value = tagged.substr(1);
    switch (tagged.front()) {
        case 'i':
            return std::string(value);
        case 'f': {
            double number = 0;
            std::from_chars(value.data(), value.data() + value.size(), number);
            return kelvane::FloatText(number);
        }
        case 't':
            return FromHex(value);
    }
    throw std::runtime_error("a cell tagged '" + std::string(tagged.substr(0, 1)) + "'");
}

std::vector<std::string> RowsAsExportLines(std::string_view rows) {
    std::vector<std::string> lines;
    for (std::string_view row : Split(rows, '\n')) {
        if (row.empty()) {
            continue;
        }
        std::vector<std::string> cells;
        for (std::string_view tagged : Split(row, '\t')) {
            cells.push_back(CellOfRow(tagged));
        }
        lines.push_back(kelvane::CommaLine(cells));
    }
    return lines;
}

// The export's records: a record ends at CR LF outside double quotes. A table with texts that
// are not UTF-8 is exported with a byte order mark first, which is no part of a record.
std::vector<std::string> ExportRecords(std::string_view csv) {
    if (csv.starts_with(kelvane::kUtf8ByteOrderMark)) {
        csv.remove_prefix(kelvane::kUtf8ByteOrderMark.size());
    }
    std::vector<std::string> records;
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i < csv.size(); ++i) {
        if (csv[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && csv.substr(i, 2) == "\r\n") {
            records.emplace_back(csv.substr(start, i - start));
            start = i + 2;
            ++i;
        }
    }
    return records;
}

// Control bytes shown as \xNN, so a difference in them can be seen.
std::string Visible(std::string_view text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : text.substr(0, 300)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            shown += std::string("\\x") + kDigits[byte >> 4] + kDigits[byte & 0xF];
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kelvane_compare_mysql_rows ROWS EXPECTED.csv\n";
        return 2;
    }
    try {
        kelvane::SetDecimalSeparator('.');
        std::vector<std::string> actual = RowsAsExportLines(ReadFile(argv[1]));
        std::vector<std::string> expected = ExportRecords(ReadFile(argv[2]));
        std::sort(actual.begin(), actual.end());
        std::sort(expected.begin(), expected.end());
        if (actual.size() != expected.size()) {
            std::cerr << "the server returned " << actual.size() << " rows; the export holds "
                      << expected.size() << " records\n";
            return 1;
        }
        const auto [server, exported] =
            std::mismatch(actual.begin(), actual.end(), expected.begin());
        if (server != actual.end()) {
            std::cerr << "first record that differs (sorted):\n  server: " << Visible(*server)
                      << "\n  export: " << Visible(*exported) << '\n';
            return 1;
        }
        std::cout << actual.size() << " records match cell for cell\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "kelvane_compare_mysql_rows: " << error.what() << '\n';
        return 1;
    }
}
