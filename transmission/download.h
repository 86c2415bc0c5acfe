#pragma once
// "Télécharger": sends the program file to the machine over the serial line,
// item by item, each followed by a line feed, then the character 19 and a line
// feed. The machine answers nothing, so what leaves the port is what it cuts.
//
// The window asks the operator to put the machine in loading mode first, then
// calls runDownload() with the texts of its transmission controls and a view
// of its progress meter, and shows the outcome's message if there is one.

#include "serial_comm.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

// The texts of the transmission controls, in Windows-1252.
struct TransmissionTexts {
    std::string port;      // Port2, "COM1"
    std::string speed;     // Vitesse2, "9600"
    std::string parity;    // Parité2, "E(ven)"
    std::string dataBits;  // Nbrebits2, "7"
    std::string stopBits;  // Bitsstop2, "2"
};

// The port number: the last character of the port text read as a number,
// 0 when it is no digit.
std::int16_t portNumber(std::string_view portText);

// "speed,parity letter,data bits,stop bits", the parity letter being the
// first character of the parity text in lower case: "4800,e,7,2".
std::string lineSettingsText(const TransmissionTexts& texts);

// The progress meter as the download drives it: the label showing the
// percentage (Visu1) over the bar (Visu2), both measured in twips. The window
// repaints them as they change; the download calls nothing else of the window.
class DownloadProgress {
public:
    virtual ~DownloadProgress() = default;
    virtual double fullTwips() const = 0;                   // width of Visu1
    virtual void setBarTwips(double twips) = 0;             // width of Visu2
    virtual void setCaption(const std::string& text) = 0;   // caption of Visu1, Windows-1252
    virtual void pause(std::chrono::milliseconds length) = 0;
};

constexpr double kRestBarTwips = 15;
inline constexpr char kRestCaption[] = "0 %";

struct DownloadRequest {
    std::filesystem::path programFile = "velmora.rub";
    TransmissionTexts texts;
    // How long the full bar stays once everything has left the port.
    std::chrono::milliseconds fullBarPause{500};
};

// The title of the message box that tells a failure.
inline constexpr char kDownloadFailureTitle[] = "T\xE9l\xE9" "chargement";

struct DownloadOutcome {
    bool sent = false;
    // Why the program was not sent (Windows-1252), shown under
    // kDownloadFailureTitle with the critical icon; empty when it was sent.
    std::string message;
};

// Reads the program file, opens the port, sends every item and closes the
// port once the last byte has left it. Whatever fails, the file and the port
// are released and the meter is left at rest.
DownloadOutcome runDownload(const DownloadRequest& request, SerialComm& comm, DownloadProgress& progress);

}  // namespace velmora
