#include "configuration_file.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <fstream>
#include <optional>
#include <system_error>

namespace velmora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

QString qtPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

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

SaveResult saveFailure(SaveStatus status, const QSaveFile& file)
{
    return {status, 0, file.errorString().toStdString()};
}

// The system's words for errno; the streams do not always set it.
std::string systemMessage(int error, std::string_view otherwise)
{
    if (error == 0)
        return std::string(otherwise);
    return std::error_code(error, std::generic_category()).message();
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

std::vector<std::string> readConfigurationValues(std::istream& in)
{
    std::vector<std::string> values;
    std::string line;
    while (values.size() < static_cast<std::size_t>(kConfigurationReadLimit) && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        values.push_back(line);
    }
    return values;
}

ConfigurationValues firstConfigurationValues(const std::vector<std::string>& values)
{
    ConfigurationValues first;
    for (std::size_t i = 0; i < first.size() && i < values.size(); ++i)
        first[i] = values[i];
    return first;
}

SaveResult saveConfiguration(const std::filesystem::path& folder, const ConfigurationValues& values)
{
    if (const auto line = firstLineWithLineBreak(values))
        return {SaveStatus::LineBreakInValue, *line, "line break inside a value"};

    const std::string bytes = configurationFileBytes(values);
    QSaveFile file(qtPath(folder / kConfigurationFileName));
    // Unbuffered, so that a failing write is seen here and not later in a flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return saveFailure(SaveStatus::CannotCreate, file);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        // Without this, commit() could still put a truncated file in place.
        file.cancelWriting();
        return saveFailure(SaveStatus::CannotWrite, file);
    }
    if (!file.commit())
        return saveFailure(SaveStatus::CannotReplace, file);
    return {};
}

LoadResult loadConfiguration(const std::filesystem::path& folder)
{
    const std::filesystem::path path = folder / kConfigurationFileName;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return {LoadStatus::Missing, {}, {}};
    if (error)
        return {LoadStatus::Unreadable, {}, error.message()};
    if (status.type() != std::filesystem::file_type::regular)
        return {LoadStatus::Unreadable, {}, "not a regular file"};

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {LoadStatus::Unreadable, {}, systemMessage(errno, "cannot be opened")};
    LoadResult result{LoadStatus::Loaded, readConfigurationValues(in), {}};
    if (in.bad())
        return {LoadStatus::Unreadable, {}, systemMessage(errno, "read error")};
    return result;
}

}  // namespace velmora
