#include "construction_messages.h"

#include "panel/qt_text.h"

namespace velmora {

QString constructionFailureTitle()
{
    return QStringLiteral("Echec de la construction");
}

QString refusedLayoutText()
{
    return QStringLiteral("Modifier les paramètres");
}

QString missingGlyphText(char32_t character)
{
    return QStringLiteral("La gravure du caractère  (") + fromLineText(std::u32string_view(&character, 1))
        + QStringLiteral(")  est impossible");
}

QString fileFailureText(const FileError& error)
{
    return QString::fromStdString(error.describe());
}

}  // namespace velmora
