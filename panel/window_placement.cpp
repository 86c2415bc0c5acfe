#include "window_placement.h"

#include <QScreen>
#include <QWidget>

namespace velmora {

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    QRect placed = window.frameGeometry();
    placed.moveCenter(screen->availableGeometry().center());
    window.move(placed.topLeft());
}

}  // namespace velmora
