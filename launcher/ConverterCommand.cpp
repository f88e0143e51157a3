#include "launcher/ConverterCommand.h"

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/files/FileIo.h"

namespace kelvane {
namespace {

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
// the percent sign still expands, and a command file reads "%%" as one. A double quote or a
// line break cannot be kept inside at all.
std::string CmdQuoted(std::string_view text) {
    if (text.find_first_of("\"\r\n") != std::string_view::npos) {
        throw KelvaneError("A file name cannot hold a double quote or a line break: " +
                           EchoText(text));
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    }
    return quoted + "\"";
}

// The path quoted as one argument the converter cannot read as an option.
std::string ConverterArgument(std::string_view path, const char* role, CommandShell shell) {
    if (path.find_first_of("\r\n") != std::string_view::npos) {
        throw KelvaneError(std::string("The ") + role +
                           " file name holds a line break, which cannot be part of the "
                           "converter's one-line command. Nothing was run.");
    }
    std::string argument(path);
    if (argument.starts_with('-')) {
        argument.insert(0, shell == CommandShell::Posix ? "./" : ".\\");
    }
    return QuotedForShell(argument, shell);
}

}  // namespace

std::string QuotedForShell(std::string_view text, CommandShell shell) {
    return shell == CommandShell::Posix ? PosixQuoted(text) : CmdQuoted(text);
}

std::string ConverterCommandLine(std::string_view source, std::string_view destination,
                                 CommandShell shell) {
    return "blpconverter " + ConverterArgument(source, "source", shell) + " " +
           ConverterArgument(destination, "destination", shell);
}

std::string ConverterCommandFile(const std::string& sideFileFolder, CommandShell shell) {
    return shell == CommandShell::Posix ? sideFileFolder + "/extra/convert.sh"
                                        : sideFileFolder + "\\extra\\convert.bat";
}

void WriteConverterCommandFile(const std::string& path, const std::string& line,
                               CommandShell shell) {
    WriteFileAtomically(path, line + (shell == CommandShell::Posix ? "\n" : "\r\n"));
}

}  // namespace kelvane
