#include "commun/PetiteGenealogie.h"

#include "base/EcrivainBase.h"
#include "base/TetesLignee.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace veltrane::essai {

namespace {

constexpr std::uint16_t FR = 'F' * 256 + 'R';
constexpr std::uint16_t BE = 'B' * 256 + 'E';

DateGenealogique date(std::uint8_t qualificatif, std::uint8_t jour, std::uint8_t mois,
                      std::int16_t annee, std::int16_t anneeFin = 0) {
    DateGenealogique d;
    d.qualificatif = qualificatif;
    d.jour = jour;
    d.mois = mois;
    d.annee = annee;
    d.anneeFin = anneeFin;
    return d;
}

} // namespace

PetiteGenealogie construirePetiteGenealogie() {
    using G = PetiteGenealogie;
    PetiteGenealogie g;
    EcrivainBase ecrivain(G::NOMBRE_INDIVIDUS, G::NOMBRE_FAMILLES, G::EVENEMENTS_RESERVES);
    g.individus.resize(G::NOMBRE_INDIVIDUS + 1);
    g.familles.resize(G::NOMBRE_FAMILLES + 1);
    g.evenements.resize(G::EVENEMENTS_RESERVES + 1);

    auto evenement = [&](DateGenealogique d, std::int32_t lieu, std::int32_t source = 0,
                         std::int32_t sourceLieu = 0) {
        Evenement e;
        e.date = d;
        e.lieu = lieu;
        e.source = source;
        e.sourceLieu = sourceLieu;
        const std::int32_t numero = ecrivain.ajouterEvenement(e);
        g.evenements[static_cast<std::size_t>(numero)] = e;
        return numero;
    };
    auto personne = [&](std::int32_t n, const char* nom, const char* prenoms,
                        char sexe) -> Individu& {
        Individu& i = g.individus[static_cast<std::size_t>(n)];
        i.nom = ecrivain.stockerTexte(Zone::Noms, nom);
        i.prenoms = ecrivain.stockerTexte(Zone::Prenoms, prenoms);
        i.sexe = static_cast<std::uint8_t>(sexe);
        i.positionGedcom = 100 * n;
        i.lienFrere = -n;
        return i;
    };

    {
        Individu& jean = personne(G::JEAN, "DUPONT", "jean-marie", 'M');
        const std::int32_t source = ecrivain.stockerTexte(Zone::Sources, "Registre paroissial");
        jean.naissance = evenement(date(DateGenealogique::SIMPLE, 1, 1, 1900),
                                   ecrivain.stockerLieu(FR, 75, "Paris"), source);
        jean.deces = evenement(date(DateGenealogique::VERS, 0, 0, 1970), 0);
        jean.profession = ecrivain.stockerTexte(Zone::Professions, "cultivateur");
        jean.photos = ecrivain.stockerPhotos({"jean.jpg", "jean-1920.jpg"});
        jean.notes = ecrivain.stockerNotes({"N\xE9 \xE0 Paris.", "", "Maire du village.", "", ""});
        jean.source = source;
        jean.sourceProfession = ecrivain.stockerTexte(Zone::Sources, "Registre paroissial");
        jean.premiereUnion = 1;
        ecrivain.ecrireIndividu(G::JEAN, jean);
    }
    {
        Individu& marie = personne(G::MARIE, "MARTIN", "marie louise", 'F');
        marie.naissance = evenement(date(DateGenealogique::AVANT, 0, 0, 1902),
                                    ecrivain.stockerLieu(FR, 75, "Paris"));
        marie.premiereUnion = 2;
        ecrivain.ecrireIndividu(G::MARIE, marie);
    }
    {
        Individu& pierre = personne(G::PIERRE, "DUPONT", "Pierre", 'M');
        pierre.naissance = evenement(date(DateGenealogique::ENTRE, 0, 0, 1920, 1925),
                                     ecrivain.stockerLieu(FR, 69, "Lyon"));
        pierre.photos = ecrivain.stockerPhotos({"pierre.jpg"});
        pierre.pere = G::JEAN;
        pierre.mere = G::MARIE;
        pierre.lienFrere = G::LOUISE;
        pierre.premiereUnion = 4;
        ecrivain.ecrireIndividu(G::PIERRE, pierre);
    }
    {
        Individu& louise = personne(G::LOUISE, "DUPONT", "Louise", 'F');
        louise.notes = ecrivain.stockerNotes({"", ""});
        louise.photos = ecrivain.stockerPhotos({"jean.jpg", "jean-1920.jpg"});
        louise.pere = G::JEAN;
        louise.mere = G::MARIE;
        louise.lienFrere = -G::PIERRE;
        ecrivain.ecrireIndividu(G::LOUISE, louise);
    }
    {
        Individu& paul = personne(G::PAUL, "DURAND", "Paul", 'M');
        paul.commentaire =
            ecrivain.stockerTexte(Zone::Commentaires, "Sans nouvelles\napr\xE8s 1914");
        paul.premiereUnion = 3;
        ecrivain.ecrireIndividu(G::PAUL, paul);
    }
    {
        Individu& jacques = personne(G::JACQUES, "DURAND", "Jacques", 'M');
        jacques.pere = G::PAUL;
        ecrivain.ecrireIndividu(G::JACQUES, jacques);
    }
    {
        // Seulement citée par une ligne WIFE : ni nom, ni enregistrement INDI.
        Individu& citee = personne(G::CITEE, "", "", ' ');
        citee.positionGedcom = 0;
        citee.premiereUnion = 5;
        ecrivain.ecrireIndividu(G::CITEE, citee);
    }
    {
        Individu& anne = personne(G::ANNE, "LEFEBVRE", "Anne", 'F');
        anne.indiceFichier = 1;
        anne.notes = ecrivain.stockerNotes({"Seconde \xE9pouse."});
        anne.source = ecrivain.stockerTexte(Zone::Sources, "Registre paroissial");
        anne.premiereUnion = 7;
        ecrivain.ecrireIndividu(G::ANNE, anne);
    }

    const std::int32_t mariage1 = evenement(
        date(DateGenealogique::SIMPLE, 12, 5, 1919), ecrivain.stockerLieu(FR, 75, "Paris"), 0,
        ecrivain.stockerTexte(Zone::Sources, "Registre paroissial"));
    const std::int32_t mariage2 = evenement(date(DateGenealogique::APRES, 0, 0, 1975),
                                            ecrivain.stockerLieu(BE, ' ', "Bruxelles"));

    // conjoint, premier enfant, mariage, divorce, union suivante, côté du partenaire
    g.familles[1] = Famille{G::MARIE, G::PIERRE, mariage1, SANS_DIVORCE, 6, 2};
    g.familles[2] = Famille{G::JEAN, G::PIERRE, mariage1, SANS_DIVORCE, -2, 1};
    g.familles[3] = Famille{0, G::JACQUES, 0, SANS_DIVORCE, -3, 0};
    g.familles[4] = Famille{G::CITEE, 0, 0, 0, -4, 5};
    g.familles[5] = Famille{G::PIERRE, 0, 0, 0, -5, 4};
    g.familles[6] = Famille{G::ANNE, 0, mariage2, SANS_DIVORCE, -1, 7};
    g.familles[7] = Famille{G::JEAN, 0, mariage2, SANS_DIVORCE, -7, 6};
    for (std::int32_t u = 1; u <= G::NOMBRE_FAMILLES; ++u)
        ecrivain.ecrireFamille(u, g.familles[static_cast<std::size_t>(u)]);

    // Têtes de lignée, comme le chargeur : sur les fiches en mémoire.
    auto lireIndividu = [&](std::int32_t n) { return g.individus.at(static_cast<std::size_t>(n)); };
    auto lireFamille = [&](std::int32_t u) { return g.familles.at(static_cast<std::size_t>(u)); };
    auto estDefinie = [&](std::int32_t n) { return lireIndividu(n).positionGedcom != 0; };
    auto aUnionParents = [&](std::int32_t n) {
        return lireIndividu(n).pere != 0 || lireIndividu(n).mere != 0;
    };
    for (std::int32_t n = 1; n <= G::NOMBRE_INDIVIDUS; ++n)
        if (testerTeteLignee(n, G::NOMBRE_FAMILLES, lireIndividu, lireFamille, estDefinie,
                             aUnionParents))
            ecrivain.marquerTeteLignee(n);

    g.base = ecrivain.terminer();
    return g;
}

std::string lireFichierEntier(const std::string& chemin) {
    std::ifstream flux(chemin, std::ios::binary);
    if (!flux) throw std::runtime_error("lecture impossible : " + chemin);
    return std::string(std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>());
}

FichierTemporaire fichierAvecOctets(const std::string& octets) {
    FichierTemporaire fichier("gen");
    if (::pwrite(fichier.descripteur(), octets.data(), octets.size(), 0) !=
        static_cast<ssize_t>(octets.size()))
        throw std::runtime_error("écriture impossible : " + fichier.chemin());
    return fichier;
}

} // namespace veltrane::essai
