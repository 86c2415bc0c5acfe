#pragma once
// The main window. Its controls are the system's working state: the
// construction, the configuration and the download read them by name through
// form(). The reactions of the controls live in their own files and are
// connected here.

#include <QMainWindow>

#include <memory>

namespace Ui {
class MainWindow;
}

namespace velmora {

class Meter;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    Ui::MainWindow& form();
    Meter& meter();

    // Recomputes the five line widths and the block's extents from what the
    // window shows now, and writes them into their read-outs.
    void recalcul();

    // Fills the listing from the program file in the working directory.
    void Chargelisting();

    // The start-up sets the tool tips once the configuration has been applied.
    void setToolTips();

signals:
    // Chargelisting has just shown the program file: a construction has
    // written a new one, or the start-up found the one left by the last run.
    void listingReloaded();

private:
    std::unique_ptr<Ui::MainWindow> ui_;
    std::unique_ptr<Meter> meter_;
};

}  // namespace velmora
