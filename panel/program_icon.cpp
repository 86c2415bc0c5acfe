#include "program_icon.h"

namespace velmora {

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/images/velmora-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace velmora
