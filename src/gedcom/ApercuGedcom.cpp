#include "gedcom/ApercuGedcom.h"

#include "gedcom/JournalErreurs.h"
#include "gedcom/MachineEtats.h"

#include <array>
#include <cstring>

namespace veltrane {

namespace {

struct Contexte {
    LecteurGedcom& lecteur;
    ApercuGedcom& apercu;
    std::size_t nombreNomsGardes;
};

using T = Transition<Contexte>;
using namespace balise;

// Valeur convertie dans le jeu du fichier (dans le tampon du lecteur, comme le chargeur).
std::string valeurConvertie(Contexte& c, LigneGedcom& l) {
    convertirTexte(l.valeur, c.lecteur.fichier().jeu);
    return l.valeur;
}

void surSource(Contexte& c, LigneGedcom& l) {
    if (c.apercu.logiciel.empty()) c.apercu.logiciel = valeurConvertie(c, l);
}
void surJeu(Contexte& c, LigneGedcom& l) {
    c.apercu.jeuDeclare = l.valeur;
    c.lecteur.fichier().jeu = jeuCaracteresDeChar(l.valeur);
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

} // namespace

ApercuGedcom apercevoirGedcom(const std::string& chemin, std::size_t nombreNomsGardes) {
    ApercuGedcom apercu;
    JournalErreurs journal({chemin});
    LecteurGedcom lecteur(&journal);
    lecteur.ouvrir(chemin);
    lecteur.choisirTable(TABLE_ENREGISTREMENTS);
    Contexte contexte{lecteur, apercu, nombreNomsGardes};
    analyser<Contexte>(lecteur, MACHINE, contexte, 0, true);
    apercu.lignes = lecteur.numeroLigne();
    apercu.octets = lecteur.position();
    apercu.messages = journal.nombreMessages();
    apercu.journal = journal.contenu();
    return apercu;
}

} // namespace veltrane
