#pragma once
// "Construire" and "Télécharger" asked for on the command line: the same
// model, the same velmora.txt and the same code as the window, with no window
// and no display. What the window would say in a message box goes to
// standard error, its title and its text, and the exit code tells the kind.

#include "app/command_line.h"

#include <filesystem>
#include <iosfwd>

namespace velmora {

// Runs command.action (Build or Download) and returns the exit code. Needs a
// QCoreApplication; programFolder is where the program lies, for its font.
int runCommand(const CommandLine& command, const std::filesystem::path& programFolder, std::ostream& err);

}  // namespace velmora
