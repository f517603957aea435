#include "gedcom/ChargeurGedcom.h"

#include "gedcom/Chargeur.h"
#include "gedcom/PassagesGedcom.h"
#include "gedcom/TravailEnChaine.h"

#include "base/TetesLignee.h"
#include "dates_lieux/Lieu.h"
#include "gedcom/JournalErreurs.h"
#include "plateforme/Interaction.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iconv.h>
#include <string>
#include <unistd.h>

namespace veltrane {

using namespace chargement;

std::string commentaireCoupe(std::string_view texte, std::size_t taille) {
    while (!texte.empty() && texte.back() == ' ')
        texte.remove_suffix(1);
    // La base garde taille - 1 octets ; au-delà, place pour les points de suspension.
    if (texte.size() < taille) return std::string(texte);
    std::string_view debut = texte.substr(0, taille - 2);
    // Coupe à la fin d'un mot : avant l'espace qui suit, ou avant le dernier mot entamé.
    if (texte[debut.size()] != ' ') {
        const std::size_t espace = debut.rfind(' ');
        if (espace != std::string_view::npos && espace > 0) debut = debut.substr(0, espace);
    }
    while (!debut.empty() && (debut.back() == ' ' || debut.back() == ',' || debut.back() == ';'))
        debut.remove_suffix(1);
    return std::string(debut) + '\x85'; // « … » en Windows-1252
}

namespace {

// ---------------------------------------------------------------------------------------
// Conversion des fichiers UTF-16 et détection de l'UTF-8

bool lireDebut(const std::string& chemin, std::string& debut, std::size_t taille) {
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    debut.resize(taille);
    const ssize_t lu = ::read(fd, debut.data(), taille);
    ::close(fd);
    debut.resize(lu > 0 ? static_cast<std::size_t>(lu) : 0);
    return true;
}

// En-tête qui annonce la version 7 de la norme GEDCOM.
bool annonceVersion7(const std::string& debut) {
    const std::size_t gedc = debut.find("1 GEDC");
    if (gedc == std::string::npos) return false;
    const std::size_t fin = debut.find("\n0", gedc);
    const std::size_t vers = debut.find("2 VERS 7", gedc);
    return vers != std::string::npos && (fin == std::string::npos || vers < fin);
}

// Un fichier sans CHAR est lu en UTF-8 quand il commence par la marque UTF-8 ou quand son
// en-tête annonce la version 7 de la norme GEDCOM (qui impose l'UTF-8).
bool presumeUtf8(const std::string& debut) {
    return (debut.size() >= 3 && debut.compare(0, 3, "\xEF\xBB\xBF") == 0) ||
           annonceVersion7(debut);
}

// Copie UTF-8 d'un fichier UTF-16, lue à la place de l'original ; « marque » octets de tête
// (la marque FF FE ou FE FF) sont sautés.
std::unique_ptr<FichierTemporaire> copierUtf16(const std::string& chemin, bool petitBoutiste,
                                               std::size_t marque) {
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw OperationImpossible("Lecture impossible du fichier Gedcom\n" + chemin);
    std::string source;
    char bloc[65536];
    ssize_t lu;
    while ((lu = ::read(fd, bloc, sizeof bloc)) > 0)
        source.append(bloc, static_cast<std::size_t>(lu));
    ::close(fd);
    source.erase(0, marque);
    iconv_t cd = ::iconv_open("UTF-8", petitBoutiste ? "UTF-16LE" : "UTF-16BE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw OperationImpossible("Erreur de lecture du fichier " + chemin);
    std::string sortie(source.size() * 2 + 16, '\0');
    char* entree = source.data();
    std::size_t resteEntree = source.size() & ~std::size_t{1};
    char* dest = sortie.data();
    std::size_t resteSortie = sortie.size();
    while (resteEntree > 0) {
        if (::iconv(cd, &entree, &resteEntree, &dest, &resteSortie) != static_cast<std::size_t>(-1))
            break;
        if (errno == EILSEQ || errno == EINVAL) {
            // Unité invalide (demi-paire isolée) : remplacée par '?'.
            entree += 2;
            resteEntree -= std::min<std::size_t>(2, resteEntree);
            if (resteSortie > 0) {
                *dest++ = '?';
                --resteSortie;
            }
        } else {
            break;
        }
    }
    ::iconv_close(cd);
    sortie.resize(static_cast<std::size_t>(dest - sortie.data()));
    auto copie = std::make_unique<FichierTemporaire>("ged");
    if (::pwrite(copie->descripteur(), sortie.data(), sortie.size(), 0) !=
        static_cast<ssize_t>(sortie.size()))
        throw OperationImpossible("Accès impossible au répertoire temporaire\n" +
                                  repertoireTemporaire());
    return copie;
}

} // namespace

FichierALire preparerLecture(const std::string& chemin) {
    FichierALire f;
    f.chemin = chemin;
    std::string debut;
    if (!lireDebut(chemin, debut, 4096))
        throw OperationImpossible("Lecture impossible du fichier Gedcom\n" + chemin);
    const auto commence = [&](char a, char b) {
        return debut.size() >= 2 && debut[0] == a && debut[1] == b;
    };
    const bool ffFe = commence('\xFF', '\xFE');
    const bool feFf = commence('\xFE', '\xFF');
    // Sans marque, un fichier GEDCOM commence par « 0 » : 30 00 ou 00 30 ne peut être que de
    // l'UTF-16, petit ou grand boutiste.
    const bool zeroLe = commence('0', '\0');
    const bool zeroBe = commence('\0', '0');
    if (ffFe || feFf || zeroLe || zeroBe) {
        f.copie = copierUtf16(chemin, ffFe || zeroLe, ffFe || feFf ? 2 : 0);
        f.chemin = f.copie->chemin();
        lireDebut(f.chemin, debut, 4096);
        f.presumeUtf8 = true;
    } else {
        f.presumeUtf8 = presumeUtf8(debut);
    }
    f.version7 = annonceVersion7(debut);
    return f;
}

std::uint32_t drapeauxDuLogiciel(std::string_view valeur) {
    valeur = sansEspacesDebut(valeur);
    if (commencePar(valeur, "Heredis"))
        return LOGICIEL_TRI_ENFANTS | LOGICIEL_TRI_UNIONS | LOGICIEL_NOM_X_VIDE;
    if (commencePar(valeur, "VisuGene"))
        return LOGICIEL_TRI_ENFANTS | LOGICIEL_PHOTOS_PAR_SOURCES | LOGICIEL_PAYS_EN_TROIS_LETTRES;
    if (commencePar(valeur, "ScionPC") || commencePar(valeur, "GENJ") ||
        commencePar(valeur, "Elie"))
        return LOGICIEL_TRI_ENFANTS | LOGICIEL_TRI_UNIONS;
    if (commencePar(valeur, "SmartGenealogy"))
        return LOGICIEL_TRI_ENFANTS | LOGICIEL_TRI_UNIONS | LOGICIEL_PROFESSION_PAR_CAUS;
    return 0;
}

namespace chargement {

// Premier passage, fichier par fichier : index des enregistrements et liens entre eux.
void Chargeur::premierPassage(const std::vector<std::string>& chemins,
                              std::vector<ApercuGedcom>& apercus) {
    principal.choisirTable(TABLE_ENREGISTREMENTS);
    principal.choisirBaliseCommentaire({});
    for (int f = 0; f < static_cast<int>(chemins.size()); ++f) {
        principal.choisirFichier(f);
        principal.fichier().jeu = JeuCaracteres::Aucun;
        principal.fichier().drapeauxLogiciel = 0;
        individuCourant = unionCourante = AUCUN;
        SuiviApercu suivi(presumesUtf8[static_cast<std::size_t>(f)]);
        lirePremierPassage(*this, suivi);
        apercus.push_back(std::move(suivi.apercu()));
        if (principal.enregistrementsVus() == 0)
            throw FichierNonGedcom(chemins[static_cast<std::size_t>(f)]);
        trierFichier(*this, f);
        interaction.progression(f + 1);
    }
}

// Numérotation dans l'ordre des clés ; fiches d'union des unions rangées (deux membres au
// moins) ; emplacements d'événements à réserver.
void Chargeur::numeroter(ReferencesPersonnes& references) {
    ordreIndividus = individus.cles.ordreDesCles();
    for (std::size_t i = 0; i < ordreIndividus.size(); ++i)
        individus[ordreIndividus[i]].numero = static_cast<std::int32_t>(i + 1);
    for (std::int32_t p : ordreIndividus)
        references.ajouter(individus.cles.cle(p));
    ordreUnions = unions.cles.ordreDesCles();
    for (const auto& p : individus.entrees)
        evenements += p.evenements;
    for (std::int32_t u : ordreUnions) {
        EntreeUnion& e = unions[u];
        const int presents = (e.mari != AUCUN) + (e.femme != AUCUN) + (e.premierEnfant != AUCUN);
        if (presents < 2) continue;
        e.rangee = true;
        if (e.mari != AUCUN) e.coteMari = ++cotes;
        if (e.femme != AUCUN) e.coteFemme = ++cotes;
        evenements += e.evenements;
    }
    // Le conjoint donne-t-il l'union par FAMS ?
    for (std::int32_t p = 0; p < nombreIndividus(); ++p)
        for (std::int32_t m = individus[p].unionsTete; m != AUCUN;
             m = maillonsUnions[static_cast<std::size_t>(m)].suivant) {
            EntreeUnion& e = unions[maillonsUnions[static_cast<std::size_t>(m)].valeur];
            if (e.mari == p) e.mariLaCite = true;
            if (e.femme == p) e.femmeLaCite = true;
        }
}

void Chargeur::creerEcrivain() {
    try {
        ecrivain = std::make_unique<EcrivainBase>(nombreIndividus(), cotes,
                                                  static_cast<std::int32_t>(evenements));
    } catch (const OperationImpossible&) {
        throw OperationImpossible("Accès impossible au répertoire temporaire\n" +
                                  repertoireTemporaire());
    }
    const auto taille = static_cast<std::size_t>(nombreIndividus()) + 1;
    premiereUnion.assign(taille, 0);
    parentsRanges.assign(taille, false);
    definis.assign(taille, false);
    familles.assign(static_cast<std::size_t>(cotes) + 1, Famille{});
}

void Chargeur::nomPersonne(std::string& prenoms, std::string& nom, std::int32_t p) {
    // Le nom n'est pas gardé en mémoire : relu dans le fichier GEDCOM pour le message.
    prenoms.clear();
    nom.clear();
    const EntreeIndividu& e = individus[p];
    if (e.decalage == 0) return;
    nomLu.clear();
    if (lecteur->indexFichier() != e.fichier) lecteur->choisirFichier(e.fichier);
    lecteur->choisirTable(TABLE_INDIVIDU);
    lecteur->fixerNumeroLigne(e.ligne);
    relireNom(*this, e.decalage);
    decouperNom(nomLu, nom, prenoms);
}

// Unions rangées dont la personne est bien conjoint, dans l'ordre de ses FAMS, sans doublon.
void Chargeur::unionsDe(std::int32_t p, bool signaler, const TamponIndividu* t) {
    liste.clear();
    for (std::int32_t m = individus[p].unionsTete; m != AUCUN;
         m = maillonsUnions[static_cast<std::size_t>(m)].suivant) {
        const std::int32_t u = maillonsUnions[static_cast<std::size_t>(m)].valeur;
        const EntreeUnion& e = unions[u];
        if (!e.rangee) continue;
        if (e.mari != p && e.femme != p) {
            if (!signaler) continue;
            if (t && (!t->prenoms.empty() || !t->nom.empty()))
                principal.signaler("- %s %s fait référence à un mariage sans être l'un des "
                                   "conjoints",
                                   t->prenoms.c_str(), t->nom.c_str());
            else
                principal.signaler("- L'individu @%s fait référence à un mariage sans être "
                                   "l'un des conjoints",
                                   individus.reference(p));
            continue;
        }
        if (std::find(liste.begin(), liste.end(), u) == liste.end()) liste.push_back(u);
    }
}

std::int32_t Chargeur::ecrireEvenement(const DateGenealogique& date, const Lieu& lieu,
                                       const std::string& source, const std::string& sourceLieu) {
    if (date.jour == 0 && date.mois == 0 && date.anneeRangee() == 0 && lieu.estVide()) return 0;
    // Les emplacements comptés au premier passage suffisent toujours ; garde-fou.
    if (ecrivain->nombreEvenementsEcrits() >= ecrivain->nombreEvenementsReserves()) return 0;
    Evenement ev;
    ev.date = date;
    if (!lieu.estVide())
        ev.lieu = ecrivain->stockerLieu(lieu.code.pays, lieu.code.region, lieu.texte);
    ev.source = ecrivain->stockerTexte(Zone::Sources, source);
    ev.sourceLieu = ecrivain->stockerTexte(Zone::Sources, sourceLieu);
    return ecrivain->ajouterEvenement(ev);
}

// Lecteur des relectures du second passage : mêmes fichiers, jeux et drapeaux que le lecteur
// principal. Ses messages sont gardés avec chaque enregistrement, puis rejoués au journal.
void Chargeur::preparerSecondLecteur(LecteurGedcom& second, const TableBalises& table,
                                     std::string baliseCommentaire) {
    for (int f = 0; f < static_cast<int>(principal.nombreFichiers()); ++f) {
        second.ouvrir(principal.fichier(f).chemin);
        FichierGedcom& copie = second.fichier(f);
        copie.jeu = principal.fichier(f).jeu;
        copie.drapeauxLogiciel = principal.fichier(f).drapeauxLogiciel;
        copie.version7 = principal.fichier(f).version7;
    }
    second.choisirTable(table);
    second.choisirBaliseCommentaire(std::move(baliseCommentaire));
}

// Relit nombre enregistrements par le second lecteur (lire(i, lu)) et les écrit dans l'ordre
// (ecrire(i, lu)). Avec deux cœurs, la lecture se fait sur un autre fil, au plus « avance »
// enregistrements devant l'écriture ; ses messages sont rejoués au journal par le fil qui écrit,
// à leur place : le résultat ne dépend pas du nombre de fils. Les gestionnaires ne servent
// qu'à la lecture : l'écriture ne touche ni au lecteur ni à leurs caches.
template <class Lu, class Lire, class Ecrire>
void Chargeur::relireEnChaine(LecteurGedcom& second, std::size_t nombre, std::size_t avance,
                              Lire lire, Ecrire ecrire) {
    lecteur = &second;
    struct RetourPrincipal {
        Chargeur& c;
        ~RetourPrincipal() {
            c.lecteur = &c.principal;
            c.personne = nullptr;
            c.famille = nullptr;
        }
    } retour{*this};
    std::vector<Lu> anneau(avance);
    auto lireUn = [&](std::size_t i) {
        Lu& lu = anneau[i % anneau.size()];
        lu.messages.clear();
        second.garderMessages(&lu.messages);
        lire(i, lu);
    };
    auto ecrireUn = [&](std::size_t i) {
        Lu& lu = anneau[i % anneau.size()];
        for (const MessageGarde& m : lu.messages)
            principal.journal()->signaler(m.fichier, "%s", m.texte.c_str());
        ecrire(i, lu);
    };
    if (filsDeChargement() < 2) {
        for (std::size_t i = 0; i < nombre; ++i) {
            lireUn(i);
            ecrireUn(i);
        }
    } else {
        enChaine(nombre, anneau.size(), lireUn, ecrireUn);
    }
    verifierLongueur(second);
}

// Second passage, personnes, dans l'ordre des numéros : chacune est relue dans le fichier
// GEDCOM, puis écrite.
void Chargeur::ecrirePersonnes() {
    LecteurGedcom second(nullptr);
    preparerSecondLecteur(second, TABLE_INDIVIDU, baliseCommentaireLue());
    relireEnChaine<PersonneLue>(
        second, ordreIndividus.size(), PERSONNES_EN_AVANCE,
        [&](std::size_t i, PersonneLue& lue) { lirePersonne(ordreIndividus[i], lue.tampon); },
        [&](std::size_t i, PersonneLue& lue) {
            ecrirePersonne(ordreIndividus[i], lue.tampon);
            fait += 4;
            interaction.progression(fait);
        });
}

bool Chargeur::personneDefinie() const {
    return std::any_of(individus.entrees.begin(), individus.entrees.end(),
                       [](const EntreeIndividu& e) { return e.decalage != 0; });
}

// Un fichier réécrit par un autre programme pendant le chargement donnerait une base à moitié
// lue : le chargement est abandonné.
void Chargeur::verifierLongueur(const LecteurGedcom& l) const {
    const int f = l.fichierRaccourci();
    if (f >= 0)
        throw OperationImpossible("Le fichier " + l.fichier(f).chemin +
                                  " a été modifié pendant son chargement.\nChargez-le de nouveau.");
}

std::string Chargeur::baliseCommentaireLue() const {
    return options.sourceCommentaire == SourceCommentaire::TagGedcom ? options.baliseCommentaire
                                                                     : std::string();
}

// Lecture d'une personne (fil de lecture) : ses lignes dans le tampon, rien d'autre de modifié
// que ce que seuls les gestionnaires touchent.
void Chargeur::lirePersonne(std::int32_t p, TamponIndividu& t) {
    t.vider();
    const EntreeIndividu& e = individus[p];
    if (e.decalage == 0) return;
    if (lecteur->indexFichier() != e.fichier) lecteur->choisirFichier(e.fichier);
    lecteur->fixerNumeroLigne(e.ligne);
    personne = &t;
    lireIndividu(*this, e.decalage);
}

void Chargeur::ecrirePersonne(std::int32_t p, TamponIndividu& t) {
    EntreeIndividu& e = individus[p];
    const std::int32_t n = e.numero;
    if (principal.indexFichier() != e.fichier) principal.choisirFichier(e.fichier);
    if (e.decalage != 0)
        definis[static_cast<std::size_t>(n)] = true;
    else
        principal.signaler("- L'individu @%s est référencé mais jamais défini",
                           individus.reference(p));

    Individu ind;
    ind.sexe = static_cast<std::uint8_t>(t.sexe);
    ind.indiceFichier = e.fichier;
    ind.positionGedcom = static_cast<std::int32_t>(e.decalage);
    ind.lienFrere = -n;
    // 1. Parents.
    const std::int32_t u = e.unionParents;
    if (u != AUCUN && unions[u].rangee) {
        const EntreeUnion& parents = unions[u];
        if (e.anneau == u) {
            if (parents.mariLaCite) ind.pere = numero(parents.mari);
            if (parents.femmeLaCite) ind.mere = numero(parents.femme);
            parentsRanges[static_cast<std::size_t>(n)] = true;
        } else if (parents.decalage != 0) {
            if (!t.prenoms.empty() || !t.nom.empty())
                principal.signaler(
                    "- Ligne %ld : lien de parenté incohérent entre %s %s et ses parents",
                    static_cast<long>(parents.ligne), t.prenoms.c_str(), t.nom.c_str());
            else
                principal.signaler("- Ligne %ld : lien de parenté incohérent entre "
                                   "l'individu @%s et ses parents",
                                   static_cast<long>(parents.ligne), individus.reference(p));
        }
    }
    // Lien de frère : celui de l'anneau où elle est, pour ne jamais le couper.
    if (e.anneau != AUCUN && unions[e.anneau].rangee)
        ind.lienFrere = e.enfantSuivant != AUCUN ? numero(e.enfantSuivant)
                                                 : -numero(unions[e.anneau].premierEnfant);
    // 2. Unions.
    unionsDe(p, true, &t);
    if (!liste.empty()) ind.premiereUnion = cote(liste.front(), p);
    premiereUnion[static_cast<std::size_t>(n)] = ind.premiereUnion;
    // 3. Événements ; baptême et inhumation tiennent lieu de naissance et de décès sans date.
    substituerRegistre(t.naissance, t.lieuNaissance, t.bapteme, t.lieuBapteme);
    substituerRegistre(t.deces, t.lieuDeces, t.inhumation, t.lieuInhumation);
    ind.naissance =
        ecrireEvenement(t.naissance, t.lieuNaissance, t.sourceNaissance, t.sourceLieuNaissance);
    ind.deces = ecrireEvenement(t.deces, t.lieuDeces, t.sourceDeces, t.sourceLieuDeces);
    // 4. Textes.
    ind.nom = ecrivain->stockerTexte(Zone::Noms, t.nom);
    ind.prenoms = ecrivain->stockerTexte(Zone::Prenoms, t.prenoms);
    ind.profession = ecrivain->stockerTexte(Zone::Professions, t.profession);
    ind.commentaire =
        ecrivain->stockerTexte(Zone::Commentaires, commentaireCoupe(t.commentaire, TEXTE_MAX));
    ind.photos = ecrivain->stockerPhotos(t.photos);
    ind.notes = ecrivain->stockerNotes(t.notes);
    ind.source = ecrivain->stockerTexte(Zone::Sources, t.source);
    ind.sourceProfession = ecrivain->stockerTexte(Zone::Sources, t.sourceProfession);
    ind.sourceCommentaire = ecrivain->stockerTexte(Zone::Sources, t.sourceCommentaire);
    ecrivain->ecrireIndividu(n, ind);
}

// Second passage, unions rangées, dans l'ordre des clés : relues comme les personnes, par un
// second lecteur qui prend aussi les noms des conjoints pour les messages.
void Chargeur::ecrireUnions() {
    std::vector<std::int32_t> rangees;
    for (std::int32_t u : ordreUnions)
        if (unions[u].rangee) rangees.push_back(u);
    // La balise de commentaire est celle des relectures de personnes, quand il y en a eu.
    LecteurGedcom second(nullptr);
    preparerSecondLecteur(second, TABLE_UNION,
                          personneDefinie() ? baliseCommentaireLue() : std::string());
    relireEnChaine<UnionLue>(
        second, rangees.size(), UNIONS_EN_AVANCE,
        [&](std::size_t i, UnionLue& lue) { lireUnionComplete(rangees[i], lue); },
        [&](std::size_t i, UnionLue& lue) {
            const EntreeUnion& e = unions[rangees[i]];
            const bool ecrite = ecrireUnion(rangees[i], lue);
            // Une unité par côté d'union, écrit ou non.
            fait += (e.coteMari != 0) + (e.coteFemme != 0);
            if (ecrite) interaction.progression(fait);
        });
}

// Conjoint nommé par HUSB ou WIFE qui ne donne pas l'union par FAMS : il n'en est pas membre.
void Chargeur::signalerConjointAbsent(std::int32_t u, std::int32_t conjoint, bool mari) {
    const EntreeUnion& e = unions[u];
    nomPersonne(prenomsMessage, nomMessage, conjoint);
    if (lecteur->indexFichier() != e.fichier) lecteur->choisirFichier(e.fichier);
    if (!prenomsMessage.empty() || !nomMessage.empty())
        lecteur->signaler(mari ? "- %s %s ne fait pas référence au mariage @%s dont il est l'époux"
                               : "- %s %s ne fait pas référence au mariage @%s dont elle est "
                                 "l'épouse",
                          prenomsMessage.c_str(), nomMessage.c_str(), unions.reference(u));
    else
        lecteur->signaler(mari ? "- L'époux du mariage @%s ne fait pas référence à ce mariage"
                               : "- L'épouse du mariage @%s ne fait pas référence à ce mariage",
                          unions.reference(u));
}

// Lecture d'une union (fil de lecture) : ses événements, puis les conjoints qui la citent.
void Chargeur::lireUnionComplete(std::int32_t u, UnionLue& lue) {
    const EntreeUnion& e = unions[u];
    lue.famille.vider();
    famille = &lue.famille;
    evenementCourant = &lue.famille.mariage;
    if (lecteur->indexFichier() != e.fichier) lecteur->choisirFichier(e.fichier);
    if (e.decalage != 0) {
        lecteur->choisirTable(TABLE_UNION);
        lecteur->fixerNumeroLigne(e.ligne);
        lireUnion(*this, e.decalage);
    } else {
        lecteur->signaler("- La famille @%s est utilisée mais jamais définie", unions.reference(u));
    }
    std::int32_t mari = e.mari, femme = e.femme;
    const bool active = e.premierEnfant != AUCUN || e.mariLaCite || e.femmeLaCite;
    if (active) {
        if (mari != AUCUN && !e.mariLaCite) {
            signalerConjointAbsent(u, mari, true);
            mari = AUCUN;
        }
        if (femme != AUCUN && !e.femmeLaCite) {
            signalerConjointAbsent(u, femme, false);
            femme = AUCUN;
        }
    } else {
        mari = femme = AUCUN;
    }
    lue.mari = mari;
    lue.femme = femme;
}

bool Chargeur::ecrireUnion(std::int32_t u, const UnionLue& lue) {
    const EntreeUnion& e = unions[u];
    const std::int32_t mari = lue.mari, femme = lue.femme;
    if (mari == AUCUN && femme == AUCUN) return false;
    const EvenementLu& m = lue.famille.mariage;
    const EvenementLu& d = lue.famille.divorce;
    Famille f;
    f.premierEnfant = numero(e.premierEnfant);
    f.mariage = ecrireEvenement(m.date, m.lieu, m.source, m.sourceLieu);
    f.divorce = lue.famille.divorceMarque ? ecrireEvenement(d.date, d.lieu, d.source, d.sourceLieu)
                                          : SANS_DIVORCE;
    if (mari != AUCUN) ecrireCote(f, u, mari, femme, e.coteMari, e.coteFemme);
    if (femme != AUCUN) ecrireCote(f, u, femme, mari, e.coteFemme, e.coteMari);
    return true;
}

void Chargeur::ecrireCote(const Famille& f, std::int32_t u, std::int32_t conjoint,
                          std::int32_t autre, std::int32_t numeroCote, std::int32_t coteAutre) {
    Famille fiche = f;
    fiche.conjoint = numero(autre);
    fiche.cotePartenaire = autre == AUCUN ? 0 : coteAutre;
    // Union suivante dans la liste du conjoint ; la dernière renvoie à la première.
    unionsDe(conjoint, false, nullptr);
    const auto ici = std::find(liste.begin(), liste.end(), u);
    if (ici == liste.end())
        fiche.unionSuivante = -numeroCote;
    else if (ici + 1 == liste.end())
        fiche.unionSuivante = -cote(liste.front(), conjoint);
    else
        fiche.unionSuivante = cote(*(ici + 1), conjoint);
    ecrivain->ecrireFamille(numeroCote, fiche);
    familles[static_cast<std::size_t>(numeroCote)] = fiche;
}

// Têtes de lignée, d'après les fiches telles qu'elles sont écrites.
void Chargeur::marquerTetesLignee() {
    const std::int32_t nombre = nombreIndividus();
    for (std::int32_t n = 1; n <= nombre; ++n) {
        const bool tete = testerTeteLignee(
            n, cotes,
            [&](std::int32_t k) {
                Individu i;
                i.premiereUnion = premiereUnion[static_cast<std::size_t>(k)];
                return i;
            },
            [&](std::int32_t k) {
                return k > 0 && k <= cotes ? familles[static_cast<std::size_t>(k)] : Famille{};
            },
            [&](std::int32_t k) {
                return k > 0 && k <= nombre && definis[static_cast<std::size_t>(k)];
            },
            [&](std::int32_t k) {
                return k > 0 && k <= nombre && parentsRanges[static_cast<std::size_t>(k)];
            });
        if (tete) ecrivain->marquerTeteLignee(n);
    }
}

} // namespace chargement

namespace {

// Taille des index estimée d'après les fichiers (environ 250 octets par personne) : pas de
// réorganisation des tables pendant le premier passage.
std::size_t personnesEstimees(const std::vector<std::string>& chemins) {
    std::uintmax_t octets = 0;
    for (const std::string& chemin : chemins) {
        std::error_code erreur;
        const std::uintmax_t taille = std::filesystem::file_size(chemin, erreur);
        if (!erreur) octets += taille;
    }
    return static_cast<std::size_t>(std::min<std::uintmax_t>(octets / 250, 1u << 24));
}

void verifierBaliseCommentaire(const OptionsChargement& options) {
    if (options.sourceCommentaire != SourceCommentaire::TagGedcom) return;
    const std::string& b = options.baliseCommentaire;
    if (TABLE_ENREGISTREMENTS.chercher(b) != balise::INCONNUE ||
        TABLE_INDIVIDU.chercher(b) != balise::INCONNUE)
        throw OperationImpossible(
            "Le tag « " + b +
            " » ne peut pas être utilisé pour les commentaires\ncar il est déjà pris en "
            "compte dans la description d'un individu.");
}

} // namespace

ResultatChargement chargerGedcom(const std::vector<std::string>& chemins,
                                 const OptionsChargement& options, Interaction& interaction) {
    verifierBaliseCommentaire(options);
    ResultatChargement resultat;
    std::vector<std::string> lus; // chemins réellement lus (copie UTF-8 d'un fichier UTF-16)
    std::vector<bool> presumes, versions7;
    for (const std::string& chemin : chemins) {
        FichierALire f = preparerLecture(chemin);
        lus.push_back(f.chemin);
        presumes.push_back(f.presumeUtf8);
        versions7.push_back(f.version7);
        if (f.copie) resultat.copiesUtf8.push_back(std::move(f.copie));
    }

    JournalErreurs journal(chemins);
    LecteurGedcom lecteur(&journal);
    for (const std::string& chemin : lus) {
        try {
            lecteur.ouvrir(chemin);
        } catch (const FichierIllisible&) {
            throw;
        } catch (const OperationImpossible&) {
            throw OperationImpossible("Lecture impossible du fichier Gedcom\n" + chemin);
        }
    }
    for (std::size_t f = 0; f < versions7.size(); ++f)
        lecteur.fichier(static_cast<int>(f)).version7 = versions7[f];
    Chargeur c(lecteur, options, interaction);
    c.presumesUtf8 = presumes;
    const std::size_t estimation = personnesEstimees(lus);
    c.individus.reserver(estimation);
    c.unions.reserver(estimation / 3);

    interaction.debutProgression("Import Gedcom", 10 * static_cast<std::int64_t>(chemins.size()));
    // La barre disparaît aussi quand le chargement est abandonné.
    struct GardeProgression {
        Interaction& interaction;
        ~GardeProgression() { interaction.finProgression(); }
    } garde{interaction};

    // Chaque phase est chronométrée pour les mesures : un appel d'horloge par phase.
    auto debut = std::chrono::steady_clock::now();
    auto noterDuree = [&](const char* phase) {
        const auto fin = std::chrono::steady_clock::now();
        resultat.durees.emplace_back(phase, std::chrono::duration<double>(fin - debut).count());
        debut = fin;
    };
    c.premierPassage(chemins, resultat.apercus);
    // La taille donnée par l'aperçu est celle du fichier donné, pas de sa copie UTF-8.
    for (std::size_t f = 0; f < chemins.size(); ++f)
        if (lus[f] != chemins[f]) {
            std::error_code erreur;
            resultat.apercus[f].octets =
                static_cast<std::int64_t>(std::filesystem::file_size(chemins[f], erreur));
        }
    noterDuree("premier passage");
    c.numeroter(resultat.references);
    noterDuree("numérotation");
    c.creerEcrivain();
    const std::int64_t echelle = c.cotes + 4 * static_cast<std::int64_t>(c.nombreIndividus());
    interaction.finProgression();
    interaction.debutProgression("Import Gedcom", echelle + echelle / 10);
    c.fait = echelle / 10;
    interaction.progression(c.fait);
    c.ecrirePersonnes();
    noterDuree("personnes");
    c.ecrireUnions();
    c.verifierLongueur(lecteur);
    noterDuree("unions");
    c.marquerTetesLignee();
    noterDuree("têtes de lignée");

    if (c.translitteres > 0)
        lecteur.signaler("- %zu textes d'autres alphabets écrits en lettres latines, par exemple : "
                         "%s",
                         c.translitteres, c.exemplesTranslitteres.c_str());
    resultat.base = c.ecrivain->terminer();
    noterDuree("fin d'écriture");
    for (std::size_t f = 0; f < lecteur.nombreFichiers(); ++f) {
        FichierGedcom fichier = lecteur.fichier(static_cast<int>(f));
        fichier.descripteur = -1;
        resultat.fichiers.push_back(std::move(fichier));
    }
    resultat.nombreMessages = journal.nombreMessages();
    resultat.journal = journal.contenu();
    return resultat;
}

} // namespace veltrane
