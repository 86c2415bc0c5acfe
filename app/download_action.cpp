#include "download_action.h"

#include "download_meter.h"

#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/qt_text.h"
#include "transmission/program_listing.h"
#include "ui_mainwindow.h"

#include <filesystem>

namespace velmora {
namespace {

const QString kQuestionTitle = QStringLiteral("Liaison PC-CN");
const QString kQuestion = QStringLiteral("Placer la machine en mode chargement");

// Each setting of the transmission frame: its combo box, its caption (to name
// it in a refusal) and where its text goes.
struct TransmissionControl {
    QComboBox* Ui::MainWindow::*combo;
    QLabel* Ui::MainWindow::*caption;
    std::string TransmissionTexts::*text;
};

constexpr TransmissionControl kTransmissionControls[] = {
    {&Ui::MainWindow::Port2, &Ui::MainWindow::Port1, &TransmissionTexts::port},
    {&Ui::MainWindow::Vitesse2, &Ui::MainWindow::Vitesse1, &TransmissionTexts::speed},
    {&Ui::MainWindow::Parité2, &Ui::MainWindow::Parité1, &TransmissionTexts::parity},
    {&Ui::MainWindow::Nbrebits2, &Ui::MainWindow::Nbrebits1, &TransmissionTexts::dataBits},
    {&Ui::MainWindow::Bitsstop2, &Ui::MainWindow::Bitsstop1, &TransmissionTexts::stopBits},
};

QString unsendableCharacter(const QString& setting, char32_t character)
{
    return QStringLiteral("%1 : le caractère « %2 » ne peut pas être transmis")
        .arg(setting, QString::fromStdString(cp1252::toUtf8(character)));
}

}  // namespace

TransmissionReading readTransmissionTexts(const Ui::MainWindow& form)
{
    TransmissionReading reading;
    for (const TransmissionControl& control : kTransmissionControls) {
        cp1252::EncodeResult text = toWindows1252((form.*control.combo)->currentText());
        if (!text.ok()) {
            reading.refusal = unsendableCharacter((form.*control.caption)->text(), *text.unrepresentable);
            return reading;
        }
        reading.texts.*control.text = std::move(text.bytes);
    }
    return reading;
}

DownloadAction::DownloadAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                               DeviceNameForPort deviceName)
    : window_(window), messages_(messages), pause_(pause), MSComm1(std::move(deviceName))
{
    click_ = QObject::connect(window.form().Télé1, &QPushButton::clicked, &window, [this] { Télé1_Click(); });
}

DownloadAction::~DownloadAction()
{
    QObject::disconnect(click_);
}

void DownloadAction::Télé1_Click()
{
    if (!machineIsInLoadingMode())
        return;
    const TransmissionReading reading = readTransmissionTexts(window_.form());
    if (!reading.ok()) {
        tellFailure(reading.refusal);
        return;
    }

    DownloadRequest request;
    request.programFile = std::filesystem::path(kProgramFileName);
    request.texts = reading.texts;
    DownloadMeter meter(window_.meter(), pause_);
    const DownloadOutcome outcome = runDownload(request, MSComm1, meter);
    if (!outcome.sent)
        tellFailure(fromWindows1252(outcome.message));
}

bool DownloadAction::machineIsInLoadingMode()
{
    return messages_.show(MessageIcon::Exclamation, MessageButtons::OkCancel, kQuestionTitle, kQuestion)
        == MessageAnswer::Ok;
}

void DownloadAction::tellFailure(const QString& text)
{
    messages_.show(MessageIcon::Critical, MessageButtons::Ok, fromWindows1252(kDownloadFailureTitle), text);
}

}  // namespace velmora
