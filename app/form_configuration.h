#pragma once
// velmora.txt and the form's model: the 37 values taken from the model for
// saving, and given to it at start-up, in the configuration table's order.
// No window: a program without one loads the same file into the same model.

#include "app/configuration_file.h"

#include <QString>

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

class FormModel;

// The 37 values as the model holds them now: texts as they stand, option
// states as "True" or "False", the program number as " n ". A character of
// a text that velmora.txt, being Windows-1252, has no byte for (or a line
// break, which would split the value over two lines) is refused, the first
// in file order, as FailureKind::UnstorableCharacter.
Result<ConfigurationValues> configurationOf(const FormModel& form);

// Gives the values to the model, line 1 first, each as the operator's own
// change would: every value runs its reaction, so the display boxes,
// read-outs, the lines' alignment and the corner buttons follow. A damaged
// value never stops the start: a number out of range becomes the nearest in
// range, a text holding no number the scroll bar's form value, a damaged
// serial text the first-start item, and every option group ends with one
// button selected.
void applyConfiguration(FormModel& form, const ConfigurationValues& values);

// The values start-up applies for what was read: the file's first 37 values,
// the first-start values in the places a short file does not reach, and the
// first-start values throughout when there is no file to read.
ConfigurationValues valuesToApply(const Result<ConfigurationRead>& loaded);

// Told once the splash window has closed when values of velmora.txt held
// control characters, which loading removed; names every line cleaned.
QString cleanedLinesMessage(const std::vector<int>& fileLines);

// Reads velmora.txt in `folder` and applies it. Returns what reading found, so
// the caller can tell the operator when an existing file could not be read.
Result<ConfigurationRead> loadConfigurationInto(FormModel& form, const std::filesystem::path& folder);

}  // namespace velmora
