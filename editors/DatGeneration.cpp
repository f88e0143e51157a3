#include "editors/DatGeneration.h"

#include <algorithm>

#include "core/files/TablePaths.h"
#include "core/files/TextFile.h"
#include "core/files/UserFolders.h"
#include "core/table/RecordTable.h"
#include "editors/DatFile.h"
#include "editors/DatKinds.h"

namespace kelvane {

std::string GenerateDatFile(RecordTable& table, const DatKind& kind,
                            const std::string& sideFileFolder, DatGenerationView& view) {
    view.SetStatus("Gathering Required Data from *.dbc file...");
    const std::vector<DatEntry> entries = GatherDatEntries(table, kind, [&view](int record) {
        view.SetProgress(std::min(record, DatProgressMaximum));
    });
    view.SetStatus("Data gathered, saving file...");
    view.Pause(std::chrono::milliseconds(500));
    CreateFolder(sideFileFolder);
    const std::string path = JoinPath(sideFileFolder, kind.FileName);
    WriteTextLines(path, DatLines(entries));
    return path;
}

}  // namespace kelvane
