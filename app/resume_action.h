#pragma once
// "Reprendre ici" in the preview: after the operator's yes, a resume program
// from the character chosen, built from the form as "Construire" builds the
// whole program, listed, and shown with what it leaves out drawn faint.

#include "construction/program_construction.h"

namespace velmora {

class ConstructionAction;
class MainWindow;
class MessageSeam;

namespace preview {
class PreviewWindow;
}

class ResumeAction {
public:
    // Gives the preview the character cells of the form's text and answers
    // its "Reprendre ici".
    ResumeAction(MainWindow& window, MessageSeam& messages, ConstructionAction& construction,
                 preview::PreviewWindow& preview, ProgramPlaces places);

    // The question, then on "Oui" the resume program; on "Non" nothing.
    void resumeFrom(TextPlace chosen);

private:
    void prepareEngravedStrokes(TextPlace chosen);

    MainWindow& window_;
    MessageSeam& messages_;
    ConstructionAction& construction_;
    preview::PreviewWindow& preview_;
    ProgramPlaces places_;
};

}  // namespace velmora
