#pragma once

#include <string>

namespace kelvane {

struct SqlTableShape;

// Why MySQL would refuse the names of the table or its columns, or "" when it takes them all.
// Names are at most 64 characters of UTF-8, not empty, without control characters (NUL among
// them), characters beyond U+FFFF or a trailing blank. The names it quotes go through EchoText.
// (Column names already differ without regard to case, as MySQL needs: the table refuses two
// columns of one name.)
std::string MysqlNameProblem(const SqlTableShape& shape);

}  // namespace kelvane
