#include "clock.h"

#include <cstdio>

namespace velmora {

DateTimeTexts dateTimeTexts(const std::tm& t)
{
    // snprintf with numbers only, so the locale cannot change the form.
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return {date, time};
}

DateTimeTexts currentDateTimeTexts()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    // The thread-safe local time of each system (same meaning, arguments swapped).
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return dateTimeTexts(local);
}

}  // namespace velmora
