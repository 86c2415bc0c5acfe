#pragma once
// The main window, the view of the form's model: it shows the model, turns
// the operator's input into model changes, and tells of its command buttons
// by signals, which the program's main connects to the actions. The generated
// form stays inside the window's own files.

#include "form_model.h"

#include <QIcon>
#include <QMainWindow>

#include <memory>

namespace Ui {
class MainWindow;
}

namespace velmora {

struct WrittenProgram;

class Meter;

// The program's icon (a V-bit cutting a letter into a plate), at 16, 32 and
// 48 pixels, for the window and the application.
QIcon programIcon();

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    FormModel& model() { return model_; }
    const FormModel& model() const { return model_; }
    Meter& meter();

    // Fills the listing from the program file in the working directory.
    void reloadListing();
    // Shows the program a construction has just written to that file.
    void showWrittenProgram(WrittenProgram program);

    // The start-up sets the tool tips once the configuration has been applied.
    void setToolTips();

signals:
    // reloadListing has just shown the program file: a construction has
    // written a new one, or the start-up found the one left by the last run.
    void listingReloaded();

    void buildRequested();     // "Construire"
    void downloadRequested();  // "Télécharger"
    void saveRequested();      // "Enregistrer"
    void quitRequested();      // "Quitter"
    void aboutRequested();     // "A propos de"
    void previewRequested();   // "Aperçu"

private:
    void connectInput();
    void connectCommands();
    void showModel(unsigned changes);
    void showScrollBars();
    void showTextLines();
    void showExtents();
    void showOptions();
    void showSerialSettings();

    std::unique_ptr<Ui::MainWindow> ui_;
    FormModel model_;
    std::unique_ptr<Meter> meter_;
    bool showingScrollBars_ = false;
    bool typing_ = false;  // a line's own change is on its way to the model
};

}  // namespace velmora
