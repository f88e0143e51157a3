#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The pieces of text a MySQL / MariaDB script is made of.

// Appends text as a string literal in single quotes, with the backslash escapes the mysql client
// and the server read back byte for byte: NUL, CR, LF and Ctrl-Z as \0 \r \n \Z (raw, they end
// lines in editors, cut C strings and end files on some systems), quotes and backslashes
// escaped. Bytes are copied as they are, so the literal is only as valid as its text is for the
// connection's character set.
void AppendMysqlString(std::string& out, std::string_view text);

// Appends bytes as a hexadecimal literal, X'4869': whatever the bytes, the server takes them as
// they are, in any character set.
void AppendMysqlHex(std::string& out, std::string_view bytes);

// A table or column name in back-quotes, its own back-quotes doubled.
std::string MysqlName(std::string_view name);

}  // namespace kelvane
