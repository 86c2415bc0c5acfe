#pragma once
// "Télécharger" in the main window. The operator is asked to put the machine
// in loading mode; on OK the program file of the working folder is sent with
// the serial settings the form's model holds at that moment, the meter
// following the items, and a failure is told under "Téléchargement".

#include "transmission/download.h"
#include "transmission/serial_comm.h"

#include <QString>

namespace velmora {

class FormModel;
class MainWindow;
class MessageSeam;
class PauseSeam;

// The texts of the transmission frame in Windows-1252, or why they cannot go
// on the line: a typed character the code page does not hold would otherwise
// be cut off with everything after it, and "COM12" read as "COM1".
struct TransmissionReading {
    TransmissionTexts texts;
    QString refusal;
    bool ok() const { return refusal.isEmpty(); }
};
TransmissionReading readTransmissionTexts(const FormModel& form);

class DownloadAction {
public:
    // `deviceName` maps a port number to a device; tests give a pseudo-terminal.
    DownloadAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                   DeviceNameForPort deviceName = platformDeviceName);
    DownloadAction(const DownloadAction&) = delete;
    DownloadAction& operator=(const DownloadAction&) = delete;

    void startDownload();

    // Held between downloads, closed whenever none is running.
    const SerialComm& comm() const { return MSComm1; }

private:
    bool machineIsInLoadingMode();
    void tellFailure(const QString& text);

    MainWindow& window_;
    MessageSeam& messages_;
    PauseSeam& pause_;
    SerialComm MSComm1;
};

}  // namespace velmora
