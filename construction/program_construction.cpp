#include "program_construction.h"

#include "glyph_cache.h"
#include "program_writer.h"

#include "common/codepage.h"

#include <algorithm>

namespace velmora {
namespace {

ConstructionOutcome missingGlyph(char32_t character)
{
    return {ConstructionStatus::MissingGlyph, character, std::nullopt};
}

ConstructionOutcome fileFailure(const FileError& error)
{
    return {ConstructionStatus::FileFailure, 0, error};
}

// Engraves the characters of one line, advancing its start X by one pitch
// after each. Nothing when every character was copied.
std::optional<ConstructionOutcome> writeLineCharacters(const EngravingJob& job, const LayoutResult& layout,
                                                       int line, ProgramWriter& writer,
                                                       const GlyphCopier& copyGlyph,
                                                       const ConstructionProgress& progress,
                                                       int& doneCount)
{
    double startX = layout.startX[line];
    const double baseY = layout.baseY[line];
    for (char32_t character : job.lineText[line]) {
        writer.writeCharacterApproach(startX, baseY);
        // A character the code page cannot hold has no code, so no glyph file.
        const auto code = cp1252::encode(character);
        if (!code)
            return missingGlyph(character);
        const GlyphCopy copy = copyGlyph(*code, writer);
        if (copy.status == GlyphStatus::Missing)
            return missingGlyph(character);
        if (copy.status == GlyphStatus::Unreadable)
            return fileFailure(*copy.error);
        if (writer.error())
            return fileFailure(*writer.error());
        startX = static_cast<double>(job.charWidth) + startX + static_cast<double>(job.charSpacing);
        ++doneCount;
        if (progress)
            progress(doneCount, layout.totalChars);
    }
    return std::nullopt;
}

}  // namespace

ConstructionOutcome buildProgramFile(const EngravingJob& job, const LayoutResult& layout,
                                     const ProgramPlaces& places, const DateTimeTexts& stamp,
                                     const ConstructionProgress& progress)
{
    GlyphCache glyphs(places.glyphFolder, job.charWidth);
    const GlyphCopier copyCached = [&glyphs](std::uint8_t code, ProgramWriter& writer) {
        return glyphs.copyGlyph(code, writer);
    };
    return buildProgramFile(job, layout, places.workFolder, stamp, copyCached, progress);
}

ConstructionOutcome buildProgramFile(const EngravingJob& job, const LayoutResult& layout,
                                     const std::filesystem::path& workFolder,
                                     const DateTimeTexts& stamp, const GlyphCopier& copyGlyph,
                                     const ConstructionProgress& progress)
{
    const MachiningWords words = machiningWords(job);
    ProgramWriter writer(workFolder, stamp);
    if (!writer.createProgramFile())
        return fileFailure(*writer.error());
    writer.writeHeader(job.programNumber);
    writer.writeSetup(words);

    int doneCount = 0;
    const int firstLine = std::max(layout.firstLine, 1);
    const int lastLine = std::min(layout.lastLine, kLineCount);
    for (int line = firstLine; line <= lastLine; ++line) {
        writer.writeLineBlock(line, layout.startX[line], layout.baseY[line], job.approachZ);
        if (auto stopped = writeLineCharacters(job, layout, line, writer, copyGlyph, progress, doneCount))
            return *stopped;
    }
    if (!writer.writeEnd())
        return fileFailure(*writer.error());
    return {};
}

}  // namespace velmora
