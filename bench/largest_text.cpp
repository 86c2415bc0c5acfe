#include "largest_text.h"

#include "common/codepage.h"
#include "fontgen/font.h"

#include <map>
#include <string>
#include <vector>

namespace velmora::bench {

simulation::GlyphProof largestText()
{
    const std::map<int, fontgen::GlyphProgram> font = fontgen::engravingFontFiles();
    const std::string text = cp1252::encode(U"Où l'été s'achève, Noël ÇÀ 0123456789 gjpqy € « œ » ÂÊÎÔÛ").bytes;
    std::vector<std::vector<std::string>> lines(kLines);
    for (auto& line : lines)
        for (int i = 0; i < kCharactersPerLine; ++i)
            line.push_back(font.at(static_cast<unsigned char>(text[static_cast<std::size_t>(i) % text.size()])).text);
    return simulation::unitScaleProof(lines);
}

}  // namespace velmora::bench
