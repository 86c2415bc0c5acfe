#include "command_line.h"

#include <array>
#include <ostream>
#include <string_view>

#ifndef VELMORA_VERSION
#error "VELMORA_VERSION is given by the build"
#endif

namespace velmora {
namespace {

struct OptionRow {
    std::string_view longName;
    std::string_view shortName;  // empty when the option has none
    void (*apply)(CommandLine& command);
};

// Every option the program accepts. Help and version end the reading: what
// follows them is not looked at.
constexpr std::array kOptions{
    OptionRow{"--help", "-h", [](CommandLine& c) { c.action = CommandAction::ShowHelp; }},
    OptionRow{"--version", "-v", [](CommandLine& c) { c.action = CommandAction::ShowVersion; }},
};

bool endsReading(CommandAction action)
{
    return action == CommandAction::ShowHelp || action == CommandAction::ShowVersion;
}

const OptionRow* findOption(std::string_view argument)
{
    for (const OptionRow& row : kOptions) {
        if (argument == row.longName || (!row.shortName.empty() && argument == row.shortName))
            return &row;
    }
    return nullptr;
}

constexpr std::string_view kHelpText =
    "Usage : velmora [OPTION]...\n"
    "Prépare le programme d'usinage velmora.rub qui grave jusqu'à cinq lignes de\n"
    "texte, et l'envoie à la commande numérique de la fraiseuse par la ligne série.\n"
    "Sans option, ouvre la fenêtre ; le dossier de travail est le dossier courant.\n"
    "\n"
    "Sans fenêtre :\n"
    "  --construire              construit velmora.rub avec les réglages de\n"
    "                            velmora.txt, comme « Construire » dans la fenêtre\n"
    "  --telecharger             envoie velmora.rub à la machine, comme\n"
    "                            « Télécharger » dans la fenêtre\n"
    "  --dossier DOSSIER         dossier de travail de velmora.txt et velmora.rub\n"
    "                            (par défaut, le dossier courant)\n"
    "  --ligne1 TEXTE ... --ligne5 TEXTE\n"
    "                            remplace le texte de la ligne 1 à 5 (--construire)\n"
    "  --reprise LIGNE:CARACTERE construit le programme de reprise à partir de ce\n"
    "                            caractère : ligne de 1 à 5, caractère compté à\n"
    "                            partir de 1, blancs compris (--construire)\n"
    "  --port COMn               port série à utiliser au lieu de celui de\n"
    "                            velmora.txt (--telecharger)\n"
    "\n"
    "  -h, --help                affiche cette aide et quitte\n"
    "  -v, --version             affiche la version et quitte\n"
    "\n"
    "Codes de sortie :\n"
    "  0  terminé\n"
    "  1  ligne de commande incorrecte\n"
    "  2  construction refusée (« Modifier les paramètres »)\n"
    "  3  un caractère ne peut pas être gravé (pas de fichier de caractère,\n"
    "     ou pas de dossier Data)\n"
    "  4  un fichier n'a pas pu être lu ou écrit\n"
    "  5  échec du téléchargement\n"
    "\n"
    "Voir aussi : man velmora\n";

}  // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine command;
    for (const std::string& argument : arguments) {
        const OptionRow* option = findOption(argument);
        if (option == nullptr) {
            command.wrongUse = argument.starts_with('-') ? "option inconnue : " + argument
                                                         : "argument inattendu : " + argument;
            return command;
        }
        option->apply(command);
        if (endsReading(command.action))
            return command;
    }
    return command;
}

std::optional<int> runWithoutWindow(const CommandLine& command, std::ostream& out, std::ostream& err)
{
    if (!command.wrongUse.empty()) {
        err << "velmora : " << command.wrongUse << "\n"
            << "La liste des options : velmora --help\n";
        return static_cast<int>(ExitCode::WrongUse);
    }
    switch (command.action) {
    case CommandAction::ShowHelp:
        out << kHelpText;
        return static_cast<int>(ExitCode::Done);
    case CommandAction::ShowVersion:
        out << "velmora " VELMORA_VERSION "\n";
        return static_cast<int>(ExitCode::Done);
    case CommandAction::OpenWindow:
        break;
    }
    return std::nullopt;
}

}  // namespace velmora
