// Engendre, à la construction, ce que l'installation dit des graphiques : le complètement bash
// de veltrane-cli et la liste des graphiques de sa page de manuel. Les deux suivent ainsi le
// catalogue sans qu'on y pense quand un graphique s'ajoute.
#include "graphiques/Catalogue.h"
#include "plateforme/TexteUtf8.h"
#include "sortie/FormatsPapier.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

using namespace veltrane;

namespace {

std::string clesOptions(const DescriptionGraphique& g) {
    std::string cles;
    for (const ParametreDecrit& p : g.parametres)
        if (p.cle != nullptr && p.role == RoleParametre::Option) cles += std::string(p.cle) + "= ";
    return cles;
}

std::string completion() {
    std::string noms, papiers, cas;
    for (const DescriptionGraphique& g : catalogue()) {
        noms += std::string(g.nomConsole) + " ";
        cas += "        " + std::string(g.nomConsole) + "|" + std::to_string(g.commande) +
               ") cles=\"" + clesOptions(g) + "\" ;;\n";
    }
    for (const NomConsoleCommun& commun : nomsConsoleCommuns()) {
        noms += std::string(commun.nom) + " ";
        const std::string cle = commun.cle ? std::string(commun.cle) + "= " : "";
        cas += "        " + std::string(commun.nom) + ") cles=\"" + cle +
               clesOptions(commun.premiereLigne()) + "\" ;;\n";
    }
    for (const FormatPapier& f : FormatsPapier)
        papiers += nomConsolePapier(f) + " ";
    std::ostringstream s;
    s << R"(# Complètement bash de veltrane-cli, engendré à la construction depuis le catalogue des
# graphiques. Ligne de commande : veltrane-cli FICHIER COMMANDE [ARGUMENTS...]
_veltrane_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]:-} prev=${COMP_WORDS[COMP_CWORD-1]:-}
    local commande=${COMP_WORDS[2]:-} type=${COMP_WORDS[3]:-} cles=""
    COMPREPLY=()
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -f -X '!*.@(ged|GED|fged|FGED|gedcom)' -- "$cur") $(compgen -d -- "$cur"))
        return
    fi
    if [ "$COMP_CWORD" -eq 2 ]; then
        COMPREPLY=($(compgen -W "info journal cherche consulte graphiques graphique favoris favori" -- "$cur"))
        return
    fi
    case "$prev" in
        --sortie) COMPREPLY=($(compgen -f -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "pdf texte rtf web" -- "$cur")); return ;;
        --papier) COMPREPLY=($(compgen -W ")" << papiers << R"(" -- "$cur")); return ;;
        --racine|--conjoint) return ;;
    esac
    case "$commande" in
    graphique)
        if [ "$COMP_CWORD" -eq 3 ]; then
            COMPREPLY=($(compgen -W ")" << noms << R"(" -- "$cur"))
            return
        fi
        case "$type" in
)" << cas << R"(        esac
        if [ "$prev" = "--option" ]; then
            compopt -o nospace 2>/dev/null
            COMPREPLY=($(compgen -W "$cles" -- "$cur"))
            return
        fi
        COMPREPLY=($(compgen -W "--racine --conjoint --format --sortie --option --papier" -- "$cur")) ;;
    cherche) COMPREPLY=($(compgen -W "--phonetique" -- "$cur")) ;;
    consulte) COMPREPLY=($(compgen -W "--tout" -- "$cur")) ;;
    favori) COMPREPLY=($(compgen -W "--sortie" -- "$cur")) ;;
    esac
}
complete -o filenames -F _veltrane_cli veltrane-cli
)";
    return s.str();
}

// Échappe ce que roff interprète en début de ligne ou après une barre oblique inverse.
std::string roff(std::string texte) {
    std::string sortie;
    for (char c : texte) {
        if (c == '\\') sortie += "\\e";
        else if (c == '-') sortie += "\\-";
        else sortie += c;
    }
    if (!sortie.empty() && (sortie[0] == '.' || sortie[0] == '\'')) sortie.insert(0, "\\&");
    return sortie;
}

std::string graphiquesManuel() {
    std::string s;
    for (const DescriptionGraphique& g : catalogue()) {
        s += ".TP\n.BR " + roff(g.nomConsole) + " \" (" + std::to_string(g.commande) + ")\"\n";
        s += roff(versUtf8(g.titre));
        if (!g.disponible()) s += " (pas encore disponible)";
        s += ".\n";
        std::string cles;
        for (const ParametreDecrit& p : g.parametres) {
            if (p.cle == nullptr || p.role != RoleParametre::Option) continue;
            cles += (cles.empty() ? "" : ", ") + std::string("\\fB") + roff(p.cle) + "\\fR";
        }
        if (!cles.empty()) s += "Options : " + cles + ".\n";
    }
    for (const NomConsoleCommun& commun : nomsConsoleCommuns()) {
        s += ".TP\n.BR " + roff(commun.nom) + " \" (" + commun.commandes() + ")\"\n";
        s += roff(versUtf8(commun.titre));
        if (commun.cle) {
            s += std::string(", au choix de \\fB") + roff(commun.cle) + "\\fR :";
            for (const VarianteConsole& v : commun.variantes)
                if (v.commande != 0)
                    s +=
                        std::string(" ") + roff(v.valeur) + " (" + std::to_string(v.commande) + ")";
        }
        s += ".\n";
    }
    return s;
}

bool ecrit(const std::string& chemin, const std::string& contenu) {
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    f << contenu;
    return static_cast<bool>(f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage : genere-installation MODELE_MANUEL MANUEL COMPLETION\n";
        return 2;
    }
    std::ifstream modele(argv[1], std::ios::binary);
    std::string page((std::istreambuf_iterator<char>(modele)), std::istreambuf_iterator<char>());
    const std::string marque = ".\\\" graphiques du catalogue\n";
    std::size_t p = page.find(marque);
    if (!modele || p == std::string::npos) {
        std::cerr << argv[1] << " : modèle illisible ou sans la marque des graphiques\n";
        return 1;
    }
    page.replace(p, marque.size(), graphiquesManuel());
    if (!ecrit(argv[2], page) || !ecrit(argv[3], completion())) {
        std::cerr << "écriture impossible\n";
        return 1;
    }
    return 0;
}
