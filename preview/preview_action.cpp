#include "preview_action.h"

#include "preview_window.h"
#include "toolpath_preview.h"

#include "common/numbers.h"
#include "panel/main_window.h"
#include "transmission/program_listing.h"

namespace velmora::preview {
namespace {

// Notes the new program file; the preview reads it when it is shown.
void reload(PreviewWindow& preview, const FormModel& form)
{
    preview.programChanged(std::filesystem::path(kProgramFileName), readPreviewSettings(form));
}

}  // namespace

PreviewSettings readPreviewSettings(const FormModel& form)
{
    const LayoutChoices choices = form.layoutChoices();
    PreviewSettings settings;
    settings.placement = choices.placement;
    settings.corner = choices.corner;
    settings.posX = leadingNumber(form.valueBox(ScrollBar::PositionX));
    settings.posY = leadingNumber(form.valueBox(ScrollBar::PositionY));
    settings.feed = leadingNumber(form.valueBox(ScrollBar::Feed));
    settings.workTopZ = leadingNumber(form.valueBox(ScrollBar::PositionZ));
    return settings;
}

PreviewWindow& attachPreview(MainWindow& window)
{
    auto* preview = new PreviewWindow(&window);
    const FormModel& form = window.model();
    QObject::connect(&window, &MainWindow::listingReloaded, preview, [preview, &form] { reload(*preview, form); });
    reload(*preview, form);
    return *preview;
}

}  // namespace velmora::preview
