#include "download_action.h"

#include "panel/main_window.h"
#include "panel/meter.h"
#include "panel/pause.h"
#include "panel/qt_text.h"
#include "transmission/program_listing.h"

#include <QKeyEvent>
#include <QPushButton>

#include <filesystem>

namespace velmora {
namespace {

const QString kQuestionTitle = QStringLiteral("Liaison PC-CN");
const QString kQuestion = QStringLiteral("Placer la machine en mode chargement");
const QString kStopQuestion = QStringLiteral("Arrêter le téléchargement ?");
// Alt+T, the key of "Télécharger", stays on the same button.
const QString kStopCaption = QStringLiteral("Arrê&ter");

// The download's progress on the window's meter. The event loop runs during
// the download and paints the meter as it changes; the labels pass on only a
// change the operator can see, so the painting never slows the sending.
class MeterProgress final : public DownloadProgress {
public:
    explicit MeterProgress(Meter& meter) : meter_(meter) {}
    void showSent(std::size_t sent, std::size_t count) override { meter_.showItemsSent(sent, count); }
    void showFull() override { meter_.showFull(); }
    void rest() override { meter_.rest(); }

private:
    Meter& meter_;
};

}  // namespace

DownloadAction::DownloadAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                               DeviceNameForPort deviceName)
    : window_(window), messages_(messages), pause_(pause), download_(std::move(deviceName))
{
    window_.installEventFilter(this);
}

DownloadAction::~DownloadAction()
{
    window_.removeEventFilter(this);
}

void DownloadAction::startDownload()
{
    if (download_.running()) {
        askToStop();
        return;
    }
    if (!machineIsInLoadingMode())
        return;
    const Result<TransmissionTexts> reading = readTransmissionTexts(window_.model());
    if (!reading.ok()) {
        tellFailure(messages_, MessageIcon::Critical, Task::Download, reading.failure());
        return;
    }

    DownloadRequest request;
    request.programFile = std::filesystem::path(kProgramFileName);
    request.texts = reading.value();
    const Result<void> outcome = sendWithInputLocked(request);
    if (outcome.ok()) {
        if (!closeWhenStopped_)
            pause_.pause(kFullBarPause);
        window_.meter().rest();
    } else {
        const bool stopped = outcome.failure().kind == FailureKind::Stopped;
        tellFailure(messages_, stopped ? MessageIcon::Exclamation : MessageIcon::Critical, Task::Download,
                    outcome.failure());
    }
    if (closeWhenStopped_) {
        closeWhenStopped_ = false;
        window_.close();
    }
}

// The event loop runs until the download ends, so the window is painted and
// answers throughout; only "Arrêter" (and Escape, and closing) reach it.
Result<void> DownloadAction::sendWithInputLocked(const DownloadRequest& request)
{
    // The button keeps its form name whatever the window makes of its form.
    auto* button = window_.findChild<QPushButton*>(QStringLiteral("Télé1"));
    const InputLock lock(window_, button);
    const QString caption = button ? button->text() : QString();
    if (button)
        button->setText(kStopCaption);

    MeterProgress meter(window_.meter());
    const Result<void> outcome = download_.send(request, meter);

    if (button)
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

}  // namespace velmora
