#pragma once
// The tool tips of the main window. They sit on the caption labels and on the
// frames Visu, Origine and Options, never on the scroll bars, display boxes or
// text lines themselves.

class QWidget;

namespace velmora {

// Sets the 31 tool tips, in their table's order, on the children of `window`.
void applyToolTips(QWidget& window);

}  // namespace velmora
