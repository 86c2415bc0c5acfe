#pragma once
// The heart of "Construire" once the layout has accepted the job: writes the
// whole program, line by line and character by character, and says how it
// ended: written, or the Failure (a missing glyph, no glyph folder, a file
// that could not be read or written), velmora.rub then left unchanged.

#include "engraving_job.h"
#include "common/failure.h"
#include "glyph_cache.h"
#include "glyph_file.h"
#include "program_writer.h"
#include "resume_point.h"

#include "layout/block_layout.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

namespace velmora {

class ProgramWriter;

struct ProgramPlaces {
    std::filesystem::path workFolder;   // where velmora.rub is written
    std::filesystem::path glyphFolder;  // where the Ascii<code>.prg files are read
    // The folders where the glyph folder was looked for, named to the
    // operator when none held it.
    std::vector<std::filesystem::path> glyphFolderSearched;
};

// Called after every character with the count done so far and the job's total,
// so that the window can move its meter.
using ConstructionProgress = std::function<void(int doneCount, int totalChars)>;

// Writes the program for an accepted layout: header, set-up block, the block
// of every line from firstLine to lastLine (empty lines between included),
// each character's approach and glyph, end block. Each glyph file is read once.
// Without a glyph folder nothing is written.
Result<WrittenProgram> buildProgramFile(const EngravingJob& job, const LayoutResult& layout,
                                        const ProgramPlaces& places, const DateTimeTexts& stamp,
                                        const ConstructionProgress& progress = {});

// The same, with the glyph files kept in `glyphs` from one construction to
// the next.
Result<WrittenProgram> buildProgramFile(const EngravingJob& job, const LayoutResult& layout,
                                        const ProgramPlaces& places, const DateTimeTexts& stamp, GlyphCache& glyphs,
                                        const ConstructionProgress& progress = {});

// A resume program: the whole program's header with the resume comment after
// its time line, the same set-up block, then the block of the line holding
// resumePoint and its characters from that one on, every later line as in
// the whole program, and the end block. Every character written stands
// exactly where the whole program puts it; those before resumePoint are left
// out, as are the line blocks of the lines above. The tool therefore comes
// down to the approach height over the start of the resumed line and travels
// at that height to the resumed character, as it travels between characters
// in the whole program. resumePoint comes from resumePointFrom over the
// job's lines. The progress counts the characters of the resume only.
Result<WrittenProgram> buildResumeProgramFile(const EngravingJob& job, const LayoutResult& layout,
                                              TextPlace resumePoint, const ProgramPlaces& places,
                                              const DateTimeTexts& stamp, const ConstructionProgress& progress = {});

}  // namespace velmora
