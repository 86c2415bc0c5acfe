#pragma once
// "Télécharger" in the main window. The operator is asked to put the machine
// in loading mode; on OK the program file of the working folder is sent with
// the serial settings the transmission frame shows at that moment, the meter
// following the items, and a failure is told under "Téléchargement".

#include "transmission/download.h"
#include "transmission/serial_comm.h"

#include <QMetaObject>
#include <QString>

namespace Ui {
class MainWindow;
}

namespace velmora {

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
TransmissionReading readTransmissionTexts(const Ui::MainWindow& form);

class DownloadAction {
public:
    // Connects itself to the button for as long as it lives. `deviceName`
    // maps a port number to a device; tests give a pseudo-terminal.
    DownloadAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                   DeviceNameForPort deviceName = platformDeviceName);
    ~DownloadAction();
    DownloadAction(const DownloadAction&) = delete;
    DownloadAction& operator=(const DownloadAction&) = delete;

    void Télé1_Click();

    // Held between downloads, closed whenever none is running.
    const SerialComm& comm() const { return MSComm1; }

private:
    bool machineIsInLoadingMode();
    void tellFailure(const QString& text);

    MainWindow& window_;
    MessageSeam& messages_;
    PauseSeam& pause_;
    SerialComm MSComm1;
    QMetaObject::Connection click_;
};

}  // namespace velmora
