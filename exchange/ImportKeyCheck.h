#pragma once

#include <string>
#include <vector>

namespace kelvane {

class ImportRows;
class PatchKeyIndex;
class RecordTable;

// Fails with a KelvaneError naming the first row whose key cell is blank, its place in the
// source and the key column: such a row would be saved with key 0 or match at random.
void RequireRowKeys(const RecordTable& table, const ImportRows& rows);

// Each row's key as the key column's cell text reads, which is what the key index looks up;
// the keys were found not blank by RequireRowKeys.
std::vector<std::string> RowKeyTexts(const ImportRows& rows);

// Fails with a RepeatedImportKeyError for the first key, in the source's order, that stands on
// more than one row of it or on more than one record of the table: its rows, its records
// (numbered from 1 in table order, as the status bar counts them) and how many more keys repeat.
void RequireKeysMatchOnce(const RecordTable& table, const ImportRows& rows,
                          const std::vector<std::string>& keys, PatchKeyIndex& index);

}  // namespace kelvane
