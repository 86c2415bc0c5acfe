#pragma once
// Conversions at the edge between the window's texts (QString) and the core's
// texts: Windows-1252 bytes for display texts, one element per character for
// the text lines as typed.

#include "common/codepage.h"

#include <QString>

#include <string>
#include <string_view>

namespace velmora {

QString fromWindows1252(std::string_view bytes);

// The bytes of a display text; a character the code page cannot hold ends the
// bytes and is named in the result, so the caller decides what to tell.
cp1252::EncodeResult toWindows1252(const QString& text);

std::u32string toLineText(const QString& text);
QString fromLineText(std::u32string_view text);

}  // namespace velmora
