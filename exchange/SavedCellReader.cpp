#include "exchange/SavedCellReader.h"

#include <bit>
#include <optional>

#include "core/base/KelvaneError.h"
#include "core/base/NearestFloat.h"
#include "core/base/TextUtil.h"
#include "core/base/ValueText.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

uint32_t SavedBits(double value) {
    return std::bit_cast<uint32_t>(NearestFloat(value));
}

}  // namespace

SavedCellReader::SavedCellReader(const RecordTable& table)
    : slots_(table.RecordSlots()), strings_(table.Strings()) {
    table.RequireActive();
    // The storage is read directly: a record being edited would not be in it yet.
    if (table.State() != TableState::Browse) {
        throw KelvaneError("The table must be browsing to be compared");
    }
    columns_.reserve(static_cast<size_t>(table.FieldCount()));
    for (int column = 0; column < table.FieldCount(); ++column) {
        columns_.push_back(Column{table.ColumnKind(column), &table.ColumnStoreAt(column)});
    }
}

int32_t SavedCellReader::Integer(uint32_t slot, const Column& column) const {
    return column.Store->IsBlank(slot) ? 0 : column.Store->Integers[slot];
}

uint32_t SavedCellReader::FloatBits(uint32_t slot, const Column& column) const {
    return column.Store->IsBlank(slot) ? 0 : SavedBits(column.Store->Floats[slot]);
}

std::string_view SavedCellReader::Text(uint32_t slot, const Column& column) const {
    if (column.Store->IsBlank(slot)) {
        return {};
    }
    return strings_.SavedText(column.Store->Strings[slot]);
}

bool SavedCellReader::SameAs(int row, const SavedCellReader& other, int otherRow,
                             int column) const {
    const Column& mine = columns_[static_cast<size_t>(column)];
    const Column& theirs = other.columns_[static_cast<size_t>(column)];
    const uint32_t slot = Slot(row);
    const uint32_t otherSlot = other.Slot(otherRow);
    switch (mine.Kind) {
        case FieldKind::ftInteger:
            return Integer(slot, mine) == other.Integer(otherSlot, theirs);
        case FieldKind::ftFloat:
            return FloatBits(slot, mine) == other.FloatBits(otherSlot, theirs);
        case FieldKind::ftString:
            break;
    }
    return Text(slot, mine) == other.Text(otherSlot, theirs);
}

bool SavedCellReader::ReadsBackAs(std::string_view written, int row, int column) const {
    const Column& target = columns_[static_cast<size_t>(column)];
    const uint32_t slot = Slot(row);
    // As the patch reader assigns a value: an empty text blanks a number, which saves as 0.
    switch (target.Kind) {
        case FieldKind::ftInteger: {
            const std::optional<int32_t> value =
                written.empty() ? std::optional<int32_t>(0) : ParseIntegerText(written);
            return value == Integer(slot, target);
        }
        case FieldKind::ftFloat: {
            const std::optional<double> value =
                written.empty() ? std::optional<double>(0.0) : ParseFloatText(written);
            return value && SavedBits(*value) == FloatBits(slot, target);
        }
        case FieldKind::ftString:
            break;
    }
    return TrimBlanks(written) == Text(slot, target);
}

}  // namespace kelvane
