#include "file_error.h"

#include <cerrno>

namespace velmora {
namespace {

struct CauseRow {
    int errorNumber;
    const char* text;
};

// The causes an operator can meet and act on, said in the window's language;
// any other keeps the system's own wording.
const CauseRow kCauseRows[] = {
    {ENOSPC, "le disque est plein"},
    {EDQUOT, "le quota du disque est atteint"},
    {EACCES, "accès refusé"},
    {EPERM, "opération non permise"},
    {EROFS, "le support est en lecture seule"},
    {ENOENT, "le dossier n'existe pas"},
    {ENOTDIR, "le chemin du dossier n'est pas un dossier"},
    {EISDIR, "c'est un dossier"},
    {EIO, "erreur de lecture ou d'écriture sur le support"},
};

std::string causeText(const std::error_code& cause)
{
    if (cause.category() == std::generic_category() || cause.category() == std::system_category())
        for (const CauseRow& row : kCauseRows)
            if (row.errorNumber == cause.value())
                return row.text;
    return cause.message();
}

const char* actionPhrase(FileAction action)
{
    switch (action) {
    case FileAction::CreateProgram:
        return "Impossible de créer le fichier";
    case FileAction::WriteProgram:
        return "Impossible d'écrire le fichier";
    case FileAction::SyncProgram:
        return "Impossible d'enregistrer sur le disque le fichier";
    case FileAction::CloseProgram:
        return "Impossible de fermer le fichier";
    case FileAction::ReplaceProgram:
        return "Impossible de remplacer le fichier";
    case FileAction::ReadGlyph:
        return "Impossible de lire le fichier";
    }
    return "Impossible d'utiliser le fichier";
}

}  // namespace

std::string FileError::describe() const
{
    const std::u8string name = path.u8string();
    std::string text = actionPhrase(action);
    text += ' ';
    text.append(name.begin(), name.end());
    text += " : ";
    text += causeText(cause);
    return text;
}

FileError fileErrorFromErrno(FileAction action, std::filesystem::path path, int errorNumber)
{
    return {action, std::move(path), std::error_code(errorNumber, std::generic_category())};
}

}  // namespace velmora
