#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "core/base/KelvaneError.h"
#include "core/base/WorkProgress.h"

namespace kelvane {

class RecordTable;

// A patch line that stops the import: what() is the message the user sees, "PLACE: WHY" or
// WHY alone; LineNumber (from 1) says where, Place where in the line ("column 4", "pair 2")
// when a pair failed. Lines before it stay applied. Messages quote user data through EchoText.
class PatchLineError : public KelvaneError {
  public:
    PatchLineError(int lineNumber, const std::string& why, std::string place = {})
        : KelvaneError(place.empty() ? why : place + ": " + why),
          LineNumber(lineNumber),
          Place(std::move(place)),
          Why(why) {}
    int LineNumber;
    std::string Place;
    std::string Why;
};

struct PatchApplyReport {
    int LinesApplied = 0;
    int RecordsAdded = 0;
};

// Applies a patch text file to the table: each line sets cells of the first record (in table
// order) whose key column reads the line's key, or of a new record with that key. An empty path
// does nothing. The record of the last line stays current and in editing. A failing line's
// message begins with the path, the line number and, for a pair, the place in the line:
// "PATH line N, column C: ". Running out of memory fails with a KelvaneError naming the file;
// the lines applied before stay applied, as they do for a failing line. progress hears of every
// line and may stop the import, which then leaves the table as it was.
PatchApplyReport ApplyPatchFile(RecordTable& table, const std::string& path,
                                const WorkProgress& progress = {});

// The same on text already in memory; a failing line's message is the reason alone.
PatchApplyReport ApplyPatchText(RecordTable& table, std::string_view text);

}  // namespace kelvane
