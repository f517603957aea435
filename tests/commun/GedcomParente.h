#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace veltrane::essai {

// Petites généalogies écrites à la main pour les essais de parenté : des personnes
// « @In@ » et des unions « @Fn@ » (mari, femme, enfants ; "" : absent).
struct PersonneEssai {
    const char* reference; // « I1 »
    char sexe;
    const char* prenoms;
    const char* nom;
    int naissance = 0;           // année ; 0 : pas de naissance (à Lyon)
    int deces = 0;               // année ; 0 : pas de décès (à Paris, 75)
    const char* photo = nullptr; // fichier d'image, à côté du fichier GEDCOM
};

struct UnionEssai {
    const char* mari;
    const char* femme;
    std::vector<const char*> enfants;
};

inline std::string gedcomParente(const std::vector<PersonneEssai>& personnes,
                                 const std::vector<UnionEssai>& unions) {
    std::ostringstream g;
    g << "0 HEAD\n1 CHAR UTF-8\n1 GEDC\n2 VERS 5.5\n";
    // Les liens sont écrits des deux côtés, comme dans un fichier cohérent.
    for (const PersonneEssai& p : personnes) {
        g << "0 @" << p.reference << "@ INDI\n1 NAME " << p.prenoms << " /" << p.nom << "/\n1 SEX "
          << p.sexe << "\n";
        if (p.naissance != 0) g << "1 BIRT\n2 DATE " << p.naissance << "\n2 PLAC Lyon\n";
        if (p.deces != 0) g << "1 DEAT\n2 DATE " << p.deces << "\n2 PLAC Paris, 75\n";
        if (p.photo) g << "1 OBJE\n2 FILE " << p.photo << "\n";
        const std::string r = p.reference;
        for (std::size_t f = 0; f < unions.size(); ++f) {
            if (r == unions[f].mari || r == unions[f].femme) g << "1 FAMS @F" << f + 1 << "@\n";
            for (const char* e : unions[f].enfants)
                if (r == e) g << "1 FAMC @F" << f + 1 << "@\n";
        }
    }
    int numero = 0;
    for (const UnionEssai& u : unions) {
        g << "0 @F" << ++numero << "@ FAM\n";
        if (*u.mari) g << "1 HUSB @" << u.mari << "@\n";
        if (*u.femme) g << "1 WIFE @" << u.femme << "@\n";
        for (const char* e : u.enfants)
            g << "1 CHIL @" << e << "@\n";
    }
    g << "0 TRLR\n";
    return g.str();
}

} // namespace veltrane::essai
