#include "gedcom/PassagesGedcom.h"

#include "dates_lieux/LectureDate.h"
#include "gedcom/LignesEnChaine.h"
#include "gedcom/MachineEtats.h"
#include "gedcom/TravailEnChaine.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <strings.h>

namespace veltrane::chargement {

namespace {

using namespace balise;

// Ajoute une suite CONC au commentaire encore ouvert, sans espace comme le veut la norme GEDCOM.
void prolongerCommentaire(std::string& commentaire, std::string_view suite) {
    commentaire += suite;
    couper(commentaire, COMMENTAIRE_LU_MAX);
}

bool estDateEstimee(std::string_view v) {
    return commencePar(sansEspacesDebut(v), "EST");
}

// ---------------------------------------------------------------------------------------
// Premier passage

void surLogiciel(Chargeur& c, LigneGedcom& l) {
    c.fichier().drapeauxLogiciel = drapeauxDuLogiciel(l.valeur);
}
void surJeu(Chargeur& c, LigneGedcom& l) {
    c.fichier().jeu = jeuCaracteresDeChar(l.valeur);
}
void surFinEntete(Chargeur& c, LigneGedcom&) {
    const auto f = static_cast<std::size_t>(c.lecteur->indexFichier());
    if (c.fichier().jeu == JeuCaracteres::Aucun && c.presumesUtf8[f])
        c.fichier().jeu = JeuCaracteres::Utf8;
}

void surDebutSource(Chargeur& c, LigneGedcom&) {
    c.cle = c.lecteur->cleCourante();
    c.texteSourceVu = false;
    c.porteurPhoto = false;
    // Une source définie sans titre n'est pas « non définie » pour les personnes qui la citent.
    c.sources.trouverOuCreer(c.cle);
}
void surTexteSource(Chargeur& c, LigneGedcom& l) {
    if (c.texteSourceVu || *l.valeur == '\0') return;
    c.texteSourceVu = true;
    std::string texte(c.valeur(l));
    if (c.drapeaux() & LOGICIEL_PHOTOS_PAR_SOURCES) {
        c.porteurPhoto = texte == "Photo de l'arbre";
        return;
    }
    couper(texte, TEXTE_MAX);
    c.sources.obtenir(c.cle) = std::move(texte);
}
void surFichierSource(Chargeur& c, LigneGedcom& l) {
    if (!c.porteurPhoto || c.photosSources.chercher(c.cle)) return;
    if (auto photo = c.verifierPhoto(c.valeur(l)))
        c.photosSources.obtenir(c.cle) = std::move(*photo);
}

void ajouterLigneNoteRecord(Chargeur& c, LigneGedcom& l) {
    std::string texte(c.valeur(l));
    const bool premiere = c.premiereLigneNote;
    c.premiereLigneNote = false;
    const bool suite = c.commentaireOuvert && l.balise == CONC;
    c.commentaireOuvert = false;
    if (suite) {
        if (std::string* candidat = c.notesCommentaire.chercher(c.cle)) {
            prolongerCommentaire(*candidat, texte);
            c.commentaireOuvert = true;
        }
        if (c.options.sourceCommentaire == SourceCommentaire::LigneDiese) return;
    }
    const bool rtf = texte.find("{\\rtf1") != std::string::npos;
    const bool sansCandidat = !c.notesCommentaire.chercher(c.cle);
    if (c.options.sourceCommentaire == SourceCommentaire::PremiereLigneNote && premiere) {
        if (!rtf) {
            std::string candidat = texte;
            couper(candidat, COMMENTAIRE_LU_MAX);
            c.notesCommentaire.obtenir(c.cle) = std::move(candidat);
            c.commentaireOuvert = true;
        }
    } else if (c.options.sourceCommentaire == SourceCommentaire::LigneDiese && sansCandidat &&
               !texte.empty() && texte.front() == '#') {
        if (!rtf) {
            std::string candidat = texte.substr(1);
            couper(candidat, COMMENTAIRE_LU_MAX);
            c.notesCommentaire.obtenir(c.cle) = std::move(candidat);
            c.commentaireOuvert = true;
        }
        return;
    }
    couper(texte, LIGNE_NOTE_MAX);
    c.notesLignes.obtenir(c.cle).lignes.push_back(std::move(texte));
}
void surDebutNote(Chargeur& c, LigneGedcom& l) {
    c.cle = c.lecteur->cleCourante();
    c.premiereLigneNote = true;
    c.commentaireOuvert = false;
    if (*l.valeur != '\0') ajouterLigneNoteRecord(c, l);
}
void surSuiteNote(Chargeur& c, LigneGedcom& l) {
    ajouterLigneNoteRecord(c, l);
}

void surDebutObjet(Chargeur& c, LigneGedcom&) {
    c.cle = c.lecteur->cleCourante();
}
void surFichierObjet(Chargeur& c, LigneGedcom& l) {
    if (c.objets.chercher(c.cle)) return;
    if (auto photo = c.verifierPhoto(c.valeur(l))) c.objets.obtenir(c.cle) = std::move(*photo);
}

void surDebutIndividu(Chargeur& c, LigneGedcom&) {
    const std::int32_t p = c.individus.trouverOuCreer(c.lecteur->cleCourante());
    EntreeIndividu& e = c.individus[p];
    if (e.decalage != 0)
        c.lecteur->signaler("- Ligne %ld : référence Gedcom déjà utilisée", c.ligne());
    e.decalage = c.lecteur->position();
    e.ligne = static_cast<std::int32_t>(c.ligne());
    e.fichier = static_cast<std::uint8_t>(c.lecteur->indexFichier());
    c.individuCourant = p;
    c.lienAncien.clear();
    c.naissanceVue = c.decesVu = c.baptemeDate = c.inhumationDate = false;
}
void compter(std::uint16_t& evenements, bool contenu) {
    if (contenu && evenements < UINT16_MAX) ++evenements;
}

void surFamc(Chargeur& c, LigneGedcom& l) {
    c.famcEnAttente = AUCUN;
    if (Chargeur::referenceNulle(l.valeur)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return c.signalerReferenceManquante();
    c.famcEnAttente = c.unions.trouverOuCreer(cle);
    c.ligneFamc = c.ligne();
    c.lienFamc.clear();
}
// PEDI sous FAMC : « birth » (toute casse) est une naissance, toute autre valeur un autre lien.
void surLienFamc(Chargeur& c, LigneGedcom& l) {
    const std::string_view v = sansEspacesFin(sansEspacesDebut(c.valeur(l)));
    c.lienFamc = ::strncasecmp(v.data(), "birth", 5) == 0 && v.size() == 5 ? "" : v;
}
// Fin du FAMC : une famille adoptive, nourricière ou de scellement ne remplace jamais la
// famille de naissance ; la famille de naissance remplace une famille d'un autre lien.
void surFinFamc(Chargeur& c, LigneGedcom&) {
    const std::int32_t u = c.famcEnAttente;
    if (u == AUCUN) return;
    c.famcEnAttente = AUCUN;
    const std::int32_t p = c.individuCourant;
    EntreeIndividu& e = c.individus[p];
    const bool naissance = c.lienFamc.empty();
    // L'union gardée vient d'un FAMC de cet enregistrement qui n'était pas de naissance.
    const bool ancienneAutreLien = !e.parentsDeNaissance && !c.lienAncien.empty();
    if (e.unionParents != AUCUN && !e.adoption && e.unionParents != u) {
        if (!naissance && e.parentsDeNaissance) {
            c.famillesEcartees.insert(Chargeur::paire(p, u));
            c.lecteur->signaler("- Ligne %ld : famille @%s (PEDI %s) écartée, la famille de "
                                "naissance est gardée",
                                c.ligneFamc, c.unions.reference(u), c.lienFamc.c_str());
            return;
        }
        if (naissance && ancienneAutreLien) {
            c.famillesEcartees.insert(Chargeur::paire(p, e.unionParents));
            c.lecteur->signaler("- Ligne %ld : famille @%s (PEDI %s) écartée, la famille de "
                                "naissance est gardée",
                                c.ligneAncien, c.unions.reference(e.unionParents),
                                c.lienAncien.c_str());
        } else {
            const EntreeUnion& ancienne = c.unions[e.unionParents];
            if (ancienne.decalage != 0)
                c.lecteur->signaler(
                    "- Ligne %ld : champ FAMC incompatible avec la famille ligne %ld", c.ligneFamc,
                    static_cast<long>(ancienne.ligne));
            else
                c.lecteur->signaler("- Ligne %ld : redéfinition du champ FAMC", c.ligneFamc);
        }
    }
    e.unionParents = u;
    e.adoption = false;
    e.parentsDeNaissance = naissance;
    c.lienAncien = c.lienFamc;
    c.ligneAncien = c.ligneFamc;
}
void surAdoption(Chargeur& c, LigneGedcom& l) {
    if (Chargeur::referenceNulle(l.valeur)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return c.signalerReferenceManquante();
    const std::int32_t u = c.unions.trouverOuCreer(cle);
    EntreeIndividu& e = c.individus[c.individuCourant];
    if (e.unionParents == AUCUN) {
        e.unionParents = u;
        e.adoption = true;
    }
}
void surFams(Chargeur& c, LigneGedcom& l) {
    if (Chargeur::referenceNulle(l.valeur)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return c.signalerReferenceManquante();
    const std::int32_t u = c.unions.trouverOuCreer(cle);
    EntreeIndividu& e = c.individus[c.individuCourant];
    c.maillonsAjouter(c.maillonsUnions, e.unionsTete, e.unionsQueue, u);
}
void surFinIndividu(Chargeur& c, LigneGedcom&) {
    const std::int32_t p = c.individuCourant;
    EntreeIndividu& e = c.individus[p];
    compter(e.evenements, c.baptemeDate && !c.naissanceVue);
    compter(e.evenements, c.inhumationDate && !c.decesVu);
    if (!e.adoption) return;
    const std::int32_t u = e.unionParents;
    EntreeUnion& famille = c.unions[u];
    if (famille.decalage != 0) {
        if (e.anneau == AUCUN) e.cleNaissance = CLE_TRI_ADOPTION;
        c.ajouterEnfant(u, p);
    } else {
        c.maillonsAjouter(c.maillonsAttente, famille.attenteTete, famille.attenteQueue, p);
    }
}

void surDebutEvenement(Chargeur& c, LigneGedcom&) {
    c.contenu = false;
}
void surDate(Chargeur& c, LigneGedcom& l) {
    if (!estDateEstimee(l.valeur)) c.contenu = true;
}
void surDateNaissance(Chargeur& c, LigneGedcom& l) {
    surDate(c, l);
    if (c.drapeaux() & LOGICIEL_TRI_ENFANTS)
        if (auto cle = cleDeTri(l.valeur)) c.individus[c.individuCourant].cleNaissance = *cle;
}
void surDateMariage(Chargeur& c, LigneGedcom& l) {
    surDate(c, l);
    if (c.drapeaux() & LOGICIEL_TRI_UNIONS)
        if (auto cle = cleDeTri(l.valeur)) c.unions[c.unionCourante].cleMariage = *cle;
}
void surLieuEvenement(Chargeur& c, LigneGedcom&) {
    c.contenu = true;
}
template <bool NAISSANCE> void surFinEvenementIndividu(Chargeur& c, LigneGedcom&) {
    compter(c.individus[c.individuCourant].evenements, c.contenu);
    (NAISSANCE ? c.naissanceVue : c.decesVu) |= c.contenu;
    c.contenu = false;
}
template <bool BAPTEME> void surDateParoisse(Chargeur& c, LigneGedcom& l) {
    if (!estDateEstimee(l.valeur)) (BAPTEME ? c.baptemeDate : c.inhumationDate) = true;
}
void surFinEvenementUnion(Chargeur& c, LigneGedcom&) {
    compter(c.unions[c.unionCourante].evenements, c.contenu);
    c.contenu = false;
}

void surDebutUnion(Chargeur& c, LigneGedcom&) {
    const std::int32_t u = c.unions.trouverOuCreer(c.lecteur->cleCourante());
    EntreeUnion& e = c.unions[u];
    e.decalage = c.lecteur->position();
    e.ligne = static_cast<std::int32_t>(c.ligne());
    e.fichier = static_cast<std::uint8_t>(c.lecteur->indexFichier());
    c.unionCourante = u;
}
template <bool MARI> void surConjoint(Chargeur& c, LigneGedcom& l) {
    if (Chargeur::referenceNulle(l.valeur)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return c.signalerReferenceManquante();
    const std::int32_t p = c.individus.trouverOuCreer(cle);
    EntreeUnion& e = c.unions[c.unionCourante];
    (MARI ? e.mari : e.femme) = p;
}
void surEnfant(Chargeur& c, LigneGedcom& l) {
    if (Chargeur::referenceNulle(l.valeur)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return c.signalerReferenceManquante();
    const std::int32_t p = c.individus.trouverOuCreer(cle);
    const std::int32_t u = c.unionCourante;
    EntreeIndividu& e = c.individus[p];
    if (e.unionParents == AUCUN) e.unionParents = u;
    if (e.unionParents != u) {
        if (c.famillesEcartees.contains(Chargeur::paire(p, u))) return;
        c.lecteur->signaler(
            "- Ligne %ld : enfant incompatible avec le champ FAMC de l'individu @%s", c.ligne(),
            c.individus.reference(p));
        return;
    }
    c.ajouterEnfant(u, p);
}
void surFinUnion(Chargeur& c, LigneGedcom&) {
    const std::int32_t u = c.unionCourante;
    for (std::int32_t m = c.unions[u].attenteTete; m != AUCUN;
         m = c.maillonsAttente[static_cast<std::size_t>(m)].suivant) {
        const std::int32_t p = c.maillonsAttente[static_cast<std::size_t>(m)].valeur;
        if (c.individus[p].anneau == AUCUN) c.individus[p].cleNaissance = CLE_TRI_ADOPTION;
        c.ajouterEnfant(u, p);
    }
    c.unions[u].attenteTete = c.unions[u].attenteQueue = AUCUN;
}

using T1 = Transition<Chargeur>;
constexpr int16_t D_DEBUT = 0, D_ENTETE = 7, D_ENREG = 11, D_SOURCE = 18, D_NOTE = 26, D_OBJET = 30,
                  D_PERS = 33, D_NAISS = 43, D_DECES = 48, D_ADOP = 53, D_FAMC = 57, D_BAPT = 61,
                  D_INHUM = 65, D_UNION = 69, D_MARIAGE = 76, D_DIVORCE = 81;
constexpr std::array<T1, 86> PREMIER_PASSAGE = {{
    // 0 début
    {0, HEAD, D_ENTETE, LIRE, nullptr},
    // Sans en-tête, les enregistrements ne sont pas perdus pour autant.
    {0, INDI, D_ENREG, PASSER, surFinEntete},
    {0, FAM, D_ENREG, PASSER, surFinEntete},
    {0, SOUR, D_ENREG, PASSER, surFinEntete},
    {0, NOTE, D_ENREG, PASSER, surFinEntete},
    {0, OBJE, D_ENREG, PASSER, surFinEntete},
    {TOUTE, TOUTE, D_DEBUT, LIRE, nullptr},
    // 7 en-tête
    {1, SOUR, D_ENTETE, LIRE, surLogiciel},
    {1, CHAR, D_ENTETE, LIRE, surJeu},
    {0, TOUTE, D_ENREG, PASSER, surFinEntete},
    {TOUTE, TOUTE, D_ENTETE, LIRE, nullptr},
    // 11 entre les enregistrements
    {0, SOUR, D_SOURCE, LIRE, surDebutSource},
    {0, NOTE, D_NOTE, LIRE, surDebutNote},
    {0, OBJE, D_OBJET, LIRE, surDebutObjet},
    {0, INDI, D_PERS, LIRE, surDebutIndividu},
    {0, FAM, D_UNION, LIRE, surDebutUnion},
    {0, TRLR, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, D_ENREG, LIRE, nullptr},
    // 18 source
    {1, TITL, D_SOURCE, LIRE, surTexteSource},
    {1, ABBR, D_SOURCE, LIRE, surTexteSource},
    {1, AUTH, D_SOURCE, LIRE, surTexteSource},
    {1, PUBL, D_SOURCE, LIRE, surTexteSource},
    {1, REPO, D_SOURCE, LIRE, surTexteSource},
    {2, FILE, D_SOURCE, LIRE, surFichierSource},
    {0, TOUTE, D_ENREG, PASSER, nullptr},
    {TOUTE, TOUTE, D_SOURCE, LIRE, nullptr},
    // 26 note
    {1, CONT, D_NOTE, LIRE, surSuiteNote},
    {1, CONC, D_NOTE, LIRE, surSuiteNote},
    {0, TOUTE, D_ENREG, PASSER, nullptr},
    {TOUTE, TOUTE, D_NOTE, LIRE, nullptr},
    // 30 objet
    {1, FILE, D_OBJET, LIRE, surFichierObjet},
    {0, TOUTE, D_ENREG, PASSER, nullptr},
    {TOUTE, TOUTE, D_OBJET, LIRE, nullptr},
    // 33 personne
    {1, BIRT, D_NAISS, LIRE, surDebutEvenement},
    {1, DEAT, D_DECES, LIRE, surDebutEvenement},
    {1, FAMC, D_FAMC, LIRE, surFamc},
    {1, ADOP, D_ADOP, LIRE, nullptr},
    {1, FAMS, D_PERS, LIRE, surFams},
    {1, BAPM, D_BAPT, LIRE, nullptr},
    {1, CHR, D_BAPT, LIRE, nullptr},
    {1, BURI, D_INHUM, LIRE, nullptr},
    {0, TOUTE, D_ENREG, PASSER, surFinIndividu},
    {TOUTE, TOUTE, D_PERS, LIRE, nullptr},
    // 40 naissance
    {2, DATE, D_NAISS, LIRE, surDateNaissance},
    {2, PLAC, D_NAISS, LIRE, surLieuEvenement},
    {1, TOUTE, D_PERS, PASSER, surFinEvenementIndividu<true>},
    {0, TOUTE, D_PERS, PASSER, surFinEvenementIndividu<true>},
    {TOUTE, TOUTE, D_NAISS, LIRE, nullptr},
    // 45 décès
    {2, DATE, D_DECES, LIRE, surDate},
    {2, PLAC, D_DECES, LIRE, surLieuEvenement},
    {1, TOUTE, D_PERS, PASSER, surFinEvenementIndividu<false>},
    {0, TOUTE, D_PERS, PASSER, surFinEvenementIndividu<false>},
    {TOUTE, TOUTE, D_DECES, LIRE, nullptr},
    // 50 adoption
    {2, FAMC, D_ADOP, LIRE, surAdoption},
    {1, TOUTE, D_PERS, PASSER, nullptr},
    {0, TOUTE, D_ENREG, PASSER, surFinIndividu},
    {TOUTE, TOUTE, D_ADOP, LIRE, nullptr},
    // 54 lien vers la famille des parents
    {2, PEDI, D_FAMC, LIRE, surLienFamc},
    {1, TOUTE, D_PERS, PASSER, surFinFamc},
    {0, TOUTE, D_PERS, PASSER, surFinFamc},
    {TOUTE, TOUTE, D_FAMC, LIRE, nullptr},
    // 61 baptême, 65 inhumation
    {2, DATE, D_BAPT, LIRE, surDateParoisse<true>},
    {1, TOUTE, D_PERS, PASSER, nullptr},
    {0, TOUTE, D_PERS, PASSER, nullptr},
    {TOUTE, TOUTE, D_BAPT, LIRE, nullptr},
    {2, DATE, D_INHUM, LIRE, surDateParoisse<false>},
    {1, TOUTE, D_PERS, PASSER, nullptr},
    {0, TOUTE, D_PERS, PASSER, nullptr},
    {TOUTE, TOUTE, D_INHUM, LIRE, nullptr},
    // 54 union
    {1, HUSB, D_UNION, LIRE, surConjoint<true>},
    {1, WIFE, D_UNION, LIRE, surConjoint<false>},
    {1, CHIL, D_UNION, LIRE, surEnfant},
    {1, MARR, D_MARIAGE, LIRE, surDebutEvenement},
    {1, DIV, D_DIVORCE, LIRE, surDebutEvenement},
    {0, TOUTE, D_ENREG, PASSER, surFinUnion},
    {TOUTE, TOUTE, D_UNION, LIRE, nullptr},
    // 61 mariage
    {2, DATE, D_MARIAGE, LIRE, surDateMariage},
    {2, PLAC, D_MARIAGE, LIRE, surLieuEvenement},
    {1, TOUTE, D_UNION, PASSER, surFinEvenementUnion},
    {0, TOUTE, D_UNION, PASSER, surFinEvenementUnion},
    {TOUTE, TOUTE, D_MARIAGE, LIRE, nullptr},
    // 66 divorce
    {2, DATE, D_DIVORCE, LIRE, surDate},
    {2, PLAC, D_DIVORCE, LIRE, surLieuEvenement},
    {1, TOUTE, D_UNION, PASSER, surFinEvenementUnion},
    {0, TOUTE, D_UNION, PASSER, surFinEvenementUnion},
    {TOUTE, TOUTE, D_DIVORCE, LIRE, nullptr},
}};

// Chaque état commence bien à sa première transition (une table décalée se voit ici).
constexpr bool commenceA(const auto& machine, int16_t etat, uint8_t niveau, uint8_t id) {
    return machine[static_cast<std::size_t>(etat)].niveau == niveau &&
           machine[static_cast<std::size_t>(etat)].balise == id &&
           (etat == 0 || machine[static_cast<std::size_t>(etat) - 1].balise == TOUTE);
}
static_assert(
    commenceA(PREMIER_PASSAGE, D_ENTETE, 1, SOUR) && commenceA(PREMIER_PASSAGE, D_ENREG, 0, SOUR) &&
    commenceA(PREMIER_PASSAGE, D_SOURCE, 1, TITL) && commenceA(PREMIER_PASSAGE, D_NOTE, 1, CONT) &&
    commenceA(PREMIER_PASSAGE, D_OBJET, 1, FILE) && commenceA(PREMIER_PASSAGE, D_PERS, 1, BIRT) &&
    commenceA(PREMIER_PASSAGE, D_NAISS, 2, DATE) && commenceA(PREMIER_PASSAGE, D_DECES, 2, DATE) &&
    commenceA(PREMIER_PASSAGE, D_ADOP, 2, FAMC) && commenceA(PREMIER_PASSAGE, D_FAMC, 2, PEDI) &&
    commenceA(PREMIER_PASSAGE, D_BAPT, 2, DATE) && commenceA(PREMIER_PASSAGE, D_INHUM, 2, DATE) &&
    commenceA(PREMIER_PASSAGE, D_UNION, 1, HUSB) &&
    commenceA(PREMIER_PASSAGE, D_MARIAGE, 2, DATE) &&
    commenceA(PREMIER_PASSAGE, D_DIVORCE, 2, DATE));

} // namespace

// Tris stables des dialectes : enfants par date de naissance, unions par date de mariage.
void trierFichier(Chargeur& c, int indexFichier) {
    const std::uint32_t drapeaux = c.lecteur->fichier(indexFichier).drapeauxLogiciel;
    std::vector<std::int32_t> liste;
    if (drapeaux & LOGICIEL_TRI_ENFANTS) {
        for (auto& u : c.unions.entrees) {
            if (u.fichier != indexFichier || u.premierEnfant == AUCUN) continue;
            liste.clear();
            for (std::int32_t p = u.premierEnfant; p != AUCUN; p = c.individus[p].enfantSuivant)
                liste.push_back(p);
            std::stable_sort(liste.begin(), liste.end(), [&](std::int32_t a, std::int32_t b) {
                return c.individus[a].cleNaissance < c.individus[b].cleNaissance;
            });
            u.premierEnfant = liste.front();
            u.dernierEnfant = liste.back();
            for (std::size_t i = 0; i < liste.size(); ++i)
                c.individus[liste[i]].enfantSuivant = i + 1 < liste.size() ? liste[i + 1] : AUCUN;
        }
    }
    if (drapeaux & LOGICIEL_TRI_UNIONS) {
        for (auto& p : c.individus.entrees) {
            if (p.fichier != indexFichier || p.unionsTete == AUCUN) continue;
            auto& premier = c.maillonsUnions[static_cast<std::size_t>(p.unionsTete)];
            if (premier.suivant == AUCUN) continue;
            liste.clear();
            for (std::int32_t m = p.unionsTete; m != AUCUN;
                 m = c.maillonsUnions[static_cast<std::size_t>(m)].suivant)
                liste.push_back(c.maillonsUnions[static_cast<std::size_t>(m)].valeur);
            std::stable_sort(liste.begin(), liste.end(), [&](std::int32_t a, std::int32_t b) {
                return c.unions[a].cleMariage < c.unions[b].cleMariage;
            });
            std::size_t i = 0;
            for (std::int32_t m = p.unionsTete; m != AUCUN;
                 m = c.maillonsUnions[static_cast<std::size_t>(m)].suivant)
                c.maillonsUnions[static_cast<std::size_t>(m)].valeur = liste[i++];
        }
    }
}

namespace {

// ---------------------------------------------------------------------------------------
// Second passage, personnes

} // namespace

std::string texteCoupe(std::string_view v, std::size_t taille) {
    return std::string(v.substr(0, std::min(v.size(), taille)));
}

namespace {

// Texte coupé copié dans un champ du tampon : sa place, gardée d'une personne à l'autre, évite
// une allocation par ligne.
void affecterCoupe(std::string& champ, std::string_view v, std::size_t taille) {
    champ.assign(v.substr(0, std::min(v.size(), taille)));
}

// Texte d'une source : référence cherchée dans l'index, ou la valeur elle-même.
void affecterSource(Chargeur& c, LigneGedcom& l, std::string& champ) {
    const std::string_view v = c.valeur(l);
    if (!v.empty() && v.front() == '@') {
        const std::string_view cle = c.cleDeValeur(l.valeur);
        const std::string* texte = cle.empty() ? nullptr : c.sources.chercher(cle);
        if (!texte) {
            c.lecteur->signaler("- Ligne %ld : la source @%s n'est pas définie", c.ligne(),
                                cle.empty() ? "" : std::string(cle.substr(1)).c_str());
            champ.clear();
            return;
        }
        champ.assign(*texte);
        return;
    }
    affecterCoupe(champ, v, TEXTE_MAX);
}

} // namespace

void decouperNom(std::string_view v, std::string& nom, std::string& prenoms) {
    if (!v.empty() && v.front() == '/') {
        std::string_view reste = sansEspacesDebut(v.substr(1));
        const std::size_t barre = reste.find('/');
        nom = reste.substr(0, barre);
        if (barre != std::string_view::npos) prenoms = sansEspacesDebut(reste.substr(barre + 1));
    } else {
        const std::size_t barre = v.find('/');
        prenoms = sansEspacesFin(v.substr(0, barre));
        if (barre != std::string_view::npos) {
            std::string_view reste = v.substr(barre + 1);
            nom = sansEspacesFin(sansEspacesDebut(reste.substr(0, reste.find('/'))));
        }
    }
    couper(nom, NOM_MAX);
    couper(prenoms, NOM_MAX);
}

namespace {

void surNom(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = *c.personne;
    if (!t.nom.empty() || !t.prenoms.empty()) return;
    decouperNom(c.valeur(l), t.nom, t.prenoms);
    if ((c.drapeaux() & LOGICIEL_NOM_X_VIDE) && t.nom == "X") t.nom.clear();
}
void surSurnom(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = *c.personne;
    const std::string_view surnom = c.valeur(l);
    if (surnom.empty()) return;
    const std::string_view liaison = t.sexe == 'F' ? " dite " : " dit ";
    if (t.prenoms.size() + liaison.size() + surnom.size() > 69) return;
    t.prenoms.append(liaison).append(surnom);
}
void surSexe(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = *c.personne;
    const char s = l.valeur[0];
    if (s != 'M' && s != 'F') return;
    t.sexe = s;
    if (s != 'F') return;
    const std::size_t dit = t.prenoms.find(" dit ");
    if (dit == std::string::npos) return;
    if (t.prenoms.size() >= NOM_MAX)
        t.prenoms.resize(dit);
    else
        t.prenoms.insert(dit + 4, 1, 'e');
}
void surSourceNom(Chargeur& c, LigneGedcom& l) {
    affecterSource(c, l, c.personne->source);
}

template <bool NAISSANCE> void surDatePersonne(Chargeur& c, LigneGedcom& l) {
    auto date = lireDate(c.valeur(l), false);
    if (!date) {
        c.lecteur->signaler("- Ligne %ld : format de date incorrect", c.ligne());
        return;
    }
    (NAISSANCE ? c.personne->naissance : c.personne->deces) = *date;
}
template <bool NAISSANCE> void surSourceEvenementPersonne(Chargeur& c, LigneGedcom& l) {
    affecterSource(c, l, NAISSANCE ? c.personne->sourceNaissance : c.personne->sourceDeces);
}
template <bool NAISSANCE> void surLieuPersonne(Chargeur& c, LigneGedcom& l) {
    (NAISSANCE ? c.personne->lieuNaissance : c.personne->lieuDeces) = c.lieu(l);
}
void ajouterComplement(Lieu& lieu, std::string_view complement) {
    if (TAILLE_CODE_LIEU + lieu.texte.size() + 2 + complement.size() > TAILLE_LIEU_MAX) return;
    lieu.texte.append(", ").append(complement);
}
template <bool NAISSANCE> void surComplementPersonne(Chargeur& c, LigneGedcom& l) {
    ajouterComplement(NAISSANCE ? c.personne->lieuNaissance : c.personne->lieuDeces, c.valeur(l));
}
template <bool NAISSANCE> void surSourceLieuPersonne(Chargeur& c, LigneGedcom& l) {
    affecterSource(c, l, NAISSANCE ? c.personne->sourceLieuNaissance : c.personne->sourceLieuDeces);
}
void surFinNaissance(Chargeur& c, LigneGedcom&) {
    TamponIndividu& t = *c.personne;
    const DateGenealogique& d = t.naissance;
    if (d.jour == 0 && d.mois == 0 && d.anneeRangee() == 0 && t.sourceLieuNaissance.empty() &&
        !t.sourceNaissance.empty()) {
        t.source = std::move(t.sourceNaissance);
        t.sourceNaissance.clear();
    }
}
// Baptême (BAPM, CHR) et inhumation : le premier daté est gardé, avec son lieu ; une date
// illisible est ignorée sans message, comme avant que ces événements servent.
void surDebutRegistre(Chargeur& c, LigneGedcom&) {
    c.personne->registreLu = true;
    c.personne->dateRegistre = DateGenealogique{};
    c.personne->lieuRegistre = Lieu{};
}
template <bool BAPTEME> void surDateRegistre(Chargeur& c, LigneGedcom& l) {
    // Une naissance (un décès) déjà datée n'a pas besoin de remplaçant : pas de lecture.
    const TamponIndividu& t = *c.personne;
    if (!(BAPTEME ? t.naissance : t.deces).estAbsente()) return;
    if (auto lue = lireDate(c.valeur(l), false)) c.personne->dateRegistre = *lue;
}
template <bool BAPTEME> void surLieuRegistre(Chargeur& c, LigneGedcom& l) {
    const TamponIndividu& t = *c.personne;
    if ((BAPTEME ? t.naissance : t.deces).estAbsente()) c.personne->lieuRegistre = c.lieu(l);
}
template <bool BAPTEME> void surFinRegistre(Chargeur& c, LigneGedcom&) {
    TamponIndividu& t = *c.personne;
    DateGenealogique& date = BAPTEME ? t.bapteme : t.inhumation;
    if (!date.estAbsente() || t.dateRegistre.estAbsente()) return;
    date = t.dateRegistre;
    date.nature = BAPTEME ? DateGenealogique::BAPTEME : DateGenealogique::INHUMATION;
    (BAPTEME ? t.lieuBapteme : t.lieuInhumation) = std::move(t.lieuRegistre);
}

void surProfession(Chargeur& c, LigneGedcom& l) {
    const std::string_view v = c.valeur(l);
    if (v.empty()) return;
    affecterCoupe(c.personne->profession, v, TEXTE_MAX);
    c.personne->professionDonnee = true;
}
void surCause(Chargeur& c, LigneGedcom& l) {
    if ((c.drapeaux() & LOGICIEL_PROFESSION_PAR_CAUS) && c.personne->profession.empty())
        affecterCoupe(c.personne->profession, c.valeur(l), TEXTE_MAX);
}
void surSourceProfession(Chargeur& c, LigneGedcom& l) {
    affecterSource(c, l, c.personne->sourceProfession);
}
void surEven(Chargeur& c, LigneGedcom&) {
    c.personne->typeEvenement = TamponIndividu::EN_ATTENTE;
}
void surType(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = *c.personne;
    if (t.typeEvenement != TamponIndividu::EN_ATTENTE) return;
    const std::string_view v = c.valeur(l);
    if (v == "Occupation") t.typeEvenement = TamponIndividu::OCCUPATION;
    if (v == "Residence") t.typeEvenement = TamponIndividu::RESIDENCE;
}
void surNoteEvenement(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = *c.personne;
    if (t.typeEvenement == TamponIndividu::OCCUPATION && !t.professionDonnee)
        affecterCoupe(t.profession, c.valeur(l), TEXTE_MAX);
}
void surSourceEvenement(Chargeur& c, LigneGedcom& l) {
    if (c.personne->typeEvenement == TamponIndividu::OCCUPATION)
        affecterSource(c, l, c.personne->sourceProfession);
}
void ajouterPhoto(TamponIndividu& t, std::string photo) {
    if (t.photos.size() < 255) t.photos.push_back(std::move(photo));
}
void surSourcePhoto(Chargeur& c, LigneGedcom& l) {
    if (!(c.drapeaux() & LOGICIEL_PHOTOS_PAR_SOURCES)) return;
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (cle.empty()) return;
    if (const std::string* photo = c.photosSources.chercher(cle)) ajouterPhoto(*c.personne, *photo);
}
void surObjet(Chargeur& c, LigneGedcom& l) {
    const std::string_view cle = c.cleDeValeur(l.valeur);
    c.personne->objetEnLigne = cle.empty();
    if (cle.empty()) return;
    if (const std::string* photo = c.objets.chercher(cle)) ajouterPhoto(*c.personne, *photo);
}
void surObjetImage(Chargeur& c, LigneGedcom&) {
    c.personne->objetEnLigne = true;
}
void surFichierPhoto(Chargeur& c, LigneGedcom& l) {
    if (!c.personne->objetEnLigne) return;
    if (auto photo = c.verifierPhoto(c.valeur(l))) ajouterPhoto(*c.personne, std::move(*photo));
}
void ajouterLigneNote(TamponIndividu& t, std::string_view v) {
    if (t.notes.size() < UINT16_MAX) t.notes.push_back(texteCoupe(v, LIGNE_NOTE_MAX));
}
// NOTE de niveau 1, et CONT/CONC tant que la personne n'a pas encore de lignes de notes.
void surNote(Chargeur& c, LigneGedcom& l) {
    TamponIndividu& t = *c.personne;
    const bool suite = c.commentaireOuvert && l.balise == CONC;
    c.commentaireOuvert = false;
    if (suite) {
        prolongerCommentaire(t.commentaire, c.valeur(l));
        c.commentaireOuvert = true;
        // La ligne « # » n'est pas une ligne de note : sa suite non plus.
        if (c.options.sourceCommentaire == SourceCommentaire::LigneDiese) return;
    }
    if (!t.notes.empty()) return ajouterLigneNote(t, c.valeur(l));
    const std::string_view cle = c.cleDeValeur(l.valeur);
    if (!cle.empty()) {
        if (const std::string* candidat = c.notesCommentaire.chercher(cle))
            t.commentaire = *candidat;
        // Les lignes d'une note partagée vont à la première personne qui la cite.
        LignesNote* lignes = c.notesLignes.chercher(cle);
        if (lignes && !lignes->prises) {
            t.notes = std::move(lignes->lignes);
            lignes->lignes = {};
            lignes->prises = true;
        }
        return;
    }
    const std::string_view v = c.valeur(l);
    if (v.empty()) return;
    const SourceCommentaire option = c.options.sourceCommentaire;
    const bool diese = option == SourceCommentaire::LigneDiese && v.front() == '#';
    if (option == SourceCommentaire::PremiereLigneNote || diese) {
        const bool rtf = v.find("{\\rtf1") != std::string_view::npos;
        if (t.commentaire.empty() && !rtf) {
            t.commentaire =
                texteCoupe(sansEspacesDebut(diese ? v.substr(1) : v), COMMENTAIRE_LU_MAX);
            c.commentaireOuvert = true;
        }
        if (diese) return;
        if (rtf) return ajouterLigneNote(t, "");
    }
    ajouterLigneNote(t, v);
}
void surSourceCommentaire(Chargeur& c, LigneGedcom& l) {
    if (c.options.sourceCommentaire != SourceCommentaire::TagGedcom &&
        !c.personne->commentaire.empty())
        affecterSource(c, l, c.personne->sourceCommentaire);
}
void surCommentaire(Chargeur& c, LigneGedcom& l) {
    if (c.options.sourceCommentaire == SourceCommentaire::TagGedcom)
        affecterCoupe(c.personne->commentaire, c.valeur(l), TEXTE_MAX);
}

} // namespace

void substituerRegistre(DateGenealogique& date, Lieu& lieu, const DateGenealogique& registre,
                        Lieu& lieuRegistre) {
    if (!date.estAbsente() || date.jour != 0 || date.mois != 0 || registre.estAbsente()) return;
    date = registre;
    if (lieu.estVide()) lieu = std::move(lieuRegistre);
}

namespace {

using T2 = Transition<Chargeur>;
constexpr int16_t P_PERS = 0, P_NOM = 16, P_NAISS = 21, P_LIEU_N = 27, P_DECES = 33, P_LIEU_D = 39,
                  P_PROF = 45, P_EVEN = 50, P_OBJET = 56, P_IMAGE = 60, P_NOTE = 64, P_BAPT = 70,
                  P_INHUM = 75;
constexpr std::array<T2, 80> PASSAGE_INDIVIDU = {{
    // 0 personne
    {1, NAME, P_NOM, LIRE, surNom},
    {1, SEX, P_PERS, LIRE, surSexe},
    {1, BIRT, P_NAISS, LIRE, nullptr},
    {1, DEAT, P_DECES, LIRE, nullptr},
    {1, OCCU, P_PROF, LIRE, surProfession},
    {1, EVEN, P_EVEN, LIRE, surEven},
    {1, SOUR, P_PERS, LIRE, surSourcePhoto},
    {1, OBJE, P_OBJET, LIRE, surObjet},
    {1, IMG, P_IMAGE, LIRE, nullptr},
    {1, NOTE, P_NOTE, LIRE, surNote},
    {1, BAPM, P_BAPT, LIRE, surDebutRegistre},
    {1, CHR, P_BAPT, LIRE, surDebutRegistre},
    {1, BURI, P_INHUM, LIRE, surDebutRegistre},
    {TOUTE, COMMENTAIRE, P_PERS, LIRE, surCommentaire},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_PERS, LIRE, nullptr},
    // 16 nom
    {2, NICK, P_NOM, LIRE, surSurnom},
    {2, SOUR, P_NOM, LIRE, surSourceNom},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_NOM, LIRE, nullptr},
    // 21 naissance
    {2, DATE, P_NAISS, LIRE, surDatePersonne<true>},
    {2, SOUR, P_NAISS, LIRE, surSourceEvenementPersonne<true>},
    {2, PLAC, P_LIEU_N, LIRE, surLieuPersonne<true>},
    {1, TOUTE, P_PERS, PASSER, surFinNaissance},
    {0, TOUTE, SANS_ETAT, FINIR, surFinNaissance},
    {TOUTE, TOUTE, P_NAISS, LIRE, nullptr},
    // 27 lieu de naissance : les lignes de niveau 0 à 2 reviennent à la naissance, qui finit
    {2, LIEU, P_LIEU_N, LIRE, surComplementPersonne<true>},
    {3, SOUR, P_LIEU_N, LIRE, surSourceLieuPersonne<true>},
    {2, TOUTE, P_NAISS, PASSER, nullptr},
    {1, TOUTE, P_NAISS, PASSER, nullptr},
    {0, TOUTE, P_NAISS, PASSER, nullptr},
    {TOUTE, TOUTE, P_LIEU_N, LIRE, nullptr},
    // 33 décès
    {2, DATE, P_DECES, LIRE, surDatePersonne<false>},
    {2, SOUR, P_DECES, LIRE, surSourceEvenementPersonne<false>},
    {2, PLAC, P_LIEU_D, LIRE, surLieuPersonne<false>},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_DECES, LIRE, nullptr},
    // 39 lieu de décès
    {2, LIEU, P_LIEU_D, LIRE, surComplementPersonne<false>},
    {3, SOUR, P_LIEU_D, LIRE, surSourceLieuPersonne<false>},
    {2, TOUTE, P_DECES, PASSER, nullptr},
    {1, TOUTE, P_DECES, PASSER, nullptr},
    {0, TOUTE, P_DECES, PASSER, nullptr},
    {TOUTE, TOUTE, P_LIEU_D, LIRE, nullptr},
    // 45 profession
    {2, CAUS, P_PROF, LIRE, surCause},
    {2, SOUR, P_PROF, LIRE, surSourceProfession},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_PROF, LIRE, nullptr},
    // 50 événement typé
    {2, TYPE, P_EVEN, LIRE, surType},
    {2, NOTE, P_EVEN, LIRE, surNoteEvenement},
    {2, SOUR, P_EVEN, LIRE, surSourceEvenement},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_EVEN, LIRE, nullptr},
    // 56 objet
    {TOUTE, FILE, P_OBJET, LIRE, surFichierPhoto},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_OBJET, LIRE, nullptr},
    // 60 image
    {2, OBJE, P_OBJET, LIRE, surObjetImage},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_IMAGE, LIRE, nullptr},
    // 64 note
    {2, SOUR, P_NOTE, LIRE, surSourceCommentaire},
    {2, CONT, P_NOTE, LIRE, surNote},
    {2, CONC, P_NOTE, LIRE, surNote},
    {1, TOUTE, P_PERS, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, P_NOTE, LIRE, nullptr},
    // 70 baptême
    {2, DATE, P_BAPT, LIRE, surDateRegistre<true>},
    {2, PLAC, P_BAPT, LIRE, surLieuRegistre<true>},
    {1, TOUTE, P_PERS, PASSER, surFinRegistre<true>},
    {0, TOUTE, SANS_ETAT, FINIR, surFinRegistre<true>},
    {TOUTE, TOUTE, P_BAPT, LIRE, nullptr},
    // 75 inhumation
    {2, DATE, P_INHUM, LIRE, surDateRegistre<false>},
    {2, PLAC, P_INHUM, LIRE, surLieuRegistre<false>},
    {1, TOUTE, P_PERS, PASSER, surFinRegistre<false>},
    {0, TOUTE, SANS_ETAT, FINIR, surFinRegistre<false>},
    {TOUTE, TOUTE, P_INHUM, LIRE, nullptr},
}};

