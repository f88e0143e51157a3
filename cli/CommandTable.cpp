#include "cli/CommandTable.h"

#include <algorithm>
#include <array>

#include "cli/CliCommands.h"

namespace kelvane::cli {
namespace {

constexpr std::array kCommands{
    CliCommand{"info", "info TABLE.dbc", "print a table's definitions, header and columns",
               "Loads the table as the editor's Open does (TABLE.ini beside it, else the\n"
               "fitting .dbd layout, else a guess) and prints which definitions were used, the\n"
               "header, whether some cells are narrower than 4 bytes, one line per column\n"
               "(number, name, kind, hex, size in bits, byte offset in the record) and the\n"
               "number of records. What the load found wrong goes to stderr.\n"
               "\n"
               "  TABLE.dbc      the table to describe\n",
               RunInfo},
    CliCommand{"defs", "defs TABLE.dbc [--defs DIR] [--build B] [--guess] [--write [--force]]",
               "print or write a table's .dbd layout or guessed kinds",
               "Prints the .dbd layout chosen for the table: the file, the build, why it was\n"
               "chosen, and each field's name, kind, size, key, foreign key and comment.\n"
               "\n"
               "  TABLE.dbc      the table\n"
               "  --guess        print the kinds guessed from the table's data instead\n"
               "  --write        save the layout (or the guess) as TABLE.ini beside the table\n"
               "  --force        with --write, replace a TABLE.ini that is already there\n",
               RunDefs},
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
               RunResave},
    CliCommand{"preset", "preset ITEM DIR", "write a built-in field-definition file",
               "Writes the built-in field-definition file of a well-known table into a folder,\n"
               "replacing one of that name.\n"
               "\n"
               "  ITEM           the table it is for: Spell.dbc, Faction.dbc, ... (a wrong ITEM\n"
               "                 lists them all)\n"
               "  DIR            the folder to write it into\n",
               RunPreset},
    CliCommand{"export-csv", "export-csv TABLE.dbc OUT.csv [--record N] [--header]",
               "write the records as comma-separated text",
               "Loads the table as info does and writes every record as a comma-separated line,\n"
               "as the editor's \"Export everything\" does.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  OUT.csv        the file to write\n"
               "  --record N     only the record at position N in table order, counted from 0\n"
               "  --header       write the column names as the first line\n",
               RunExportCsv},
    CliCommand{"import-csv",
               "import-csv TABLE.dbc IN.csv [OUT.dbc] [--header] [--by-position] [--force]",
               "read comma-separated text into a table by key",
               "Reads comma-separated text into the table: a line whose key (first column after\n"
               "Index) is in the table changes that record, another adds one. Saves to OUT.dbc,\n"
               "or back to TABLE.dbc without it; a bad line names its line and column and\n"
               "writes nothing. A key that stands on two lines, or on two records of the table,\n"
               "or a blank key, stops the import the same way.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  IN.csv         the comma-separated text\n"
               "  OUT.dbc        the file to write instead of TABLE.dbc\n"
               "  --header       the first line names the columns\n"
               "  --by-position  match by position, not key: the Nth record of the file changes\n"
               "                 record N of the table, later ones are added (for tables whose\n"
               "                 keys repeat, exported by export-csv)\n"
               "  --force        save even data the definitions do not fit\n",
               RunImportCsv},
    CliCommand{"export-sql", "export-sql TABLE.dbc OUT.sql",
               "write a MySQL / MariaDB dump of a table",
               "Writes the table as a script that mariadb or mysql loads as it is, replacing\n"
               "the table of that name.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  OUT.sql        the dump to write\n",
               RunExportSql},
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
               RunExportPatch},
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
               RunApplyPatch},
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
               RunImport},
    CliCommand{"import-loot", "import-loot SCRIPT", "write one table per loot template section",
               "Writes one two-column table loott<id>.dbc per loot template section of the\n"
               "script into the folder loottemplates beside it, and prints how many files it\n"
               "wrote. Sections whose id cannot name a file are skipped and listed on stderr.\n"
               "\n"
               "  SCRIPT         the loot template script\n",
               RunImportLoot},
    CliCommand{"dat", "dat creatures|items|go TABLE.dbc OUT.dat", "write an id,name lookup file",
               "Loads the table as Open does and writes a lookup file: one line id,name per\n"
               "record, then a closing line \",\", each ended by CR LF.\n"
               "\n"
               "  creatures      the name column is name\n"
               "  items          the name column is name{inv}\n"
               "  go             the name column is name{0}\n"
               "  TABLE.dbc      the table to read\n"
               "  OUT.dat        the file to write\n",
               RunDat},
    CliCommand{"diff", "diff OLD.dbc NEW.dbc OUT.txt", "write the patch text between two tables",
               "Writes the patch text that turns OLD.dbc into NEW.dbc: the row line of each\n"
               "record only in the newer file, the changed cells of each changed record, and a\n"
               "comment line for each record only in the older one (patch text cannot delete).\n"
               "\n"
               "  OLD.dbc        the older table\n"
               "  NEW.dbc        the newer table\n"
               "  OUT.txt        the patch file to write\n",
               RunDiff},
    CliCommand{"export-sqlite", "export-sqlite TABLE.dbc OUT.db",
               "write a table into a SQLite database",
               "Writes the table into a SQLite database file as one table named after the DBC\n"
               "table, a column per field.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  OUT.db         the database file to write into\n",
               RunExportSqlite},
    CliCommand{"import-sqlite", "import-sqlite TABLE.dbc IN.db [OUT.dbc] [--by-position] [--force]",
               "read a SQLite table into a table by key",
               "Reads the database's table of the same name into the table by key, matching the\n"
               "columns by name, and saves as import-csv does; repeated and blank keys stop it\n"
               "as they stop import-csv.\n"
               "\n"
               "  TABLE.dbc      the table to read\n"
               "  IN.db          the SQLite database\n"
               "  OUT.dbc        the file to write instead of TABLE.dbc\n"
               "  --by-position  match by position, not key: the Nth row in rowid order changes\n"
               "                 record N of the table, later ones are added (for tables whose\n"
               "                 keys repeat, exported by export-sqlite)\n"
               "  --force        save even data the definitions do not fit\n",
               RunImportSqlite},
};

}  // namespace

std::span<const CliCommand> CliCommandTable() {
    return kCommands;
}

const CliCommand* CommandNamed(std::string_view name) {
    const auto found = std::ranges::find(kCommands, name, &CliCommand::Name);
    return found != kCommands.end() ? &*found : nullptr;
}

}  // namespace kelvane::cli
