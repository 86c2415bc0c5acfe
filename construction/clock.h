#pragma once
// The date and time written in the program's header, day first as French
// operators read them: "06/12/2026" and "14:03:27". Nothing reads them back.

#include <ctime>
#include <string>

namespace velmora {

struct DateTimeTexts {
    std::string date;
    std::string time;
};

DateTimeTexts dateTimeTexts(const std::tm& localTime);
DateTimeTexts currentDateTimeTexts();

}  // namespace velmora
