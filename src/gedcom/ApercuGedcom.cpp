#include "gedcom/ApercuGedcom.h"

#include "gedcom/ChargeurGedcom.h"
#include "gedcom/JournalErreurs.h"
#include "gedcom/MachineEtats.h"

#include <array>
#include <cstring>
#include <filesystem>

namespace veltrane {

namespace {

using Contexte = SuiviApercu::Contexte;
using T = Transition<Contexte>;
using namespace balise;

// Valeur convertie dans le jeu du fichier, dans une copie : le chargeur lit la même ligne.
std::string valeurConvertie(const Contexte& c, const LigneGedcom& l) {
    std::string texte(l.valeur);
    convertirTexte(texte.data(), c.jeu);
    texte.resize(std::strlen(texte.c_str()));
    return texte;
}

void surSource(Contexte& c, LigneGedcom& l) {
    if (c.apercu.logiciel.empty()) c.apercu.logiciel = valeurConvertie(c, l);
}
void surJeu(Contexte& c, LigneGedcom& l) {
    c.apercu.jeuDeclare = l.valeur;
    JeuCaracteres jeu = jeuCaracteresDeChar(l.valeur);
    if (jeu == JeuCaracteres::Aucun && c.presumeUtf8) jeu = JeuCaracteres::Utf8;
    c.jeu = jeu;
}
void surNom(Contexte& c, LigneGedcom& l) {
    ++c.apercu.noms;
    if (c.apercu.premiersNoms.size() < c.nombreNomsGardes)
        c.apercu.premiersNoms.push_back(valeurConvertie(c, l));
}
void surIndividu(Contexte& c, LigneGedcom&) { ++c.apercu.individus; }
void surFamille(Contexte& c, LigneGedcom&) { ++c.apercu.familles; }
void surSourceEnr(Contexte& c, LigneGedcom&) { ++c.apercu.sources; }
void surNote(Contexte& c, LigneGedcom&) { ++c.apercu.notes; }
void surObjet(Contexte& c, LigneGedcom&) { ++c.apercu.objets; }
void surDepot(Contexte& c, LigneGedcom&) { ++c.apercu.depots; }
void surAutre(Contexte& c, LigneGedcom&) { ++c.apercu.autres; }

// États (index de leur première transition) : entre les enregistrements, en-tête, personne.
constexpr int16_t ENTRE = 0, ENTETE = 10, PERSONNE = 14;
constexpr std::array<T, 17> MACHINE = {{
    {0, HEAD, ENTETE, LIRE, nullptr},
    {0, INDI, PERSONNE, LIRE, surIndividu},
    {0, FAM, ENTRE, LIRE, surFamille},
    {0, SOUR, ENTRE, LIRE, surSourceEnr},
    {0, NOTE, ENTRE, LIRE, surNote},
    {0, OBJE, ENTRE, LIRE, surObjet},
    {0, REPO, ENTRE, LIRE, surDepot},
    {0, TRLR, SANS_ETAT, FINIR, nullptr},
    {0, TOUTE, ENTRE, LIRE, surAutre},
    {TOUTE, TOUTE, ENTRE, LIRE, nullptr},
    // en-tête
    {1, SOUR, ENTETE, LIRE, surSource},
    {1, CHAR, ENTETE, LIRE, surJeu},
    {0, TOUTE, ENTRE, PASSER, nullptr},
    {TOUTE, TOUTE, ENTETE, LIRE, nullptr},
    // personne
    {1, NAME, PERSONNE, LIRE, surNom},
    {0, TOUTE, ENTRE, PASSER, nullptr},
    {TOUTE, TOUTE, PERSONNE, LIRE, nullptr},
}};

const IndexTransitions<Contexte>& indexMachine() {
    static const IndexTransitions<Contexte> index(MACHINE);
    return index;
}

} // namespace

SuiviApercu::SuiviApercu(bool presumeUtf8, std::size_t nombreNomsGardes)
    : contexte_{{}, presumeUtf8 ? JeuCaracteres::Utf8 : JeuCaracteres::Aucun, nombreNomsGardes,
                presumeUtf8},
      marche_(indexMachine(), contexte_) {}

ApercuGedcom apercevoirGedcom(const std::string& chemin, std::size_t nombreNomsGardes) {
    const FichierALire f = preparerLecture(chemin);
    JournalErreurs journal({chemin});
    LecteurGedcom lecteur(&journal);
    lecteur.ouvrir(f.chemin);
    lecteur.choisirTable(TABLE_ENREGISTREMENTS);
    lecteur.fichier().version7 = f.version7;
    if (f.presumeUtf8) lecteur.fichier().jeu = JeuCaracteres::Utf8;
    SuiviApercu suivi(f.presumeUtf8, nombreNomsGardes);
    lecteur.positionner(0);
    LigneGedcom ligne;
    for (;;) {
        const bool finVue =
            detail::lireLigneSignalee(lecteur, ligne, true) == StatutLigne::FinFichier;
        // Le jeu déclaré vaut aussi pour les clés lues par le lecteur.
        if (!suivi.voir(ligne) || finVue) break;
        lecteur.fichier().jeu = suivi.jeu();
    }
    ApercuGedcom apercu = std::move(suivi.apercu());
    apercu.lignes = lecteur.numeroLigne();
    // La taille est celle du fichier donné, pas de sa copie UTF-8.
    std::error_code erreur;
    apercu.octets = f.copie ? static_cast<int64_t>(std::filesystem::file_size(chemin, erreur))
                            : lecteur.position();
    apercu.messages = journal.nombreMessages();
    apercu.journal = journal.contenu();
    return apercu;
}

} // namespace veltrane
