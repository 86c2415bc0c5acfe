#pragma once
// Putting the program together: the shell's commands connected to their
// reactions, and the start-up from the splash window to the main window shown.

#include <functional>

namespace velmora {

class MainWindow;
class MessageSeam;
class PauseSeam;

// What the shell's reactions reach outside the main window. The files,
// velmora.txt and velmora.rub, lie in the current directory.
struct ShellSeams {
    MessageSeam& messages;
    PauseSeam& pause;
    std::function<void()> showSplash;  // shows "Démarrage" modally, returns once it is closed
    std::function<void()> endProgram;  // ends the program at once, saving nothing
};

// "Enregistrer", "Quitter" and "A propos de" run their reactions.
void connectShellCommands(MainWindow& window, const ShellSeams& seams);

// Start-up in its order: the splash window alone, the main window still
// hidden; then the stored settings, the listing, the extents and the tool
// tips; then the main window, centred on the screen.
void startUp(MainWindow& window, const ShellSeams& seams);

}  // namespace velmora
