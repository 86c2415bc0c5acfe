#pragma once
// Conversions at the edge between the window's texts (QString) and the core's
// texts: Windows-1252 bytes for display texts, one element per character for
// the text lines as typed.

#include "common/codepage.h"

#include <QString>

#include <string>
#include <string_view>

namespace velmora {

inline std::u32string toLineText(const QString& text)
{
    return text.toStdU32String();
}

inline QString fromLineText(std::u32string_view text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString fromWindows1252(std::string_view bytes)
{
    return fromLineText(cp1252::decode(bytes));
}

}  // namespace velmora
