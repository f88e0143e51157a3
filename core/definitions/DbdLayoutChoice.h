#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/dbc/StringBlockFit.h"
#include "core/definitions/DbdBuild.h"
#include "core/definitions/DbdFile.h"
#include "core/definitions/DbdLayout.h"

namespace kelvane {

// What a DBC file's header says about its records, and the build the user works with.
struct DbdLayoutRequest {
    std::string TableName;  // for messages, e.g. "Mount.dbc"
    int64_t FieldCount = 0;
    int64_t RecordBytes = 0;
    std::optional<DbdBuild> Build;
    // How the string columns of a layout of the right size would fit the file's texts; a
    // layout that does not fit them is passed over. Without it only sizes are judged.
    std::function<StringBlockFit(const std::vector<DbdField>&)> TextFit;
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
    // Layouts of the file's size that truly differ, and those of them passed over because
    // their texts did not fit.
    int DifferentFittingLayouts = 0;
    int SkippedLayouts = 0;
    // Which definitions were used, or why none fits, ready to show the user.
    std::string Message;
};

// A layout never applies unless its field count and record size equal the file's and its
// string columns fit the file's texts. Layouts are tried in this order: the chosen build's;
// those of the chosen build's era; then release builds before alpha builds (0.x), the newest
// first. The first that fits is used.
DbdLayoutChoice ChooseDbdLayout(const DbdFile& file, const DbdLayoutRequest& request);

}  // namespace kelvane
