#include "configuration_file.h"

#include "common/replacement_file.h"
#include "common/whole_file.h"

#include <algorithm>
#include <optional>

namespace velmora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A CR or LF inside a value would end its line early and move every later
// setting down one place, so such a value is refused rather than written.
std::optional<int> firstLineWithLineBreak(const ConfigurationValues& values)
{
    for (int i = 0; i < kConfigurationLineCount; ++i) {
        if (values[static_cast<std::size_t>(i)].find_first_of("\r\n") != std::string::npos)
            return i + 1;
    }
    return std::nullopt;
}

// Windows-1252 control characters: C0, DEL, and the five bytes the code page
// leaves undefined, which decode to C1 controls.
bool isControlByte(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90
           || byte == 0x9D;
}

}  // namespace

std::string configurationFileBytes(const ConfigurationValues& values)
{
    std::string bytes;
    for (const std::string& value : values) {
        bytes += value;
        bytes += kLineEnd;
    }
    return bytes;
}

std::vector<std::string> readConfigurationValues(std::string_view bytes)
{
    std::vector<std::string> values;
    while (!bytes.empty() && values.size() < static_cast<std::size_t>(kConfigurationReadLimit)) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        values.emplace_back(line);
    }
    return values;
}

bool removeControlCharacters(std::string& value)
{
    const auto isControl = [](char c) { return isControlByte(static_cast<unsigned char>(c)); };
    if (std::none_of(value.begin(), value.end(), isControl))
        return false;
    std::replace(value.begin(), value.end(), '\t', ' ');
    value.erase(std::remove_if(value.begin(), value.end(), isControl), value.end());
    return true;
}

ConfigurationValues firstConfigurationValues(const std::vector<std::string>& values)
{
    ConfigurationValues first;
    for (std::size_t i = 0; i < first.size() && i < values.size(); ++i)
        first[i] = values[i];
    return first;
}

Result<void> saveConfiguration(const std::filesystem::path& folder, const ConfigurationValues& values)
{
    const std::filesystem::path path = folder / kConfigurationFileName;
    if (const auto line = firstLineWithLineBreak(values)) {
        Failure refused(FailureKind::LineBreakInValue, path);
        refused.line = *line;
        return refused;
    }
    ReplacementFile file(path);
    if (file.open()) {
        file.append(configurationFileBytes(values));
        if (file.commit())
            return {};
    }
    return *file.error();
}

Result<ConfigurationRead> loadConfiguration(const std::filesystem::path& folder)
{
    const Result<std::string> file = readWholeFile(folder / kConfigurationFileName, kConfigurationFileLimit);
    if (!file.ok() && isMissingFile(file.failure()))
        return ConfigurationRead{};
    if (!file.ok())
        return file.failure();
    ConfigurationRead read{readConfigurationValues(file.value()), {}};
    for (std::size_t i = 0; i < read.values.size() && i < static_cast<std::size_t>(kConfigurationLineCount); ++i)
        if (removeControlCharacters(read.values[i]))
            read.cleanedLines.push_back(static_cast<int>(i) + 1);
    return read;
}

}  // namespace velmora
