#pragma once
// The line settings of the serial port, as the operator chooses them and as
// they are written in one text: speed, parity letter, data bits, stop bits,
// separated by commas ("9600,e,7,2").

#include "common/failure.h"

#include <QSerialPort>

#include <string>
#include <string_view>

namespace velmora {

enum class Parity { None, Even, Odd, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

struct LineSettings {
    int baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;
    bool operator==(const LineSettings&) const = default;
};

// Reads "speed,parity,data bits,stop bits". The speed is a whole number of
// bauds from 50 to 4,000,000; the parity one of the letters n, e, o, m, s
// (either case); the data bits 5 to 8; the stop bits 1, 1.5 or 2. Blanks
// around a field are allowed; anything else is refused, the failure naming
// the field (BadSpeed...) or the whole text (BadLineSettings).
Result<LineSettings> readLineSettings(std::string_view text);

// Whether the serial driver of this platform can frame characters with 1.5
// stop bits. Linux cannot, and would send 1 instead.
bool platformHasOneAndHalfStopBits();

// The same settings in Qt's terms.
struct QtLineSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    bool operator==(const QtLineSettings&) const = default;
};
QtLineSettings toQt(const LineSettings& settings);

}  // namespace velmora
