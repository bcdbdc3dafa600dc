#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

// A file of the fuzzer's own in a fresh temporary folder, rewritten for every input and removed
// with its folder at the end.
class ScratchFile {
public:
    explicit ScratchFile(const char* name);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    void write(const std::uint8_t* data, std::size_t size);
    const std::filesystem::path& path() const { return file; }

private:
    std::filesystem::path folder;
    std::filesystem::path file;
};
