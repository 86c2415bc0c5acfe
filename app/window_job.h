#pragma once
// The engraving job as the window holds it. The controls are the working
// state: a construction reads its values from the display boxes and option
// buttons each time "Construire" is pressed, and writes back the lines it has
// emptied.

#include "construction/engraving_job.h"
#include "layout/block_layout.h"

namespace Ui {
class MainWindow;
}

namespace velmora {

// The five lines as typed, then their width read-outs, then the positions and
// the three sizes. Numbers are the leading numbers of the display texts;
// approachZ is Posz3 plus 1 mm.
EngravingJob readEngravingJob(const Ui::MainWindow& form);

// The changer and coolant buttons and the texts the program carries as the
// boxes show them: tool, corrector, range, spindle speed, feed, program number.
void readMachiningValues(const Ui::MainWindow& form, EngravingJob& job);

// Puts the job's lines back into Saisie12..Saisie52, from line 1 to line 5.
// Only a line that differs is written, and that write runs the line's own
// change reaction, which recomputes the extents.
void writeBackLineTexts(const Ui::MainWindow& form, const EngravingJob& job);

}  // namespace velmora
