#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/DbdBuild.h"
#include "core/DbdFile.h"
#include "core/DbdLayout.h"

namespace kelvane {

// What a DBC file's header says about its records, and the build the user works with.
struct DbdLayoutRequest {
    std::string TableName;  // for messages, e.g. "Mount.dbc"
    int64_t FieldCount = 0;
    int64_t RecordBytes = 0;
    std::optional<DbdBuild> Build;
};

enum class DbdChoiceOutcome {
    ChosenBuild,  // the layout listing the requested build fits the file
    Fitting,      // another layout fits; Message says which and why
    NoFit,        // nothing fits: the table is to load as plain integers
};

struct DbdLayoutChoice {
    DbdChoiceOutcome Outcome = DbdChoiceOutcome::NoFit;
    std::vector<DbdField> Fields;   // empty when nothing fits
    std::optional<DbdBuild> Build;  // the build whose layout was used
    int DefinitionLine = 0;         // where that layout starts in the .dbd file
    int DifferentFittingLayouts = 0;
    // Which definitions were used, or why none fits, ready to show the user.
    std::string Message;
};

// A layout never applies unless its field count and record size equal the file's.
DbdLayoutChoice ChooseDbdLayout(const DbdFile& file, const DbdLayoutRequest& request);

}  // namespace kelvane
