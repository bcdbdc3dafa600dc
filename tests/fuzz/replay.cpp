// Runs a fuzz target over saved inputs without the fuzzer: every file named, and every file in
// each folder named. Keeps the corpus and the inputs of fixed findings as regression tests in
// ordinary builds.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path named(argv[i]);
        // A folder of findings stays absent until there is a finding to keep.
        if (!std::filesystem::exists(named)) {
            continue;
        }
        if (std::filesystem::is_directory(named)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(named)) {
                if (entry.is_regular_file())
                    replayed += replay(entry.path());
            }
        } else {
            replayed += replay(named);
        }
    }
    std::cout << replayed << " inputs replayed\n";
    return replayed > 0 ? 0 : 1;
}
