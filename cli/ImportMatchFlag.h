#pragma once

#include <string_view>

#include "cli/CliCommands.h"
#include "exchange/ImportRows.h"

namespace kelvane::cli {

// Takes --by-position out of args: with it, row N of the source changes record N of the table.
ImportMatch TakeImportMatch(Arguments& args);

// Added to an import's refusal over a repeated key.
inline constexpr std::string_view kByPositionHint =
    "To match rows to records by position instead (row N to record N, the order our exports "
    "write), run the command again with --by-position.";

}  // namespace kelvane::cli
