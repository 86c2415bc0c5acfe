#pragma once
// "Quitter" and "A propos de". The end of the program and the splash window are
// handed in, so tests can stand in for both.

#include <functional>

namespace velmora {

class MessageSeam;

// The reaction to a click on Quitter1: asks "Quitter VELMORA ?"; Yes ends the
// program at once, saving nothing; No changes nothing.
void Quitter1_Click(MessageSeam& messages, const std::function<void()>& endProgram);

// The reaction to a click on Apropos1: the splash window again, modal, and
// back once the operator has closed it.
void Apropos1_Click(const std::function<void()>& showSplash);

}  // namespace velmora
