#include "console/CommandesConsole.h"

#include "application/ChoixPersonne.h"
#include "application/GenealogieOuverte.h"
#include "gedcom/ApercuGedcom.h"
#include "plateforme/TexteUtf8.h"

#include <iostream>

namespace veltrane {

namespace {

void ecrire(const std::string& texteWindows1252) {
    std::cout << versUtf8(texteWindows1252);
}

// Unions de la base : un côté par conjoint, compté une fois par couple.
std::int32_t compterUnions(const BaseGenealogique& base) {
    std::int32_t n = 0;
    for (std::int32_t u = 1; u <= base.nombreFamilles(); ++u) {
        const Famille f = base.lireFamille(u);
        if (f == Famille{}) continue;
        if (f.cotePartenaire == 0 || f.cotePartenaire > u) ++n;
    }
    return n;
}

// Textes distincts de la zone des sources.
std::int32_t compterSources(const BaseGenealogique& base) {
    std::int32_t n = 0;
    const auto longueur = static_cast<std::int64_t>(base.longueurZone(Zone::Sources));
    for (std::int64_t t = 1; t < longueur; ++n)
        t += static_cast<std::int64_t>(
                 base.lireTexte(Zone::Sources, static_cast<std::int32_t>(t), 1024).size()) +
             1;
    return n;
}

std::string pluriel(std::size_t n, const char* mot) {
    return std::to_string(n) + " " + mot + (n > 1 ? "s" : "");
}

} // namespace

void afficherInfo(const GenealogieOuverte& g, bool gestionMajuscules) {
    std::size_t notes = 0, objets = 0, depots = 0, autres = 0;
    const std::vector<ApercuGedcom>& apercus = g.chargement().apercus;
    for (std::size_t f = 0; f < g.fichiersGedcom().size(); ++f) {
        const std::string& chemin = g.fichiersGedcom()[f];
        // L'aperçu fait au chargement évite de relire le fichier.
        const ApercuGedcom a = f < apercus.size() ? apercus[f] : apercevoirGedcom(chemin);
        ecrire("Fichier : " + depuisUtf8(chemin) + "\n");
        ecrire("Logiciel source : " + (a.logiciel.empty() ? std::string("inconnu") : a.logiciel) +
               "\n");
        ecrire("Jeu de caractères déclaré : " +
               (a.jeuDeclare.empty() ? std::string("aucun") : a.jeuDeclare) + "\n");
        ecrire("Lignes : " + std::to_string(a.lignes) + " (" + std::to_string(a.octets) +
               " octets)\n");
        notes += a.notes;
        objets += a.objets;
        depots += a.depots;
        autres += a.autres;
    }
    const BaseGenealogique& base = g.base();
    ecrire("Individus : " + std::to_string(base.nombreIndividus()) + "\n");
    ecrire("Unions : " + std::to_string(compterUnions(base)) + "\n");
    ecrire("Événements : " + std::to_string(base.nombreEvenements()) + "\n");
    ecrire("Noms de famille : " + std::to_string(g.index().nombreNoms()) + "\n");
    ecrire("Sources : " + std::to_string(compterSources(base)) + "\n");
    ecrire("Notes : " + std::to_string(notes) + "\n");
    ecrire("Objets : " + std::to_string(objets) + "\n");
    ecrire("Dépôts : " + std::to_string(depots) + "\n");
    ecrire("Autres enregistrements : " + std::to_string(autres) + "\n");
    const std::int32_t premiers = std::min<std::int32_t>(5, base.nombreIndividus());
    if (premiers > 0) {
        ecrire("Premières personnes :\n");
        for (std::int32_t n = 1; n <= premiers; ++n)
            ecrire("  " + nomAffiche(base, n, gestionMajuscules) + "\n");
    }
    const std::size_t messages = g.chargement().nombreMessages;
    ecrire("Journal : " + pluriel(messages, "message") + " (" +
           std::to_string(g.chargement().journal.size()) + " octets)\n");
}

void afficherJournal(const GenealogieOuverte& g) {
    // Le journal est écrit avec CR LF ; le terminal veut LF seul.
    std::string texte;
    for (char c : g.chargement().journal)
        if (c != '\r') texte += c;
    ecrire(texte);
}

bool chercherPersonnes(const GenealogieOuverte& g, const std::string& nom,
                       const std::string& prenoms, bool phonetique, bool gestionMajuscules) {
    // Même règle des prénoms que pour désigner une personne (consulte) : exacts, sinon premiers.
    const std::vector<std::int32_t> personnes = chercherHomonymesParPrenoms(
        g.index(), nom, prenoms, phonetique, static_cast<std::size_t>(g.nombreIndividus()));
    for (std::int32_t n : personnes)
        ecrire(lignePersonne(g, n, phonetique, gestionMajuscules) + "\n");
    return !personnes.empty();
}

} // namespace veltrane
