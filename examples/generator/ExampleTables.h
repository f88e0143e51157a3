#pragma once

#include <string>
#include <vector>

namespace kelvane {

// The example tables bundled with the editor, all made up: each writes TABLE.dbc and its
// field-definition file TABLE.ini into the folder and returns the paths written.
std::vector<std::string> WriteSpellExample(const std::string& folder);
std::vector<std::string> WriteFactionExample(const std::string& folder);
// A table whose records end in one-byte cells.
std::vector<std::string> WriteItemDisplayExample(const std::string& folder);
// TalentTab.dbc and Talent.dbc: the talent trees of three classes, the Warlock's with three tabs.
std::vector<std::string> WriteTalentExample(const std::string& folder);

// All of them.
std::vector<std::string> WriteExampleTables(const std::string& folder);

}  // namespace kelvane