static_assert(
    commenceA(PASSAGE_INDIVIDU, P_NOM, 2, NICK) && commenceA(PASSAGE_INDIVIDU, P_NAISS, 2, DATE) &&
    commenceA(PASSAGE_INDIVIDU, P_LIEU_N, 2, LIEU) &&
    commenceA(PASSAGE_INDIVIDU, P_DECES, 2, DATE) &&
    commenceA(PASSAGE_INDIVIDU, P_LIEU_D, 2, LIEU) &&
    commenceA(PASSAGE_INDIVIDU, P_PROF, 2, CAUS) && commenceA(PASSAGE_INDIVIDU, P_EVEN, 2, TYPE) &&
    commenceA(PASSAGE_INDIVIDU, P_OBJET, TOUTE, FILE) &&
    commenceA(PASSAGE_INDIVIDU, P_IMAGE, 2, OBJE) && commenceA(PASSAGE_INDIVIDU, P_NOTE, 2, SOUR) &&
    commenceA(PASSAGE_INDIVIDU, P_BAPT, 2, DATE) && commenceA(PASSAGE_INDIVIDU, P_INHUM, 2, DATE) &&
    PASSAGE_INDIVIDU.back().balise == TOUTE);

// Relecture du seul nom, pour les messages du passage des unions.
void surNomSeul(Chargeur& c, LigneGedcom& l) {
    if (c.nomLu.empty()) c.nomLu = c.valeur(l);
}
constexpr std::array<T2, 3> RELECTURE_NOM = {{
    {1, NAME, 0, LIRE, surNomSeul},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, 0, LIRE, nullptr},
}};

