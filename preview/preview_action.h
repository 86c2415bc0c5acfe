#pragma once
// Joins the preview to the main window: it follows the listing, so every
// construction and the start-up show their program there too. The program's
// main opens it on "Aperçu".

namespace velmora {
class FormModel;
class MainWindow;
}

namespace velmora::preview {

class PreviewWindow;
struct PreviewSettings;

// Placement, corner, X and Y positions, feed and work top as the form holds
// them now.
PreviewSettings readPreviewSettings(const FormModel& form);

// Creates the preview window, owned by `window`, and keeps it following the
// listing: the program file of the working directory is read when the
// preview is shown, and again after each new listing while it is shown.
PreviewWindow& attachPreview(MainWindow& window);

}  // namespace velmora::preview
