#include "app/command_line.h"
#include "app/command_run.h"
#include "app/construction_action.h"
#include "app/download_action.h"
#include "app/program_places.h"
#include "app/resume_action.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/pause.h"
#include "preview/preview_action.h"
#include "preview/preview_window.h"

#include <QApplication>
#include <QFile>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    // The command line first: what it can do without a window ends here,
    // before anything asks for a display.
    const velmora::CommandLine command = velmora::readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const std::optional<int> exitCode = velmora::runWithoutWindow(command, std::cout, std::cerr))
        return *exitCode;
    if (command.action != velmora::CommandAction::OpenWindow) {
        // No window and no display: QtCore alone, whatever the environment
        // names as the window system.
        QCoreApplication app(argc, argv);
        return velmora::runCommand(command,
                                   QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(), std::cerr);
    }

    QApplication app(argc, argv);
    // The controls stand at fixed places; one style everywhere keeps them
    // clear of each other whatever the desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(velmora::programIcon());

    velmora::MainWindow window;
    velmora::ModalMessageBoxes messages(&window);
    velmora::EventLoopPause pause(window);
    const velmora::ProgramPlaces places =
        velmora::workingDirectoryPlaces(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    velmora::ConstructionAction construction(window, messages, pause, places);
    velmora::DownloadAction download(window, messages, pause);
    const velmora::ShellSeams seams{
        messages,
        pause,
        [&window] { velmora::showSplash(&window); },
        [&window] {
            QCoreApplication::exit(0);
            window.close();
        },
    };
    velmora::preview::PreviewWindow& preview = velmora::preview::attachPreview(window);
    velmora::ResumeAction resume(window, messages, construction, preview, places);

    QObject::connect(&window, &velmora::MainWindow::buildRequested, &window, [&construction] { construction.build(); });
    QObject::connect(&window, &velmora::MainWindow::downloadRequested, &window,
                     [&download] { download.startDownload(); });
    QObject::connect(&window, &velmora::MainWindow::previewRequested, &preview, [&preview] {
        preview.show();
        preview.raise();
        preview.activateWindow();
    });
    velmora::connectShellCommands(window, seams);
    velmora::startUp(window, seams);
    return QApplication::exec();
}
