#include "benches.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The window sections need no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    velmora::bench::constructionBench();
    velmora::bench::constructionWindowBench();
    velmora::bench::layoutBench();
    velmora::bench::windowBench();
    velmora::bench::configurationBench();
    velmora::bench::simulationBench();
    velmora::bench::shellBench();
    velmora::bench::previewBench();
    velmora::bench::downloadBench();
    velmora::bench::downloadWindowBench();
    return 0;
}