// ---------------------------------------------------------------------------------------
// Second passage, unions

void surMariage(Chargeur& c, LigneGedcom&) {
    c.evenementCourant = &c.famille->mariage;
}
void surDivorce(Chargeur& c, LigneGedcom& l) {
    c.evenementCourant = &c.famille->divorce;
    const std::string_view v = sansEspacesFin(sansEspacesDebut(l.valeur));
    c.famille->divorceMarque = !(::strcasecmp(std::string(v).c_str(), "N") == 0 ||
                                 ::strcasecmp(std::string(v).c_str(), "NO") == 0 ||
                                 ::strcasecmp(std::string(v).c_str(), "NON") == 0);
}
void surDateUnion(Chargeur& c, LigneGedcom& l) {
    auto date = lireDate(c.valeur(l), false);
    if (!date)
        c.lecteur->signaler("- Ligne %ld : format de date incorrect", c.ligne());
    else
        c.evenementCourant->date = *date;
}
void surSourceUnion(Chargeur& c, LigneGedcom& l) {
    affecterSource(c, l, c.evenementCourant->source);
}
void surLieuUnion(Chargeur& c, LigneGedcom& l) {
    c.evenementCourant->lieu = c.lieu(l);
}
void surComplementUnion(Chargeur& c, LigneGedcom& l) {
    ajouterComplement(c.evenementCourant->lieu, c.valeur(l));
}
void surSourceLieuUnion(Chargeur& c, LigneGedcom& l) {
    affecterSource(c, l, c.evenementCourant->sourceLieu);
}

