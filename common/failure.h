#pragma once
// What went wrong, kept as data: the layers below the window return it, the
// tests check which step failed, and failureMessage() turns it into the
// French the operator reads, in the window and on the command line alike.
// Every cause the system gives (errno) is said in French through one table,
// here.

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

namespace velmora {

enum class FailureKind {
    // A step on a file; `file` and `cause` say which and why.
    Create,   // the new file could not be created
    Write,    // bytes could not be written
    Sync,     // the file could not be forced to the disk
    Close,    // closing the file reported a failure
    Replace,  // the finished file could not take the place of the old one
    Read,     // the file could not be read, or is not there (no_such_file_or_directory)
    // The construction, which writes nothing then.
    NoText,            // the five lines are empty
    BlockTooWide,      // centred in X: `blockMillimetres` wide on a plate `plateMillimetres` wide
    BlockTooHigh,      // centred in Y: the same in height
    NoCharacterThere,  // resume: line `line` has no character `rank`
    OnlyBlanksLeft,    // resume: only blanks from line `line`, character `rank`
    MissingGlyph,      // no glyph for `character` as the operator typed it
    NoFont,            // no glyph folder in any of `searched`
    // The configuration, which keeps velmora.txt as it was.
    LineBreakInValue,     // a value would split into two lines
    UnstorableCharacter,  // `character` of setting `detail` (line `line`) has no Windows-1252 byte
    // The download: nothing or part of the program sent. A port is named by
    // its number `port` and the device `file` behind it.
    UnsendableCharacter,  // `character` of serial setting `detail` has no Windows-1252 byte
    BadLineSettings,      // the settings text `detail` is not four fields
    BadSpeed,             // `detail`: the field refused
    BadParity,
    BadDataBits,
    BadStopBits,
    NoOneAndHalfStopBits,  // this system's driver cannot send 1.5 stop bits
    InvalidPort,           // the port text `detail` ends with no port number
    NoSuchPort,            // no device, or `cause` says why the device is not there
    PortBusy,
    PortAccessDenied,
    PortOpenFailed,
    WriteFailed,
    Stalled,  // the port took nothing for the stall timeout
    Stopped,  // the operator stopped it: `itemsSent` of `itemCount` went out
};

// Failures of the program's own rules, beside the system's error numbers.
enum class FileRefusal {
    NotRegularFile = 1,  // a folder, a FIFO, a device, a socket
    TooLarge,            // larger than the file could be for its job
};

std::error_code makeErrorCode(FileRefusal refusal);

struct Failure {
    explicit Failure(FailureKind kind, std::filesystem::path file = {}, std::error_code cause = {})
        : kind(kind), file(std::move(file)), cause(cause)
    {
    }

    FailureKind kind;
    std::filesystem::path file;  // the file the operator knows (velmora.rub, Ascii65.prg)
    std::error_code cause;       // the system's reason, or a FileRefusal
    int line = 0;
    int rank = 0;
    char32_t character = 0;
    int port = 0;
    std::size_t itemsSent = 0;
    std::size_t itemCount = 0;
    double blockMillimetres = 0;
    double plateMillimetres = 0;
    std::vector<std::filesystem::path> searched;
    std::string detail;  // UTF-8
};

Failure fileFailure(FailureKind kind, std::filesystem::path file, int errorNumber);

// A value, or why there is none.
template <class T>
class Result {
public:
    Result(T value) : held_(std::move(value)) {}
    Result(Failure failure) : held_(std::move(failure)) {}
    bool ok() const { return held_.index() == 0; }
    const T& value() const { return std::get<0>(held_); }
    T& value() { return std::get<0>(held_); }
    const Failure& failure() const { return std::get<1>(held_); }

private:
    std::variant<T, Failure> held_;
};

// Done, or why not.
template <>
class Result<void> {
public:
    // Written out rather than defaulted: `return {};` then leaves the unused
    // Failure's room as it is instead of zeroing it, on every glyph copied.
    Result() {}
    Result(Failure failure) : failure_(std::move(failure)) {}
    bool ok() const { return !failure_; }
    const Failure& failure() const { return *failure_; }

private:
    std::optional<Failure> failure_;
};

// What the operator asked for, which decides the words around a failure.
enum class Task {
    Construction,       // "Construire", from the window or the command line
    SaveConfiguration,  // "Enregistrer"
    LoadConfiguration,  // the command line, which stops without its settings
    StartWindow,        // start-up, which goes on with the first-start settings
    Download,           // "Télécharger"
};

// A message box's words, UTF-8: the text, and the cause shown under it when
// there is more to say.
struct Message {
    std::string title;
    std::string text;
    std::string cause;
};

// Every French text of a failure is made here.
Message failureMessage(Task task, const Failure& failure);

#ifdef _WIN32
// The Win32 error codes the file layer meets, as errno's values, so that the
// one table of French causes says them too; EIO for any other.
int errnoFromWindowsError(unsigned long windowsError);
#endif

}  // namespace velmora
