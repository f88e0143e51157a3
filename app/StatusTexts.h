#pragma once

#include <optional>
#include <string>

#include "app/DefinitionsFit.h"

namespace kelvane {

struct CellEntryOutcome;
struct CsvImportReport;
struct ImportReport;
struct LootImportReport;
struct PatchApplyReport;
struct SqliteExportReport;
struct SqliteImportReport;

// The status bar's texts. Records are counted as users count: the first record of the file
// is record 1, whatever its Index.

// "Record 12 of 100000"; "No records" for an empty table, "" with no table open. shown is the
// number of records a filter lets through, told apart as "K shown".
std::string RecordPositionText(int currentRow, int recordCount, bool tableOpen);
std::string ShownRecordsText(std::optional<int> shown);
std::string UnsavedText(bool unsaved);
// "Spell.ini fits", "Spell.ini: 167 of 173 fields", "No field definitions", with ", texts do
// not fit" when a save would change the string block beyond the edits.
std::string DefinitionsText(const DefinitionsFit& fit);
// The whole story behind DefinitionsText, for its tooltip.
std::string DefinitionsDetails(const DefinitionsFit& fit);

// What the last command did.
std::string ExportedLinesText(int lines, const std::string& path);
std::string ExportedPatchLinesText(int lines, const std::string& path);
// "Exported 12 records to Spell.sql": whole-table exports into database files.
std::string ExportedRecordsText(int records, const std::string& path);
std::string PatchAppliedText(const PatchApplyReport& report);
// "Read 3 records from in.csv: changed 1, added 2, unchanged 0", with "(2 texts read as
// Windows-1252, the first on line 4, column Name)" after the file name when some were not UTF-8.
std::string CsvImportedText(const CsvImportReport& report, const std::string& path);
std::string SqliteExportedText(const SqliteExportReport& report, const std::string& path);
std::string SqliteImportedText(const SqliteImportReport& report, const std::string& path);
std::string ScriptImportedText(const ImportReport& report, const std::string& path);
std::string LootTemplatesWrittenText(const LootImportReport& report);
std::string SavedText(int records, const std::string& path);
std::string LoadedText(int records, const std::string& path);
// "Undid Edit Cell", "Redid Paste": the step by its name.
std::string UndoneText(const std::string& step);
std::string RedoneText(const std::string& step);
std::string PastedText(const CellEntryOutcome& pasted);

}  // namespace kelvane
