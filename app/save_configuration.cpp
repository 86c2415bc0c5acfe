#include "save_configuration.h"

#include "app/form_configuration.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/meter.h"
#include "panel/pause.h"

namespace velmora {
namespace {

const QString kQuestion = QStringLiteral("Enregistrer la configuration ?");

// The model's values written to velmora.txt, or why not.
Result<void> saveModel(const FormModel& form, const std::filesystem::path& folder)
{
    const Result<ConfigurationValues> taken = configurationOf(form);
    if (!taken.ok())
        return taken.failure();
    return saveConfiguration(folder, taken.value());
}

}  // namespace

void runSaveMeter(Meter& meter, PauseSeam& pause)
{
    // One step, and one repaint, per pixel of the bar: nothing finer can be
    // seen.
    const int full = meter.fullPixels();
    for (int pixels = 0; pixels <= full; ++pixels) {
        meter.showShare(pixels, full);
        meter.repaintIfChanged();
    }
    meter.showFull();
    meter.repaintNow();
    pause.pause(kFullMeterPause);
    meter.rest();
    meter.repaintNow();
}

void askAndSaveConfiguration(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                             const std::filesystem::path& folder)
{
    if (messages.show(MessageIcon::Question, MessageButtons::OkCancel, QString(), kQuestion) != MessageAnswer::Ok)
        return;
    const Result<void> saved = saveModel(window.model(), folder);
    if (!saved.ok()) {
        tellFailure(messages, MessageIcon::Critical, Task::SaveConfiguration, saved.failure());
        return;
    }
    // The question has just closed, and the thread stays held until the meter
    // is back at rest: draw now what the box covered, or it lingers there.
    window.repaint();
    runSaveMeter(window.meter(), pause);
}

}  // namespace velmora
