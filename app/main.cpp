#include "panel/main_window.h"
#include "panel/program_icon.h"
#include "panel/window_placement.h"
#include "preview/preview_action.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The controls stand at fixed places; one style everywhere keeps them
    // clear of each other whatever the desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setWindowIcon(velmora::programIcon());

    velmora::MainWindow window;
    velmora::preview::attachPreview(window);
    velmora::centreOnScreen(window);
    window.show();
    return QApplication::exec();
}
