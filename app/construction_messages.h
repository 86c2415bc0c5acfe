#pragma once
// What the operator is told when a construction cannot finish. Every failure
// comes under the same title, with the critical icon and an OK button.

#include "common/file_error.h"

#include <QString>

#include <filesystem>
#include <vector>

namespace velmora {

QString constructionFailureTitle();  // "Echec de la construction"

// The layout refused the job: no text, or a centred block that does not fit.
QString refusedLayoutText();  // "Modifier les paramètres"

// No glyph file for the character as the operator typed it (a character the
// code page cannot hold has none either).
QString missingGlyphText(char32_t character);

// No glyph folder in any of the folders searched: "Aucune police : le
// dossier Data est introuvable (cherché dans <first> et <second>)".
QString noFontText(const std::vector<std::filesystem::path>& searched);

// A file could not be written or read: which file, and why, in French.
QString fileFailureText(const FileError& error);

}  // namespace velmora
