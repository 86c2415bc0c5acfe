#include "glyph_proof.h"

#include "common/fields.h"
#include "common/numbers.h"

namespace velmora::simulation {
namespace {

constexpr double kUnitCharWidth = 4;

void addLine(std::string& program, const std::string& line)
{
    program += line;
    program += "\r\n";
}

std::string rapidTo(double x, double y)
{
    return "G0X" + numberTextTrimmed(x) + "Y" + numberTextTrimmed(y);
}

}  // namespace

GlyphProof unitScaleProof(const std::vector<std::vector<std::string>>& lines, const ProofLayout& layout)
{
    GlyphProof proof;
    std::string& program = proof.program;
    addLine(program, "G0G17G40G80G90");
    addLine(program, "G0G52Z");
    const double pitchX = kUnitCharWidth + layout.charSpacing;
    const double pitchY = kUnitCharWidth * 7 / 4 + layout.lineSpacing;
    for (std::size_t row = 0; row < lines.size(); ++row) {
        const double baseY = layout.originY - pitchY * static_cast<double>(row);
        double x = layout.originX;
        addLine(program, rapidTo(x, baseY));
        addLine(program, "G0Z" + numberTextTrimmed(layout.approachZ));
        for (const std::string& glyph : lines[row]) {
            addLine(program, rapidTo(x, baseY));
            for (const std::string& glyphLine : splitLines(glyph))
                addLine(program, glyphLine);
            proof.cells.push_back(cellAt(x, baseY, kUnitCharWidth));
            x += pitchX;
        }
    }
    addLine(program, "G0G52Z");
    return proof;
}

}  // namespace velmora::simulation
