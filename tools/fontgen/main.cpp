// Writes the glyph files of the engraving font into the folder given as the
// one argument (the project's Data folder): velmora-fontgen <folder>

#include "font.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

using namespace velmora::fontgen;

namespace {

bool writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
try {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-fontgen <folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    int strokes = 0, written = 0;
    double worstMismatch = 0;
    for (const auto& [code, program] : engravingFontFiles()) {
        const std::filesystem::path path = folder / glyphFileName(code);
        if (!writeFile(path, program.text)) {
            std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
            return 1;
        }
        ++written;
        strokes += program.strokes;
        worstMismatch = std::max(worstMismatch, program.worstArcMismatch);
    }
    std::printf("%d glyph files written, %d strokes in all, worst arc radius mismatch %.4f units\n", written, strokes,
                worstMismatch);
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "velmora-fontgen: %s\n", e.what());
    return 1;
}
