#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The command interpreter that runs the converter's command file.
enum class CommandShell { Posix, WindowsCmd };

#ifdef _WIN32
inline constexpr CommandShell NativeShell = CommandShell::WindowsCmd;
#else
inline constexpr CommandShell NativeShell = CommandShell::Posix;
#endif

// The text as typed when the interpreter would take it as one plain word; otherwise quoted
// for that interpreter, so blanks stay inside one argument and nothing in it can start another
// command. An empty text stays empty. Fails for a double quote under the Windows interpreter,
// which has no way to quote one (file names cannot hold it there anyway).
std::string QuotedForShell(std::string_view text, CommandShell shell);

// "blpconverter " + source + " " + destination, each quoted only when it needs to be.
std::string ConverterCommandLine(std::string_view source, std::string_view destination,
                                 CommandShell shell);

// The command file in the program's folder: extra/convert.sh, or extra\convert.bat on Windows.
std::string ConverterCommandFile(const std::string& programFolder, CommandShell shell);

// Replaces the command file with the single line, ended as its interpreter expects (LF for
// the POSIX shell, which would otherwise take a CR into the last argument; CR LF for Windows).
// Fails with "Cannot create file "%s". %s".
void WriteConverterCommandFile(const std::string& path, const std::string& line,
                               CommandShell shell);

}  // namespace kelvane
