#include "command_run.h"

#include "app/form_configuration.h"
#include "app/program_places.h"
#include "app/transmission_reading.h"
#include "common/numbers.h"
#include "panel/form_job.h"
#include "panel/form_model.h"
#include "panel/qt_text.h"
#include "transmission/download.h"
#include "transmission/program_listing.h"

#include <QString>

#ifdef _WIN32
#include <cstdio>
#include <io.h>
#else
#include <unistd.h>
#endif

#include <optional>
#include <ostream>
#include <system_error>

namespace velmora {
namespace {

int exitWith(ExitCode code) { return static_cast<int>(code); }

// A text of the command line, from the bytes the shell passed in the
// locale's encoding. A character the code page cannot hold stays what it is:
// the construction then names it as the window would.
std::u32string argumentText(const std::string& bytes)
{
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdU32String();
}

// The message box the window would show, as one line of standard error in
// the locale's encoding: "velmora : <title> : <text>", the cause after it
// in brackets when there is one.
void tell(std::ostream& err, const QString& title, const QString& text, const QString& cause = {})
{
    QString line = QStringLiteral("velmora : ") + title + QStringLiteral(" : ") + text;
    if (!cause.isEmpty())
        line += QStringLiteral(" (") + cause + QStringLiteral(")");
    err << line.toLocal8Bit().toStdString() << '\n';
}

void tell(std::ostream& err, const Message& message)
{
    tell(err, QString::fromStdString(message.title), QString::fromStdString(message.text),
         QString::fromStdString(message.cause));
}

// Absolute, so that a failure message names the folder in full.
std::filesystem::path workFolderOf(const CommandLine& command)
{
    std::error_code failed;
    std::filesystem::path folder = command.folder.empty() ? std::filesystem::current_path(failed)
                                                          : std::filesystem::absolute(command.folder, failed);
    return failed ? std::filesystem::path(command.folder.empty() ? "." : command.folder) : folder;
}

// velmora.txt read into the model as at the window's start-up: a damaged
// value is mended the same way and the removal of control characters told,
// no file gives the first-start settings. A file that exists but cannot be
// read stops the work: there is no operator to look at the settings put in
// its place before they are cut or sent.
bool loadSettings(FormModel& form, const std::filesystem::path& workFolder, std::ostream& err)
{
    const Result<ConfigurationRead> loaded = loadConfigurationInto(form, workFolder);
    form.updateExtents();
    if (!loaded.ok()) {
        tell(err, failureMessage(Task::LoadConfiguration, loaded.failure()));
        return false;
    }
    if (!loaded.value().cleanedLines.empty())
        tell(err, QStringLiteral("Configuration"), cleanedLinesMessage(loaded.value().cleanedLines));
    return true;
}

ExitCode exitCodeOf(const Result<WrittenProgram>& built)
{
    if (built.ok())
        return ExitCode::Done;
    switch (built.failure().kind) {
    case FailureKind::NoText:
    case FailureKind::BlockTooWide:
    case FailureKind::BlockTooHigh:
        return ExitCode::Refused;
    case FailureKind::MissingGlyph:
    case FailureKind::NoFont:
        return ExitCode::MissingGlyph;
    case FailureKind::NoCharacterThere:
    case FailureKind::OnlyBlanksLeft:
        return ExitCode::WrongUse;
    default:
        return ExitCode::FileFailure;
    }
}

int build(const CommandLine& command, const std::filesystem::path& programFolder, std::ostream& err)
{
    const std::filesystem::path workFolder = workFolderOf(command);
    FormModel form;
    if (!loadSettings(form, workFolder, err))
        return exitWith(ExitCode::FileFailure);
    for (int line = 1; line <= kLineCount; ++line) {
        if (const auto& text = command.lineTexts[static_cast<std::size_t>(line - 1)])
            form.setLineText(line, argumentText(*text));
    }
    const ProgramPlaces places = programPlaces(workFolder, programFolder);
    const std::optional<ResumeChoice> resume = command.resumePoint ? resumeChoiceOf(*command.resumePoint)
                                                                    : std::nullopt;
    const auto built
        = resume ? buildResumeProgram(form, TextPlace{resume->line, resume->character}, places, currentDateTimeTexts())
                 : buildProgram(form, places, currentDateTimeTexts());
    if (!built.ok())
        tell(err, failureMessage(Task::Construction, built.failure()));
    return exitWith(exitCodeOf(built));
}

// The percentage on a terminal: the caption the window's meter would show,
// written again in place as it changes; nothing when standard error is a
// file or a pipe.
class TerminalProgress final : public DownloadProgress {
public:
    TerminalProgress(std::ostream& err, bool shown) : err_(err), shown_(shown) {}
    ~TerminalProgress() override
    {
        if (written_)
            err_ << '\n';
    }
    void showSent(std::size_t sent, std::size_t count) override
    {
        const std::string caption = percentCaption(percentSent(sent, count));
        if (!shown_ || caption == shownCaption_)
            return;
        shownCaption_ = caption;
        err_ << '\r' << caption << std::flush;
        written_ = true;
    }
    void showFull() override {}
    void rest() override {}

private:
    std::ostream& err_;
    bool shown_;
    bool written_ = false;
    std::string shownCaption_;
};

bool standardErrorIsTerminal()
{
#ifdef _WIN32
    return ::_isatty(::_fileno(stderr)) != 0;
#else
    return ::isatty(STDERR_FILENO) != 0;
#endif
}

// A --port that names the device itself (a USB adapter's /dev/ttyUSB0, or
// \\.\COM12) rather than a port of the settings.
bool namesDevice(const std::string& port)
{
    return port.starts_with('/') || port.starts_with("\\\\.\\");
}

int download(const CommandLine& command, std::ostream& err)
{
    const std::filesystem::path workFolder = workFolderOf(command);
    FormModel form;
    if (!loadSettings(form, workFolder, err))
        return exitWith(ExitCode::FileFailure);
    DeviceNameForPort deviceName = platformDeviceName;
    if (command.port && namesDevice(*command.port))
        deviceName = [device = *command.port](std::int16_t) { return device; };
    else if (command.port)
        form.setSerialText(SerialSetting::Port, argumentText(*command.port));

    const Result<TransmissionTexts> reading = readTransmissionTexts(form);
    Result<void> outcome = reading.ok() ? Result<void>() : reading.failure();
    if (reading.ok()) {
        DownloadRequest request;
        request.programFile = workFolder / kProgramFileName;
        request.texts = reading.value();
        // The download runs from the event loop, as in the window.
        Download sending(std::move(deviceName));
        TerminalProgress progress(err, standardErrorIsTerminal());
        outcome = sending.send(request, progress);
    }
    if (outcome.ok())
        return exitWith(ExitCode::Done);
    // One line: the message, without the cause the window shows under it.
    const Message told = failureMessage(Task::Download, outcome.failure());
    tell(err, QString::fromStdString(told.title), QString::fromStdString(told.text));
    return exitWith(ExitCode::DownloadFailed);
}

}  // namespace

int runCommand(const CommandLine& command, const std::filesystem::path& programFolder, std::ostream& err)
{
    switch (command.action) {
    case CommandAction::Build:
        return build(command, programFolder, err);
    case CommandAction::Download:
        return download(command, err);
    case CommandAction::OpenWindow:
    case CommandAction::ShowHelp:
    case CommandAction::ShowVersion:
        break;
    }
    return exitWith(ExitCode::WrongUse);
}

}  // namespace velmora
