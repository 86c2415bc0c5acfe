#include "window_job.h"

#include "panel/qt_text.h"
#include "panel/text_lines.h"
#include "ui_mainwindow.h"

#include "common/numbers.h"

namespace velmora {
namespace {

using Form = Ui::MainWindow;

double numberIn(const QLineEdit* box)
{
    return leadingNumber(toLineText(box->text()));
}

// The display boxes are filled by the program with digits, "%" and "."; a
// character the code page cannot hold would end the text there.
std::string bytesOf(const QLineEdit* box)
{
    return toWindows1252(box->text()).bytes;
}

template <typename Choice>
struct ChoiceRow {
    QRadioButton* Form::*button;
    Choice choice;
};

constexpr ChoiceRow<Justification> kJustificationRows[] = {
    {&Form::Justification1, Justification::Left},     // "Alignement à gauche"
    {&Form::Justification2, Justification::Centred},  // "Centré"
    {&Form::Justification3, Justification::Right},    // "Alignement à droite"
};

constexpr ChoiceRow<Placement> kPlacementRows[] = {
    {&Form::Option1, Placement::CentreXY},  // "Centrage  X / Y"
    {&Form::Option2, Placement::CentreX},   // "Centrage  X "
    {&Form::Option3, Placement::CentreY},   // "Centrage  Y "
    {&Form::Option4, Placement::Free},      // "Placement libre"
};

constexpr ChoiceRow<Corner> kCornerRows[] = {
    {&Form::Origine1, Corner::TopLeft},      // "Haut/Gauche"
    {&Form::Origine2, Corner::TopRight},     // "Haut/Droite"
    {&Form::Origine3, Corner::BottomLeft},   // "Bas/Gauche"
    {&Form::Origine4, Corner::BottomRight},  // "Bas/Droite"
};

// A corner stays selected while free placement disables the corner buttons,
// so the selection is read whatever the buttons' state.
template <typename Choice, std::size_t N>
Choice selectedChoice(const Form& form, const ChoiceRow<Choice> (&rows)[N])
{
    for (const ChoiceRow<Choice>& row : rows)
        if ((form.*row.button)->isChecked())
            return row.choice;
    return Choice::None;
}

}  // namespace

EngravingJob readEngravingJob(const Ui::MainWindow& form)
{
    EngravingJob job;
    const PerLine<QLineEdit*> lines = textLines(form);
    for (int line = 1; line <= kLineCount; ++line)
        job.lineText[line] = toLineText(lines[line]->text());
    // Read before any blank-only line is emptied: such a line keeps, for this
    // construction, the width its blanks gave.
    const PerLine<QLineEdit*> readouts = widthReadouts(form);
    for (int line = 1; line <= kLineCount; ++line)
        job.lineWidth[line] = numberIn(readouts[line]);
    job.posX = numberIn(form.Posx3);
    job.posY = numberIn(form.Posy3);
    // The tool comes down to 1 mm above the height set before each line.
    job.approachZ = numberIn(form.Posz3) + 1;
    job.charWidth = static_cast<float>(numberIn(form.Echelle3));
    job.charSpacing = static_cast<float>(numberIn(form.Espace3));
    job.lineSpacing = static_cast<float>(numberIn(form.Interligne3));
    return job;
}

void readMachiningValues(const Ui::MainWindow& form, EngravingJob& job)
{
    job.toolChange = form.Changeur2->isChecked();
    job.toolText = bytesOf(form.Outil3);
    job.correctorText = bytesOf(form.Correcteur3);
    job.coolant = form.Lubrification2->isChecked();
    job.rangeText = bytesOf(form.Gamme3);
    job.spindleText = bytesOf(form.Rotation3);
    job.feedText = bytesOf(form.Avance3);
    job.programNumber = bytesOf(form.Nom3);
}

LayoutChoices readLayoutChoices(const Ui::MainWindow& form)
{
    return {selectedChoice(form, kJustificationRows), selectedChoice(form, kPlacementRows),
            selectedChoice(form, kCornerRows)};
}

void writeBackLineTexts(const Ui::MainWindow& form, const EngravingJob& job)
{
    const PerLine<QLineEdit*> lines = textLines(form);
    for (int line = 1; line <= kLineCount; ++line) {
        const QString text = fromLineText(job.lineText[line]);
        if (lines[line]->text() != text)
            lines[line]->setText(text);
    }
}

}  // namespace velmora
