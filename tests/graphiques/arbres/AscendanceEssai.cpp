#include "AscendanceEssai.h"

#include <map>
#include <utility>

namespace veltrane::essai {

int AscendanceEssai::ajoute(char sexe, int annee, int pere, int mere) {
    Personne p;
    p.reference = "P" + std::to_string(personnes.size());
    p.sexe = sexe;
    p.annee = annee;
    p.pere = pere;
    p.mere = mere;
    personnes.push_back(p);
    return static_cast<int>(personnes.size()) - 1;
}

int AscendanceEssai::ascendanceComplete(int generations, const std::string& prefixe,
                                        int anneeRacine) {
    // Sosa k -> indice ; les parents de k sont 2k et 2k + 1.
    const int premier = static_cast<int>(personnes.size());
    const int nombre = (1 << generations) - 1;
    for (int k = 1; k <= nombre; ++k) {
        int generation = 0;
        while ((2 << generation) <= k) ++generation;
        const int i = ajoute(k == 1 || k % 2 == 0 ? 'M' : 'F', anneeRacine - 27 * generation);
        personnes[static_cast<std::size_t>(i)].reference = prefixe + std::to_string(k);
        if (2 * k + 1 <= nombre) {
            personnes[static_cast<std::size_t>(i)].pere = premier + 2 * k - 1;
            personnes[static_cast<std::size_t>(i)].mere = premier + 2 * k;
        }
    }
    return premier;
}

int AscendanceEssai::ascendanceAuHasard(std::mt19937& hasard, const std::string& prefixe) {
    auto tirage = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(hasard); };
    const int couches = tirage(1, 9);
    std::vector<std::vector<int>> hommes(static_cast<std::size_t>(couches) + 1);
    std::vector<std::vector<int>> femmes(static_cast<std::size_t>(couches) + 1);
    // De la couche la plus ancienne à la racine.
    for (int c = couches; c >= 0; --c) {
        const int taille = c == 0 ? 1 : tirage(1, 1 + 2 * c);
        for (int k = 0; k < taille; ++k) {
            const char sexe = c == 0 ? 'M' : (k % 2 == 0 ? 'M' : 'F');
            int pere = -1, mere = -1;
            if (c < couches) {
                const auto& h = hommes[static_cast<std::size_t>(c) + 1];
                const auto& f = femmes[static_cast<std::size_t>(c) + 1];
                if (!h.empty() && tirage(0, 9) < 8)
                    pere = h[static_cast<std::size_t>(tirage(0, static_cast<int>(h.size()) - 1))];
                if (!f.empty() && tirage(0, 9) < 8)
                    mere = f[static_cast<std::size_t>(tirage(0, static_cast<int>(f.size()) - 1))];
            }
            const int annee = tirage(0, 5) == 0 ? 0 : 2000 - 28 * c + tirage(-6, 6);
            const int i = ajoute(sexe, annee, pere, mere);
            personnes[static_cast<std::size_t>(i)].reference = prefixe + std::to_string(i);
            (sexe == 'M' ? hommes : femmes)[static_cast<std::size_t>(c)].push_back(i);
        }
    }
    return hommes[0].front();
}

std::string AscendanceEssai::gedcom() const {
    std::map<std::pair<int, int>, std::vector<int>> familles;
    for (std::size_t i = 0; i < personnes.size(); ++i)
        if (personnes[i].pere >= 0 || personnes[i].mere >= 0)
            familles[{personnes[i].pere, personnes[i].mere}].push_back(static_cast<int>(i));
    std::map<std::pair<int, int>, int> numeros;
    std::map<int, std::vector<int>> unionsDe;
    int n = 0;
    for (const auto& [couple, enfants] : familles) {
        numeros[couple] = ++n;
        if (couple.first >= 0) unionsDe[couple.first].push_back(n);
        if (couple.second >= 0) unionsDe[couple.second].push_back(n);
    }
    std::string g = "0 HEAD\n1 CHAR UTF-8\n";
    for (std::size_t i = 0; i < personnes.size(); ++i) {
        const Personne& p = personnes[i];
        g += "0 @" + p.reference + "@ INDI\n1 NAME Prenom" + p.reference + " /NOM" +
             std::to_string(i % 23) + "/\n1 SEX " + p.sexe + "\n";
        if (p.annee) g += "1 BIRT\n2 DATE " + std::to_string(p.annee) + "\n2 PLAC Lyon\n";
        if (!p.photo.empty()) g += "1 OBJE\n2 FILE " + p.photo + "\n";
        if (p.pere >= 0 || p.mere >= 0)
            g += "1 FAMC @F" + std::to_string(numeros[{p.pere, p.mere}]) + "@\n";
        for (int u : unionsDe[static_cast<int>(i)])
            g += "1 FAMS @F" + std::to_string(u) + "@\n";
    }
    for (const auto& [couple, enfants] : familles) {
        g += "0 @F" + std::to_string(numeros[couple]) + "@ FAM\n";
        if (couple.first >= 0)
            g += "1 HUSB @" + personnes[static_cast<std::size_t>(couple.first)].reference + "@\n";
        if (couple.second >= 0)
            g += "1 WIFE @" + personnes[static_cast<std::size_t>(couple.second)].reference +
                 "@\n";
        g += "1 MARR\n2 DATE 12 JUN 1890\n2 PLAC Saint-Étienne\n";
        for (int e : enfants)
            g += "1 CHIL @" + personnes[static_cast<std::size_t>(e)].reference + "@\n";
    }
    return g + "0 TRLR\n";
}

} // namespace veltrane::essai
