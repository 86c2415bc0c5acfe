#pragma once
// "Construire": the whole construction from the form's model to the program
// file, run from end to end inside the click. The model gives the job and the
// extents; the construction core lays the block out and writes the program;
// the window's meter shows the progress and failures are told through the
// message seam.

#include "construction/program_construction.h"
#include "construction/resume_point.h"

#include <chrono>

namespace velmora {

class MainWindow;
class MessageSeam;
class PauseSeam;

class ConstructionAction {
public:
    // Long enough for the operator to see the bar full before it returns to
    // rest, short enough not to hold the window up.
    static constexpr std::chrono::milliseconds kFullBarPause{400};

    // The listing shows the program written as velmora.rub of the working
    // directory, so places.workFolder is the working directory.
    ConstructionAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause, ProgramPlaces places);

    void build();
    // A resume program from the chosen character instead of the whole one;
    // the same meter, messages and listing.
    void buildResume(TextPlace chosen);

private:
    void finish(Result<WrittenProgram> built);
    void showFinished();

    MainWindow& window_;
    MessageSeam& messages_;
    PauseSeam& pause_;
    ProgramPlaces places_;
    GlyphCache glyphs_;  // the glyph files, kept between constructions
};

}  // namespace velmora
