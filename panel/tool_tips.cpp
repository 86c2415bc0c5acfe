#include "tool_tips.h"

#include <QWidget>

namespace velmora {
namespace {

struct ToolTipRow {
    const char* control;  // object name, UTF-8
    const char* tip;      // UTF-8
};

constexpr const char* kLineTip = "Zone de saisie du texte à graver";

constexpr ToolTipRow kToolTips[] = {
    {"Echelle1", "Modifie la taille des caractères"},
    {"Espace1", "Modifie l'espace entre caractères"},
    {"Interligne1", "Modifie l'espace entre les lignes"},
    {"Justification1", "Alignement à gauche de toutes les lignes"},
    {"Justification2", "Centrage de toutes les lignes"},
    {"Justification3", "Alignement à droite de toutes les lignes"},
    {"Saisie11", kLineTip},
    {"Saisie21", kLineTip},
    {"Saisie31", kLineTip},
    {"Saisie41", kLineTip},
    {"Saisie51", kLineTip},
    {"Effacer", "Efface le contenu de toutes les lignes de saisie"},
    {"Encombrement1", "Affiche l'encombrement total de la gravure"},
    {"Visu", "Etat des activités de construction, de téléchargement ou d'enregistrement"},
    {"Outil1", "Choix de l'outil de T01 à T32"},
    {"Correcteur1", "Choix du correcteur de D01 à D32"},
    {"Rotation1", "Fréquence de rotation (n en tr/mn)"},
    {"Avance1", "Vitesse d'avance (Vf en mm/mn)"},
    {"Gamme1", "Gamme de vitesse (M40 à M45)"},
    {"Lubrification1", "Fonction d'arrosage"},
    {"Changeur1", "Installation de l'outil à partir du changeur outil"},
    {"Posx1", "Point de départ de la gravure ou valeur de la pièce suivant X"},
    {"Posy1", "Point de départ de la gravure ou valeur de la pièce suivant Y"},
    {"Posz1", "Distance entre le dessus de la pièce et l'OP"},
    {"Origine", "Position de l'OP sur la pièce dans le repère XY"},
    {"Port1", "Choix du port Série Com1 ou Com2"},
    {"Vitesse1", "Vitesse de transmission du programme (de 300 à 9600)"},
    {"Parité1", "Parité des données"},
    {"Nbrebits1", "Nombre de bits"},
    {"Bitsstop1", "Valeurs de Bits d'arrêt"},
    {"Options", "Options de centrage ou Point de départ de la gravure "},
};

}  // namespace

void applyToolTips(QWidget& window)
{
    for (const ToolTipRow& row : kToolTips) {
        auto* control = window.findChild<QWidget*>(QString::fromUtf8(row.control));
        Q_ASSERT_X(control, "applyToolTips", row.control);
        if (control)
            control->setToolTip(QString::fromUtf8(row.tip));
    }
}

}  // namespace velmora
