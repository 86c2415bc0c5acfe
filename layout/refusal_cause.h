#pragma once
// Why the layout step refused a job, in the operator's French, with the
// numbers that decided it. It stands under the one message every refusal
// shows, so the operator knows which value to change.

#include "block_layout.h"

#include <string>

namespace velmora {

// UTF-8. `blockHeight` is the height the layout read back from the extents
// (not used for the other causes).
std::string refusalCause(LayoutRefusal refusal, const BlockInput& input, double blockHeight);

}  // namespace velmora
