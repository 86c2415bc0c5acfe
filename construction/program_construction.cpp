#include "program_construction.h"

#include "glyph_cache.h"
#include "program_writer.h"
#include "resume_point.h"

#include "common/codepage.h"

#include <algorithm>
#include <optional>

namespace velmora {
namespace {

Failure missingGlyph(char32_t character)
{
    Failure failure(FailureKind::MissingGlyph);
    failure.character = character;
    return failure;
}

// One construction from its first character to its last, with the count of
// characters done so far. A whole program starts at the first character of
// firstLine; a resume starts further on and leaves out what comes before.
class Construction {
public:
    Construction(const EngravingJob& job, const LayoutResult& layout, TextPlace from, ProgramWriter& writer,
                 GlyphCache& glyphs, const ConstructionProgress& progress)
        : job_(job), layout_(layout), from_(from), writer_(writer), glyphs_(glyphs), progress_(progress)
    {
        const int lastLine = std::min(layout_.lastLine, kLineCount);
        for (int line = std::max(from_.line, 1); line <= lastLine; ++line)
            totalChars_ += static_cast<int>(job_.lineText[line].size());
        totalChars_ = std::max(totalChars_ - std::max(from_.character - 1, 0), 0);
    }

    // Every line block from the starting line to lastLine; nothing when all
    // were written, otherwise why the construction stopped.
    std::optional<Failure> writeLines()
    {
        const int lastLine = std::min(layout_.lastLine, kLineCount);
        for (int line = std::max(from_.line, 1); line <= lastLine; ++line) {
            writer_.writeLineBlock(line, layout_.startX[line], layout_.baseY[line], job_.approachZ);
            if (auto stopped = writeCharacters(line, line == from_.line ? from_.character : 1))
                return stopped;
        }
        return std::nullopt;
    }

private:
    // The characters of one line from the given rank on, each at its place in
    // the whole line: the line's start X advances by one pitch per character,
    // whatever the glyph's own width, those left out included.
    std::optional<Failure> writeCharacters(int line, int firstCharacter)
    {
        const std::u32string& text = job_.lineText[line];
        const std::size_t first = std::min(static_cast<std::size_t>(std::max(firstCharacter - 1, 0)), text.size());
        double startX = layout_.startX[line];
        for (std::size_t index = 0; index < first; ++index)
            startX = nextCharacterX(startX);
        const double baseY = layout_.baseY[line];
        for (std::size_t index = first; index < text.size(); ++index) {
            writer_.writeCharacterApproach(startX, baseY);
            if (auto stopped = copyCharacter(text[index]))
                return stopped;
            startX = nextCharacterX(startX);
            ++doneCount_;
            if (progress_)
                progress_(doneCount_, totalChars_);
        }
        return std::nullopt;
    }

    double nextCharacterX(double startX) const
    {
        return static_cast<double>(job_.charWidth) + startX + static_cast<double>(job_.charSpacing);
    }

    std::optional<Failure> copyCharacter(char32_t character)
    {
        // A character the code page cannot hold has no code, so no glyph file.
        const auto code = cp1252::encode(character);
        if (!code)
            return missingGlyph(character);
        const Result<void> copy = glyphs_.copyGlyph(*code, writer_);
        if (!copy.ok())
            return isMissingFile(copy.failure()) ? missingGlyph(character) : copy.failure();
        if (writer_.error())
            return *writer_.error();
        return std::nullopt;
    }

    const EngravingJob& job_;
    const LayoutResult& layout_;
    const TextPlace from_;
    ProgramWriter& writer_;
    GlyphCache& glyphs_;
    const ConstructionProgress& progress_;
    int doneCount_ = 0;
    int totalChars_ = 0;
};

// The program from `from` on, or nothing when a glyph copied on trust turned
// out to have changed: nothing has then taken the place of velmora.rub, and
// the program must be made again.
std::optional<Result<WrittenProgram>> writeProgram(const EngravingJob& job, const LayoutResult& layout,
                                                   TextPlace from, std::string_view resumeNote,
                                                   const std::filesystem::path& workFolder,
                                                   const DateTimeTexts& stamp, GlyphCache& glyphs,
                                                   const ConstructionProgress& progress)
{
    const MachiningWords words = machiningWords(job);
    ProgramWriter writer(workFolder, stamp);
    writer.startProgramFile();
    writer.writeHeader(job.programNumber, resumeNote);
    writer.writeSetup(words);

    Construction construction(job, layout, from, writer, glyphs, progress);
    if (auto stopped = construction.writeLines()) {
        // A folder where the program cannot be created is told before
        // anything the program was stopped for, and a glyph file changed
        // since it was kept before a failure further on in the text.
        if (!writer.programFileCreated())
            return *writer.error();
        if (!glyphs.keptGlyphsCurrent())
            return std::nullopt;
        return *stopped;
    }
    glyphs.startCheckingKept();
    const bool written = writer.writeEnd();
    if (!glyphs.keptGlyphsCurrent())
        return std::nullopt;
    if (!written || !writer.placeProgram())
        return *writer.error();
    return writer.takeProgram();
}

// Glyphs kept from an earlier construction are copied on trust, their files
// looked at while the program goes to the disk; if one has changed, the
// program is made once more, each file looked at before its glyph is copied.
Result<WrittenProgram> writeProgramWithGlyphs(const EngravingJob& job, const LayoutResult& layout, TextPlace from,
                                              std::string_view resumeNote, const ProgramPlaces& places,
                                              const DateTimeTexts& stamp, GlyphCache& glyphs,
                                              const ConstructionProgress& progress)
{
    glyphs.startConstruction(places.glyphFolder, job.charWidth, true);
    if (auto built = writeProgram(job, layout, from, resumeNote, places.workFolder, stamp, glyphs, progress))
        return std::move(*built);
    // Nothing is taken on trust now, so there is a result.
    glyphs.startConstruction(places.glyphFolder, job.charWidth, false);
    return *writeProgram(job, layout, from, resumeNote, places.workFolder, stamp, glyphs, progress);
}

}  // namespace

Result<WrittenProgram> buildProgramFile(const EngravingJob& job, const LayoutResult& layout,
                                        const ProgramPlaces& places, const DateTimeTexts& stamp,
                                        const ConstructionProgress& progress)
{
    GlyphCache glyphs;
    return buildProgramFile(job, layout, places, stamp, glyphs, progress);
}

Result<WrittenProgram> buildProgramFile(const EngravingJob& job, const LayoutResult& layout,
                                        const ProgramPlaces& places, const DateTimeTexts& stamp, GlyphCache& glyphs,
                                        const ConstructionProgress& progress)
{
    std::error_code ignored;
    if (!std::filesystem::is_directory(places.glyphFolder, ignored)) {
        Failure failure(FailureKind::NoFont);
        failure.searched = places.glyphFolderSearched;
        return failure;
    }
    const TextPlace firstCharacter{std::max(layout.firstLine, 1), 1};
    return writeProgramWithGlyphs(job, layout, firstCharacter, {}, places, stamp, glyphs, progress);
}

Result<WrittenProgram> buildResumeProgramFile(const EngravingJob& job, const LayoutResult& layout,
                                              TextPlace resumePoint, const ProgramPlaces& places,
                                              const DateTimeTexts& stamp, const ConstructionProgress& progress)
{
    GlyphCache glyphs;
    return writeProgramWithGlyphs(job, layout, resumePoint, resumeComment(resumePoint), places, stamp, glyphs,
                                  progress);
}

}  // namespace velmora
