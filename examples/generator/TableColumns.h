#pragma once

namespace kelvane {

struct Workspace;

// Rebuilds the workspace's table, empty, with Index and one column per definition 0 to
// fieldCount - 1, named and typed as a load with those definitions would build them.
void CreateColumnsFromDefs(Workspace& workspace, int fieldCount);

}  // namespace kelvane
