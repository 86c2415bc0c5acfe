#pragma once
// The five text lines of the frame "Saisie Gravure", their width read-outs and
// the button "Effacer".

#include "common/per_line.h"

#include <functional>

class QLineEdit;

namespace Ui {
class MainWindow;
}

namespace velmora {

PerLine<QLineEdit*> textLines(const Ui::MainWindow& form);     // Saisie12 .. Saisie52
PerLine<QLineEdit*> widthReadouts(const Ui::MainWindow& form); // Saisie13 .. Saisie53

// Empties the lines from line 1 to line 5; each line that changes runs its own
// change reaction.
void clearTextLines(const Ui::MainWindow& form);

// Any change of a line's text, typed or set by the program, recomputes the
// extents and does nothing else: the text stays exactly as typed. "Effacer"
// clears the lines, then recomputes once more, so the read-outs are fresh even
// when every line was already empty.
void connectTextLines(Ui::MainWindow& form, const std::function<void()>& recalcul);

}  // namespace velmora
