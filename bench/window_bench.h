#pragma once

namespace velmora {

void runWindowBench();

}  // namespace velmora
