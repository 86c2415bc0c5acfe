// Speed and memory of the parts the operator waits on, each section with its
// targets.

#include "window_bench.h"

int main()
{
    velmora::runWindowBench();
    return 0;
}
