#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The program's name with its version: the start caption, the application's name and the
// first line of "About".
std::string ApplicationTitle();

// What "Help" > "About" shows: the title, what the program is and the Qt it runs on.
std::string AboutText(std::string_view qtVersion);

// What `kelvane --help` prints: both forms of the command line, the flags and where to look
// further.
std::string EditorHelpText();

// What `kelvane --version` prints.
std::string EditorVersionText();

}  // namespace kelvane
