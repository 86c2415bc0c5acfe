#include "construction_action.h"

#include "construction_messages.h"
#include "construction_meter.h"
#include "window_job.h"

#include "panel/main_window.h"
#include "panel/option_groups.h"
#include "panel/messages.h"
#include "panel/meter.h"
#include "panel/pause.h"
#include "panel/qt_text.h"
#include "ui_mainwindow.h"

#include "construction/clock.h"

#include <QPushButton>

#include <utility>
#include <variant>

namespace velmora {

ConstructionAction::ConstructionAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                                       ProgramPlaces places)
    : window_(window), messages_(messages), pause_(pause), places_(std::move(places))
{
    click_ = QObject::connect(window_.form().Const1, &QPushButton::clicked, window_.form().Const1,
                              [this] { Const1_Click(); });
}

ConstructionAction::~ConstructionAction()
{
    QObject::disconnect(click_);
}

void ConstructionAction::Const1_Click()
{
    Ui::MainWindow& form = window_.form();
    EngravingJob job = readEngravingJob(form);
    applyBlankLineRule(job);
    writeBackLineTexts(form, job);

    const auto layout = layoutTextBlock(job.blockInput(), readLayoutChoices(form), [this] { return refreshExtents(); });
    if (!std::holds_alternative<LayoutResult>(layout)) {
        fail(refusedLayoutText());
        return;
    }

    readMachiningValues(form, job);
    const ConstructionOutcome outcome = writeProgram(job, std::get<LayoutResult>(layout));
    switch (outcome.status) {
    case ConstructionStatus::Written:
        window_.Chargelisting();
        showFinished();
        return;
    case ConstructionStatus::MissingGlyph:
        fail(missingGlyphText(outcome.character));
        return;
    case ConstructionStatus::FileFailure:
        fail(fileFailureText(*outcome.failure));
        return;
    }
}

// The layout reads the extents as the operator sees them, fresh from recalcul.
std::string ConstructionAction::refreshExtents()
{
    window_.recalcul();
    return toWindows1252(window_.form().Encombrement->text()).bytes;
}

ConstructionOutcome ConstructionAction::writeProgram(const EngravingJob& job, const LayoutResult& layout)
{
    ConstructionMeter meter(window_.meter());
    return buildProgramFile(job, layout, places_, currentDateTimeTexts(), glyphs_,
                            [&meter](int doneCount, int totalChars) { meter.showProgress(doneCount, totalChars); });
}

void ConstructionAction::showFinished()
{
    ConstructionMeter meter(window_.meter());
    meter.showFull();
    pause_.pause(kFullBarPause);
    meter.rest();
}

// The previous program stays on disk and in the listing; the meter goes back
// to rest once the operator has read the message.
void ConstructionAction::fail(const QString& text)
{
    messages_.show(MessageIcon::Critical, MessageButtons::Ok, constructionFailureTitle(), text);
    ConstructionMeter(window_.meter()).rest();
}

}  // namespace velmora
