#pragma once
// Where the main window goes on the screen. The form has a fixed size; on a
// screen whose free area is smaller (a small screen, or a large scaling), the
// form sits in a scroll area inside a window that fits, and the window's
// top-left corner always stays on the screen, so its title bar can be reached.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QMainWindow;

namespace velmora {

struct WindowFit {
    bool scrolled = false;  // the form does not fit whole: it sits in a scroll area
    QSize clientSize;       // the window without its frame
    QPoint framePosition;   // the top-left corner of the window's frame
};

// The fit of a form of `formSize` on a screen's free area `available`, for a
// window frame of `frame` and scroll bars `scrollBarExtent` thick.
WindowFit fitWindow(QSize formSize, QRect available, QMargins frame, int scrollBarExtent);

// Fits the main window on the free area of its screen and places it there:
// centred and unchanged when the form fits, in a scroll area otherwise. The
// second form takes the free area and the frame as given, for tests.
void fitOnScreen(QMainWindow& window);
void fitOnScreen(QMainWindow& window, QRect available, QMargins frame);

}  // namespace velmora
