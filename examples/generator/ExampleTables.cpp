#include "examples/generator/ExampleTables.h"

namespace kelvane {

std::vector<std::string> WriteExampleTables(const std::string& folder) {
    std::vector<std::string> written;
    for (auto* write :
         {WriteSpellExample, WriteFactionExample, WriteItemDisplayExample, WriteTalentExample}) {
        const std::vector<std::string> paths = write(folder);
        written.insert(written.end(), paths.begin(), paths.end());
    }
    return written;
}

}  // namespace kelvane
