#include "import/RecordImport.h"

#include "core/ControlsSuspension.h"
#include "core/KelvaneError.h"
#include "core/RecordTable.h"
#include "core/TextUtil.h"
#include "import/ScriptSyntax.h"

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
        } catch (const KelvaneError&) {
            // A closed table has no record to cancel.
            if (table_.State() != TableState::Browse) {
                table_.Cancel();
            }
            ++report_.RecordsCancelled;
        }
    }

    const ImportReport& Report() const { return report_; }

  private:
    void AppendRecord(const ScriptSection& section, std::string_view id) {
        table_.Append();
        if (importer_.StoresSectionId()) {
            table_.Fields(1).SetAsString(TrimBlanks(id));
        }
        importer_.StartSection();
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
        }
    }

    RecordTable& table_;
    const ScriptLines& lines_;
    SectionImporter& importer_;
    ImportReport report_;
};

}  // namespace

ImportReport ImportRecords(RecordTable& table, const ScriptLines& lines,
                           SectionImporter& importer) {
    // The grid catches up once, when the run ends, however it ends.
    const ControlsSuspension suspension(table);
    RecordRun run(table, lines, importer);
    for (const ScriptSection& section : lines.Sections()) {
        run.Import(section);
    }
    return run.Report();
}

}  // namespace kelvane
