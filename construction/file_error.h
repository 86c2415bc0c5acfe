#pragma once
// What went wrong with a file during a construction, kept as data so that the
// window can say it to the operator and the tests can check which step failed.

#include <filesystem>
#include <string>
#include <system_error>

namespace velmora {

enum class FileAction {
    CreateProgram,   // the new program file could not be created
    WriteProgram,    // bytes of the program could not be written
    SyncProgram,     // the program could not be forced to the disk
    CloseProgram,    // closing the program file reported a failure
    ReplaceProgram,  // the finished program could not take the place of the old one
    ReadGlyph,       // a glyph file exists but could not be read
};

struct FileError {
    FileAction action = FileAction::WriteProgram;
    std::filesystem::path path;  // the file the operator knows (velmora.rub, Ascii65.prg)
    std::error_code cause;

    // One sentence in French for a message box, in UTF-8:
    // "Impossible d'écrire le fichier <path> : <cause>", the cause in French
    // for the failures an operator can act on (disk full, access refused…).
    std::string describe() const;
};

FileError fileErrorFromErrno(FileAction action, std::filesystem::path path, int errorNumber);

}  // namespace velmora
