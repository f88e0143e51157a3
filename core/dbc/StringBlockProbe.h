#pragma once

#include <string>
#include <vector>

#include "core/dbc/CellLayout.h"
#include "core/dbc/DbcLayout.h"
#include "core/dbc/StringBlockFit.h"
#include "core/dbc/TextStartMap.h"
#include "core/files/ByteSource.h"

namespace kelvane {

// A column a layout would read as text: the record cell it takes and the name it would have.
struct ProbedStringColumn {
    int Field = 0;
    std::string Name;
};

// How the string columns a layout would give a file fit the file's string block, judged on the
// raw cells without building a table: the same judgement a load makes of the columns it built,
// so a layout of the right size whose texts land in the wrong cells can be passed over before
// anything is loaded. The block is read and its texts found once; each layout costs one pass
// over the records.
class StringBlockProbe {
  public:
    StringBlockProbe(ByteSource& file, const DbcLayout& layout);
    // The map of texts points into the probe's own copy of the block.
    StringBlockProbe(const StringBlockProbe&) = delete;
    StringBlockProbe& operator=(const StringBlockProbe&) = delete;

    // The columns' cells must be 4 bytes wide in cells.
    StringBlockFit Fit(const CellLayout& cells, const std::vector<ProbedStringColumn>& columns);

  private:
    ByteSource& file_;
    DbcLayout layout_;
    std::string block_;
    TextStartMap texts_;
};

}  // namespace kelvane
