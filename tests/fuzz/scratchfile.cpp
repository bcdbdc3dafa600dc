#include "tests/fuzz/scratchfile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

ScratchFile::ScratchFile(const char* name) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quirlon95-fuzz-XXXXXX");
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    folder = pattern;
    file = folder / name;
}

ScratchFile::~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void ScratchFile::write(const std::uint8_t* data, std::size_t size) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out || std::fwrite(data, 1, size, out) != size || std::fclose(out) != 0) {
        std::perror(file.c_str());
        std::abort();
    }
}
