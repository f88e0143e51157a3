#pragma once

#include <string>

namespace kelvane {

// The folder of the files that belong beside the program: the creature editor's pick lists
// (models.txt, factions.txt), the .dat lookup files and the converter's command file
// (extra/convert.sh).
//
// A copy run from its build folder or from a folder of its own keeps them beside itself, as it
// always has. An installed copy, one in a folder named "bin" such as /usr/bin, or one in a
// folder the user cannot write, keeps them in the per-user data folder
// ($XDG_DATA_HOME/kelvane, else ~/.local/share/kelvane): a package's folders are not the
// user's to write into, even for root. The folder is not created here; writers create it.
std::string SideFileFolder(const std::string& programFolder);

}  // namespace kelvane
