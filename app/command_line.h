#pragma once
// The program's command line. It is read before any window exists, so that
// the uses that need no window (the help, the version, and a wrong use) end
// without a display. Every option is one row of the option table in
// command_line.cpp and one line of the help text beside it.

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
};

struct CommandLine {
    CommandAction action = CommandAction::OpenWindow;
    std::string wrongUse;  // why the command line cannot be used; empty when it can
};

// Reads the arguments that follow the program's name.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// Does what the command line asks without a window and returns the exit code,
// or returns nothing when the window is to be opened.
std::optional<int> runWithoutWindow(const CommandLine& command, std::ostream& out, std::ostream& err);

}  // namespace velmora
