#include "app/splash_window.h"
#include "app/startup.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/pause.h"
#include "panel/program_icon.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The controls stand at fixed places; one style everywhere keeps them
    // clear of each other whatever the desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(velmora::programIcon());
    velmora::useFrenchToolkitTexts(app);

    velmora::MainWindow window;
    velmora::ModalMessageBoxes messages(&window);
    velmora::SleepingPause pause;
    const velmora::ShellSeams seams{
        messages,
        pause,
        [&window] { velmora::showSplash(&window); },
        [&window] {
            QCoreApplication::exit(0);
            window.close();
        },
    };
    velmora::connectShellButtons(window, seams);
    velmora::startUp(window, seams);
    return QApplication::exec();
}
