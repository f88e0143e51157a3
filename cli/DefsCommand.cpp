#include <filesystem>
#include <iomanip>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/CliCommands.h"
#include "cli/CommandFlags.h"
#include "cli/DefinitionFlags.h"
#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/definitions/DbdDefinitions.h"
#include "core/definitions/FieldDefFile.h"
#include "core/definitions/FieldKindGuess.h"
#include "core/files/CurrentTable.h"
#include "core/files/FileByteSource.h"
#include "core/workspace/FileKindGuess.h"
#include "core/workspace/OpenTable.h"

namespace kelvane::cli {
namespace {

// "key, -> Spell::ID, // the comment" or "".
std::string HelpText(const ColumnHelp& help) {
    std::string text;
    const auto add = [&text](const std::string& part) {
        text += (text.empty() ? "" : ", ") + part;
    };
    if (help.IsKey) {
        add("key");
    }
    if (!help.ForeignKey.empty()) {
        add("-> " + help.ForeignKey);
    }
    if (!help.Comment.empty()) {
        add("// " + help.Comment);
    }
    return text;
}

void PrintFields(const std::vector<FieldDef>& defs, const std::vector<ColumnHelp>& help,
                 std::ostream& out) {
    out << "Fields (number, name, kind, bits"
        << (help.empty() ? "" : ", key / foreign key / comment") << "):\n";
    for (size_t field = 0; field < defs.size(); ++field) {
        const FieldDef& def = defs[field];
        out << std::setw(6) << def.Number << "  " << std::left << std::setw(32)
            << EscapedText(def.Name) << std::setw(10) << FieldKindText(def.Kind) << std::right
            << std::setw(3) << (def.Bits == 0 ? 32 : def.Bits);
        if (field < help.size()) {
            if (const std::string text = HelpText(help[field]); !text.empty()) {
                out << "  " << EscapedText(text);
            }
        }
        out << '\n';
    }
}

// The definitions the chosen .dbd layout gives the file; fails when there is none that fits.
DbdTableDefinitions ChosenLayout(const CurrentTable& table, std::ostream& out) {
    const DefinitionSettings& settings = DefinitionSettingsInUse();
    if (settings.DbdFolder.empty()) {
        throw KelvaneError("No definitions folder is set: give one with --defs DIR.");
    }
    FileByteSource file(table.FilePath);
    std::optional<DbdTableDefinitions> dbd =
        ReadDbdDefinitions(settings, table.TableName, file, table.FilePath);
    if (!dbd) {
        throw KelvaneError("The definitions folder \"" + settings.DbdFolder + "\" holds no " +
                           table.TableName + ".dbd.");
    }
    if (dbd->Choice.Outcome == DbdChoiceOutcome::NoFit) {
        throw KelvaneError(dbd->Choice.Message);
    }
    out << "Definitions:   " << dbd->Path << '\n'
        << "Build:         " << (dbd->Choice.Build ? dbd->Choice.Build->Text() : "-") << '\n'
        << "Chosen:        " << dbd->Choice.Message << '\n';
    return *std::move(dbd);
}

// "1 text" or "3 texts".
std::string Counted(int count, const std::string& thing) {
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

std::vector<FieldDef> GuessedLayout(const CurrentTable& table, std::ostream& out) {
    const FieldKindGuess guess = GuessFieldKindsOfFile(table.FilePath);
    const auto fields = static_cast<int>(guess.Kinds.size());
    out << "Guessed kinds of " << Counted(fields, "field")
        << " from the data: " << Counted(guess.TextColumns, "text") << ", "
        << Counted(guess.FloatColumns, "float") << ", "
        << Counted(fields - guess.TextColumns - guess.FloatColumns, "integer")
        << ". Check them before relying on them.\n";
    return GuessedFieldDefs(guess);
}

// The user's own TABLE.ini comes first: it is replaced only when forced.
void WriteDefinitions(const CurrentTable& table, const std::vector<FieldDef>& defs, bool force,
                      std::ostream& out) {
    const std::string iniPath = FieldDefFilePath(table);
    std::error_code error;
    if (!force && std::filesystem::exists(iniPath, error)) {
        throw KelvaneError("\"" + iniPath +
                           "\" already exists and was left as it is; --force replaces it.");
    }
    // On the heap: the list holds an entry for every field a table may have.
    auto list = std::make_unique<FieldDefList>();
    for (size_t field = 0; field < defs.size(); ++field) {
        (*list)[static_cast<int>(field)] = defs[field];
    }
    SaveFieldDefinitions(table, *list, static_cast<int>(defs.size()));
    out << "Wrote " << iniPath << '\n';
}

}  // namespace

int RunDefs(const Arguments& given, std::ostream& out, std::ostream&) {
    Arguments args = given;
    const bool write = TakeFlag(args, "--write");
    const bool guess = TakeFlag(args, "--guess");
    const bool force = TakeFlag(args, "--force");
    if (args.size() != 1) {
        throw UsageError("defs takes one argument: the DBC file");
    }
    if (force && !write) {
        throw UsageError("--force only goes with --write");
    }
    CurrentTable table;
    PrepareOpen(table, args[0]);
    std::vector<FieldDef> defs;
    if (guess) {
        defs = GuessedLayout(table, out);
        PrintFields(defs, {}, out);
    } else {
        const DbdTableDefinitions dbd = ChosenLayout(table, out);
        defs = dbd.Defs;
        PrintFields(defs, dbd.Help, out);
    }
    if (write) {
        WriteDefinitions(table, defs, force, out);
    }
    return 0;
}

}  // namespace kelvane::cli
