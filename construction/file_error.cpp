#include "file_error.h"

namespace velmora {
namespace {

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
    text += cause.message();
    return text;
}

FileError fileErrorFromErrno(FileAction action, std::filesystem::path path, int errorNumber)
{
    return {action, std::move(path), std::error_code(errorNumber, std::generic_category())};
}

}  // namespace velmora
