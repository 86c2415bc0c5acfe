#pragma once
// "Télécharger" in the main window. The operator is asked to put the machine
// in loading mode; on OK the program file of the working folder is sent with
// the serial settings the form's model holds at that moment.
//
// While the program goes out the window stays live: the meter follows the
// items, every other input of the form is locked, and the button reads
// "Arrêter". That button, Escape, or closing the window asks whether to stop;
// on Oui the sending stops at once, the port is released and the operator is
// told how much of the program the machine holds. A failure is told under
// "Téléchargement".

#include "panel/messages.h"
#include "app/transmission_reading.h"
#include "transmission/download.h"

#include <QObject>
#include <QString>

#include <chrono>

namespace velmora {

class FormModel;
class MainWindow;

class PauseSeam;

class DownloadAction final : public QObject {
public:
    // How long the full bar stays once everything has left the port.
    static constexpr std::chrono::milliseconds kFullBarPause{500};

    // Watches the window for Escape and its closing for as long as it lives.
    // `deviceName` maps a port number to a device; tests give a pseudo-terminal.
    DownloadAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                   DeviceNameForPort deviceName = platformDeviceName);
    ~DownloadAction() override;

    // The click on "Télécharger": returns when the download is over. While it
    // runs the same button reads "Arrêter", and its click asks to stop.
    void startDownload();

    // "Arrêter le téléchargement ?"; on Oui the download stops. Whether the
    // operator said Oui.
    bool askToStop();

    bool running() const { return download_.running(); }
    bool portOpen() const { return download_.portOpen(); }
    void setStallTimeout(std::chrono::milliseconds timeout) { download_.setStallTimeout(timeout); }

protected:
    // Escape and the window's closing, while a download runs.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool machineIsInLoadingMode();
    Result<void> sendWithInputLocked(const DownloadRequest& request);

    MainWindow& window_;
    MessageSeam& messages_;
    PauseSeam& pause_;
    Download download_;
    bool asking_ = false;
    bool closeWhenStopped_ = false;
};

}  // namespace velmora
