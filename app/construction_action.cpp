#include "construction_action.h"

#include "construction_messages.h"
#include "construction_meter.h"
#include "construction_run.h"

#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/pause.h"

#include "construction/clock.h"

#include <utility>

namespace velmora {

ConstructionAction::ConstructionAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                                       ProgramPlaces places)
    : window_(window), messages_(messages), pause_(pause), places_(std::move(places))
{
}

void ConstructionAction::build()
{
    ConstructionMeter meter(window_.meter());
    const ConstructionReport report
        = runConstruction(window_.model(), places_, currentDateTimeTexts(), glyphs_,
                          [&meter](int doneCount, int totalChars) { meter.showProgress(doneCount, totalChars); });
    finish(report);
}

void ConstructionAction::buildResume(TextPlace chosen)
{
    ConstructionMeter meter(window_.meter());
    const ConstructionReport report
        = runResumeConstruction(window_.model(), chosen, places_, currentDateTimeTexts(),
                                [&meter](int doneCount, int totalChars) { meter.showProgress(doneCount, totalChars); });
    finish(report);
}

void ConstructionAction::finish(const ConstructionReport& report)
{
    if (report.end != ConstructionEnd::Written) {
        fail(report.text, report.cause);
        return;
    }
    window_.reloadListing();
    showFinished();
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
void ConstructionAction::fail(const QString& text, const QString& cause)
{
    messages_.show(MessageIcon::Critical, MessageButtons::Ok, constructionFailureTitle(), text, cause);
    ConstructionMeter(window_.meter()).rest();
}

}  // namespace velmora
