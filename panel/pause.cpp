#include "pause.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace velmora {
namespace {

bool takesInput(const QWidget* widget)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QAbstractSlider*>(widget)
        || qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget);
}

}  // namespace

InputLock::InputLock(QWidget& window, QWidget* keep) : keep_(keep)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && window.isAncestorOf(focus))
        focus_ = focus;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        // A control disabled on its own stays so, and is left out of the restoring.
        if (widget == keep || !takesInput(widget) || widget->testAttribute(Qt::WA_ForceDisabled))
            continue;
        widget->setEnabled(false);
        locked_.emplace_back(widget);
    }
    QCoreApplication::instance()->installEventFilter(this);
}

InputLock::~InputLock()
{
    QCoreApplication::instance()->removeEventFilter(this);
    for (const QPointer<QWidget>& widget : locked_)
        if (widget)
            widget->setEnabled(true);
    if (focus_ && focus_->isEnabled())
        focus_->setFocus(Qt::OtherFocusReason);
}

bool InputLock::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return false;
        break;
    default:
        return false;
    }
    // The program's other windows (the preview) are held too; only the
    // questions and messages asked meanwhile, and the kept control, answer.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || qobject_cast<QDialog*>(widget->window()))
        return false;
    if (keep_ && (widget == keep_ || keep_->isAncestorOf(widget)))
        return false;
    return true;
}

void EventLoopPause::pause(std::chrono::milliseconds length)
{
    if (length <= std::chrono::milliseconds::zero())
        return;
    const InputLock lock(window_);
    QEventLoop loop;
    QTimer::singleShot(length, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace velmora
