#include "core/definitions/DbdReader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/table/FieldDef.h"

namespace kelvane {
namespace {

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Splits "text // comment" into its two trimmed halves.
std::string_view CutComment(std::string_view line, std::string_view& comment) {
    size_t slashes = line.find("//");
    if (slashes == std::string_view::npos) {
        return TrimBlanks(line);
    }
    comment = TrimBlanks(line.substr(slashes + 2));
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

// Calls take with each trimmed part of text between separators, without a list of them: a line
// may hold millions.
template <typename Take>
void ForEachTrimmed(std::string_view text, char separator, Take take) {
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        take(TrimBlanks(text.substr(start, end - start)));
        if (end == std::string_view::npos) {
            return;
        }
        start = end + 1;
    }
}

bool StartsWithWord(std::string_view line, std::string_view word) {
    return line.size() > word.size() && line.substr(0, word.size()) == word &&
           (line[word.size()] == ' ' || line[word.size()] == '\t');
}

// A layout describes at most MaxFieldCount fields, and only a few of its entries can lie
// outside the record: the entries of a bigger one are checked, but past this many only
// counted, as the layout fits no table anyway.
constexpr uint32_t kMostEntriesKept = 2 * MaxFieldCount;

// Column numbers by name in a table of eight-byte slots, each with part of its name's hash, so
// that an index of many columns costs little more than the columns themselves and a look-up
// compares names only when the hashes agree.
class ColumnIndex {
  public:
    explicit ColumnIndex(const DbdFile& file) : file_(file) {}

    // False when a column of that name is there already.
    bool Add(std::string_view name, uint32_t column) {
        if (2 * (count_ + 1) > slots_.size()) {
            Grow();
        }
        const uint64_t hash = HashOf(name);
        uint64_t& slot = slots_[SlotOf(name, hash)];
        if (slot != 0) {
            return false;
        }
        slot = hash | (uint64_t{column} + 1);
        ++count_;
        return true;
    }

    std::optional<uint32_t> Find(std::string_view name) const {
        if (slots_.empty()) {
            return std::nullopt;
        }
        const uint64_t slot = slots_[SlotOf(name, HashOf(name))];
        return slot == 0 ? std::nullopt : std::optional<uint32_t>(ColumnOf(slot));
    }

  private:
    static constexpr uint64_t kColumnBits = 0xffffffffu;

    // The high half of the name's hash; the low half of a slot holds the column number + 1.
    static uint64_t HashOf(std::string_view name) {
        return static_cast<uint64_t>(std::hash<std::string_view>{}(name)) & ~kColumnBits;
    }
    static uint32_t ColumnOf(uint64_t slot) {
        return static_cast<uint32_t>(slot & kColumnBits) - 1;
    }

    // The slot that holds the name, or the empty one where it would go.
    size_t SlotOf(std::string_view name, uint64_t hash) const {
        const size_t mask = slots_.size() - 1;
        size_t at = static_cast<size_t>(hash >> 32) & mask;
        while (slots_[at] != 0 && ((slots_[at] & ~kColumnBits) != hash ||
                                   file_.ColumnName(ColumnOf(slots_[at])) != name)) {
            at = (at + 1) & mask;
        }
        return at;
    }

    void Grow() {
        std::vector<uint64_t> old = std::move(slots_);
        slots_.assign(std::max<size_t>(16, 2 * old.size()), 0);
        for (const uint64_t slot : old) {
            if (slot != 0) {
                const uint64_t hash = slot & ~kColumnBits;
                slots_[SlotOf(file_.ColumnName(ColumnOf(slot)), hash)] = slot;
            }
        }
    }

    const DbdFile& file_;
    std::vector<uint64_t> slots_;  // 0 for an empty slot
    size_t count_ = 0;
};

class DbdParser {
  public:
    DbdParser(std::string text, const std::string& fileName) {
        file_.FileName = fileName;
        file_.Text = std::move(text);
        text_ = file_.Text;
    }

