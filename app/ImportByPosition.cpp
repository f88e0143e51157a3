#include "app/ImportByPosition.h"

namespace kelvane {
namespace {

constexpr std::string_view kLabel = "Match rows to records by position (row N changes record N)";

}  // namespace

FileDialogCheckBox ByPositionCheckBox(bool& byPosition) {
    return FileDialogCheckBox{"ByPositionCheckBox", std::string(kLabel), byPosition, &byPosition};
}

std::string ByPositionChoiceHint() {
    return "To match rows to records by position instead (the order our exports write), import "
           "again and tick \"" +
           std::string(kLabel) + "\" in the open dialog.";
}

}  // namespace kelvane
