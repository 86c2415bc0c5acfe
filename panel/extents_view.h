#pragma once
// What recalcul reads from the window and where it writes its texts.

#include "layout/extents.h"

namespace Ui {
class MainWindow;
}

namespace velmora {

// The five lines as typed, the value boxes Echelle3 and Espace3 as they read,
// and the values of Echelle2 and Interligne2.
ExtentsInput readExtentsInput(const Ui::MainWindow& form);

// The five width read-outs and Encombrement.
void showExtents(const Ui::MainWindow& form, const ExtentsTexts& texts);

}  // namespace velmora