    DbdFile Parse() {
        if (text_.size() > UINT32_MAX) {
            Fail("the file holds more than 4 GB, far more than any definitions need", 0);
        }
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

    DbdSpan SpanOf(std::string_view part) const {
        return {static_cast<uint32_t>(part.data() - text_.data()),
                static_cast<uint32_t>(part.size())};
    }

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
        std::string_view comment;
        std::string_view rest = CutComment(line, comment);
        column.Type = ReadColumnType(TakeName(rest));
        bool unclosed = false;
        std::string_view foreignKey;
        if (auto foreign = TakeEnclosed(rest, '<', '>', unclosed)) {
            size_t colons = foreign->find("::");
            if (colons == std::string_view::npos || colons == 0 || colons + 2 == foreign->size()) {
                Fail("a foreign key is written <Table::Column>");
            }
            foreignKey = *foreign;
        }
        if (unclosed) {
            Fail("a '<' is not closed with '>'");
        }
        rest = TrimBlanks(rest);
        const std::string_view name = TakeName(rest);
        if (name.empty()) {
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
        const auto number = static_cast<uint32_t>(file_.Columns.size());
        if (!columnIndex_.Add(name, number)) {
            Fail("the column " + EchoText(name) + " is listed twice");
        }
        column.Name = SpanOf(name);
        file_.Columns.push_back(column);
        if (!foreignKey.empty()) {
            file_.ForeignKeys.Add(number, SpanOf(foreignKey));
        }
        if (!comment.empty()) {
            file_.ColumnComments.Add(number, SpanOf(comment));
        }
    }

    DbdColumnType ReadColumnType(std::string_view type) const {
        static constexpr std::pair<std::string_view, DbdColumnType> kTypes[] = {
            {"int", DbdColumnType::Int},
            {"uint", DbdColumnType::Uint},
            {"float", DbdColumnType::Float},
            {"string", DbdColumnType::String},
            {"locstring", DbdColumnType::LocString}};
        for (const auto& [name, columnType] : kTypes) {
            if (name == type) {
                return columnType;
            }
        }
        Fail(type.empty() ? std::string("a column line starts with its type")
                          : "unknown column type \"" + EchoText(type) + "\"");
    }

    static uint32_t SizeOf(const auto& list) { return static_cast<uint32_t>(list.size()); }

    void ReadDefinition(std::string_view line) {
        DbdDefinition definition;
        definition.LineNumber = lineNumber_;
        definition.Builds.First = SizeOf(file_.Builds);
        definition.LayoutHashes.First = SizeOf(file_.LayoutHashes);
        definition.Comments.First = SizeOf(file_.LayoutComments);
        definition.Entries.First = SizeOf(file_.Entries);
        do {
            if (StartsWithWord(line, "BUILD")) {
                RequireNoEntries(definition, "BUILD");
                ReadBuilds(line.substr(5), definition);
            } else if (StartsWithWord(line, "LAYOUT")) {
                RequireNoEntries(definition, "LAYOUT");
                ReadLayoutHashes(line.substr(6), definition);
            } else if (StartsWithWord(line, "COMMENT")) {
                file_.LayoutComments.push_back(SpanOf(TrimBlanks(line.substr(7))));
                ++definition.Comments.Count;
            } else {
                if (definition.Builds.Count == 0 && definition.LayoutHashes.Count == 0) {
                    Fail("a layout starts with its BUILD or LAYOUT lines");
                }
                ReadEntry(line, definition);
            }
        } while (NextLine(line) && !line.empty());
        if (definition.Entries.Count == 0) {
            Fail("the layout lists no fields", definition.LineNumber);
        }
        file_.Definitions.push_back(definition);
    }

    void RequireNoEntries(const DbdDefinition& definition, const std::string& word) const {
        if (definition.Entries.Count != 0) {
            Fail(word + " comes after the fields; separate layouts with a blank line");
        }
    }

    void ReadBuilds(std::string_view list, DbdDefinition& definition) {
        ForEachTrimmed(list, ',', [&](std::string_view item) {
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
            file_.Builds.push_back({*first, *last});
            ++definition.Builds.Count;
        });
    }

    void ReadLayoutHashes(std::string_view list, DbdDefinition& definition) {
        ForEachTrimmed(list, ',', [&](std::string_view hash) {
            uint32_t value = 0;
            const auto [end, error] =
                std::from_chars(hash.data(), hash.data() + hash.size(), value, 16);
            bool hex = hash.size() == 8 && error == std::errc() && end == hash.data() + 8;
            for (char c : hash) {
                hex = hex && IsHexDigit(c);
            }
            if (!hex) {
                Fail("\"" + EchoText(hash) + "\" is no layout hash (8 hexadecimal digits)");
            }
            file_.LayoutHashes.push_back(value);
            ++definition.LayoutHashes.Count;
        });
    }

    void ReadEntry(std::string_view line, DbdDefinition& definition) {
        DbdEntry entry;
        std::string_view comment;
        std::string_view rest = CutComment(line, comment);
        bool unclosed = false;
        if (auto annotations = TakeEnclosed(rest, '$', '$', unclosed)) {
            ForEachTrimmed(*annotations, ',', [&](std::string_view annotation) {
                if (annotation.empty()) {
                    Fail("an empty annotation between '$' signs");
                }
                entry.Flags |= annotation == "id"          ? DbdEntry::kKey
                               : annotation == "noninline" ? DbdEntry::kNonInline
                                                           : 0;
            });
        }
        const std::string_view name = TakeName(rest);
        if (unclosed || name.empty()) {
            Fail(unclosed ? "a '$' annotation is not closed" : "a field line starts with its name");
        }
        const std::optional<uint32_t> column = columnIndex_.Find(name);
        if (!column) {
            Fail("the field " + EchoText(name) + " is not in the COLUMNS block");
        }
        entry.Column = *column;
        if (auto width = TakeEnclosed(rest, '<', '>', unclosed)) {
            ReadWidth(*width, file_.Columns[entry.Column].Type, name, entry);
        }
        if (auto size = TakeEnclosed(rest, '[', ']', unclosed)) {
            entry.ArraySize = ReadArraySize(*size);
        }
        if (unclosed || !rest.empty()) {
            Fail("unexpected \"" + EchoText(rest) + "\" after the field " + EchoText(name));
        }
        if (definition.Entries.Count == kMostEntriesKept) {
            ++definition.EntriesLeftOut;
            return;
        }
        if (!comment.empty()) {
            file_.EntryComments.Add(SizeOf(file_.Entries), SpanOf(comment));
        }
        file_.Entries.push_back(entry);
        ++definition.Entries.Count;
    }

    void ReadWidth(std::string_view width, DbdColumnType type, std::string_view name,
                   DbdEntry& entry) const {
        if (type != DbdColumnType::Int && type != DbdColumnType::Uint) {
            Fail("the field " + EchoText(name) + " is no integer and takes no width");
        }
        const bool isUnsigned = !width.empty() && width.front() == 'u';
        std::string_view bits = isUnsigned ? width.substr(1) : width;
        if (bits == "8" || bits == "16" || bits == "32" || bits == "64") {
            std::from_chars(bits.data(), bits.data() + bits.size(), entry.Bits);
            entry.Flags |= isUnsigned ? DbdEntry::kUnsigned : 0;
            return;
        }
        Fail("\"<" + EchoText(width) + ">\" is no integer width (8, 16, 32, 64, u8 ... u64)");
    }

    uint16_t ReadArraySize(std::string_view text) const {
        int size = 0;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
        if (error != std::errc() || end != text.data() + text.size() || size < 1 ||
            size > MaxFieldCount) {
            Fail("the array size \"" + EchoText(text) + "\" is not a number from 1 to " +
                 std::to_string(MaxFieldCount));
        }
        return static_cast<uint16_t>(size);
    }

    DbdFile file_;
    std::string_view text_;  // file_.Text
    size_t offset_ = 0;
    int lineNumber_ = 0;
    ColumnIndex columnIndex_{file_};
};

}  // namespace

DbdFile ReadDbdFile(std::string text, const std::string& fileName) {
    return DbdParser(std::move(text), fileName).Parse();
}

}  // namespace kelvane
