#include "app/ProgramTexts.h"

#include "core/base/KelvaneVersion.h"

namespace kelvane {

std::string ApplicationTitle() {
    return "Kelvane by Dravik v" + std::string(KelvaneVersion());
}

std::string AboutText(std::string_view qtVersion) {
    return ApplicationTitle() +
           "\n\nAn editor for DBC files, the fixed-record client database tables of an online "
           "role-playing game.\nRunning on Qt " +
           std::string(qtVersion) + ".";
}

std::string EditorHelpText() {
    return "usage: kelvane [TABLE.dbc] [--defs DIR] [--build B]\n"
           "       kelvane [--defs DIR] [--build B] /i TABLE.dbc PATCH.txt [--force]\n"
           "       kelvane --help | --version\n"
           "\n"
           "Edits DBC files, the fixed-record client database tables of an online\n"
           "role-playing game, as a grid, with the column names and kinds of TABLE.ini\n"
           "beside the table.\n"
           "\n"
           "  TABLE.dbc      the table to open at start\n"
           "  --defs DIR     the folder of .dbd definition files\n"
           "  --build B      the client build the tables come from, such as 3.3.5.12340;\n"
           "                 an empty B clears it. Both flags are remembered for later\n"
           "                 runs, by kelvane-cli too.\n"
           "  -h, --help     print this help\n"
           "  --version      print the version\n"
           "\n"
           "Batch patching: /i TABLE.dbc PATCH.txt writes the built-in Spell field\n"
           "definitions as Spell.ini beside the table, loads the table, applies the patch\n"
           "text, saves and ends, with no display needed: status 0 after saving, 1 with the\n"
           "message on stderr. When the definitions do not fit the table it saves nothing\n"
           "unless --force follows the patch file.\n"
           "\n"
           "The editor needs a graphical display; without one, run it under xvfb-run.\n"
           "kelvane-cli does the same work on the command line: kelvane-cli --help.\n";
}

std::string EditorVersionText() {
    return "kelvane " + std::string(KelvaneVersion()) + "\n";
}

}  // namespace kelvane
