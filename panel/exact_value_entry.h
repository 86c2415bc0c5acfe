#pragma once
// Exact values for the scroll bars. The value boxes stay read-only; a double
// click on one, or Enter while its scroll bar has focus, opens a small entry
// for the number in the bar's own units and range. An accepted number sets the
// scroll bar, and the bar's display rule writes the box as for any other move.

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QWidget;

namespace velmora {

// How a scroll bar's whole value reads for the operator.
struct ValueScale {
    int minimum = 0;
    int maximum = 0;
    bool positionTenths = false;  // v stands for (v - 2000) / 10 mm
    QString unit;                 // "mm", "tr/mn"; empty when the value has none
};

// A typed number read against a scale: the scroll bar value it stands for,
// or why it is refused.
struct ExactValueReading {
    std::optional<int> value;
    QString refusal;
};
ExactValueReading readExactValue(const QString& typed, const ValueScale& scale);

class ExactValueDialog final : public QDialog {
    Q_OBJECT
public:
    ExactValueDialog(const QString& setting, const ValueScale& scale, int current, QWidget* parent);

    QLineEdit& entry() { return *entry_; }
    QString refusal() const;
    int value() const { return value_; }

    // Closes only on a number the scroll bar can take; anything else stays
    // in the entry with the reason under it.
    void accept() override;

private:
    ValueScale scale_;
    int value_;
    QLineEdit* entry_;
    QLabel* refusal_;
};

// Every value scroll bar of the window gets its keys and its entry.
void installExactValueEntry(QWidget& window);

}  // namespace velmora
