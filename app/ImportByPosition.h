#pragma once

#include <string>

#include "exchange/ImportRows.h"
#include "shell/UserDialogs.h"

namespace kelvane {

// The choice the open dialogs of the CSV and SQLite imports offer: match rows to records by
// position (row N changes record N) instead of by key. The box answers into byPosition.
FileDialogCheckBox ByPositionCheckBox(bool& byPosition);

inline ImportMatch MatchChosen(bool byPosition) {
    return byPosition ? ImportMatch::ByPosition : ImportMatch::ByKey;
}

// Added to an import's refusal over a repeated key: where the choice is.
std::string ByPositionChoiceHint();

}  // namespace kelvane
