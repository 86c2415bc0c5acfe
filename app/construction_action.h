#pragma once
// "Construire": the whole construction from the window to the program file,
// run from end to end inside the click. The window gives the job and shows
// the progress; the construction core lays the block out and writes the
// program; failures are told through the message seam.

#include "construction/program_construction.h"

#include <QMetaObject>
#include <QString>

#include <chrono>
#include <string>

namespace velmora {

class MainWindow;
class MessageSeam;
class PauseSeam;

class ConstructionAction {
public:
    // Long enough for the operator to see the bar full before it returns to
    // rest, short enough not to hold the window up.
    static constexpr std::chrono::milliseconds kFullBarPause{400};

    // Connects itself to the click of Const1 until it is destroyed. The
    // listing is reloaded from the working directory (Chargelisting), so
    // places.workFolder is the working directory.
    ConstructionAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause, ProgramPlaces places);
    ~ConstructionAction();
    ConstructionAction(const ConstructionAction&) = delete;
    ConstructionAction& operator=(const ConstructionAction&) = delete;

    void Const1_Click();

private:
    std::string refreshExtents();
    ConstructionOutcome writeProgram(const EngravingJob& job, const LayoutResult& layout);
    void showFinished();
    void fail(const QString& text);

    MainWindow& window_;
    MessageSeam& messages_;
    PauseSeam& pause_;
    ProgramPlaces places_;
    GlyphCache glyphs_;  // the glyph files, kept between constructions
    QMetaObject::Connection click_;
};

}  // namespace velmora
