#pragma once
// The value scroll bars from the keyboard. Each bar takes focus by Tab (the
// form gives them strong focus, in its tab order) and moves as its thumb does: Right or Up raises the value by the arrow step,
// Left or Down lowers it, Page Up and Page Down move by the page step, Home and
// End go to the ends. Qt's scroll bars turn the arrow keys the other way round
// on a horizontal bar, and draw no focus at all under the Fusion style, so a
// bar with keyboard focus gets a ring of the highlight colour here.

#include <functional>

class QScrollBar;

namespace velmora {

// `onEnter` runs when Enter or Return is pressed while the bar has focus.
void installScrollBarKeys(QScrollBar& bar, std::function<void()> onEnter);

}  // namespace velmora
