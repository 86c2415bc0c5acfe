#pragma once
// Everything the operator can see of the main window's settings, one line per
// control, sorted by name: two windows showing the same settings give the same
// snapshot, and a reaction that changes nothing leaves it as it was. And a
// label's texts as they were painted, for what a long reaction showed.

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace velmora {

inline QString shownState(const QWidget& control)
{
    if (const auto* bar = qobject_cast<const QScrollBar*>(&control))
        return QString::number(bar->value());
    if (const auto* button = qobject_cast<const QRadioButton*>(&control))
        return QString(button->isChecked() ? "selected" : "cleared") + (button->isEnabled() ? "" : ", disabled");
    if (const auto* combo = qobject_cast<const QComboBox*>(&control))
        return '[' + combo->currentText() + ']';
    if (const auto* box = qobject_cast<const QLineEdit*>(&control))
        return QStringLiteral("[%1] aligned %2")
            .arg(box->text(), QString::number(int(box->alignment() & Qt::AlignHorizontal_Mask)));
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return QStringLiteral("[%1] %2 px").arg(label->text(), QString::number(label->width()));
    return {};
}

inline QStringList windowSnapshot(const QWidget& window)
{
    QStringList lines;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        // The edit field inside a combo box is the combo box's text again.
        if (control->objectName().isEmpty() || qobject_cast<const QComboBox*>(control->parentWidget()))
            continue;
        if (const QString state = shownState(*control); !state.isEmpty())
            lines.append(control->objectName() + QStringLiteral(": ") + state);
    }
    lines.sort();
    return lines;
}

struct PaintedTexts final : QObject {
    explicit PaintedTexts(QLabel* label) : label(label) { label->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            seen.append(label->text());
        return false;
    }
    QLabel* label;
    QStringList seen;
};

}  // namespace velmora
