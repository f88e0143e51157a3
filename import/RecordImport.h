#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/WorkProgress.h"
#include "import/ScriptLines.h"

namespace kelvane {

class RecordTable;

// What an import run did, for the window or the command line to show.
struct ImportReport {
    int RecordsAppended = 0;
    // Sections that left no record on purpose: no id in the header, or not selected.
    int SectionsSkipped = 0;
    // Records given up because one of their own steps failed (appending, the id, posting).
    // CancelReasons says why: each reason once, in the order met, up to CancelReasonsShown.
    int RecordsCancelled = 0;
    struct CancelReason {
        std::string Reason;  // the failure's own message
        int Sections = 0;    // the records it cancelled
        int FirstLine = 0;   // the header line of the first of their sections, counted from 1
    };
    static constexpr size_t CancelReasonsShown = 5;
    std::vector<CancelReason> CancelReasons;
    // Key lines whose handling failed: a key that names no column, a value the column refuses.
    int LinesPassedOver = 0;
    // Key lines that replaced the value an earlier line with the same key (letter case ignored)
    // had set in the same section: the last one wins. ReplacedKeys holds their first keys, each
    // once whatever its letter case, up to ReplacedKeysShown.
    static constexpr size_t ReplacedKeysShown = 5;
    int ValuesReplaced = 0;
    std::vector<std::string> ReplacedKeys;
    // Set when a NUL byte ended the script before its end.
    std::optional<ScriptNulCut> NulCut;
};

// What one record importer does with its sections; the run around it is ImportRecords.
// Failures are thrown as KelvaneError.
class SectionImporter {
  public:
    virtual ~SectionImporter() = default;

    // Whether the header's id goes into the first field column. A section whose header gives no
    // id is then skipped.
    virtual bool StoresSectionId() const { return true; }
    // Whether the section leaves a record at all.
    virtual bool TakesSection(const ScriptLines&, const ScriptSection&) const { return true; }
    // Whether the key's lines add up (a numbered list, a text of many lines) instead of each
    // replacing what the one before set.
    virtual bool KeyAddsUp(std::string_view) const { return false; }
    virtual void StartSection() {}
    // One line of the section's body that has a key; a failure passes over this line only.
    virtual void HandleLine(RecordTable& table, std::string_view key, std::string_view line) = 0;
    // After the last line; a failure cancels the record.
    virtual void EndSection(RecordTable&) {}
};

// Appends one record per section of the script to the table, with the table's grid suspended.
// A failing line is passed over and a failing record cancelled, and the run goes on; records
// already appended stay. Nothing is saved. progress hears of every section and may stop the run.
ImportReport ImportRecords(RecordTable& table, const ScriptLines& lines, SectionImporter& importer,
                           const WorkProgress& progress = {});

}  // namespace kelvane
