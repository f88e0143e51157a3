#include <algorithm>
#include <array>
#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CliCommand.h"
#include "cli/CliCommands.h"
#include "cli/CommandHelp.h"
#include "cli/DefinitionFlags.h"
#include "core/KelvaneError.h"

namespace {

using kelvane::cli::Arguments;
using kelvane::cli::CliCommand;

// Every command of the program: its name, usage, help and what runs it.
constexpr std::array kCommands{
    CliCommand{"info", "info TABLE.dbc", "print a table's definitions, header and columns",
               "Loads the table as the editor's Open does (TABLE.ini beside it, else the\n"
               "fitting .dbd layout, else a guess) and prints which definitions were used, the\n"
               "header, whether some cells are narrower than 4 bytes, one line per column\n"
               "(number, name, kind, hex, size in bits, byte offset in the record) and the\n"
               "number of records. What the load found wrong goes to stderr.\n"
               "\n"
               "  TABLE.dbc      the table to describe\n",
               kelvane::cli::RunInfo},
    CliCommand{"defs", "defs TABLE.dbc [--defs DIR] [--build B] [--guess] [--write [--force]]",
               "print or write a table's .dbd layout or guessed kinds",
               "Prints the .dbd layout chosen for the table: the file, the build, why it was\n"
               "chosen, and each field's name, kind, size, key, foreign key and comment.\n"
               "\n"
               "  TABLE.dbc      the table\n"
               "  --guess        print the kinds guessed from the table's data instead\n"
               "  --write        save the layout (or the guess) as TABLE.ini beside the table\n"
               "  --force        with --write, replace a TABLE.ini that is already there\n",
               kelvane::cli::RunDefs},
    CliCommand{"resave", "resave TABLE.dbc OUT.dbc [--force]",
               "load a table and write it again with the editor's writer",
               "Loads the table as info does and writes it with the editor's writer: strings\n"
               "once each, the file's texts kept exactly. Writes nothing when the save would\n"
               "change data the definitions do not fit (cells pointing into the middle of a\n"
               "text, texts nothing points at), unless given --force.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  OUT.dbc        the file to write\n"
               "  --force        write even data the definitions do not fit\n",
               kelvane::cli::RunResave},
    CliCommand{"preset", "preset ITEM DIR", "write a built-in field-definition file",
               "Writes the built-in field-definition file of a well-known table into a folder,\n"
               "replacing one of that name.\n"
               "\n"
               "  ITEM           the table it is for: Spell.dbc, Faction.dbc, ... (a wrong ITEM\n"
               "                 lists them all)\n"
               "  DIR            the folder to write it into\n",
               kelvane::cli::RunPreset},
    CliCommand{"export-csv", "export-csv TABLE.dbc OUT.csv [--record N] [--header]",
               "write the records as comma-separated text",
               "Loads the table as info does and writes every record as a comma-separated line,\n"
               "as the editor's \"Export everything\" does.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  OUT.csv        the file to write\n"
               "  --record N     only the record at position N in table order, counted from 0\n"
               "  --header       write the column names as the first line\n",
               kelvane::cli::RunExportCsv},
    CliCommand{"import-csv", "import-csv TABLE.dbc IN.csv [OUT.dbc] [--header] [--force]",
               "read comma-separated text into a table by key",
               "Reads comma-separated text into the table: a line whose key (first column after\n"
               "Index) is in the table changes that record, another adds one. Saves to OUT.dbc,\n"
               "or back to TABLE.dbc without it; a bad line names its line and column and\n"
               "writes nothing.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  IN.csv         the comma-separated text\n"
               "  OUT.dbc        the file to write instead of TABLE.dbc\n"
               "  --header       the first line names the columns\n"
               "  --force        save even data the definitions do not fit\n",
               kelvane::cli::RunImportCsv},
    CliCommand{"export-sql", "export-sql TABLE.dbc OUT.sql",
               "write a MySQL / MariaDB dump of a table",
               "Writes the table as a script that mariadb or mysql loads as it is, replacing\n"
               "the table of that name.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  OUT.sql        the dump to write\n",
               kelvane::cli::RunExportSql},
    CliCommand{"export-patch", "export-patch TABLE.dbc OUT.txt [--record N [--column C]]",
               "write records as Patchwell patch text",
               "Writes every record as a Patchwell row line (KEY:1=value,2=value,...). Warns on\n"
               "stderr of the lines that will not read back the same; the file is written all\n"
               "the same.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  OUT.txt        the patch file to write\n"
               "  --record N     only the row line of the record at position N, counted from 0\n"
               "  --column C     with --record, only the cell line of grid column C (Index: 0)\n",
               kelvane::cli::RunExportPatch},
    CliCommand{"apply-patch", "apply-patch TABLE.dbc PATCH.txt [OUT.dbc] [--force]",
               "apply a patch file to a table and save it",
               "Loads the table as info does, applies the patch file the way the editor's\n"
               "import does (changing the records it names, adding the others) and saves. A\n"
               "failing line prints \"PATCH.txt line N: message\" and writes nothing. Unlike the\n"
               "editor's /i mode it writes no preset.\n"
               "\n"
               "  TABLE.dbc      the table to patch\n"
               "  PATCH.txt      the patch text\n"
               "  OUT.dbc        the file to write instead of TABLE.dbc\n"
               "  --force        save even data the definitions do not fit\n",
               kelvane::cli::RunApplyPatch},
    CliCommand{"import", "import scp|world|quests|itempages TABLE.dbc SCRIPT [OUT.dbc] [--force]",
               "append the sections of an emulator script to a table",
               "Loads the table as info does, appends one record per section of the script the\n"
               "way the editor's Import menu does, saves, and prints what was appended and\n"
               "passed over.\n"
               "\n"
               "  scp            a *.scp script\n"
               "  world          world.save\n"
               "  quests         quests.tt\n"
               "  itempages      itempages.tt\n"
               "  TABLE.dbc      the table to append to\n"
               "  SCRIPT         the script to read\n"
               "  OUT.dbc        the file to write instead of TABLE.dbc\n"
               "  --force        save even data the definitions do not fit\n",
               kelvane::cli::RunImport},
    CliCommand{"import-loot", "import-loot SCRIPT", "write one table per loot template section",
               "Writes one two-column table loott<id>.dbc per loot template section of the\n"
               "script into the folder loottemplates beside it, and prints how many files it\n"
               "wrote. Sections whose id cannot name a file are skipped and listed on stderr.\n"
               "\n"
               "  SCRIPT         the loot template script\n",
               kelvane::cli::RunImportLoot},
    CliCommand{"dat", "dat creatures|items|go TABLE.dbc OUT.dat", "write an id,name lookup file",
               "Loads the table as Open does and writes a lookup file: one line id,name per\n"
               "record, then a closing line \",\", each ended by CR LF.\n"
               "\n"
               "  creatures      the name column is name\n"
               "  items          the name column is name{inv}\n"
               "  go             the name column is name{0}\n"
               "  TABLE.dbc      the table to read\n"
               "  OUT.dat        the file to write\n",
               kelvane::cli::RunDat},
    CliCommand{"diff", "diff OLD.dbc NEW.dbc OUT.txt", "write the patch text between two tables",
               "Writes the patch text that turns OLD.dbc into NEW.dbc: the row line of each\n"
               "record only in the newer file, the changed cells of each changed record, and a\n"
               "comment line for each record only in the older one (patch text cannot delete).\n"
               "\n"
               "  OLD.dbc        the older table\n"
               "  NEW.dbc        the newer table\n"
               "  OUT.txt        the patch file to write\n",
               kelvane::cli::RunDiff},
    CliCommand{"export-sqlite", "export-sqlite TABLE.dbc OUT.db",
               "write a table into a SQLite database",
               "Writes the table into a SQLite database file as one table named after the DBC\n"
               "table, a column per field.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  OUT.db         the database file to write into\n",
               kelvane::cli::RunExportSqlite},
    CliCommand{"import-sqlite", "import-sqlite TABLE.dbc IN.db [OUT.dbc] [--force]",
               "read a SQLite table into a table by key",
               "Reads the database's table of the same name into the table by key, matching the\n"
               "columns by name, and saves as import-csv does.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  IN.db          the SQLite database\n"
               "  OUT.dbc        the file to write instead of TABLE.dbc\n"
               "  --force        save even data the definitions do not fit\n",
               kelvane::cli::RunImportSqlite},
};

int PrintUsage(std::ostream& err) {
    kelvane::cli::PrintUsage(kCommands, err);
    return 2;
}

const CliCommand* CommandNamed(std::string_view name) {
    const auto found = std::ranges::find(kCommands, name, &CliCommand::Name);
    return found != kCommands.end() ? &*found : nullptr;
}

bool IsHelpFlag(std::string_view argument) {
    return argument == "--help" || argument == "-h";
}

// --help, --version and COMMAND --help are answered before the global flags are taken, so
// asking for help neither needs a command's arguments nor remembers a flag.
std::optional<int> AnswerHelpOrVersion(const Arguments& arguments) {
    Arguments words = arguments;
    try {
        kelvane::cli::TakeDefinitionFlagValues(words);
    } catch (const kelvane::cli::UsageError&) {
        return std::nullopt;
    }
    if (words.empty()) {
        return std::nullopt;
    }
    if (IsHelpFlag(words.front())) {
        kelvane::cli::PrintProgramHelp(kCommands, std::cout);
        return 0;
    }
    if (words.front() == "--version") {
        kelvane::cli::PrintVersion(std::cout);
        return 0;
    }
    const CliCommand* command = CommandNamed(words.front());
    if (command != nullptr && std::ranges::any_of(words, IsHelpFlag)) {
        kelvane::cli::PrintCommandHelp(*command, std::cout);
        return 0;
    }
    return std::nullopt;
}

int RunCommand(const CliCommand& command, const Arguments& args) {
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
    if (const std::optional<int> status = AnswerHelpOrVersion(args)) {
        return *status;
    }
    int status = 0;
    if (!TakeGlobalFlags(args, status)) {
        return status;
    }
    if (args.empty()) {
        return PrintUsage(std::cerr);
    }
    const std::string name = args.front();
    args.erase(args.begin());
    if (const CliCommand* command = CommandNamed(name)) {
        return RunCommand(*command, args);
    }
    std::cerr << "kelvane-cli: unknown command '" << name << "'\n";
    return PrintUsage(std::cerr);
}
