#include "loading_messages.h"

#include "app/form_configuration.h"

#include <QStringList>

namespace velmora {

QString unreadableConfigurationMessage(const std::string& detail)
{
    return QString::fromStdString(unreadableConfigurationText(detail))
        + QStringLiteral("\nLes réglages par défaut sont utilisés.");
}

QString cleanedLinesMessage(const std::vector<int>& fileLines)
{
    constexpr int kFirstTextLine = 33;
    QStringList names;
    for (const int line : fileLines)
        names << (line >= kFirstTextLine ? QStringLiteral("Ligne %1").arg(line - kFirstTextLine + 1)
                                         : QStringLiteral("ligne %1 de velmora.txt").arg(line));
    return QStringLiteral("Des caractères de commande ont été retirés au chargement de velmora.txt : %1.")
        .arg(names.join(QStringLiteral(", ")));
}

}  // namespace velmora
