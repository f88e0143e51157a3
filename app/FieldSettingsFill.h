#pragma once

#include <string>
#include <vector>

#include "app/FieldSettings.h"

namespace kelvane {

struct Workspace;

// What the Fields dialog's "From definitions" and "Guess" put into its rows. Both only fill the
// rows: nothing is taken over until the user confirms the dialog. Both read the open table's
// file as it is on disk now.

// One row for every field of the file, from the layout of TABLE.dbd in the definitions folder
// that fits it: names, kinds and sizes. Fails with a KelvaneError saying why there is none: no
// table loaded from a file, no definitions folder, no TABLE.dbd in it, or no layout that fits.
std::vector<FieldSettingsRow> FieldSettingsRowsFromDbd(const Workspace& work);

// The rows with the kinds the data of the file suggests; names, Hex and Bits stay as they are
// (taking the rows over shows no text in hexadecimal). Rows past the file's fields stay as they
// are. Fails with a KelvaneError when no table loaded from a file is open.
std::vector<FieldSettingsRow> FieldSettingsRowsWithGuessedKinds(std::vector<FieldSettingsRow> rows,
                                                                const Workspace& work);

// What "Guess" did, for the dialog to say: the rows whose kind it changed, by name, or that it
// found every kind as it was.
std::string GuessedKindsText(const std::vector<FieldSettingsRow>& before,
                             const std::vector<FieldSettingsRow>& after);

}  // namespace kelvane
