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
    // The action the option belongs to; OpenWindow for an action of its own.
    CommandAction usedWith;
    void (*apply)(CommandLine& command, const std::string& value);  // value empty unless takesValue
    bool takesValue;
};

template <int line>
void setLineText(CommandLine& command, const std::string& value)
{
    command.lineTexts[line - 1] = value;
}

void setAction(CommandLine& command, CommandAction action)
{
    if (command.action == CommandAction::Build || command.action == CommandAction::Download)
        command.wrongUse = "--construire et --telecharger ne se donnent pas ensemble";
    command.action = action;
}

// Every option the program accepts. Help and version end the reading: what
// follows them is not looked at. An option that takes a value takes the next
// argument whatever it is, so a line may start with a dash.
constexpr std::array kOptions{
    OptionRow{"--help", "-h", CommandAction::OpenWindow,
              [](CommandLine& c, const std::string&) { c.action = CommandAction::ShowHelp; }, false},
    OptionRow{"--version", "-v", CommandAction::OpenWindow,
              [](CommandLine& c, const std::string&) { c.action = CommandAction::ShowVersion; }, false},
    OptionRow{"--construire", "", CommandAction::OpenWindow,
              [](CommandLine& c, const std::string&) { setAction(c, CommandAction::Build); }, false},
    OptionRow{"--telecharger", "", CommandAction::OpenWindow,
              [](CommandLine& c, const std::string&) { setAction(c, CommandAction::Download); }, false},
    OptionRow{"--dossier", "", CommandAction::OpenWindow,
              [](CommandLine& c, const std::string& v) { c.folder = v; }, true},
    OptionRow{"--ligne1", "", CommandAction::Build, setLineText<1>, true},
    OptionRow{"--ligne2", "", CommandAction::Build, setLineText<2>, true},
    OptionRow{"--ligne3", "", CommandAction::Build, setLineText<3>, true},
    OptionRow{"--ligne4", "", CommandAction::Build, setLineText<4>, true},
    OptionRow{"--ligne5", "", CommandAction::Build, setLineText<5>, true},
    OptionRow{"--reprise", "", CommandAction::Build,
              [](CommandLine& c, const std::string& v) { c.resumePoint = v; }, true},
    OptionRow{"--port", "", CommandAction::Download, [](CommandLine& c, const std::string& v) { c.port = v; },
              true},
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

// Why an option given cannot go with the action asked for; empty when it can.
std::string misplacedOption(const OptionRow& row, CommandAction action)
{
    const std::string name(row.longName);
    if (row.longName == "--dossier" && action != CommandAction::Build && action != CommandAction::Download)
        return name + " ne sert qu'avec --construire ou --telecharger";
    if (row.usedWith == CommandAction::Build && action != CommandAction::Build)
        return name + " ne sert qu'avec --construire";
    if (row.usedWith == CommandAction::Download && action != CommandAction::Download)
        return name + " ne sert qu'avec --telecharger";
    return {};
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

// A whole number written with digits only, at most 9 of them.
std::optional<int> countOf(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::optional<ResumeChoice> resumeChoiceOf(const std::string& value)
{
    const std::size_t colon = value.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const std::optional<int> line = countOf(std::string_view(value).substr(0, colon));
    const std::optional<int> character = countOf(std::string_view(value).substr(colon + 1));
    if (!line || !character || *line < 1 || *line > 5 || *character < 1)
        return std::nullopt;
    return ResumeChoice{*line, *character};
}

CommandLine readCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine command;
    std::vector<const OptionRow*> given;
    for (std::size_t next = 0; next < arguments.size(); ++next) {
        const std::string& argument = arguments[next];
        const OptionRow* option = findOption(argument);
        if (option == nullptr) {
            command.wrongUse = argument.starts_with('-') ? "option inconnue : " + argument
                                                         : "argument inattendu : " + argument;
            return command;
        }
        std::string value;
        if (option->takesValue) {
            if (++next == arguments.size()) {
                command.wrongUse = "l'option " + argument + " demande une valeur";
                return command;
            }
            value = arguments[next];
        }
        option->apply(command, value);
        if (endsReading(command.action) || !command.wrongUse.empty())
            return command;
        given.push_back(option);
    }
    for (const OptionRow* option : given) {
        command.wrongUse = misplacedOption(*option, command.action);
        if (!command.wrongUse.empty())
            return command;
    }
    if (command.resumePoint && !resumeChoiceOf(*command.resumePoint))
        command.wrongUse = "--reprise attend LIGNE:CARACTERE, la ligne de 1 à 5 et le caractère compté à partir de 1 : "
                           + *command.resumePoint;
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
    case CommandAction::Build:
    case CommandAction::Download:
        break;
    }
    return std::nullopt;
}

}  // namespace velmora
