#pragma once
// The program's command line. It is read before any window exists, so that
// the uses that need no window (the help, the version, and a wrong use) end
// without a display. Every option is one row of the option table in
// command_line.cpp and one line of the help text beside it.

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// What the program tells the shell when it ends, one code per kind of end.
enum class ExitCode : int {
    Done = 0,
    WrongUse = 1,        // unknown option, missing value
    Refused = 2,         // the construction asks to change the settings
    MissingGlyph = 3,    // a character cannot be engraved
    FileFailure = 4,     // velmora.txt, velmora.rub, a glyph file or the folder
    DownloadFailed = 5,  // port, line settings, transfer
};

enum class CommandAction {
    OpenWindow,
    ShowHelp,
    ShowVersion,
    Build,     // --construire
    Download,  // --telecharger
};

struct CommandLine {
    CommandAction action = CommandAction::OpenWindow;
    std::string wrongUse;  // why the command line cannot be used; empty when it can

    // The values given with the options, as the shell passed them (bytes in
    // the locale's encoding); what was not given stays empty.
    std::string folder;                         // --dossier
    std::array<std::optional<std::string>, 5> lineTexts;  // --ligne1 .. --ligne5
    std::optional<std::string> resumePoint;     // --reprise, as given: "LIGNE:CARACTERE"
    std::optional<std::string> port;            // --port
};

// The line (1 to 5) and the character (from 1) of a --reprise value
// "LIGNE:CARACTERE"; nothing when the value is not of that form.
struct ResumeChoice {
    int line = 0;
    int character = 0;
};
std::optional<ResumeChoice> resumeChoiceOf(const std::string& value);

// Reads the arguments that follow the program's name.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// Answers what needs nothing but the command line (a wrong use, the help, the
// version) and returns the exit code; returns nothing when the window is to
// be opened or the work is to be done without one (command_run.h).
std::optional<int> runWithoutWindow(const CommandLine& command, std::ostream& out, std::ostream& err);

}  // namespace velmora
