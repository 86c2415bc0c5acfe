#pragma once
// The program's icon (a V-bit cutting a letter into a plate), at 16, 32 and
// 48 pixels, for the window and the application.

#include <QIcon>

namespace velmora {

QIcon programIcon();

}  // namespace velmora
