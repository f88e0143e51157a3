#include "app/TabSeparatedText.h"

#include <optional>

namespace kelvane {
namespace {

bool NeedsQuotes(std::string_view cell) {
    return cell.find_first_of("\t\r\n") != std::string_view::npos ||
           (!cell.empty() && cell.front() == '"');
}

void WriteCell(std::string_view cell, std::string& out) {
    if (!NeedsQuotes(cell)) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

bool EndsCell(std::string_view text, size_t at) {
    return at == text.size() || text[at] == '\t' || text[at] == '\n' ||
           text.substr(at, 2) == "\r\n";
}

// A quoted cell starting at `at`: its text, with `at` moved past the closing quote; nothing
// when the quotes do not make a cell.
std::optional<std::string> ReadQuotedCell(std::string_view text, size_t& at) {
    std::string cell;
    for (size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            cell += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            cell += '"';
            ++i;
        } else if (EndsCell(text, i + 1)) {
            at = i + 1;
            return cell;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::string ReadPlainCell(std::string_view text, size_t& at) {
    const size_t start = at;
    while (!EndsCell(text, at)) {
        ++at;
    }
    return std::string(text.substr(start, at - start));
}

}  // namespace

std::string WriteTabSeparated(const CellTexts& rows) {
    std::string out;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (row > 0) {
            out += '\n';
        }
        for (size_t column = 0; column < rows[row].size(); ++column) {
            if (column > 0) {
                out += '\t';
            }
            WriteCell(rows[row][column], out);
        }
    }
    return out;
}

CellTexts ReadTabSeparated(std::string_view text) {
    CellTexts rows;
    std::vector<std::string> row;
    size_t at = 0;
    while (at < text.size()) {
        std::optional<std::string> quoted;
        if (text[at] == '"') {
            quoted = ReadQuotedCell(text, at);
        }
        row.push_back(quoted ? std::move(*quoted) : ReadPlainCell(text, at));
        if (at < text.size() && text[at] == '\t') {
            ++at;
            if (at == text.size()) {
                // A tab at the very end leaves an empty last cell on the last row.
                row.emplace_back();
                rows.push_back(std::move(row));
            }
            continue;
        }
        // A line end, or the end of the text: the row is complete.
        at += at < text.size() && text[at] == '\r' ? 2 : 1;
        rows.push_back(std::move(row));
        row.clear();
    }
    return rows;
}

}  // namespace kelvane
