#pragma once
// The machining and position scroll bars and what their display boxes show.
// The construction copies these texts into the program as they stand, so each
// rule is exact to the byte.

#include <string>

namespace Ui {
class MainWindow;
}

namespace velmora {

enum class DisplayRule {
    WholeNumber,    // tool, corrector, spindle speed, feed, speed range: "9"
    Position,       // (v - 2000) / 10 mm with its sign or blank: " 1.5", "-.5"
    ProgramNumber,  // "%" and the digits: "%9999"
};

// The text of a display box for the scroll bar value v, in Windows-1252 bytes.
std::string displayText(DisplayRule rule, int v);

// Every change of one of these scroll bars, by the operator or the program,
// writes its display box and nothing else.
void connectDisplayRules(Ui::MainWindow& form);

}  // namespace velmora
