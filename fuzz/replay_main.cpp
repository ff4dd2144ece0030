// Replays a corpus through a fuzz target without the fuzzing engine, so every build (with any
// compiler) runs the kept inputs as an ordinary test. Arguments are files or folders; a folder
// contributes every regular file in it, in name order.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> inputsOf(const std::filesystem::path& argument)
{
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(argument)) {
        for (const auto& entry : std::filesystem::directory_iterator(argument))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
    } else {
        files.push_back(argument);
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    std::size_t replayed = 0;
    for (int a = 1; a < argc; ++a) {
        for (const auto& file : inputsOf(argv[a])) {
            std::ifstream in(file, std::ios::binary);
            if (!in) {
                std::cerr << "cannot read " << file << '\n';
                return 1;
            }
            const std::vector<char> bytes { std::istreambuf_iterator<char>(in), {} };
            // A copy of exactly the input's size, so a read past the end is caught by the
            // sanitizer build as it would be under the fuzzer.
            std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
            LLVMFuzzerTestOneInput(data.data(), data.size());
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::cerr << "no corpus input found\n";
        return 1;
    }
    std::cout << "replayed " << replayed << " inputs\n";
    return 0;
}
