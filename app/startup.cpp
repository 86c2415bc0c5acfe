#include "startup.h"

#include "app/form_configuration.h"
#include "app/save_configuration.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/window_placement.h"

#include <filesystem>

namespace velmora {
namespace {

const std::filesystem::path kWorkingFolder{"."};

// The window then starts from the first-start settings.
void tellLoading(MessageSeam& messages, const Result<ConfigurationRead>& loaded)
{
    if (!loaded.ok())
        tellFailure(messages, MessageIcon::Exclamation, Task::StartWindow, loaded.failure());
    else if (!loaded.value().cleanedLines.empty())
        messages.show(MessageIcon::Exclamation, MessageButtons::Ok, QStringLiteral("Configuration"),
                      cleanedLinesMessage(loaded.value().cleanedLines));
}

// "Quitter": asks "Quitter VELMORA ?"; Yes ends the program at once, saving
// nothing; No changes nothing.
void askToQuit(MessageSeam& messages, const std::function<void()>& endProgram)
{
    const MessageAnswer answer = messages.show(MessageIcon::Question, MessageButtons::YesNo, QString(),
                                               QStringLiteral("Quitter VELMORA ?"));
    // The box offers Yes and No only, and closing it counts as No.
    if (answer != MessageAnswer::No)
        endProgram();
}

}  // namespace

void connectShellCommands(MainWindow& window, const ShellSeams& seams)
{
    MainWindow* saved = &window;
    QObject::connect(&window, &MainWindow::saveRequested, &window, [saved, seams] {
        askAndSaveConfiguration(*saved, seams.messages, seams.pause, kWorkingFolder);
    });
    QObject::connect(&window, &MainWindow::quitRequested, &window,
                     [seams] { askToQuit(seams.messages, seams.endProgram); });
    QObject::connect(&window, &MainWindow::aboutRequested, &window, [seams] { seams.showSplash(); });
}

void startUp(MainWindow& window, const ShellSeams& seams)
{
    seams.showSplash();
    const Result<ConfigurationRead> loaded = loadConfigurationInto(window.model(), kWorkingFolder);
    window.reloadListing();
    window.model().updateExtents();
    window.setToolTips();
    tellLoading(seams.messages, loaded);
    fitOnScreen(window);
    window.show();
}

}  // namespace velmora
