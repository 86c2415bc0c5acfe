#pragma once
// One function per section of velmora-bench.

namespace velmora::bench {

// Sends 20,000 items over a pseudo-terminal drained by a reader thread.
void downloadBench();

}  // namespace velmora::bench
