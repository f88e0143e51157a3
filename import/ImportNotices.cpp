#include "import/ImportNotices.h"

#include <string_view>

#include "core/base/EchoText.h"

namespace kelvane {
namespace {

// Ids listed in one message at the most; a script can repeat thousands.
constexpr size_t kIdsListed = 100;

std::string ReplacedValuesNotice(const ImportReport& report) {
    const bool one = report.ValuesReplaced == 1;
    const size_t keys = report.ReplacedKeys.size();
    const std::string_view keysWord =
        keys == ImportReport::ReplacedKeysShown ? "first keys " : (keys == 1 ? "key " : "keys ");
    return std::to_string(report.ValuesReplaced) +
           (one ? " key line replaced the value that an earlier line with the same key had set "
                  "in its section"
                : " key lines replaced the value that an earlier line with the same key had set "
                  "in their section") +
           "; the last value was kept (" + std::string(keysWord) + QuotedList(report.ReplacedKeys) +
           ").";
}

// "the section on line 4", "3 sections, the first on line 4": a section's header line is where
// the user finds the record that was not appended.
std::string CancelledSections(const ImportReport::CancelReason& reason) {
    const std::string line = "line " + std::to_string(reason.FirstLine);
    return reason.Sections == 1
               ? "the section on " + line
               : std::to_string(reason.Sections) + " sections, the first on " + line;
}

std::string CancelledRecordsNotice(const ImportReport& report) {
    const bool one = report.RecordsCancelled == 1;
    std::string notice = std::to_string(report.RecordsCancelled) +
                         (one ? " record was" : " records were") + " cancelled: ";
    int explained = 0;
    for (const ImportReport::CancelReason& reason : report.CancelReasons) {
        std::string_view text = reason.Reason;
        if (text.ends_with('.')) {
            text.remove_suffix(1);
        }
        notice += (explained > 0 ? "; " : "") + std::string(text) + " (" +
                  CancelledSections(reason) + ")";
        explained += reason.Sections;
    }
    if (explained < report.RecordsCancelled) {
        notice +=
            "; " + std::to_string(report.RecordsCancelled - explained) + " more for other reasons";
    }
    return notice + ".";
}

std::string NulCutNotice(const ScriptNulCut& cut) {
    const bool one = cut.BytesIgnored == 1;
    return "The script ends at a NUL byte on line " + std::to_string(cut.Line) + "; the " +
           std::to_string(cut.BytesIgnored) + (one ? " byte" : " bytes") +
           " from there to the end of the file were not read.";
}

std::string RepeatedLootIdsMessage(const std::vector<std::string>& ids) {
    return "These loot template ids stand on more than one section, and each file holds the "
           "entries of the last one: " +
           QuotedList(ids, kIdsListed) + ".";
}

}  // namespace

std::vector<std::string> ImportNotices(const ImportReport& report) {
    std::vector<std::string> notices;
    if (report.RecordsCancelled > 0) {
        notices.push_back(CancelledRecordsNotice(report));
    }
    if (report.ValuesReplaced > 0) {
        notices.push_back(ReplacedValuesNotice(report));
    }
    if (report.NulCut) {
        notices.push_back(NulCutNotice(*report.NulCut));
    }
    return notices;
}

std::vector<std::string> LootImportNotices(const LootImportReport& report) {
    std::vector<std::string> notices;
    if (!report.SkippedIds.empty()) {
        notices.push_back(SkippedLootIdsMessage(report.SkippedIds));
    }
    if (!report.RepeatedIds.empty()) {
        notices.push_back(RepeatedLootIdsMessage(report.RepeatedIds));
    }
    if (report.NulCut) {
        notices.push_back(NulCutNotice(*report.NulCut));
    }
    return notices;
}

std::string SkippedLootIdsMessage(const std::vector<std::string>& ids) {
    if (ids.empty()) {
        return {};
    }
    return "These loot templates were not written, because their ids cannot be part of a file "
           "name: " +
           QuotedList(ids, kIdsListed) + ".";
}

}  // namespace kelvane
