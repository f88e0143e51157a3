#pragma once

namespace kelvane {

struct Workspace;

// Makes the workspace's table a new, empty one with the columns definitions 0 to fieldCount - 1
// describe (names as they stand), saved with the cell layout their sizes give.
void CreateTableFromDefinitions(Workspace& workspace, int fieldCount);

}  // namespace kelvane
