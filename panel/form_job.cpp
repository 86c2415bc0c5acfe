#include "form_job.h"

#include "common/numbers.h"

#include <algorithm>

namespace velmora {
namespace {

double numberIn(const std::string& displayText)
{
    return leadingNumber(displayText);
}

double numberIn(const FormModel& form, ScrollBar bar)
{
    return numberIn(form.valueBox(bar));
}

// The block as the construction read it, kept to name the value a refusal
// went by: the widest line as its read-out showed it when the job was read,
// the height as the extents read-out shows it now.
Failure refused(LayoutRefusal refusal, const BlockInput& block, const FormModel& form)
{
    if (refusal == LayoutRefusal::NoText)
        return Failure(FailureKind::NoText);
    if (refusal == LayoutRefusal::DoesNotFitY) {
        Failure failure(FailureKind::BlockTooHigh);
        failure.blockMillimetres = readBackExtents(form.encombrement()).height;
        failure.plateMillimetres = block.posY;
        return failure;
    }
    Failure failure(FailureKind::BlockTooWide);
    for (int line = 1; line <= kLineCount; ++line)
        failure.blockMillimetres = std::max(failure.blockMillimetres, block.lineWidth[line]);
    failure.plateMillimetres = block.posX;
    return failure;
}

}  // namespace

EngravingJob engravingJobOf(const FormModel& form)
{
    EngravingJob job;
    job.lineText = form.lineTexts();
    // Read before any blank-only line is emptied: such a line keeps, for this
    // construction, the width its blanks gave.
    for (int line = 1; line <= kLineCount; ++line)
        job.lineWidth[line] = numberIn(form.lineReadout(line));
    job.posX = numberIn(form, ScrollBar::PositionX);
    job.posY = numberIn(form, ScrollBar::PositionY);
    // The tool comes down to 1 mm above the height set before each line.
    job.approachZ = numberIn(form, ScrollBar::PositionZ) + 1;
    job.charWidth = static_cast<float>(numberIn(form, ScrollBar::CharacterSize));
    job.charSpacing = static_cast<float>(numberIn(form, ScrollBar::CharacterSpacing));
    job.lineSpacing = static_cast<float>(numberIn(form, ScrollBar::LineSpacing));

    job.toolChange = form.isSelected(OptionGroup::ToolChanger, 0);  // "Oui"
    job.coolant = form.isSelected(OptionGroup::Coolant, 0);         // "Oui"
    job.toolText = form.valueBox(ScrollBar::Tool);
    job.correctorText = form.valueBox(ScrollBar::Corrector);
    job.rangeText = form.valueBox(ScrollBar::SpeedRange);
    job.spindleText = form.valueBox(ScrollBar::SpindleSpeed);
    job.feedText = form.valueBox(ScrollBar::Feed);
    job.programNumber = form.valueBox(ScrollBar::ProgramNumber);
    return job;
}

std::variant<LayoutRefusal, LaidOutJob> layOutJob(FormModel& form)
{
    EngravingJob job = engravingJobOf(form);
    applyBlankLineRule(job);
    for (int line = 1; line <= kLineCount; ++line)
        form.setLineText(line, job.lineText[line]);

    // The extents are read back as the operator sees them, fresh. (Each line
    // written back has refreshed them already; a job without text is refused
    // before they are read.)
    form.updateExtents();
    const auto layout = layoutTextBlock(job.blockInput(), form.layoutChoices(), form.encombrement());
    if (const auto* refusal = std::get_if<LayoutRefusal>(&layout))
        return *refusal;
    return LaidOutJob{std::move(job), std::get<LayoutResult>(layout)};
}

std::variant<LayoutRefusal, LaidOutJob> layOutJobUnchanged(const FormModel& form)
{
    FormModel copy = form;
    copy.setListener({});  // the window shows the form itself, not this copy
    return layOutJob(copy);
}

Result<WrittenProgram> buildProgram(FormModel& form, const ProgramPlaces& places, const DateTimeTexts& stamp,
                                    const ConstructionProgress& progress)
{
    GlyphCache glyphs;
    return buildProgram(form, places, stamp, glyphs, progress);
}

Result<WrittenProgram> buildProgram(FormModel& form, const ProgramPlaces& places, const DateTimeTexts& stamp,
                                    GlyphCache& glyphs, const ConstructionProgress& progress)
{
    const BlockInput block = engravingJobOf(form).blockInput();
    const auto laidOut = layOutJob(form);
    if (const auto* refusal = std::get_if<LayoutRefusal>(&laidOut))
        return refused(*refusal, block, form);
    const auto& [job, layout] = std::get<LaidOutJob>(laidOut);
    return buildProgramFile(job, layout, places, stamp, glyphs, progress);
}

Result<WrittenProgram> buildResumeProgram(FormModel& form, TextPlace chosen, const ProgramPlaces& places,
                                          const DateTimeTexts& stamp, const ConstructionProgress& progress)
{
    const BlockInput block = engravingJobOf(form).blockInput();
    const auto laidOut = layOutJob(form);
    if (const auto* refusal = std::get_if<LayoutRefusal>(&laidOut))
        return refused(*refusal, block, form);
    const auto& [job, layout] = std::get<LaidOutJob>(laidOut);
    const auto point = resumePointFrom(job.lineText, chosen);
    if (const auto* refusal = std::get_if<ResumeRefusal>(&point)) {
        Failure failure(*refusal == ResumeRefusal::NoSuchCharacter ? FailureKind::NoCharacterThere
                                                                  : FailureKind::OnlyBlanksLeft);
        failure.line = chosen.line;
        failure.rank = chosen.character;
        return failure;
    }
    return buildResumeProgramFile(job, layout, std::get<TextPlace>(point), places, stamp, progress);
}

}  // namespace velmora
