#pragma once
// Alt-letter shortcuts for the window's command buttons. The captions keep
// their text; the chosen letter is marked so the style underlines it.

class QWidget;

namespace velmora {

void addCommandShortcuts(QWidget& window);

}  // namespace velmora
