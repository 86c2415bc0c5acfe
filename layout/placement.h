#pragma once
// Where a line starts across the plate and where the block's top edge lies,
// by the operator's justification, placement and origin corner. Each rule is a
// row of a table in placement.cpp; a choice that no row covers gives nothing,
// and the caller leaves the value at 0.

#include "layout/block_layout.h"

#include <optional>

namespace velmora {

bool centresX(Placement placement);
bool centresY(Placement placement);

// The X of a line's left end. PX is posX, W the block's width, w the line's own
// width.
std::optional<double> lineStartX(const LayoutChoices& choices, double PX, double W, double w);

// The Y of the block's top edge. PY is posY, H the block's height.
std::optional<double> blockTopY(const LayoutChoices& choices, double PY, double H);

}  // namespace velmora
