#include "construction_action.h"

#include "panel/form_job.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/meter.h"
#include "panel/pause.h"

#include "construction/program_writer.h"

#include <chrono>
#include <utility>

namespace velmora {
namespace {

// Repaints closer together than this would not be seen, and would cost a
// short construction more than its writing.
constexpr std::chrono::milliseconds kRepaintInterval{20};

// After each character the meter moves and is repainted at once, the
// operator's input waiting, but only when its bar has grown by a pixel (a
// long text moves it by one pixel only every few dozen characters), the last
// repaint is kRepaintInterval old and the construction has run that long: a
// construction over sooner goes from rest to full. The meter's width cannot
// change meanwhile, since the construction holds the thread.
ConstructionProgress meterProgress(Meter& meter)
{
    using Clock = std::chrono::steady_clock;
    return [&meter, fullPixels = static_cast<long long>(meter.fullPixels()), barPixels = -1LL,
            start = Clock::now()](int doneCount, int totalChars) mutable {
        if (totalChars <= 0)
            return;
        const long long pixels = fullPixels * doneCount / totalChars;
        if (pixels == barPixels)
            return;
        barPixels = pixels;
        meter.showShare(doneCount, totalChars);
        if (Clock::now() - start >= kRepaintInterval)
            meter.repaintIfChanged(kRepaintInterval);
    };
}

}  // namespace

ConstructionAction::ConstructionAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                                       ProgramPlaces places)
    : window_(window), messages_(messages), pause_(pause), places_(std::move(places))
{
}

void ConstructionAction::build()
{
    finish(buildProgram(window_.model(), places_, currentDateTimeTexts(), glyphs_, meterProgress(window_.meter())));
}

void ConstructionAction::buildResume(TextPlace chosen)
{
    finish(buildResumeProgram(window_.model(), chosen, places_, currentDateTimeTexts(),
                              meterProgress(window_.meter())));
}

// After a failure the previous program stays on disk and in the listing; the
// meter goes back to rest once the operator has read the message.
void ConstructionAction::finish(Result<WrittenProgram> built)
{
    if (!built.ok()) {
        tellFailure(messages_, MessageIcon::Critical, Task::Construction, built.failure());
        window_.meter().rest();
        return;
    }
    window_.showWrittenProgram(std::move(built.value()));
    showFinished();
}

// The full bar and then the rest are painted by the event loop: during the
// pause, which runs it, and as soon as the click has been answered, together
// with the new listing.
void ConstructionAction::showFinished()
{
    Meter& meter = window_.meter();
    meter.showFull();
    pause_.pause(kFullBarPause);
    meter.rest();
}

}  // namespace velmora
