#pragma once
// What the preview window offers the operator beside the drawing: Escape
// closes it, a line under the drawing says what the mouse does, and a check
// box hides the rapid moves so the cuts stand alone.

class QWidget;

namespace velmora::preview {

class PreviewView;

// `window` lays its drawing out in a column; the line and the check box go
// right under the drawing.
void addPreviewControls(QWidget& window, PreviewView& view);

}  // namespace velmora::preview
