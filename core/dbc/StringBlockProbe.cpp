#include "core/dbc/StringBlockProbe.h"

#include <algorithm>

#include "core/base/LittleEndian.h"

namespace kelvane {
namespace {

constexpr size_t kBatchBytes = 256 * 1024;

std::string StringBlockOf(ByteSource& file, const DbcLayout& layout) {
    std::string block(static_cast<size_t>(layout.Header.StringBlockSize), '\0');
    file.ReadInto(layout.StringBlockOffset, block.data(), block.size());
    return block;
}

}  // namespace

StringBlockProbe::StringBlockProbe(ByteSource& file, const DbcLayout& layout)
    : file_(file), layout_(layout), block_(StringBlockOf(file, layout)), texts_(block_) {}

StringBlockFit StringBlockProbe::Fit(const CellLayout& cells,
                                     const std::vector<ProbedStringColumn>& columns) {
    texts_.ForgetUses();
    // Per column: cells outside the block or into the middle of a text.
    std::vector<int> misread(columns.size(), 0);
    const auto recordCount = static_cast<size_t>(layout_.Header.RecordCount);
    const auto recordSize = static_cast<size_t>(layout_.Header.RecordSize);
    const size_t batchRecords = std::max<size_t>(1, kBatchBytes / std::max<size_t>(1, recordSize));
    for (size_t first = 0; first < recordCount && !columns.empty(); first += batchRecords) {
        const size_t count = std::min(batchRecords, recordCount - first);
        const std::string_view records =
            file_.Read(layout_.RecordsOffset + first * recordSize, count * recordSize);
        for (size_t column = 0; column < columns.size(); ++column) {
            const char* cell = records.data() + cells.Offset(columns[column].Field);
            for (size_t record = 0; record < count; ++record, cell += recordSize) {
                if (texts_.Use(LoadUint32Le(cell)) != TextCell::Start) {
                    ++misread[column];
                }
            }
        }
    }
    StringBlockFit fit;
    for (size_t column = 0; column < columns.size(); ++column) {
        if (misread[column] > 0) {
            fit.MisreadColumns.push_back({columns[column].Name, misread[column]});
        }
    }
    fit.DroppedTexts = texts_.UnusedTexts();
    return fit;
}

}  // namespace kelvane
