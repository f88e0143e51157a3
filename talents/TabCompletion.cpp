#include "talents/TabCompletion.h"

#include "core/base/ValueText.h"
#include "talents/TalentCells.h"
#include "talents/WorkingTable.h"

namespace kelvane {
namespace {

// A new tab row holding only its ID; the name, the class mask and the position come when the
// user names the tab.
int AddTabRow(WorkingTable& tabs, int64_t id) {
    const int row = tabs.AddRow();
    tabs.SetCell(TabCell::Id, row, std::to_string(id));
    return row;
}

// A new tab row of the three-tab rule: zeros from column 3 on, then its column-11 value
// computed from the rows above it.
void AddZeroedTabRow(WorkingTable& tabs, int64_t id, int64_t spacingStep) {
    const int row = AddTabRow(tabs, id);
    for (int column = TabCell::FirstZeroed; column <= TabCell::InternalName; ++column) {
        tabs.SetCell(column, row, "0");
    }
    tabs.SetCell(TabCell::Spacing, row, std::to_string(Next11(tabs, row - 1, spacingStep)));
}

}  // namespace

int64_t Next11(const WorkingTable& tabs, int lastRow, int64_t step) {
    int64_t value = -1;
    for (int row = 0; row <= lastRow; ++row) {
        const int64_t spacing = TextToInteger(tabs.Cell(TabCell::Spacing, row));
        if (spacing > value) {
            value = spacing + step;
        }
    }
    return value;
}

void CompleteClassTabs(WorkingTable& tabs, int64_t largestTabId) {
    switch (tabs.RowCount()) {
        case 2:
            for (int64_t next = 1; next <= 3; ++next) {
                AddTabRow(tabs, largestTabId + next);
            }
            break;
        case 3:
            AddZeroedTabRow(tabs, largestTabId + 1, 128);
            AddZeroedTabRow(tabs, largestTabId + 2, 256);
            break;
        case 4:
            AddTabRow(tabs, largestTabId + 1);
            break;
        default:
            break;
    }
}

}  // namespace kelvane
