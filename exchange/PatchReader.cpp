#include "exchange/PatchReader.h"

#include "core/base/EchoText.h"
#include "core/files/FileMemoryGuard.h"
#include "core/files/TextFile.h"
#include "core/table/NotificationSuspension.h"
#include "core/table/RecordTable.h"
#include "core/undo/TableBatch.h"
#include "exchange/PatchApplier.h"
#include "exchange/PatchKeyError.h"
#include "exchange/PatchLineParser.h"
#include "exchange/TextFileLines.h"

namespace kelvane {
namespace {

// A value with a line break, written as it is, leaves the rest of its line on a line of its
// own; that line is where the reader stops, with a key it cannot use.
[[noreturn]] void FailNoKey(int lineNumber, std::string_view line, std::string_view why) {
    std::string message =
        "the line does not start with a key (" + std::string(why) + "): '" + EchoText(line) + "'";
    if (lineNumber > 1) {
        message += "; probably the rest of a text with a line break";
    }
    throw PatchLineError(lineNumber, message);
}

// Applies the lines NextLine gives, one at a time, so a file need not be held whole.
template <typename NextLine>
PatchApplyReport ApplyPatchLines(RecordTable& table, NextLine nextLine,
                                 const WorkProgress& progress = {}) {
    // The grid catches up once, with one reset, instead of after every line.
    const NotificationSuspension suspension(table);
    PatchApplier applier(table);
    PatchApplyReport report;
    ParsedPatchLine parsed;
    int lineNumber = 0;
    std::string_view line;
    while (nextLine(line)) {
        ReportProgress(progress, lineNumber, 0);
        ++lineNumber;
        ParsePatchLine(line, parsed);
        if (parsed.Form == PatchLineForm::Skipped) {
            continue;
        }
        if (parsed.Form == PatchLineForm::NoColon) {
            FailNoKey(lineNumber, line, "no ':' after one");
        }
        try {
            applier.Apply(parsed.Key, parsed.Pairs);
        } catch (const PatchKeyError& error) {
            FailNoKey(lineNumber, line, error.what());
        } catch (const PatchPairError& error) {
            throw PatchLineError(lineNumber, error.what(), error.Place);
        } catch (const KelvaneError& error) {
            throw PatchLineError(lineNumber, error.what());
        }
        ++report.LinesApplied;
    }
    report.RecordsAdded = applier.RecordsAdded();
    return report;
}

}  // namespace

PatchApplyReport ApplyPatchFile(RecordTable& table, const std::string& path,
                                const WorkProgress& progress) {
    if (path.empty()) {
        return {};
    }
    TextFileLines lines(path);
    try {
        return RunAsOneBatch(table, "Import Patch", kUnknownBatchRecords, [&] {
            return GuardMemory(FileWork::Importing, path, [&] {
                return ApplyPatchLines(
                    table, [&](std::string_view& line) { return lines.Next(line); }, progress);
            });
        });
    } catch (const PatchLineError& error) {
        const std::string place = error.Place.empty() ? "" : ", " + error.Place;
        throw PatchLineError(error.LineNumber, path + " line " + std::to_string(error.LineNumber) +
                                                   place + ": " + error.Why);
    }
}

PatchApplyReport ApplyPatchText(RecordTable& table, std::string_view text) {
    const std::vector<std::string_view> lines = SplitTextLines(text);
    size_t next = 0;
    return ApplyPatchLines(table, [&](std::string_view& line) {
        if (next == lines.size()) {
            return false;
        }
        line = lines[next++];
        return true;
    });
}

}  // namespace kelvane
