#include "extents_view.h"

#include "qt_text.h"
#include "text_lines.h"
#include "ui_mainwindow.h"

namespace velmora {

ExtentsInput readExtentsInput(const Ui::MainWindow& form)
{
    ExtentsInput input;
    const PerLine<QLineEdit*> lines = textLines(form);
    for (int line = 1; line <= kLineCount; ++line)
        input.lineText[line] = toLineText(lines[line]->text());
    // The value boxes hold only digits; a character the code page cannot hold
    // would end the number there anyway.
    input.echelle3 = toWindows1252(form.Echelle3->text()).bytes;
    input.espace3 = toWindows1252(form.Espace3->text()).bytes;
    input.echelle2 = form.Echelle2->value();
    input.interligne2 = form.Interligne2->value();
    return input;
}

void showExtents(const Ui::MainWindow& form, const ExtentsTexts& texts)
{
    const PerLine<QLineEdit*> readouts = widthReadouts(form);
    for (int line = 1; line <= kLineCount; ++line)
        readouts[line]->setText(fromWindows1252(texts.lineReadout[line]));
    form.Encombrement->setText(fromWindows1252(texts.encombrement));
}

}  // namespace velmora