constexpr int16_t U_UNION = 0, U_EVEN = 4, U_LIEU = 10;
constexpr std::array<T2, 16> PASSAGE_UNION = {{
    // 0 union
    {1, MARR, U_EVEN, LIRE, surMariage},
    {1, DIV, U_EVEN, LIRE, surDivorce},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, U_UNION, LIRE, nullptr},
    // 4 mariage ou divorce (l'événement courant)
    {2, DATE, U_EVEN, LIRE, surDateUnion},
    {2, SOUR, U_EVEN, LIRE, surSourceUnion},
    {2, PLAC, U_LIEU, LIRE, surLieuUnion},
    {1, TOUTE, U_UNION, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, U_EVEN, LIRE, nullptr},
    // 10 son lieu
    {2, LIEU, U_LIEU, LIRE, surComplementUnion},
    {3, SOUR, U_LIEU, LIRE, surSourceLieuUnion},
    {2, TOUTE, U_EVEN, PASSER, nullptr},
    {1, TOUTE, U_UNION, PASSER, nullptr},
    {0, TOUTE, SANS_ETAT, FINIR, nullptr},
    {TOUTE, TOUTE, U_LIEU, LIRE, nullptr},
}};

static_assert(commenceA(PASSAGE_UNION, U_EVEN, 2, DATE) &&
              commenceA(PASSAGE_UNION, U_LIEU, 2, LIEU) && PASSAGE_UNION.back().balise == TOUTE);

