#include "window_placement.h"

#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>

namespace velmora {
namespace {

// Before the window is first shown its frame is not known yet: this is room
// for a title bar and thin borders, as most desktops draw them.
constexpr QMargins kUnknownFrame{4, 32, 4, 4};

QPoint centredInside(QSize outer, QRect available)
{
    QRect placed(QPoint(0, 0), outer);
    placed.moveCenter(available.center());
    // Never above or left of the free area: the title bar must be reachable.
    return QPoint(std::max(placed.left(), available.left()), std::max(placed.top(), available.top()));
}

QSize grown(QSize size, QMargins frame)
{
    return QSize(size.width() + frame.left() + frame.right(), size.height() + frame.top() + frame.bottom());
}

QScrollArea* formScrollArea(QMainWindow& window)
{
    return qobject_cast<QScrollArea*>(window.centralWidget());
}

QSize formSizeOf(QMainWindow& window)
{
    if (QScrollArea* area = formScrollArea(window))
        return area->widget()->size();
    return window.size();
}

void putFormInScrollArea(QMainWindow& window, QSize formSize)
{
    if (formScrollArea(window))
        return;
    QWidget* form = window.takeCentralWidget();
    form->setFixedSize(formSize);
    auto* area = new QScrollArea(&window);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    area->setWidget(form);
    window.setCentralWidget(area);
}

}  // namespace

WindowFit fitWindow(QSize formSize, QRect available, QMargins frame, int scrollBarExtent)
{
    WindowFit fit;
    const QSize room = available.size().shrunkBy(frame);
    if (formSize.width() <= room.width() && formSize.height() <= room.height()) {
        fit.clientSize = formSize;
        fit.framePosition = centredInside(grown(formSize, frame), available);
        return fit;
    }

    // A scroll bar along one side takes room from the other direction, which
    // may then need its own.
    bool vertical = formSize.height() > room.height();
    bool horizontal = formSize.width() > room.width();
    if (vertical && !horizontal)
        horizontal = formSize.width() + scrollBarExtent > room.width();
    if (horizontal && !vertical)
        vertical = formSize.height() + scrollBarExtent > room.height();
    const QSize wanted(formSize.width() + (vertical ? scrollBarExtent : 0),
                       formSize.height() + (horizontal ? scrollBarExtent : 0));
    fit.scrolled = true;
    fit.clientSize = wanted.boundedTo(room).expandedTo(QSize(1, 1));
    fit.framePosition = centredInside(grown(fit.clientSize, frame), available);
    return fit;
}

void fitOnScreen(QMainWindow& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const bool framed = window.isVisible() && window.frameGeometry() != window.geometry();
    const QMargins frame = framed ? QMargins(window.geometry().left() - window.frameGeometry().left(),
                                             window.geometry().top() - window.frameGeometry().top(),
                                             window.frameGeometry().right() - window.geometry().right(),
                                             window.frameGeometry().bottom() - window.geometry().bottom())
                                  : kUnknownFrame;
    fitOnScreen(window, screen->availableGeometry(), frame);
}

void fitOnScreen(QMainWindow& window, QRect available, QMargins frame)
{
    const QSize formSize = formSizeOf(window);
    const int scrollBarExtent = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &window);
    const WindowFit fit = fitWindow(formSize, available, frame, scrollBarExtent);
    if (fit.scrolled) {
        putFormInScrollArea(window, formSize);
        window.setMinimumSize(QSize(0, 0));
        window.setMaximumSize(formSize + QSize(scrollBarExtent, scrollBarExtent));
        window.resize(fit.clientSize);
    }
    window.move(fit.framePosition);
}

}  // namespace velmora
