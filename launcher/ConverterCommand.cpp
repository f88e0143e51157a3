#include "launcher/ConverterCommand.h"

#include <algorithm>

#include "core/FileIo.h"
#include "core/KelvaneError.h"

namespace kelvane {
namespace {

// Characters that the interpreter takes literally as part of a word. A comma separates
// arguments for the Windows interpreter, and a backslash is an escape for the POSIX shell.
bool IsPlainWordCharacter(char c, CommandShell shell) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
        return true;
    }
    const std::string_view extra = shell == CommandShell::Posix ? "_-./:+@," : "_-./:+@\\";
    return extra.find(c) != std::string_view::npos;
}

// Single quotes keep everything literal for the POSIX shell; a single quote itself is closed,
// escaped and reopened.
std::string PosixQuoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Inside double quotes the Windows interpreter keeps blanks and & | < > ^ ( ) literal; only
// the percent sign still expands, and a command file reads "%%" as one.
std::string CmdQuoted(std::string_view text) {
    if (text.find('"') != std::string_view::npos) {
        throw KelvaneError("A file name cannot hold a double quote: " + std::string(text));
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    }
    return quoted + "\"";
}

}  // namespace

std::string QuotedForShell(std::string_view text, CommandShell shell) {
    const bool plain = std::all_of(text.begin(), text.end(),
                                   [shell](char c) { return IsPlainWordCharacter(c, shell); });
    if (plain) {
        return std::string(text);
    }
    return shell == CommandShell::Posix ? PosixQuoted(text) : CmdQuoted(text);
}

std::string ConverterCommandLine(std::string_view source, std::string_view destination,
                                 CommandShell shell) {
    return "blpconverter " + QuotedForShell(source, shell) + " " +
           QuotedForShell(destination, shell);
}

std::string ConverterCommandFile(const std::string& programFolder, CommandShell shell) {
    return shell == CommandShell::Posix ? programFolder + "/extra/convert.sh"
                                        : programFolder + "\\extra\\convert.bat";
}

void WriteConverterCommandFile(const std::string& path, const std::string& line,
                               CommandShell shell) {
    WriteFileAtomically(path, line + (shell == CommandShell::Posix ? "\n" : "\r\n"));
}

}  // namespace kelvane
