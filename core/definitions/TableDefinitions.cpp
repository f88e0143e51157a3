#include "core/definitions/TableDefinitions.h"

namespace kelvane {

std::string DefinitionsSummary(const TableDefinitions& definitions) {
    switch (definitions.Source) {
        case DefinitionsSource::TableIni:
            return definitions.File + (definitions.FromPreset ? " (preset)" : "");
        case DefinitionsSource::Dbd:
            return definitions.File +
                   (definitions.Build ? ", build " + definitions.Build->Text() : std::string()) +
                   (definitions.ChosenWithoutBuild ? ", chosen without a build" : "");
        case DefinitionsSource::None:
            break;
    }
    const int texts = definitions.TextLikeColumns;
    if (texts == 0) {
        return "No definitions";
    }
    return "No definitions; " + std::to_string(texts) +
           (texts == 1 ? " column looks like text" : " columns look like texts");
}

}  // namespace kelvane
