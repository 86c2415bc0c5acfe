#pragma once
// The window side of velmora.txt: the 37 values taken from the controls for
// saving, and given back to them at start-up. The controls are found by the
// names in the configuration table and handled in its order, so the table is
// the one place that says which line belongs to which control.

#include "app/configuration_file.h"

#include <QString>

#include <filesystem>
#include <optional>

namespace velmora {

class MainWindow;

// A character of a control's text that velmora.txt, being Windows-1252, has no
// byte for (or a line break, which would split the value over two lines).
struct UnstorableText {
    int line = 0;      // 1..37
    QString setting;   // the caption the operator knows it by: "Ligne 3", "Port"
    char32_t character = 0;
};

struct WindowValues {
    ConfigurationValues values;
    std::optional<UnstorableText> unstorable;  // the first one, in file order
};

// The 37 values as the controls hold them now: texts as they stand, option
// states as "True" or "False", the program number as " n ".
WindowValues configurationFromWindow(MainWindow& window);

// Gives the values to the controls, line 1 first, each as the operator's own
// change would: every control runs its reaction, so the display boxes,
// read-outs, the lines' alignment and the corner buttons follow. A damaged
// value never stops the start: a number out of range becomes the nearest in
// range, a text holding no number the scroll bar's form value, a damaged
// serial text the first-start item, and every option group ends with one
// button selected.
void applyConfiguration(MainWindow& window, const ConfigurationValues& values);

// The values start-up applies for what was read: the file's first 37 values,
// the first-start values in the places a short file does not reach, and the
// first-start values throughout when there is no file to read.
ConfigurationValues valuesToApply(const LoadResult& loaded);

// Reads velmora.txt in `folder` and applies it. Returns what reading found, so
// the caller can tell the operator when an existing file could not be read.
LoadResult Chargeconfiguration(MainWindow& window, const std::filesystem::path& folder);

}  // namespace velmora
