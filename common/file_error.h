#pragma once
// What went wrong with a file, kept as data so that the window can say it to
// the operator and the tests can check which step failed. Every cause the
// system gives (errno) is said in French through one table, here.

#include <filesystem>
#include <string>
#include <system_error>

namespace velmora {

enum class FileAction {
    Create,   // the new file could not be created
    Write,    // bytes could not be written
    Sync,     // the file could not be forced to the disk
    Close,    // closing the file reported a failure
    Replace,  // the finished file could not take the place of the old one
    Read,     // a file exists but could not be read
};

// Failures of the program's own rules, beside the system's error numbers.
enum class FileRefusal {
    NotRegularFile = 1,  // a folder, a FIFO, a device, a socket
    TooLarge,            // larger than the file could be for its job
};

std::error_code makeErrorCode(FileRefusal refusal);

// The cause in French, UTF-8: "le disque est plein". Every system error has a
// French sentence; an error number the table does not know is named by its
// number, never by the system's English.
std::string frenchCause(const std::error_code& cause);

struct FileError {
    FileAction action = FileAction::Write;
    std::filesystem::path path;  // the file the operator knows (velmora.rub, Ascii65.prg)
    std::error_code cause;

    // One sentence in French for a message box, in UTF-8:
    // "Impossible d'écrire le fichier <path> : le disque est plein".
    std::string describe() const;
};

FileError fileErrorFromErrno(FileAction action, std::filesystem::path path, int errorNumber);

#ifdef _WIN32
// The Win32 error codes the file layer meets, as errno's values, so that the
// one table of French causes says them too; EIO for any other.
int errnoFromWindowsError(unsigned long windowsError);
#endif

}  // namespace velmora
