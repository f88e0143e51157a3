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

// The text quoted for that interpreter, always (an empty text too, so it stays an argument): blanks
// stay inside one argument and nothing in it can start another command. Fails under the
// Windows interpreter for a double quote or a line break, which it has no way to quote (file
// names cannot hold them there anyway).
std::string QuotedForShell(std::string_view text, CommandShell shell);

// "blpconverter " + source + " " + destination, each quoted. A path starting with "-" gets "./"
// (".\" for Windows) in front, so the converter cannot take it for an option. Fails for a path
// holding a line break (CR or LF): the command file is one line.
std::string ConverterCommandLine(std::string_view source, std::string_view destination,
                                 CommandShell shell);

// The command file in the side-file folder: extra/convert.sh, or extra\convert.bat on Windows.
std::string ConverterCommandFile(const std::string& sideFileFolder, CommandShell shell);

// Replaces the command file with the single line, ended as its interpreter expects (LF for
// the POSIX shell, which would otherwise take a CR into the last argument; CR LF for Windows).
// Fails with "Cannot create file "%s". %s": a missing "extra" folder means the user's
// converter is not there either.
void WriteConverterCommandFile(const std::string& path, const std::string& line,
                               CommandShell shell);

}  // namespace kelvane
