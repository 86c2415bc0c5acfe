#pragma once
// The operator's messages are written here as they read, accents included, and
// turned into Windows-1252 bytes, the form every core text takes.

#include "common/codepage.h"

#include <string>
#include <string_view>

namespace velmora {

inline std::string french(std::u32string_view text)
{
    return cp1252::encode(text).bytes;
}

}  // namespace velmora
