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

// One construction from its first line to its last, with the count of
// characters done so far.
class Construction {
public:
    Construction(const EngravingJob& job, const LayoutResult& layout, ProgramWriter& writer,
                 const GlyphCopier& copyGlyph, const ConstructionProgress& progress)
        : job_(job), layout_(layout), writer_(writer), copyGlyph_(copyGlyph), progress_(progress)
    {
    }

    // Every line block from firstLine to lastLine; nothing when all were
    // written, otherwise why the construction stopped.
    std::optional<ConstructionOutcome> writeLines()
    {
        const int firstLine = std::max(layout_.firstLine, 1);
        const int lastLine = std::min(layout_.lastLine, kLineCount);
        for (int line = firstLine; line <= lastLine; ++line) {
            writer_.writeLineBlock(line, layout_.startX[line], layout_.baseY[line], job_.approachZ);
            if (auto stopped = writeCharacters(line))
                return stopped;
        }
        return std::nullopt;
    }

private:
    // The characters of one line, the line's start X advancing by one pitch
    // after each, whatever the glyph's own width.
    std::optional<ConstructionOutcome> writeCharacters(int line)
    {
        double startX = layout_.startX[line];
        const double baseY = layout_.baseY[line];
        for (char32_t character : job_.lineText[line]) {
            writer_.writeCharacterApproach(startX, baseY);
            if (auto stopped = copyCharacter(character))
                return stopped;
            startX = static_cast<double>(job_.charWidth) + startX + static_cast<double>(job_.charSpacing);
            ++doneCount_;
            if (progress_)
                progress_(doneCount_, layout_.totalChars);
        }
        return std::nullopt;
    }

    std::optional<ConstructionOutcome> copyCharacter(char32_t character)
    {
        // A character the code page cannot hold has no code, so no glyph file.
        const auto code = cp1252::encode(character);
        if (!code)
            return missingGlyph(character);
        const GlyphCopy copy = copyGlyph_(*code, writer_);
        if (copy.status == GlyphStatus::Missing)
            return missingGlyph(character);
        if (copy.status == GlyphStatus::Unreadable)
            return fileFailure(*copy.error);
        if (writer_.error())
            return fileFailure(*writer_.error());
        return std::nullopt;
    }

    const EngravingJob& job_;
    const LayoutResult& layout_;
    ProgramWriter& writer_;
    const GlyphCopier& copyGlyph_;
    const ConstructionProgress& progress_;
    int doneCount_ = 0;
};

}  // namespace

ConstructionOutcome buildProgramFile(const EngravingJob& job, const LayoutResult& layout,
                                     const ProgramPlaces& places, const DateTimeTexts& stamp,
                                     const ConstructionProgress& progress)
{
    std::error_code ignored;
    if (!std::filesystem::is_directory(places.glyphFolder, ignored))
        return {ConstructionStatus::NoFont, 0, std::nullopt};
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

    Construction construction(job, layout, writer, copyGlyph, progress);
    if (auto stopped = construction.writeLines())
        return *stopped;
    if (!writer.writeEnd())
        return fileFailure(*writer.error());
    return {};
}

}  // namespace velmora
