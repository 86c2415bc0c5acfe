#include "bench_programs.h"
#include "benches.h"

#include <QApplication>

#include <cstring>

int main(int argc, char* argv[])
{
    // The window sections need no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--preview") == 0)
        return velmora::bench::previewChild(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--startup") == 0)
        return velmora::bench::startupChild(argv[2]);
    // The programs the sections time, to look at or profile them apart.
    if (argc == 3 && std::strcmp(argv[1], "--write-text-program") == 0)
        return velmora::bench::writeProgram(velmora::bench::builtProgram(2000, 4, 0.5f), argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--write-largest-program") == 0)
        return velmora::bench::writeProgram(velmora::bench::builtProgram(32767, 0.25f, 0), argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--write-circles-program") == 0)
        return velmora::bench::writeProgram(velmora::bench::circlesProgram(), argv[2]);
    velmora::bench::constructionBench();
    velmora::bench::constructionWindowBench();
    velmora::bench::layoutBench();
    velmora::bench::windowBench();
    velmora::bench::configurationBench();
    velmora::bench::simulationBench();
    velmora::bench::shellBench();
    velmora::bench::startupBench();
    velmora::bench::previewBench();
    velmora::bench::downloadBench();
    velmora::bench::downloadWindowBench();
    return 0;
}
