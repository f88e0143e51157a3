#include "core/table/SavedCells.h"

namespace kelvane {

SavedCells::Entry& SavedCells::Add(int column, Kind what) {
    Entry& entry = entries_.emplace_back();
    entry.Column = static_cast<uint32_t>(column);
    entry.What = static_cast<uint32_t>(what);
    entry.TextSize = 0;
    entry.Float = 0;
    return entry;
}

void SavedCells::AddBlank(int column) {
    Add(column, Kind::Blank);
}

void SavedCells::AddInteger(int column, int32_t value) {
    Add(column, Kind::Integer).Integer = value;
}

void SavedCells::AddFloat(int column, double value) {
    Add(column, Kind::Float).Float = value;
}

void SavedCells::AddText(int column, StringPool::Ref ref, std::string_view text) {
    if (!StringPool::IsOwned(ref)) {
        Add(column, Kind::BlockText).Text = ref;
        return;
    }
    Entry& entry = Add(column, Kind::OwnedText);
    entry.Text = static_cast<uint32_t>(texts_.size());
    entry.TextSize = static_cast<uint32_t>(text.size());
    texts_.append(text);
}

SavedCells::Cell SavedCells::At(size_t i) const {
    const Entry& entry = entries_[i];
    Cell cell;
    cell.Column = static_cast<int>(entry.Column);
    cell.What = static_cast<Kind>(entry.What);
    switch (cell.What) {
        case Kind::Integer:
            cell.Integer = entry.Integer;
            break;
        case Kind::Float:
            cell.Float = entry.Float;
            break;
        case Kind::BlockText:
            cell.BlockText = entry.Text;
            break;
        case Kind::OwnedText:
            cell.OwnedText = std::string_view(texts_).substr(entry.Text, entry.TextSize);
            break;
        case Kind::Blank:
            break;
    }
    return cell;
}

}  // namespace kelvane
