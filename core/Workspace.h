#pragma once

#include <optional>

#include "core/CurrentTable.h"
#include "core/DbcFormat.h"
#include "core/FieldDef.h"
#include "core/FileSnapshot.h"
#include "core/RecordTable.h"

namespace kelvane {

// The open table with everything that describes it: the program holds one for the whole run,
// tests make their own.
struct Workspace {
    RecordTable Table;
    FieldDefList Defs;
    CurrentTable Current;
    // The 4-byte / 1-byte record layout of the file last loaded, when it had byte fields, so
    // saving keeps that layout while the columns still match it.
    std::optional<ByteFieldSplit> LoadedByteFields;
    // The file the table was loaded from or last saved to, as it was then, so that a save over
    // it can tell whether another program changed it in between.
    std::optional<FileSnapshot> LoadedFile;
};

}  // namespace kelvane
