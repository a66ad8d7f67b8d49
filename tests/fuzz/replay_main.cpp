// Plays fuzz inputs (files, or directories of them) through the checked game, with any compiler:
// ctest replays the committed corpus this way. With --script, prints the events of each input as a
// blokko-trace script instead, to replay a failing input step by step:
//
//   blokko_fuzz_replay --script crash-1234 > crash.trace && blokko-trace < crash.trace

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/event_bytes.h"

namespace {

std::vector<std::uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv)
{
    bool script = false;
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--script") {
            script = true;
            continue;
        }
        if (std::filesystem::is_directory(argument)) {
            for (const auto& entry : std::filesystem::directory_iterator(argument))
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
        } else if (std::filesystem::is_regular_file(argument)) {
            inputs.emplace_back(argument);
        } else {
            std::cerr << "no such input: " << argument << '\n';
            return 2;
        }
    }
    if (inputs.empty()) {
        std::cerr << "usage: blokko_fuzz_replay [--script] FILE_OR_DIRECTORY...\n";
        return 2;
    }

    for (const auto& path : inputs) {
        const std::vector<std::uint8_t> bytes = readFile(path);
        if (bytes.size() > blokko::checks::MaxInputBytes)
            continue; // the fuzzer ignores these too
        const blokko::checks::Totals totals =
            blokko::checks::playBytes(bytes.data(), bytes.size(), script ? &std::cout : nullptr);
        if (!script)
            std::cerr << path.filename().string() << ": " << totals.events << " events, " << totals.pieces
                      << " pieces, " << totals.rows << " rows, " << totals.gamesOver << " games over\n";
    }
    if (!script)
        std::cout << inputs.size() << " inputs replayed, no invariant violated\n";
    return 0;
}
