// Replays saved inputs through a libFuzzer harness without libFuzzer, so the
// ordinary build and any compiler run them as a plain test: every file of
// the folders given (the seeds, and the inputs of earlier findings in
// fuzz/crashes), in name order. A harness that finds a fault aborts, and the
// test fails naming the file.
// Usage: b3d_reader_replay FOLDER...
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        std::error_code failed;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], failed))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.' &&
                entry.path().extension() != ".txt")
                files.push_back(entry.path());
        if (failed) {
            std::fprintf(stderr, "%s: %s\n", argv[i], failed.message().c_str());
            return 1;
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::fprintf(stderr, "%s\n", file.string().c_str());
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", files.size());
    return files.empty() ? 1 : 0;
}
