#include "save_configuration.h"

#include "app/form_configuration.h"
#include "common/numbers.h"
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

// The caption shows the bar's width as the window reports it, not the width
// asked for: the two differ by up to a pixel.
QString percentCaption(int barTwips, int fullTwips)
{
    const int percent = barTwips * 100 / fullTwips;
    return QString::fromStdString(numberText(static_cast<double>(percent))) + QStringLiteral(" %");
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
    const int full = meter.fullTwips();
    int shown = -1;
    for (int w = 1; w <= full; ++w) {
        meter.setBarTwips(w);
        const int bar = meter.barTwips();
        // The bar grows by a pixel every 15 twips; only then is there
        // anything new to show, and repainting every twip would take seconds.
        if (bar == shown)
            continue;
        shown = bar;
        meter.setCaption(percentCaption(bar, full));
        meter.repaintNow();
    }
    meter.setBarTwips(full);
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
