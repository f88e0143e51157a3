#pragma once

#include <memory>
#include <string>

#include "app/EditorSession.h"
#include "core/workspace/Workspace.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

// The sample's grid columns.
constexpr int kIndex = 0;
constexpr int kId = 1;
constexpr int kName = 2;
constexpr int kSpeed = 3;
constexpr int kRank = 4;

// The three-spell sample opened the way the main window opens a file: ID shown in hex, Name,
// Speed and Rank, with Index values 0 to 2.
struct OpenedSpellSample {
    TempDir Dir;
    std::unique_ptr<Workspace> Work = std::make_unique<Workspace>();
    ScriptedDialogs Dialogs;
    CountingFeedback Feedback;
    EditorSession Session{*Work, Dialogs, Feedback};
    std::string Path = WriteSpellSample(Dir);

    OpenedSpellSample() { Session.OpenTableFile(Path); }

    RecordTable& Table() { return Work->Table; }
};

}  // namespace kelvane::testing
