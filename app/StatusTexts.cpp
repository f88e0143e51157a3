#include "app/StatusTexts.h"

#include "app/CellEntry.h"
#include "core/files/TablePaths.h"
#include "core/table/Field.h"
#include "databases/SqliteExport.h"
#include "databases/SqliteImport.h"
#include "exchange/CsvImport.h"
#include "exchange/PatchReader.h"
#include "import/LootTemplates.h"
#include "import/RecordImport.h"

namespace kelvane {
namespace {

// "1 line", "12 lines", "2 entries".
std::string Counted(int count, const std::string& noun, const std::string& plural = {}) {
    const std::string& word = count == 1 ? noun : (plural.empty() ? noun + 's' : plural);
    return std::to_string(count) + ' ' + word;
}

// Where the names and kinds of the columns came from, in a sentence or two.
std::string SourceSentence(const DefinitionsFit& fit) {
    const TableDefinitions& used = fit.Used;
    switch (used.Source) {
        case DefinitionsSource::TableIni:
            return "Field definitions from " + used.File + " beside the table" +
                   (used.FromPreset ? " (a built-in preset)." : ".");
        case DefinitionsSource::Dbd:
            return "Field definitions from " + used.File +
                   (used.Build ? ", the layout of build " + used.Build->Text() : "") + '.';
        case DefinitionsSource::None:
            break;
    }
    std::string sentence = "No field definitions: " + fit.File +
                           " was not found or describes no fields and no .dbd layout was used, "
                           "so every column is an integer named by its number.";
    if (used.TextLikeColumns > 0) {
        sentence += '\n' + Counted(used.TextLikeColumns, "column") +
                    (used.TextLikeColumns == 1 ? " looks like text" : " look like texts") +
                    ": Guess in Edit > Fields... fills in the kinds for you to check.";
    }
    return sentence;
}

}  // namespace

std::string RecordPositionText(int currentRow, int recordCount, bool tableOpen) {
    if (!tableOpen) {
        return {};
    }
    if (recordCount <= 0) {
        return "No records";
    }
    if (currentRow < 0 || currentRow >= recordCount) {
        return Counted(recordCount, "record");
    }
    return "Record " + std::to_string(currentRow + 1) + " of " + std::to_string(recordCount);
}

std::string ShownRecordsText(std::optional<int> shown) {
    return shown ? std::to_string(*shown) + " shown" : std::string();
}

std::string UnsavedText(bool unsaved) {
    return unsaved ? "Unsaved changes" : std::string();
}

std::string DefinitionsText(const DefinitionsFit& fit) {
    if (fit.File.empty()) {
        return {};
    }
    std::string text = DefinitionsSummary(fit.Used);
    if (fit.Used.Source != DefinitionsSource::None && fit.DescribedFields != fit.FileFields) {
        text +=
            ": " + std::to_string(fit.DescribedFields) + " of " + Counted(fit.FileFields, "field");
    }
    if (!fit.TextFit.Fits()) {
        text += ", texts do not fit";
    }
    return text;
}

std::string DefinitionsDetails(const DefinitionsFit& fit) {
    if (fit.File.empty()) {
        return {};
    }
    const TableDefinitions& used = fit.Used;
    std::string details = SourceSentence(fit);
    // A layout that does not fit is told in the load's note as well; once is enough.
    if (!used.Message.empty() && fit.Note.find(used.Message) == std::string::npos) {
        details += '\n' + used.Message;
    }
    if (!fit.Note.empty()) {
        details += '\n' + fit.Note;
    }
    if (!fit.TextFit.Fits()) {
        details += "\nA save would change the string block: " + fit.TextFit.Problems() + '.';
    }
    return details;
}

std::string ExportedLinesText(int lines, const std::string& path) {
    return "Exported " + Counted(lines, "line") + " to " + FileNameOfPath(path);
}

std::string ExportedPatchLinesText(int lines, const std::string& path) {
    return "Exported " + Counted(lines, "patch line") + " to " + FileNameOfPath(path);
}

std::string ExportedRecordsText(int records, const std::string& path) {
    return "Exported " + Counted(records, "record") + " to " + FileNameOfPath(path);
}

std::string PatchAppliedText(const PatchApplyReport& report) {
    return "Applied " + Counted(report.LinesApplied, "line") + ", added " +
           Counted(report.RecordsAdded, "record");
}

// What a keyed import did to the table's records.
std::string MergeCountsText(const ImportMergeReport& merge) {
    return "changed " + std::to_string(merge.RecordsChanged) + ", added " +
           std::to_string(merge.RecordsAdded) + ", unchanged " +
           std::to_string(merge.RecordsUnchanged);
}

std::string CsvImportedText(const CsvImportReport& report, const std::string& path) {
    const std::string converted =
        report.ConvertedTexts > 0
            ? " (" + Counted(static_cast<int>(report.ConvertedTexts), "text") +
                  " read as Windows-1252, the first on " + report.FirstConverted + ")"
            : "";
    return "Read " + Counted(report.RowsRead, "record") + " from " + FileNameOfPath(path) +
           converted + ": " + MergeCountsText(report.Merge);
}

std::string SqliteExportedText(const SqliteExportReport& report, const std::string& path) {
    return "Exported " + Counted(report.Records, "record") + " to table \"" + report.TableName +
           "\" of " + FileNameOfPath(path);
}

std::string SqliteImportedText(const SqliteImportReport& report, const std::string& path) {
    return "Read " + Counted(report.Rows, "record") + " from " + FileNameOfPath(path) + ": " +
           MergeCountsText(report.Merge);
}

std::string ScriptImportedText(const ImportReport& report, const std::string& path) {
    std::string text =
        "Imported " + Counted(report.RecordsAppended, "record") + " from " + FileNameOfPath(path);
    if (report.LinesPassedOver > 0) {
        text += ", passed over " + Counted(report.LinesPassedOver, "line");
    }
    return text;
}

std::string LootTemplatesWrittenText(const LootImportReport& report) {
    return "Wrote " + Counted(report.FilesWritten, "loot template file") + " with " +
           Counted(report.EntriesWritten, "entry", "entries");
}

std::string SavedText(int records, const std::string& path) {
    return "Saved " + Counted(records, "record") + " to " + FileNameOfPath(path);
}

std::string LoadedText(int records, const std::string& path) {
    return "Opened " + FileNameOfPath(path) + ": " + Counted(records, "record");
}

std::string UndoneText(const std::string& step) {
    return "Undid " + step;
}

std::string RedoneText(const std::string& step) {
    return "Redid " + step;
}

std::string PastedText(const CellEntryOutcome& pasted) {
    std::string text = "Pasted " + Counted(pasted.Rows * pasted.Columns, "cell") + " in " +
                       Counted(pasted.Rows, "row");
    if (pasted.AddedRecords > 0) {
        text += ", added " + Counted(pasted.AddedRecords, "record");
    }
    return text;
}

}  // namespace kelvane
