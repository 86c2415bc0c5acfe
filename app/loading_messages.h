#pragma once
// What the operator is told about velmora.txt as it is read at start, in the
// window and on the command line alike.

#include <QString>

#include <string>
#include <vector>

namespace velmora {

// Told once the splash window has closed when velmora.txt exists but cannot
// be read; the window then starts from the first-start settings.
QString unreadableConfigurationMessage(const std::string& detail);

// Told once the splash window has closed when values of velmora.txt held
// control characters, which loading removed; names every line cleaned.
QString cleanedLinesMessage(const std::vector<int>& fileLines);

}  // namespace velmora
