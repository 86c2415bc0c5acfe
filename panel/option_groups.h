#pragma once
// The justification and placement option groups. Selecting a button by program
// has the same effect as the operator's click, so the window follows the
// stored choices from start-up on.

#include "layout/block_layout.h"

#include <Qt>

namespace Ui {
class MainWindow;
}

namespace velmora {

// Aligns the five text lines' display; their texts stay as they are.
void alignTextLines(const Ui::MainWindow& form, Qt::Alignment alignment);

// Enables or disables the four corner buttons; which corner is selected stays.
void enableCorners(const Ui::MainWindow& form, bool enabled);

// The justification, placement and origin corner buttons selected; None for a
// group where no button is. A corner stays selected while free placement
// disables the corner buttons, so it is read whatever their state.
LayoutChoices readLayoutChoices(const Ui::MainWindow& form);

void connectJustification(Ui::MainWindow& form);
void connectPlacement(Ui::MainWindow& form);

}  // namespace velmora
