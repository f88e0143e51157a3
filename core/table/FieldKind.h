#pragma once

#include <optional>
#include <string_view>

namespace kelvane {

// The three kinds a column can have. The enumerator names are also the texts written to and
// read from field-definition files.
enum class FieldKind { ftInteger, ftString, ftFloat };

std::string_view FieldKindText(FieldKind kind);

// Exact, case-sensitive match of "ftInteger", "ftString" or "ftFloat".
std::optional<FieldKind> FieldKindFromText(std::string_view text);

}  // namespace kelvane
