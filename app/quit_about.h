#pragma once
// "Quitter". The end of the program is handed in, so tests can stand in for it.

#include <functional>

namespace velmora {

class MessageSeam;

// "Quitter": asks "Quitter VELMORA ?"; Yes ends the
// program at once, saving nothing; No changes nothing.
void askToQuit(MessageSeam& messages, const std::function<void()>& endProgram);

}  // namespace velmora
