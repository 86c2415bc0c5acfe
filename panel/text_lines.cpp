#include "text_lines.h"

#include "ui_mainwindow.h"

namespace velmora {

PerLine<QLineEdit*> textLines(const Ui::MainWindow& form)
{
    PerLine<QLineEdit*> lines;
    lines[1] = form.Saisie12;
    lines[2] = form.Saisie22;
    lines[3] = form.Saisie32;
    lines[4] = form.Saisie42;
    lines[5] = form.Saisie52;
    return lines;
}

PerLine<QLineEdit*> widthReadouts(const Ui::MainWindow& form)
{
    PerLine<QLineEdit*> readouts;
    readouts[1] = form.Saisie13;
    readouts[2] = form.Saisie23;
    readouts[3] = form.Saisie33;
    readouts[4] = form.Saisie43;
    readouts[5] = form.Saisie53;
    return readouts;
}

void clearTextLines(const Ui::MainWindow& form)
{
    const PerLine<QLineEdit*> lines = textLines(form);
    for (int line = 1; line <= kLineCount; ++line)
        lines[line]->setText(QString());
}

void connectTextLines(Ui::MainWindow& form, const std::function<void()>& recalcul)
{
    const PerLine<QLineEdit*> lines = textLines(form);
    for (int line = 1; line <= kLineCount; ++line)
        QObject::connect(lines[line], &QLineEdit::textChanged, lines[line], [recalcul] { recalcul(); });

    const Ui::MainWindow* clearedForm = &form;
    QObject::connect(form.Effacer, &QPushButton::clicked, form.Effacer, [clearedForm, recalcul] {
        clearTextLines(*clearedForm);
        recalcul();
    });
}

}  // namespace velmora
