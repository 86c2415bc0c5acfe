#pragma once
// The configuration file velmora.txt: the operator's settings as 37 lines of
// text, one value per line, Windows-1252 bytes, every line ended by CR LF.
// This layer moves an ordered list of values between memory and the file; it
// knows nothing of the controls (configuration_table.h maps lines to them).

#include "common/failure.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr int kConfigurationLineCount = 37;
// Lines beyond this many are not read at all.
inline constexpr int kConfigurationReadLimit = 1000;
inline constexpr std::string_view kConfigurationFileName = "velmora.txt";
// 1000 values of a text line's longest length (the entry boxes take 32,767
// characters) stay far below this; a larger file is not a settings file.
inline constexpr std::size_t kConfigurationFileLimit = 1024 * 1024;

// The 37 values in file order, each as the Windows-1252 bytes of its line.
using ConfigurationValues = std::array<std::string, kConfigurationLineCount>;

// The whole file for these values: each value followed by CR LF.
std::string configurationFileBytes(const ConfigurationValues& values);

// The values of a file, one per line and each line whole: commas, double
// quotes and blanks at the ends are part of the value. Only the line end is
// left out (CR LF, or a lone LF); a last line without one reads like the
// others, and a file ending with a line end has no empty value after it.
// Stops after kConfigurationReadLimit values.
std::vector<std::string> readConfigurationValues(std::string_view bytes);

// Takes the control characters out of a value: a tab becomes a blank, every
// other one (a carriage return or a NUL left inside a line by a damaged file)
// is removed. True when the value changed.
bool removeControlCharacters(std::string& value);

// The first 37 of the values read, in file order; the places a short file
// does not reach are empty.
ConfigurationValues firstConfigurationValues(const std::vector<std::string>& values);

// Writes velmora.txt in `folder`. The file is replaced as a whole: the new
// content goes to a temporary file in the same folder, is flushed and synced,
// and only then renamed over the old file. After any failure the old file
// (or its absence) stays exactly as it was. A value holding a line break is
// refused as FailureKind::LineBreakInValue, nothing written.
Result<void> saveConfiguration(const std::filesystem::path& folder, const ConfigurationValues& values);

// What reading velmora.txt found: its values, at most
// kConfigurationReadLimit (none at the program's first start, when there is
// no file), and the lines 1..37 whose control characters were removed.
struct ConfigurationRead {
    std::vector<std::string> values;
    std::vector<int> cleanedLines;
};

// Reads velmora.txt in `folder`: only a regular file, opened without
// blocking, of at most kConfigurationFileLimit bytes. The 37 values used are
// cleaned of control characters (removeControlCharacters). Something by that
// name that cannot be read is a FailureKind::Read.
Result<ConfigurationRead> loadConfiguration(const std::filesystem::path& folder);

}  // namespace velmora
