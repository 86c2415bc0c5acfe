#include "window_job.h"

#include "panel/qt_text.h"
#include "panel/text_lines.h"
#include "ui_mainwindow.h"

#include "common/numbers.h"

namespace velmora {
namespace {

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
