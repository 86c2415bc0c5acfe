#include "save_configuration.h"

#include "app/form_configuration.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/meter.h"
#include "panel/pause.h"

namespace velmora {
namespace {

const QString kQuestion = QStringLiteral("Enregistrer la configuration ?");
const QString kFailureTitle = QStringLiteral("Enregistrement");
const QString kNothingChanged = QStringLiteral("Le fichier velmora.txt n'a pas été modifié.");

QString failurePhrase(SaveStatus status)
{
    switch (status) {
    case SaveStatus::Saved:
        break;
    case SaveStatus::LineBreakInValue:
        return QStringLiteral("Un réglage contient un saut de ligne");
    case SaveStatus::CannotCreate:
        return QStringLiteral("Impossible de créer le fichier velmora.txt");
    case SaveStatus::CannotWrite:
        return QStringLiteral("Impossible d'écrire le fichier velmora.txt");
    case SaveStatus::CannotReplace:
        return QStringLiteral("Impossible de remplacer le fichier velmora.txt");
    }
    return QStringLiteral("Impossible d'enregistrer le fichier velmora.txt");
}

void tellFailure(MessageSeam& messages, const QString& text)
{
    messages.show(MessageIcon::Critical, MessageButtons::Ok, kFailureTitle, text);
}

}  // namespace

QString unstorableMessage(const UnstorableText& unstorable)
{
    const QString where = QStringLiteral("« %1 »").arg(QString::fromStdString(unstorable.setting));
    if (unstorable.character == U'\r' || unstorable.character == U'\n')
        return QStringLiteral("%1 contient un saut de ligne, qui ne peut pas être enregistré.\n%2")
            .arg(where, kNothingChanged);
    const QString character = QString::fromUcs4(&unstorable.character, 1);
    const QString code = QStringLiteral("U+%1").arg(static_cast<uint>(unstorable.character), 4, 16, QChar(u'0')).toUpper();
    return QStringLiteral("Le caractère « %1 » (%2) de %3 ne peut pas être enregistré.\n%4")
        .arg(character, code, where, kNothingChanged);
}

QString saveFailureMessage(const SaveResult& result)
{
    QString text = failurePhrase(result.status);
    if (!result.detail.empty())
        text += QStringLiteral(" : ") + QString::fromStdString(result.detail);
    return text + QStringLiteral(".\n") + kNothingChanged;
}

void runSaveMeter(Meter& meter, PauseSeam& pause)
{
    // One step, and one repaint, per pixel of the bar: nothing finer can be
    // seen.
    const int full = meter.fullPixels();
    for (int pixels = 0; pixels <= full; ++pixels) {
        meter.showShare(pixels, full);
        meter.repaintIfChanged();
    }
    meter.showFull();
    meter.repaintNow();
    pause.pause(kFullMeterPause);
    meter.rest();
    meter.repaintNow();
}

void askAndSaveConfiguration(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                             const std::filesystem::path& folder)
{
    if (messages.show(MessageIcon::Question, MessageButtons::OkCancel, QString(), kQuestion) != MessageAnswer::Ok)
        return;
    const FormValues taken = configurationOf(window.model());
    if (taken.unstorable) {
        tellFailure(messages, unstorableMessage(*taken.unstorable));
        return;
    }
    const SaveResult saved = saveConfiguration(folder, taken.values);
    if (!saved.saved()) {
        tellFailure(messages, saveFailureMessage(saved));
        return;
    }
    // The question has just closed, and the thread stays held until the meter
    // is back at rest: draw now what the box covered, or it lingers there.
    window.repaint();
    runSaveMeter(window.meter(), pause);
}

}  // namespace velmora