// Index faits à la première lecture, puis partagés (y compris par le fil de lecture d'avance).
template <const auto& MACHINE> const IndexTransitions<Chargeur>& indexDe() {
    static const IndexTransitions<Chargeur> index(MACHINE);
    return index;
}

} // namespace
void lirePremierPassage(Chargeur& c, SuiviApercu& suivi) {
    LecteurGedcom& lecteur = *c.lecteur;
    // Avec deux fils, les lignes sont découpées sur l'autre pendant que celui-ci les traite.
    LignesEnChaine lignes(lecteur, filsDeChargement() >= 2);
    MarcheMachine<Chargeur> marche(indexDe<PREMIER_PASSAGE>(), c);
    // L'aperçu finit au premier « 0 TRLR », jamais après l'index : ses lignes et ses octets
    // sont comptés là où une lecture à part s'arrêterait.
    bool apercuEnCours = true;
    const auto finirApercu = [&] {
        apercuEnCours = false;
        suivi.apercu().lignes = lecteur.numeroLigne();
        suivi.apercu().octets = lecteur.position();
    };
    LigneGedcom ligne;
    for (;;) {
        const bool finVue =
            detail::lireLigneSignalee(lecteur, ligne, true, lignes) == StatutLigne::FinFichier;
        // L'aperçu voit la ligne avant les gestionnaires, qui convertissent sa valeur sur place.
        if (apercuEnCours && !suivi.voir(ligne)) finirApercu();
        if (!marche.avancer(ligne) || finVue) break;
    }
    if (apercuEnCours) finirApercu();
}
void lireIndividu(Chargeur& c, std::int64_t decalage) {
    analyser(*c.lecteur, indexDe<PASSAGE_INDIVIDU>(), c, decalage, false);
}
void lireUnion(Chargeur& c, std::int64_t decalage) {
    analyser(*c.lecteur, indexDe<PASSAGE_UNION>(), c, decalage, false);
}
void relireNom(Chargeur& c, std::int64_t decalage) {
    analyser(*c.lecteur, indexDe<RELECTURE_NOM>(), c, decalage, false);
}

} // namespace veltrane::chargement
