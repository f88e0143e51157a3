#include "cli/CommandHelp.h"

#include <algorithm>
#include <iomanip>
#include <string>

#include "core/base/KelvaneVersion.h"

namespace kelvane::cli {
namespace {

constexpr std::string_view kGlobalFlags =
    "  --defs DIR     the folder of .dbd definition files\n"
    "  --build B      the client build the tables come from, such as 3.3.5.12340;\n"
    "                 none forgets the remembered one\n";

}  // namespace

void PrintUsage(std::span<const CliCommand> commands, std::ostream& out) {
    out << "usage: kelvane-cli COMMAND ARGUMENTS [--defs DIR] [--build B]\n";
    for (const CliCommand& command : commands) {
        out << "  kelvane-cli " << command.Usage << '\n';
    }
    out << "--defs DIR: the folder of .dbd definition files; --build B: the client build, such "
           "as 3.3.5.12340, or none. Both are remembered for later runs.\n";
}

void PrintProgramHelp(std::span<const CliCommand> commands, std::ostream& out) {
    out << "usage: kelvane-cli COMMAND ARGUMENTS [--defs DIR] [--build B]\n"
           "       kelvane-cli COMMAND --help\n"
           "       kelvane-cli --help | --version\n"
           "\n"
           "Reads, checks, converts and patches DBC tables without a display, with the same\n"
           "code as the Kelvane editor.\n"
           "\n"
           "Commands:\n";
    size_t nameWidth = 0;
    for (const CliCommand& command : commands) {
        nameWidth = std::max(nameWidth, command.Name.size());
    }
    for (const CliCommand& command : commands) {
        out << "  " << std::left << std::setw(static_cast<int>(nameWidth) + 2) << command.Name
            << command.Summary << '\n';
    }
    out << "\n"
           "Global flags, before or after any command (both are remembered for later runs,\n"
           "by the editor too):\n"
        << kGlobalFlags
        << "  -h, --help     print this help, or after a command that command's help\n"
           "  --version      print the version\n"
           "\n"
           "Exit status: 0 on success, 1 when a command fails (the message is on stderr),\n"
           "2 for wrong arguments.\n";
}

void PrintCommandHelp(const CliCommand& command, std::ostream& out) {
    out << "usage: kelvane-cli " << command.Usage << "\n\n"
        << command.Help << "\nGlobal flags (remembered for later runs):\n"
        << kGlobalFlags;
}

void PrintVersion(std::ostream& out) {
    out << "kelvane-cli " << KelvaneVersion() << '\n';
}

}  // namespace kelvane::cli
