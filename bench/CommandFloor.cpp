// The least work a whole-table command could do, each operation a run of its own so the
// harness can measure it as a whole process beside kelvane-cli:
//   load TABLE.dbc     reads the file in 1 MiB pieces into one buffer and touches every cell
//   copy TABLE.dbc OUT writes the same bytes atomically, the floor of saving an unchanged table
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr size_t kPiece = 1 << 20;
constexpr size_t kHeaderBytes = 20;

struct Freed {
    void operator()(unsigned char* bytes) const { std::free(bytes); }
};
using Buffer = std::unique_ptr<unsigned char, Freed>;

[[noreturn]] void Fail(const std::string& what) {
    std::perror(what.c_str());
    std::exit(1);
}

Buffer ReadWhole(const std::string& path, size_t& size) {
    const int file = open(path.c_str(), O_RDONLY);
    if (file < 0) {
        Fail(path);
    }
    size = std::filesystem::file_size(path);
    void* memory = nullptr;
    if (posix_memalign(&memory, 2 << 20, size + kPiece) != 0) {
        Fail("allocating");
    }
#ifdef MADV_HUGEPAGE
    madvise(memory, size + kPiece, MADV_HUGEPAGE);
#endif
    Buffer buffer(static_cast<unsigned char*>(memory));
    size_t done = 0;
    for (ssize_t got = 0; done < size; done += static_cast<size_t>(got)) {
        got = read(file, buffer.get() + done, kPiece);
        if (got <= 0) {
            Fail(path);
        }
    }
    close(file);
    return buffer;
}

int Load(const std::string& path) {
    size_t size = 0;
    const Buffer bytes = ReadWhole(path, size);
    uint32_t header[5];
    std::memcpy(header, bytes.get(), sizeof header);
    const size_t cells = static_cast<size_t>(header[1]) * header[2];
    uint32_t sum = 0;
    for (size_t cell = 0; cell < cells && kHeaderBytes + cell * 4 + 4 <= size; ++cell) {
        uint32_t value = 0;
        std::memcpy(&value, bytes.get() + kHeaderBytes + cell * 4, 4);
        sum += value;
    }
    // The sum goes out so the compiler cannot drop the loop.
    return sum == 0x7fffffff ? 2 : 0;
}

int Copy(const std::string& from, const std::string& to) {
    size_t size = 0;
    const Buffer bytes = ReadWhole(from, size);
    const std::string temporary = to + ".floor-tmp";
    const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) {
        Fail(temporary);
    }
    for (size_t done = 0; done < size;) {
        const ssize_t wrote = write(file, bytes.get() + done, std::min(kPiece, size - done));
        if (wrote <= 0) {
            Fail(temporary);
        }
        done += static_cast<size_t>(wrote);
    }
    if (fsync(file) != 0 || close(file) != 0 || std::rename(temporary.c_str(), to.c_str()) != 0) {
        Fail(to);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string operation = argc > 1 ? argv[1] : "";
    if (operation == "load" && argc == 3) {
        return Load(argv[2]);
    }
    if (operation == "copy" && argc == 4) {
        return Copy(argv[2], argv[3]);
    }
    std::fprintf(stderr, "usage: %s load TABLE.dbc | copy TABLE.dbc OUT.dbc\n", argv[0]);
    return 1;
}
