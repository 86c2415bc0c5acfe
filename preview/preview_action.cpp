#include "preview_action.h"

#include "preview_window.h"
#include "toolpath_preview.h"

#include "common/numbers.h"
#include "panel/main_window.h"
#include "panel/qt_text.h"
#include "transmission/program_listing.h"
#include "ui_mainwindow.h"

#include <QLineEdit>
#include <QRadioButton>

#include <array>
#include <utility>

namespace velmora::preview {
namespace {

double boxNumber(const QLineEdit& box)
{
    return leadingNumber(toWindows1252(box.text()).bytes);
}

// The first checked button's value; None when no button of the group is.
template <typename Choice, std::size_t N>
Choice checkedChoice(const std::array<std::pair<const QRadioButton*, Choice>, N>& group)
{
    for (const auto& [button, choice] : group)
        if (button->isChecked())
            return choice;
    return Choice::None;
}

void reload(PreviewWindow& preview, const Ui::MainWindow& form)
{
    preview.showProgram(readProgramFile(std::filesystem::path(kProgramFileName)), readPreviewSettings(form));
}

}  // namespace

PreviewSettings readPreviewSettings(const Ui::MainWindow& form)
{
    const std::array<std::pair<const QRadioButton*, Placement>, 4> placements{{
        {form.Option1, Placement::CentreXY},
        {form.Option2, Placement::CentreX},
        {form.Option3, Placement::CentreY},
        {form.Option4, Placement::Free},
    }};
    const std::array<std::pair<const QRadioButton*, Corner>, 4> corners{{
        {form.Origine1, Corner::TopLeft},
        {form.Origine2, Corner::TopRight},
        {form.Origine3, Corner::BottomLeft},
        {form.Origine4, Corner::BottomRight},
    }};
    PreviewSettings settings;
    settings.placement = checkedChoice(placements);
    settings.corner = checkedChoice(corners);
    settings.posX = boxNumber(*form.Posx3);
    settings.posY = boxNumber(*form.Posy3);
    settings.feed = boxNumber(*form.Avance3);
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
