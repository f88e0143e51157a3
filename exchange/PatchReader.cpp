#include "exchange/PatchReader.h"

#include "core/ControlsSuspension.h"
#include "core/FileIo.h"
#include "core/RecordTable.h"
#include "exchange/PatchApplier.h"
#include "exchange/PatchLineParser.h"
#include "exchange/TextFile.h"

namespace kelvane {
namespace {

[[noreturn]] void FailNoColon(int lineNumber, std::string_view line) {
    throw PatchLineError(lineNumber, "Line " + std::to_string(lineNumber) +
                                         " has no ':' after a key: '" + std::string(line) + "'");
}

}  // namespace

PatchApplyReport ApplyPatchFile(RecordTable& table, const std::string& path) {
    if (path.empty()) {
        return {};
    }
    return ApplyPatchText(table, ReadWholeFile(path));
}

PatchApplyReport ApplyPatchText(RecordTable& table, std::string_view text) {
    // The grid catches up once, with one reset, instead of after every line.
    const ControlsSuspension suspension(table);
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
            FailNoColon(lineNumber, line);
        }
        try {
            applier.Apply(parsed.Key, parsed.Pairs);
        } catch (const KelvaneError& error) {
            throw PatchLineError(lineNumber, error.what());
        }
        ++report.LinesApplied;
    }
    report.RecordsAdded = applier.RecordsAdded();
    return report;
}

}  // namespace kelvane
