#pragma once
// Finding the main window's controls by the names the rest of the system uses.

#include <QTest>
#include <QWidget>

namespace velmora {

template <typename Control>
Control* control(QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QString::fromUtf8(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

}  // namespace velmora
