#include "exchange/DiffPatch.h"

#include <bitset>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/EchoText.h"
#include "core/files/TextLineWriter.h"
#include "core/table/RecordTable.h"
#include "exchange/CellTexts.h"
#include "exchange/PatchLineBuilder.h"
#include "exchange/SavedCellReader.h"
#include "exchange/TableDiff.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;
constexpr auto npos = std::string_view::npos;

std::optional<PatchProblem> KeyProblem(std::string_view key) {
    if (key.find_first_of("\r\n") != npos) {
        return PatchProblem::LineBreak;
    }
    if (key.find(';') != npos || key.find("//") != npos) {
        return PatchProblem::CommentMark;
    }
    if (key.find(':') != npos) {
        return PatchProblem::ColonInKey;
    }
    return std::nullopt;
}

// What keeps a value text from reading back as written wherever it stands among the pairs of a
// line: a value is quoted when it holds a comma and then ends at its first double quote before a
// comma, and an unquoted one starting with a double quote is taken for a quoted one.
std::optional<PatchProblem> ValueProblem(std::string_view value) {
    if (value.find_first_of("\r\n") != npos) {
        return PatchProblem::LineBreak;
    }
    if (value.find(';') != npos || value.find("//") != npos) {
        return PatchProblem::CommentMark;
    }
    const bool quoted = value.find(',') != npos;
    if (quoted ? value.find("\",") != npos : value.starts_with('"')) {
        return PatchProblem::DoubleQuote;
    }
    return std::nullopt;
}

// Writes the lines of one diff, record by record.
class DiffLineWriter {
  public:
    DiffLineWriter(const RecordTable& oldTable, const RecordTable& newTable, LineTaker take,
                   DiffPatchReport& report)
        : oldTexts_(oldTable),
          newTexts_(newTable),
          newCells_(newTable),
          fieldCount_(newTable.FieldCount()),
          take_(std::move(take)),
          report_(report) {}

    void WriteChanged(const ChangedRecord& record) {
        if (!BeginRecord(record.NewRow)) {
            return;
        }
        for (int column : record.Columns) {
            AddValue(record.NewRow, column);
        }
        FinishRecord();
    }

    void WriteAdded(int row) {
        if (!BeginRecord(row)) {
            return;
        }
        // The key makes the record; a pair sets the key cell as well when the key text alone
        // would not save as the newer value, so that the value is written or said to be left
        // out.
        if (!newCells_.ReadsBackAs(builder_.Key(), row, kKeyColumn)) {
            AddValue(row, kKeyColumn);
        }
        for (int column = kKeyColumn + 1; column < fieldCount_; ++column) {
            AddValue(row, column);
        }
        // A line needs a cell: a table of the key column alone sets the key again.
        if (!builder_.HasPairs() && leftOut_.empty()) {
            AddValue(row, kKeyColumn);
        }
        FinishRecord();
    }

    void WriteRemoved(int row) {
        key_.clear();
        oldTexts_.Append(key_, row, kKeyColumn);
        Take("// removed " + EchoText(key_) + ": patch text cannot delete a record");
    }

  private:
    struct LeftOutValue {
        int Column = 0;
        PatchProblem Problem = PatchProblem::LineBreak;
    };

    // Starts the record's line; a key the reader would not read back leaves the whole record
    // out, with a comment line in its place.
    bool BeginRecord(int row) {
        builder_.Begin(newTexts_, row);
        leftOut_.clear();
        if (const std::optional<PatchProblem> problem = KeyProblem(builder_.Key())) {
            LeaveOutRecord(*problem);
            return false;
        }
        return true;
    }

    // Adds the pair of the newer table's cell, or leaves the value out when the line would not
    // give it back.
    void AddValue(int row, int column) {
        builder_.AddPair(newTexts_, row, column);
        const std::string_view value = builder_.LastValue();
        std::optional<PatchProblem> problem = ValueProblem(value);
        if (!problem && newCells_.ReadsBackAs(value, row, column)) {
            return;
        }
        builder_.DropLastPair();
        if (!problem) {
            problem = newCells_.Kind(column) == FieldKind::ftFloat ? PatchProblem::FloatBits
                                                                   : PatchProblem::TrimmedText;
        }
        leftOut_.push_back({column, *problem});
    }

    void FinishRecord() {
        if (builder_.HasPairs()) {
            // The values were checked one by one; the export's check of the whole line guards
            // what they cannot see.
            if (const std::optional<PatchProblem> problem = builder_.ReadBackProblem()) {
                LeaveOutRecord(*problem);
                return;
            }
            Take(builder_.Line());
        }
        if (leftOut_.empty()) {
            return;
        }
        std::bitset<PatchProblemCount> counted;
        std::string comment = "// " + EchoText(builder_.Key()) + ": left out";
        for (const LeftOutValue& value : leftOut_) {
            comment += " " + std::to_string(value.Column - kKeyColumn);
            const auto kind = static_cast<size_t>(value.Problem);
            if (!counted[kind]) {
                counted[kind] = true;
                report_.LeftOut.Count(value.Problem, builder_.Key());
            }
        }
        Take(comment + ", values patch text cannot carry");
    }

    void LeaveOutRecord(PatchProblem problem) {
        report_.LeftOut.Count(problem, builder_.Key());
        Take("// " + EchoText(builder_.Key()) + ": left out, a key patch text cannot carry");
    }

    void Take(const std::string& line) {
        take_(line);
        ++report_.Lines;
    }

    CellTexts oldTexts_;
    CellTexts newTexts_;
    SavedCellReader newCells_;
    int fieldCount_;
    LineTaker take_;
    DiffPatchReport& report_;
    PatchLineBuilder builder_;
    std::vector<LeftOutValue> leftOut_;
    std::string key_;
};

}  // namespace

std::string DiffPatchReport::Warning() const {
    return LeftOut.Warning(
        "Some changes cannot be written as patch text; a comment line stands in their place:");
}

DiffPatchReport WriteDiffPatch(const RecordTable& oldTable, const RecordTable& newTable,
                               const TableDiff& diff, const LineTaker& take) {
    DiffPatchReport report;
    DiffLineWriter writer(oldTable, newTable, take, report);
    for (const ChangedRecord& record : diff.Changed) {
        writer.WriteChanged(record);
    }
    for (int row : diff.AddedRows) {
        writer.WriteAdded(row);
    }
    for (int row : diff.RemovedRows) {
        writer.WriteRemoved(row);
    }
    return report;
}

DiffPatchReport WriteDiffPatchFile(const RecordTable& oldTable, const RecordTable& newTable,
                                   const TableDiff& diff, const std::string& path) {
    TextLineWriter file(path);
    const DiffPatchReport report = WriteDiffPatch(
        oldTable, newTable, diff, [&file](const std::string& line) { file.Add(line); });
    file.Commit();
    return report;
}

}  // namespace kelvane
