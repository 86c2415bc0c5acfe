#include "benches.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    velmora::bench::constructionBench();
    velmora::bench::layoutBench();
    velmora::bench::configurationBench();
    velmora::bench::downloadBench();
    return 0;
}
