#include "download_action.h"

#include "download_meter.h"

#include "panel/main_window.h"
#include "panel/meter.h"
#include "panel/pause.h"
#include "panel/qt_text.h"
#include "transmission/program_listing.h"
#include "ui_mainwindow.h"

#include <QEventLoop>
#include <QKeyEvent>

#include <filesystem>

namespace velmora {
namespace {

const QString kQuestionTitle = QStringLiteral("Liaison PC-CN");
const QString kQuestion = QStringLiteral("Placer la machine en mode chargement");
const QString kStopQuestion = QStringLiteral("Arrêter le téléchargement ?");
const QString kStopCaption = QStringLiteral("Arrêter");

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

QString downloadTitle()
{
    return fromWindows1252(kDownloadFailureTitle);
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
    : window_(window), messages_(messages), pause_(pause), download_(std::move(deviceName))
{
    // The same button starts a download and, while it reads "Arrêter", asks
    // to stop it.
    click_ = QObject::connect(window.form().Télé1, &QPushButton::clicked, this, [this] {
        if (download_.running())
            askToStop();
        else
            downloadProgram();
    });
    window_.installEventFilter(this);
}

DownloadAction::~DownloadAction()
{
    window_.removeEventFilter(this);
    QObject::disconnect(click_);
}

void DownloadAction::downloadProgram()
{
    if (download_.running() || !machineIsInLoadingMode())
        return;
    const TransmissionReading reading = readTransmissionTexts(window_.form());
    if (!reading.ok()) {
        tell(MessageIcon::Critical, reading.refusal);
        return;
    }

    DownloadRequest request;
    request.programFile = std::filesystem::path(kProgramFileName);
    request.texts = reading.texts;
    const DownloadOutcome outcome = sendWithInputLocked(request);
    switch (outcome.end) {
    case DownloadEnd::Sent:
        if (!closeWhenStopped_)
            pause_.pause(kFullBarPause);
        window_.meter().rest();
        break;
    case DownloadEnd::Stopped:
        tell(MessageIcon::Exclamation, fromWindows1252(outcome.message));
        break;
    case DownloadEnd::Failed:
        tell(MessageIcon::Critical, fromWindows1252(outcome.message));
        break;
    }
    if (closeWhenStopped_) {
        closeWhenStopped_ = false;
        window_.close();
    }
}

// The event loop runs until the download ends, so the window is painted and
// answers throughout; only "Arrêter" (and Escape, and closing) reach it.
DownloadOutcome DownloadAction::sendWithInputLocked(const DownloadRequest& request)
{
    QPushButton* button = window_.form().Télé1;
    const InputLock lock(window_, button);
    const QString caption = button->text();
    button->setText(kStopCaption);

    DownloadMeter meter(window_.meter());
    DownloadOutcome outcome;
    QEventLoop loop;
    download_.start(request, meter, [&](const DownloadOutcome& end) {
        outcome = end;
        loop.quit();
    });
    if (download_.running())
        loop.exec();
    // Left early only when the program is ending: nothing stays open or running.
    download_.stop();

    button->setText(caption);
    return outcome;
}

bool DownloadAction::askToStop()
{
    if (!download_.running() || asking_)
        return false;
    asking_ = true;
    const bool stop = messages_.show(MessageIcon::Question, MessageButtons::YesNo, downloadTitle(), kStopQuestion)
        == MessageAnswer::Yes;
    asking_ = false;
    if (stop)
        download_.stop();
    return stop;
}

bool DownloadAction::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_ || !download_.running())
        return false;
    if (event->type() == QEvent::Close) {
        event->ignore();
        if (!asking_ && askToStop())
            closeWhenStopped_ = true;
        return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        askToStop();
        return true;
    }
    return false;
}

bool DownloadAction::machineIsInLoadingMode()
{
    return messages_.show(MessageIcon::Exclamation, MessageButtons::OkCancel, kQuestionTitle, kQuestion)
        == MessageAnswer::Ok;
}

void DownloadAction::tell(MessageIcon icon, const QString& text)
{
    messages_.show(icon, MessageButtons::Ok, downloadTitle(), text);
}

}  // namespace velmora
