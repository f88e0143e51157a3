#include "app/ColumnHeaderTip.h"

namespace kelvane {
namespace {

std::string_view KindWord(FieldKind kind) {
    switch (kind) {
        case FieldKind::ftString:
            return "text";
        case FieldKind::ftFloat:
            return "float";
        case FieldKind::ftInteger:
            break;
    }
    return "integer";
}

}  // namespace

const ColumnHelp& HelpOfColumn(const TableDefinitions& definitions, int column) {
    static const ColumnHelp nothingKnown;
    const int field = column - 1;
    if (field < 0 || field >= static_cast<int>(definitions.Help.size())) {
        return nothingKnown;
    }
    return definitions.Help[static_cast<size_t>(field)];
}

std::string ColumnHeaderTip(std::string_view name, FieldKind kind, const ColumnHelp& help) {
    std::string tip = std::string(name) + " (" + std::string(KindWord(kind)) + ")";
    if (!help.Comment.empty()) {
        tip += '\n' + help.Comment;
    }
    if (help.IsKey) {
        tip += "\nKey";
    }
    if (!help.ForeignKey.empty()) {
        tip += "\nRefers to " + help.ForeignKey;
    }
    return tip;
}

}  // namespace kelvane
