#pragma once
// The splash window "Démarrage": the program's name, version and authors,
// shown at start before the main window comes up and again as the About box.
// It waits for the operator: a key that produces a character or a click on its
// frame closes it, nothing else does.

#include <QDialog>

#include <memory>

class QKeyEvent;
class QMouseEvent;
namespace Ui {
class SplashWindow;
}

namespace velmora {

class SplashWindow : public QDialog {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
    ~SplashWindow() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool isOnFrame(const QMouseEvent& event) const;
    void centreOnScreen();

    std::unique_ptr<Ui::SplashWindow> ui_;
    bool pressedOnFrame_ = false;
};

// Whether a key press closes the splash window: any key that produces a
// character, Enter and Escape included; not arrows, function keys or a
// modifier alone.
bool closesSplash(const QKeyEvent& event);

// Shows a new splash window modally in the centre of the screen and returns
// once the operator has closed it; the window is gone by then.
void showSplash(QWidget* parent);

}  // namespace velmora
