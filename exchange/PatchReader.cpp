#include "exchange/PatchReader.h"

#include "core/EchoText.h"
#include "core/FileIo.h"
#include "core/NotificationSuspension.h"
#include "core/RecordTable.h"
#include "core/TextFile.h"
#include "core/UndoStep.h"
#include "exchange/PatchApplier.h"
#include "exchange/PatchKeyError.h"
#include "exchange/PatchLineParser.h"

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

}  // namespace

PatchApplyReport ApplyPatchFile(RecordTable& table, const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const std::string text = ReadWholeFile(path);
    const UndoStep step(table, "Import Patch");
    try {
        return ApplyPatchText(table, text);
    } catch (const PatchLineError& error) {
        throw PatchLineError(error.LineNumber, path + " line " + std::to_string(error.LineNumber) +
                                                   ": " + error.what());
    }
}

PatchApplyReport ApplyPatchText(RecordTable& table, std::string_view text) {
    // The grid catches up once, with one reset, instead of after every line.
    const NotificationSuspension suspension(table);
    PatchApplier applier(table);
    PatchApplyReport report;
    ParsedPatchLine parsed;
    int lineNumber = 0;
    for (const std::string_view line : SplitTextLines(text)) {
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
        } catch (const KelvaneError& error) {
            throw PatchLineError(lineNumber, error.what());
        }
        ++report.LinesApplied;
    }
    report.RecordsAdded = applier.RecordsAdded();
    return report;
}

}  // namespace kelvane
