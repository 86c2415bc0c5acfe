#include "scroll_bar_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <utility>

namespace velmora {
namespace {

struct KeyRow {
    Qt::Key key;
    QAbstractSlider::SliderAction action;
};

constexpr KeyRow kKeyRows[] = {
    {Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd},
    {Qt::Key_Up, QAbstractSlider::SliderSingleStepAdd},
    {Qt::Key_Left, QAbstractSlider::SliderSingleStepSub},
    {Qt::Key_Down, QAbstractSlider::SliderSingleStepSub},
    {Qt::Key_PageUp, QAbstractSlider::SliderPageStepAdd},
    {Qt::Key_PageDown, QAbstractSlider::SliderPageStepSub},
    {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
    {Qt::Key_End, QAbstractSlider::SliderToMaximum},
};

constexpr int kFocusRingPixels = 2;

class ScrollBarKeys final : public QObject {
public:
    ScrollBarKeys(QScrollBar& bar, std::function<void()> onEnter)
        : QObject(&bar), bar_(bar), onEnter_(std::move(onEnter))
    {
        bar.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPressed(*static_cast<QKeyEvent*>(event));
        case QEvent::Paint:
            if (!bar_.hasFocus())
                return false;
            paintWithFocusRing(event);
            return true;
        default:
            return false;
        }
    }

private:
    bool keyPressed(const QKeyEvent& key)
    {
        // A key held with Alt or Control belongs to the window (shortcuts).
        if (key.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
            return false;
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
            if (onEnter_)
                onEnter_();
            return true;
        }
        for (const KeyRow& row : kKeyRows) {
            if (key.key() == row.key) {
                bar_.triggerAction(row.action);
                return true;
            }
        }
        return false;
    }

    // The bar paints itself first; the ring goes over its edge, inside the
    // bar, so it needs no room beside the neighbouring controls.
    void paintWithFocusRing(QEvent* event)
    {
        static_cast<QObject&>(bar_).event(event);

        QPainter painter(&bar_);
        QPen pen(bar_.palette().color(QPalette::Highlight), kFocusRingPixels);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const int inset = kFocusRingPixels / 2;
        painter.drawRect(QRectF(bar_.rect()).adjusted(inset, inset, -inset, -inset));
    }

    QScrollBar& bar_;
    std::function<void()> onEnter_;
};

}  // namespace

void installScrollBarKeys(QScrollBar& bar, std::function<void()> onEnter)
{
    new ScrollBarKeys(bar, std::move(onEnter));
}

}  // namespace velmora
