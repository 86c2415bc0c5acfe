#include "startup.h"

#include "app/configuration_window.h"
#include "app/quit_about.h"
#include "app/save_configuration.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/window_placement.h"
#include "ui_mainwindow.h"

#include <QPushButton>

#include <filesystem>

namespace velmora {
namespace {

const std::filesystem::path kWorkingFolder{"."};

void tellUnreadable(MessageSeam& messages, const LoadResult& loaded)
{
    if (loaded.status == LoadStatus::Unreadable)
        messages.show(MessageIcon::Exclamation, MessageButtons::Ok, QStringLiteral("Configuration"),
                      unreadableConfigurationMessage(loaded.detail));
}

}  // namespace

QString unreadableConfigurationMessage(const std::string& detail)
{
    return QStringLiteral("Impossible de lire le fichier velmora.txt : %1.\n"
                          "Les réglages par défaut sont utilisés.")
        .arg(QString::fromStdString(detail));
}

void connectShellButtons(MainWindow& window, const ShellSeams& seams)
{
    Ui::MainWindow& form = window.form();
    MainWindow* saved = &window;
    QObject::connect(form.Sauve, &QPushButton::clicked, form.Sauve, [saved, seams] {
        Sauveconfiguration(*saved, seams.messages, seams.pause, kWorkingFolder);
    });
    QObject::connect(form.Quitter1, &QPushButton::clicked, form.Quitter1,
                     [seams] { Quitter1_Click(seams.messages, seams.endProgram); });
    QObject::connect(form.Apropos1, &QPushButton::clicked, form.Apropos1,
                     [seams] { Apropos1_Click(seams.showSplash); });
}

void startUp(MainWindow& window, const ShellSeams& seams)
{
    seams.showSplash();
    const LoadResult loaded = Chargeconfiguration(window, kWorkingFolder);
    window.Chargelisting();
    window.recalcul();
    window.setToolTips();
    tellUnreadable(seams.messages, loaded);
    fitOnScreen(window);
    window.show();
}

}  // namespace velmora
