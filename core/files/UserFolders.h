#pragma once

#include <string>

namespace kelvane {

// The user's folders as the XDG base directory rules name them: the variable when it holds an
// absolute path, else the default under $HOME; "" when neither says where the folder is.
std::string UserConfigFolder();  // $XDG_CONFIG_HOME, else ~/.config
std::string UserDataFolder();    // $XDG_DATA_HOME, else ~/.local/share

// Creates the folder and those above it when missing; "" is the current folder. Fails with a
// KelvaneError naming it.
void CreateFolder(const std::string& folder);

}  // namespace kelvane
