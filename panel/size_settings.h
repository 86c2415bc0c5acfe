#pragma once
// The three size scroll bars of the frame "Police": character size, space
// between characters, space between lines.

#include <functional>

namespace Ui {
class MainWindow;
}

namespace velmora {

// Every change of Echelle2, Espace2 or Interligne2 writes its value box (the
// value as whole-number text), then its read-out, then recomputes the extents.
void connectSizeSettings(Ui::MainWindow& form, const std::function<void()>& recalcul);

}  // namespace velmora
