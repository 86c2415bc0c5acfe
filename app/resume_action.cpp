#include "resume_action.h"

#include "construction_action.h"

#include "panel/form_job.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "preview/preview_window.h"
#include "preview/resume_selection.h"
#include "common/whole_file.h"
#include "preview/toolpath_preview.h"

#include "construction/program_writer.h"
#include "construction/program_writer.h"

#include <QTemporaryDir>

namespace velmora {
namespace {

std::vector<preview::CharacterCell> cellsOf(const FormModel& form)
{
    const auto laidOut = layOutJobUnchanged(form);
    if (const auto* placed = std::get_if<LaidOutJob>(&laidOut))
        return preview::characterCells(placed->job, placed->layout);
    return {};
}

}  // namespace

ResumeAction::ResumeAction(MainWindow& window, MessageSeam& messages, ConstructionAction& construction,
                           preview::PreviewWindow& preview, ProgramPlaces places)
    : window_(window), messages_(messages), construction_(construction), preview_(preview),
      places_(std::move(places))
{
    preview_.resumeSelection().setCellSource([this] { return cellsOf(window_.model()); });
    QObject::connect(&preview_.resumeSelection(), &preview::ResumeSelection::resumeRequested, &preview_,
                     [this](TextPlace chosen) { resumeFrom(chosen); });
}

void ResumeAction::resumeFrom(TextPlace chosen)
{
    const MessageAnswer answer =
        messages_.show(MessageIcon::Question, MessageButtons::YesNo, QString(),
                       QStringLiteral("Construire un programme de reprise à partir de ce caractère ?"));
    if (answer != MessageAnswer::Yes)
        return;
    prepareEngravedStrokes(chosen);
    construction_.buildResume(chosen);
}

// What is already engraved is drawn from the whole program of the same job,
// written aside in a temporary folder: the resume itself holds none of it.
void ResumeAction::prepareEngravedStrokes(TextPlace chosen)
{
    const auto laidOut = layOutJobUnchanged(window_.model());
    const auto* placed = std::get_if<LaidOutJob>(&laidOut);
    if (!placed)
        return;
    const auto point = resumePointFrom(placed->job.lineText, chosen);
    QTemporaryDir aside;
    if (!std::holds_alternative<TextPlace>(point) || !aside.isValid())
        return;
    const std::filesystem::path folder(aside.path().toStdString());
    const auto whole =
        buildProgramFile(placed->job, placed->layout, {folder, places_.glyphFolder, {}}, currentDateTimeTexts());
    const Result<std::string> program = readWholeFile(folder / kProgramFileName, kProgramFileLimit);
    if (!whole.ok() || !program.ok())
        return;
    const TextPlace resumePoint = std::get<TextPlace>(point);
    preview_.setEngravedBefore(resumePoint, preview::strokesBefore(program.value(), preview::characterCells(placed->job, placed->layout),
                                                                   resumePoint));
}

}  // namespace velmora
