// Runs a fuzz target over every file of the folders named on the command line, the way libFuzzer
// runs its corpus, so the ordinary build and CTest exercise the targets without clang. A target
// that fails aborts, and so does this program; a missing folder is no seed.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char *argv[])
{
    std::size_t inputs = 0;
    for (int folder = 1; folder < argc; ++folder) {
        std::error_code error;
        if (!std::filesystem::is_directory(argv[folder], error))
            continue;
        std::vector<std::filesystem::path> files;
        for (const auto &entry : std::filesystem::directory_iterator(argv[folder])) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
        for (const std::filesystem::path &file : files) {
            std::ifstream stream(file, std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
            ++inputs;
        }
    }
    std::printf("%zu inputs run\n", inputs);
    // A corpus that holds nothing would test nothing.
    return inputs > 0 ? 0 : 1;
}
