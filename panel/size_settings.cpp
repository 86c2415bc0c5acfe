#include "size_settings.h"

#include "qt_text.h"
#include "ui_mainwindow.h"

#include "common/numbers.h"
#include "layout/extents.h"

#include <string>

namespace velmora {
namespace {

using Form = Ui::MainWindow;

struct SizeRow {
    QScrollBar* Form::*bar;
    QLineEdit* Form::*valueBox;
    QLineEdit* Form::*readout;
    std::string (*readoutText)(int v);
};

const SizeRow kSizeRows[] = {
    {&Form::Echelle2, &Form::Echelle3, &Form::Echelle4, characterSizeReadout},
    {&Form::Espace2, &Form::Espace3, &Form::Espace4, characterSpacingReadout},
    {&Form::Interligne2, &Form::Interligne3, &Form::Interligne4, lineSpacingReadout},
};

void showSize(QLineEdit& valueBox, QLineEdit& readout, std::string (*readoutText)(int), int v)
{
    valueBox.setText(QString::fromStdString(wholeNumberText(v)));
    readout.setText(fromWindows1252(readoutText(v)));
}

}  // namespace

void connectSizeSettings(Ui::MainWindow& form, const std::function<void()>& recalcul)
{
    for (const SizeRow& row : kSizeRows) {
        QLineEdit* valueBox = form.*row.valueBox;
        QLineEdit* readout = form.*row.readout;
        const auto readoutText = row.readoutText;
        QObject::connect(form.*row.bar, &QScrollBar::valueChanged, valueBox,
                         [valueBox, readout, readoutText, recalcul](int v) {
                             showSize(*valueBox, *readout, readoutText, v);
                             recalcul();
                         });
    }
}

}  // namespace velmora
