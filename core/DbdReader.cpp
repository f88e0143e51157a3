#include "core/DbdReader.h"

#include <charconv>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/EchoText.h"
#include "core/FieldDef.h"
#include "core/KelvaneError.h"
#include "core/TextUtil.h"

namespace kelvane {
namespace {

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Splits "text // comment" into its two trimmed halves.
std::string_view CutComment(std::string_view line, std::string& comment) {
    size_t slashes = line.find("//");
    if (slashes == std::string_view::npos) {
        return TrimBlanks(line);
    }
    comment = std::string(TrimBlanks(line.substr(slashes + 2)));
    return TrimBlanks(line.substr(0, slashes));
}

std::string_view TakeName(std::string_view& rest) {
    size_t length = 0;
    while (length < rest.size() && IsNameChar(rest[length])) {
        ++length;
    }
    std::string_view name = rest.substr(0, length);
    rest.remove_prefix(length);
    return name;
}

// Text between an opening character at the front of rest and its closing one, or nullopt
// when rest does not open with it.
std::optional<std::string_view> TakeEnclosed(std::string_view& rest, char open, char close,
                                             bool& unclosed) {
    if (rest.empty() || rest.front() != open) {
        return std::nullopt;
    }
    size_t end = rest.find(close, 1);
    if (end == std::string_view::npos) {
        unclosed = true;
        return std::nullopt;
    }
    std::string_view inner = rest.substr(1, end - 1);
    rest.remove_prefix(end + 1);
    return inner;
}

std::vector<std::string_view> SplitTrimmed(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.push_back(TrimBlanks(text.substr(start, end - start)));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

bool StartsWithWord(std::string_view line, std::string_view word) {
    return line.size() > word.size() && line.substr(0, word.size()) == word &&
           (line[word.size()] == ' ' || line[word.size()] == '\t');
}

class DbdParser {
  public:
    DbdParser(std::string_view text, const std::string& fileName) : text_(text) {
        file_.FileName = fileName;
    }

    DbdFile Parse() {
        std::string_view line;
        if (!NextNonBlankLine(line)) {
            Fail("the file holds no COLUMNS block", 0);
        }
        if (line != "COLUMNS") {
            Fail("the file must start with a COLUMNS line", lineNumber_);
        }
        while (NextLine(line) && !line.empty()) {
            ReadColumn(line);
        }
        while (NextNonBlankLine(line)) {
            ReadDefinition(line);
        }
        if (file_.Definitions.empty()) {
            Fail("the file holds no layout after its COLUMNS block", lineNumber_);
        }
        return std::move(file_);
    }

  private:
    [[noreturn]] void Fail(const std::string& what, int lineNumber) const {
        std::string place = lineNumber > 0 ? ", line " + std::to_string(lineNumber) : "";
        throw KelvaneError("The definitions in \"" + file_.FileName + "\"" + place + ": " + what +
                           ".");
    }

    [[noreturn]] void Fail(const std::string& what) const { Fail(what, lineNumber_); }

    // The next line without its line end and surrounding blanks; false at the end of text.
    bool NextLine(std::string_view& line) {
        if (offset_ > text_.size()) {
            return false;
        }
        size_t end = text_.find('\n', offset_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        line = TrimBlanks(text_.substr(offset_, end - offset_));
        offset_ = end + 1;
        ++lineNumber_;
        return true;
    }

    bool NextNonBlankLine(std::string_view& line) {
        while (NextLine(line)) {
            if (!line.empty()) {
                return true;
            }
        }
        return false;
    }

    void ReadColumn(std::string_view line) {
        DbdColumn column;
        std::string_view rest = CutComment(line, column.Comment);
        column.Type = ReadColumnType(TakeName(rest));
        bool unclosed = false;
        if (auto foreign = TakeEnclosed(rest, '<', '>', unclosed)) {
            size_t colons = foreign->find("::");
            if (colons == std::string_view::npos || colons == 0 || colons + 2 == foreign->size()) {
                Fail("a foreign key is written <Table::Column>");
            }
            column.ForeignTable = std::string(foreign->substr(0, colons));
            column.ForeignColumn = std::string(foreign->substr(colons + 2));
        }
        if (unclosed) {
            Fail("a '<' is not closed with '>'");
        }
        rest = TrimBlanks(rest);
        column.Name = std::string(TakeName(rest));
        if (column.Name.empty()) {
            Fail("a column needs a name after its type");
        }
        if (!rest.empty() && rest.front() == '?') {
            column.NameVerified = false;
            rest.remove_prefix(1);
        }
        rest = TrimBlanks(rest);
        if (!rest.empty()) {
            Fail("unexpected \"" + EchoText(rest) + "\" after the column name");
        }
        if (!columnIndex_.emplace(column.Name, file_.Columns.size()).second) {
            Fail("the column " + EchoText(column.Name) + " is listed twice");
        }
        file_.Columns.push_back(std::move(column));
    }

    DbdColumnType ReadColumnType(std::string_view type) const {
        static const std::unordered_map<std::string_view, DbdColumnType> types = {
            {"int", DbdColumnType::Int},
            {"uint", DbdColumnType::Uint},
            {"float", DbdColumnType::Float},
            {"string", DbdColumnType::String},
            {"locstring", DbdColumnType::LocString}};
        auto found = types.find(type);
        if (found == types.end()) {
            Fail(type.empty() ? std::string("a column line starts with its type")
                              : "unknown column type \"" + EchoText(type) + "\"");
        }
        return found->second;
    }

    void ReadDefinition(std::string_view line) {
        DbdDefinition definition;
        definition.LineNumber = lineNumber_;
        do {
            if (StartsWithWord(line, "BUILD")) {
                RequireNoEntries(definition, "BUILD");
                ReadBuilds(line.substr(5), definition);
            } else if (StartsWithWord(line, "LAYOUT")) {
                RequireNoEntries(definition, "LAYOUT");
                ReadLayoutHashes(line.substr(6), definition);
            } else if (StartsWithWord(line, "COMMENT")) {
                definition.Comments.emplace_back(TrimBlanks(line.substr(7)));
            } else {
                if (definition.Builds.empty() && definition.LayoutHashes.empty()) {
                    Fail("a layout starts with its BUILD or LAYOUT lines");
                }
                definition.Entries.push_back(ReadEntry(line));
            }
        } while (NextLine(line) && !line.empty());
        if (definition.Entries.empty()) {
            Fail("the layout lists no fields", definition.LineNumber);
        }
        file_.Definitions.push_back(std::move(definition));
    }

    void RequireNoEntries(const DbdDefinition& definition, const std::string& word) const {
        if (!definition.Entries.empty()) {
            Fail(word + " comes after the fields; separate layouts with a blank line");
        }
    }

    void ReadBuilds(std::string_view list, DbdDefinition& definition) const {
        for (std::string_view item : SplitTrimmed(list, ',')) {
            size_t dash = item.find('-');
            std::string_view firstText = TrimBlanks(item.substr(0, dash));
            std::string_view lastText =
                dash == std::string_view::npos ? firstText : TrimBlanks(item.substr(dash + 1));
            auto first = ParseDbdBuild(firstText);
            auto last = ParseDbdBuild(lastText);
            if (!first || !last) {
                Fail("\"" + EchoText(item) +
                     "\" is no build (major.minor.patch.build) or range of builds");
            }
            if (*last < *first) {
                Fail("the build range \"" + EchoText(item) + "\" ends before it starts");
            }
            definition.Builds.push_back({*first, *last});
        }
    }

    void ReadLayoutHashes(std::string_view list, DbdDefinition& definition) const {
        for (std::string_view hash : SplitTrimmed(list, ',')) {
            bool hex = hash.size() == 8;
            for (char c : hash) {
                hex = hex && IsHexDigit(c);
            }
            if (!hex) {
                Fail("\"" + EchoText(hash) + "\" is no layout hash (8 hexadecimal digits)");
            }
            definition.LayoutHashes.emplace_back(hash);
        }
    }

    DbdEntry ReadEntry(std::string_view line) const {
        DbdEntry entry;
        entry.LineNumber = lineNumber_;
        std::string_view rest = CutComment(line, entry.Comment);
        bool unclosed = false;
        if (auto annotations = TakeEnclosed(rest, '$', '$', unclosed)) {
            for (std::string_view annotation : SplitTrimmed(*annotations, ',')) {
                if (annotation.empty()) {
                    Fail("an empty annotation between '$' signs");
                }
                entry.Annotations.emplace_back(annotation);
            }
        }
        entry.Name = std::string(TakeName(rest));
        if (unclosed || entry.Name.empty()) {
            Fail(unclosed ? "a '$' annotation is not closed" : "a field line starts with its name");
        }
        auto column = columnIndex_.find(entry.Name);
        if (column == columnIndex_.end()) {
            Fail("the field " + EchoText(entry.Name) + " is not in the COLUMNS block");
        }
        entry.ColumnIndex = column->second;
        if (auto width = TakeEnclosed(rest, '<', '>', unclosed)) {
            ReadWidth(*width, file_.Columns[entry.ColumnIndex].Type, entry);
        }
        if (auto size = TakeEnclosed(rest, '[', ']', unclosed)) {
            entry.ArraySize = ReadArraySize(*size);
        }
        if (unclosed || !rest.empty()) {
            Fail("unexpected \"" + EchoText(rest) + "\" after the field " + EchoText(entry.Name));
        }
        return entry;
    }

    void ReadWidth(std::string_view width, DbdColumnType type, DbdEntry& entry) const {
        if (type != DbdColumnType::Int && type != DbdColumnType::Uint) {
            Fail("the field " + EchoText(entry.Name) + " is no integer and takes no width");
        }
        entry.Unsigned = !width.empty() && width.front() == 'u';
        std::string_view bits = entry.Unsigned ? width.substr(1) : width;
        if (bits == "8" || bits == "16" || bits == "32" || bits == "64") {
            std::from_chars(bits.data(), bits.data() + bits.size(), entry.Bits);
            return;
        }
        Fail("\"<" + EchoText(width) + ">\" is no integer width (8, 16, 32, 64, u8 ... u64)");
    }

    int ReadArraySize(std::string_view text) const {
        int size = 0;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
        if (error != std::errc() || end != text.data() + text.size() || size < 1 ||
            size > MaxFieldCount) {
            Fail("the array size \"" + EchoText(text) + "\" is not a number from 1 to " +
                 std::to_string(MaxFieldCount));
        }
        return size;
    }

    std::string_view text_;
    size_t offset_ = 0;
    int lineNumber_ = 0;
    DbdFile file_;
    std::unordered_map<std::string, size_t> columnIndex_;
};

}  // namespace

DbdFile ReadDbdFile(std::string_view text, const std::string& fileName) {
    return DbdParser(text, fileName).Parse();
}

}  // namespace kelvane
