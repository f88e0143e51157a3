#include "import/RecordImport.h"

#include <algorithm>
#include <utility>

#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/table/Field.h"
#include "core/table/NotificationSuspension.h"
#include "core/table/RecordTable.h"
#include "import/ScriptSyntax.h"
#include "import/SectionKeys.h"

namespace kelvane {
namespace {

class RecordRun {
  public:
    RecordRun(RecordTable& table, const ScriptLines& lines, SectionImporter& importer)
        : table_(table), lines_(lines), importer_(importer) {}

    void Import(const ScriptSection& section) {
        std::string_view id;
        if (importer_.StoresSectionId()) {
            id = SectionId(lines_.Line(section.Header));
            if (id == UnknownText) {
                ++report_.SectionsSkipped;
                return;
            }
        }
        if (!importer_.TakesSection(lines_, section)) {
            ++report_.SectionsSkipped;
            return;
        }
        try {
            AppendRecord(section, id);
            ++report_.RecordsAppended;
        } catch (const KelvaneError& error) {
            // A closed table has no record to cancel.
            if (table_.State() != TableState::Browse) {
                table_.Cancel();
            }
            ++report_.RecordsCancelled;
            NoteCancelReason(error.what(), section.Header + 1);
        }
    }

    ImportReport TakeReport() { return std::move(report_); }

  private:
    void AppendRecord(const ScriptSection& section, std::string_view id) {
        table_.Append();
        if (importer_.StoresSectionId()) {
            table_.Fields(1).SetAsString(TrimBlanks(id));
        }
        importer_.StartSection();
        keys_.Clear();
        for (int index = section.BodyBegin; index < section.BodyEnd; ++index) {
            HandleLine(lines_.Line(index));
        }
        importer_.EndSection(table_);
        table_.Post();
    }

    void HandleLine(std::string_view line) {
        const std::string_view key = LineKey(line);
        if (key == UnknownText) {
            return;
        }
        try {
            importer_.HandleLine(table_, key, line);
        } catch (const KelvaneError&) {
            ++report_.LinesPassedOver;
            return;
        }
        if (!importer_.KeyAddsUp(key) && keys_.SetBefore(key)) {
            CountReplaced(key);
        }
    }

    // A table that lacks a column the importer needs cancels every record for the same reason.
    void NoteCancelReason(const std::string& reason, int line) {
        std::vector<ImportReport::CancelReason>& reasons = report_.CancelReasons;
        const auto same = std::find_if(reasons.begin(), reasons.end(),
                                       [&](const auto& known) { return known.Reason == reason; });
        if (same != reasons.end()) {
            ++same->Sections;
        } else if (reasons.size() < ImportReport::CancelReasonsShown) {
            reasons.push_back({reason, 1, line});
        }
    }

    void CountReplaced(std::string_view key) {
        ++report_.ValuesReplaced;
        std::vector<std::string>& shown = report_.ReplacedKeys;
        const auto sameKey = [key](const std::string& other) {
            return EqualsIgnoreCase(other, key);
        };
        if (shown.size() < ImportReport::ReplacedKeysShown &&
            std::none_of(shown.begin(), shown.end(), sameKey)) {
            shown.emplace_back(key);
        }
    }

    RecordTable& table_;
    const ScriptLines& lines_;
    SectionImporter& importer_;
    SectionKeys keys_;
    ImportReport report_;
};

}  // namespace

ImportReport ImportRecords(RecordTable& table, const ScriptLines& lines, SectionImporter& importer,
                           const WorkProgress& progress) {
    // The grid catches up once, when the run ends, however it ends.
    const NotificationSuspension suspension(table);
    RecordRun run(table, lines, importer);
    const auto sections = static_cast<int64_t>(lines.Sections().size());
    int64_t done = 0;
    for (const ScriptSection& section : lines.Sections()) {
        ReportProgress(progress, done++, sections);
        run.Import(section);
    }
    ImportReport report = run.TakeReport();
    report.NulCut = lines.NulCut();
    return report;
}

}  // namespace kelvane
