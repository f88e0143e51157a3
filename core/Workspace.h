#pragma once

#include <optional>

#include "core/CurrentTable.h"
#include "core/DbcFormat.h"
#include "core/FieldDef.h"
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
};

}  // namespace kelvane
