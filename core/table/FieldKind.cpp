#include "core/table/FieldKind.h"

namespace kelvane {

std::string_view FieldKindText(FieldKind kind) {
    switch (kind) {
        case FieldKind::ftString:
            return "ftString";
        case FieldKind::ftFloat:
            return "ftFloat";
        case FieldKind::ftInteger:
            break;
    }
    return "ftInteger";
}

std::optional<FieldKind> FieldKindFromText(std::string_view text) {
    for (FieldKind kind : {FieldKind::ftInteger, FieldKind::ftString, FieldKind::ftFloat}) {
        if (text == FieldKindText(kind)) {
            return kind;
        }
    }
    return std::nullopt;
}

}  // namespace kelvane
