#include "core/files/FileIo.h"

#include "core/files/AtomicFileWriter.h"

namespace kelvane {

std::string ReadWholeFile(const std::string& path, NamedBy namedBy) {
    InputFile file(path, namedBy);
    return ReadRest(file);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter file(path);
    file.Append(bytes);
    file.Commit();
}

}  // namespace kelvane
