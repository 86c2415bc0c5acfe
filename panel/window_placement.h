#pragma once

class QWidget;

namespace velmora {

// Places a window in the centre of the screen it will show on.
void centreOnScreen(QWidget& window);

}  // namespace velmora
