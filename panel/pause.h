#pragma once
// The pauses of the long reactions (the meter shown full at the end of a
// construction, a save or a download), and the lock that keeps the operator's
// input out of the form while such a reaction runs. Tests put a pause that
// only records in place of the real one.

#include <QPointer>
#include <QWidget>

#include <chrono>
#include <vector>

namespace velmora {

class PauseSeam {
public:
    virtual ~PauseSeam() = default;
    virtual void pause(std::chrono::milliseconds length) = 0;
};

// Disables every input control of a window (buttons, scroll bars, combo boxes,
// editable text boxes) for as long as it lives, but the one it is told to
// keep; then gives each back its own state and the focus to the control that
// had it. Meanwhile every click, wheel turn and key (but Escape) aimed at any
// window of the program but a dialog, other than at the kept control, is
// dropped before any control or helper sees it, never kept for later: a double
// click on a value box opens nothing, the preview starts nothing, so nothing
// the operator does changes a setting or starts an action.
class InputLock final : public QObject {
public:
    explicit InputLock(QWidget& window, QWidget* keep = nullptr);
    ~InputLock() override;
    InputLock(const InputLock&) = delete;
    InputLock& operator=(const InputLock&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> keep_;
    std::vector<QPointer<QWidget>> locked_;
    QPointer<QWidget> focus_;
};

// Waits in the event loop, the window's input locked: the window is painted
// and answers as usual, and the operator's clicks and keys are dropped.
class EventLoopPause final : public PauseSeam {
public:
    explicit EventLoopPause(QWidget& window) : window_(window) {}
    void pause(std::chrono::milliseconds length) override;

private:
    QWidget& window_;
};

}  // namespace velmora
