#include "main_window.h"

#include "display_rules.h"
#include "extents_view.h"
#include "meter.h"
#include "option_groups.h"
#include "program_listing_view.h"
#include "program_icon.h"
#include "size_settings.h"
#include "text_lines.h"
#include "tool_tips.h"
#include "ui_mainwindow.h"

#include "transmission/program_listing.h"

namespace velmora {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>())
{
    ui_->setupUi(this);
    setWindowIcon(programIcon());
    meter_ = std::make_unique<Meter>(ui_->Visu1, ui_->Visu2);

    const auto recompute = [this] { recalcul(); };
    connectDisplayRules(*ui_);
    connectSizeSettings(*ui_, recompute);
    connectTextLines(*ui_, recompute);
    connectJustification(*ui_);
    connectPlacement(*ui_);
}

MainWindow::~MainWindow() = default;

Ui::MainWindow& MainWindow::form()
{
    return *ui_;
}

Meter& MainWindow::meter()
{
    return *meter_;
}

void MainWindow::recalcul()
{
    showExtents(*ui_, computeExtents(readExtentsInput(*ui_)));
}

void MainWindow::Chargelisting()
{
    ui_->Programme->setListing(ProgramListing(readProgramListing(std::filesystem::path(kProgramFileName))));
    emit listingReloaded();
}

void MainWindow::setToolTips()
{
    applyToolTips(*this);
}

}  // namespace velmora
