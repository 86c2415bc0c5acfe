#include "bench_programs.h"
#include "benches.h"

#include <QApplication>

#include <cstring>
#include <utility>

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
    // Sections by name ("velmora-bench construction preview") to time or
    // profile some apart; all of them without a name.
    using Section = std::pair<const char*, void (*)()>;
    const Section sections[] = {
        {"construction", velmora::bench::constructionBench},
        {"click", velmora::bench::constructionWindowBench},
        {"layout", velmora::bench::layoutBench},
        {"window", velmora::bench::windowBench},
        {"configuration", velmora::bench::configurationBench},
        {"simulation", velmora::bench::simulationBench},
        {"shell", velmora::bench::shellBench},
        {"startup", velmora::bench::startupBench},
        {"preview", velmora::bench::previewBench},
        {"download", velmora::bench::downloadBench},
        {"download-window", velmora::bench::downloadWindowBench},
    };
    for (const auto& [name, run] : sections) {
        bool chosen = argc == 1;
        for (int i = 1; i < argc; ++i)
            chosen = chosen || std::strcmp(argv[i], name) == 0;
        if (chosen)
            run();
    }
    return 0;
}
