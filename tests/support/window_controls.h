#pragma once
// Finding the main window's controls by the names the rest of the system uses.

#include "panel/program_listing_view.h"

#include <QStringList>
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

// The rows the listing box `Programme` shows, one program line each.
inline QStringList listingRows(QWidget& window)
{
    const auto* listing = control<ProgramListingView>(window, "Programme");
    QStringList rows;
    for (std::size_t row = 0; row < listing->rowCount(); ++row)
        rows.append(listing->rowText(row));
    return rows;
}

}  // namespace velmora
