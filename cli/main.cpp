#include <array>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <string_view>

#include "cli/CliCommands.h"
#include "cli/DefinitionFlags.h"
#include "core/KelvaneError.h"

namespace {

using kelvane::cli::Arguments;

struct Command {
    std::string_view Name;
    std::string_view Usage;
    int (*Run)(const Arguments&, std::ostream&, std::ostream&);
};

constexpr std::array kCommands{
    Command{"info", "info TABLE.dbc", kelvane::cli::RunInfo},
    Command{"defs", "defs TABLE.dbc [--defs DIR] [--build B] [--guess] [--write [--force]]",
            kelvane::cli::RunDefs},
    Command{"resave", "resave TABLE.dbc OUT.dbc [--force]", kelvane::cli::RunResave},
    Command{"preset", "preset ITEM DIR", kelvane::cli::RunPreset},
    Command{"export-csv", "export-csv TABLE.dbc OUT.csv [--record N] [--header]",
            kelvane::cli::RunExportCsv},
    Command{"import-csv", "import-csv TABLE.dbc IN.csv [OUT.dbc] [--header] [--force]",
            kelvane::cli::RunImportCsv},
    Command{"export-sql", "export-sql TABLE.dbc OUT.sql", kelvane::cli::RunExportSql},
    Command{"export-patch", "export-patch TABLE.dbc OUT.txt [--record N [--column C]]",
            kelvane::cli::RunExportPatch},
    Command{"apply-patch", "apply-patch TABLE.dbc PATCH.txt [OUT.dbc] [--force]",
            kelvane::cli::RunApplyPatch},
    Command{"import", "import scp|world|quests|itempages TABLE.dbc SCRIPT [OUT.dbc] [--force]",
            kelvane::cli::RunImport},
    Command{"import-loot", "import-loot SCRIPT", kelvane::cli::RunImportLoot},
    Command{"dat", "dat creatures|items|go TABLE.dbc OUT.dat", kelvane::cli::RunDat},
    Command{"diff", "diff OLD.dbc NEW.dbc OUT.txt", kelvane::cli::RunDiff},
    Command{"export-sqlite", "export-sqlite TABLE.dbc OUT.db", kelvane::cli::RunExportSqlite},
    Command{"import-sqlite", "import-sqlite TABLE.dbc IN.db [OUT.dbc] [--force]",
            kelvane::cli::RunImportSqlite},
};

int PrintUsage(std::ostream& err) {
    err << "usage: kelvane-cli COMMAND ARGUMENTS [--defs DIR] [--build B]\n";
    for (const Command& command : kCommands) {
        err << "  kelvane-cli " << command.Usage << '\n';
    }
    err << "--defs DIR: the folder of .dbd definition files; --build B: the client build, such "
           "as 3.3.5.12340. Both are remembered for later runs.\n";
    return 2;
}

int RunCommand(const Command& command, const Arguments& args) {
    try {
        return command.Run(args, std::cout, std::cerr);
    } catch (const kelvane::cli::UsageError& error) {
        std::cerr << "kelvane-cli: " << error.what() << '\n'
                  << "usage: kelvane-cli " << command.Usage << '\n';
        return 2;
    } catch (const kelvane::KelvaneError& error) {
        std::cerr << error.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "Not enough memory to finish the command.\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "Unexpected failure: " << error.what() << '\n';
        return 1;
    }
}

// Takes the global flags out of args for every command: tables load with them.
bool TakeGlobalFlags(Arguments& args, int& status) {
    try {
        kelvane::cli::UseDefinitionSettings(kelvane::cli::TakeDefinitionFlags(args, std::cerr));
        return true;
    } catch (const kelvane::cli::UsageError& error) {
        std::cerr << "kelvane-cli: " << error.what() << '\n';
        status = PrintUsage(std::cerr);
    } catch (const kelvane::KelvaneError& error) {
        std::cerr << error.what() << '\n';
        status = 1;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args(argv + 1, argv + argc);
    int status = 0;
    if (!TakeGlobalFlags(args, status)) {
        return status;
    }
    if (args.empty()) {
        return PrintUsage(std::cerr);
    }
    const std::string name = args.front();
    args.erase(args.begin());
    for (const Command& command : kCommands) {
        if (command.Name == name) {
            return RunCommand(command, args);
        }
    }
    std::cerr << "kelvane-cli: unknown command '" << name << "'\n";
    return PrintUsage(std::cerr);
}
