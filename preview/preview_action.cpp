#include "preview_action.h"

#include "preview_window.h"
#include "toolpath_preview.h"

#include "common/numbers.h"
#include "panel/main_window.h"
#include "panel/option_groups.h"
#include "panel/qt_text.h"
#include "transmission/program_listing.h"
#include "ui_mainwindow.h"

#include <QLineEdit>


namespace velmora::preview {
namespace {

double boxNumber(const QLineEdit& box)
{
    return leadingNumber(toWindows1252(box.text()).bytes);
}

// Notes the new program file; the preview reads it when it is shown.
void reload(PreviewWindow& preview, const Ui::MainWindow& form)
{
    preview.programChanged(std::filesystem::path(kProgramFileName), readPreviewSettings(form));
}

}  // namespace

PreviewSettings readPreviewSettings(const Ui::MainWindow& form)
{
    const LayoutChoices choices = readLayoutChoices(form);
    PreviewSettings settings;
    settings.placement = choices.placement;
    settings.corner = choices.corner;
    settings.posX = boxNumber(*form.Posx3);
    settings.posY = boxNumber(*form.Posy3);
    settings.feed = boxNumber(*form.Avance3);
    settings.workTopZ = boxNumber(*form.Posz3);
    return settings;
}

PreviewWindow& attachPreview(MainWindow& window)
{
    auto* preview = new PreviewWindow(&window);
    const Ui::MainWindow& form = window.form();
    QObject::connect(form.Aperçu1, &QPushButton::clicked, preview, [preview] {
        preview->show();
        preview->raise();
        preview->activateWindow();
    });
    QObject::connect(&window, &MainWindow::listingReloaded, preview, [preview, &form] { reload(*preview, form); });
    reload(*preview, form);
    return *preview;
}

}  // namespace velmora::preview
