#include "qt_text.h"

namespace velmora {

QString fromWindows1252(std::string_view bytes)
{
    return fromLineText(cp1252::decode(bytes));
}

cp1252::EncodeResult toWindows1252(const QString& text)
{
    return cp1252::encode(toLineText(text));
}

std::u32string toLineText(const QString& text)
{
    return text.toStdU32String();
}

QString fromLineText(std::u32string_view text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace velmora
