#include "graphiques/ParametreDecrit.h"

#include "application/ChoixPersonne.h"
#include "application/GenealogieOuverte.h"
#include "base/Blancs.h"
#include "dates_lieux/LectureDate.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <vector>

namespace veltrane {

namespace {

// Les noms de chaque valeur d'un choix : « pdf,texte|txt » -> {{pdf}, {texte, txt}}.
std::vector<std::vector<std::string_view>> valeursDuChoix(std::string_view choix) {
    std::vector<std::vector<std::string_view>> valeurs(1);
    std::size_t debut = 0;
    for (std::size_t i = 0; i <= choix.size(); ++i) {
        if (i < choix.size() && choix[i] != ',' && choix[i] != '|') continue;
        valeurs.back().push_back(choix.substr(debut, i - debut));
        if (i < choix.size() && choix[i] == ',') valeurs.emplace_back();
        debut = i + 1;
    }
    return valeurs;
}

// Un nom suivi de « =N » vaut N au lieu de son rang (« aucun=255 »).
std::pair<std::string_view, std::int64_t> nomEtValeur(std::string_view nom, std::size_t rang) {
    const std::size_t egal = nom.find('=');
    std::int64_t valeur = static_cast<std::int64_t>(rang);
    if (egal == std::string_view::npos) return {nom, valeur};
    std::from_chars(nom.data() + egal + 1, nom.data() + nom.size(), valeur);
    return {nom.substr(0, egal), valeur};
}

// « a, b, c ou d » : les premiers noms de chaque valeur. Une valeur sans nom (« pdf,,web »)
// n'est pas proposée.
std::string nomsAttendus(std::string_view choix) {
    std::vector<std::string_view> noms;
    for (const auto& valeur : valeursDuChoix(choix))
        if (!valeur.front().empty()) noms.push_back(nomEtValeur(valeur.front(), 0).first);
    std::string texte;
    for (std::size_t i = 0; i < noms.size(); ++i) {
        if (i > 0) texte += i + 1 == noms.size() ? " ou " : ", ";
        texte += noms[i];
    }
    return texte;
}

[[noreturn]] void malForme(const ParametreDecrit& p, const std::string& attendu,
                           std::string_view texte) {
    throw std::invalid_argument(std::string(p.cle ? p.cle : "valeur") + " : " + attendu +
                                " attendu, pas « " + std::string(texte) + " »");
}

std::int32_t personneConsole(const ParametreDecrit& p, std::string_view texte,
                             const GenealogieOuverte* genealogie) {
    if (genealogie) return personneUnique(*genealogie, texte);
    std::int32_t n = 0;
    const auto [fin, erreur] = std::from_chars(texte.data() + 1, texte.data() + texte.size(), n);
    if (texte.size() < 2 || texte.front() != '#' || erreur != std::errc{} ||
        fin != texte.data() + texte.size() || n < 1)
        malForme(p, "numéro de personne (#37)", texte);
    return n;
}

ValeurParametre lireEnsemble(const ParametreDecrit& p, std::string_view texte,
                             const GenealogieOuverte* genealogie) {
    std::vector<std::int32_t> personnes;
    while (!texte.empty()) {
        const std::size_t fin = texte.find(';');
        const std::string_view morceau = sansBlancs(texte.substr(0, fin));
        texte = fin == std::string_view::npos ? std::string_view{} : texte.substr(fin + 1);
        if (morceau.empty()) continue;
        const std::int32_t n = personneConsole(p, morceau, genealogie);
        if (std::find(personnes.begin(), personnes.end(), n) == personnes.end())
            personnes.push_back(n);
    }
    if (p.maximum > 0 && static_cast<std::int64_t>(personnes.size()) > p.maximum)
        throw std::invalid_argument(std::string(p.cle ? p.cle : "personnes") + " : " +
                                    std::to_string(p.maximum) + " personnes au plus");
    if (personnes.empty()) return std::optional<EnsemblePersonnes>{};
    std::int32_t nombre = genealogie ? genealogie->nombreIndividus() : 0;
    for (std::int32_t n : personnes)
        nombre = std::max(nombre, n);
    EnsemblePersonnes ensemble(nombre);
    for (std::int32_t n : personnes)
        ensemble.ajouter(n);
    return std::optional<EnsemblePersonnes>(std::move(ensemble));
}

ValeurParametre lireEntier(const ParametreDecrit& p, std::string_view texte) {
    if (p.choix) {
        const auto valeurs = valeursDuChoix(p.choix);
        // Les noms d'abord ; une valeur proposée se donne aussi par son nombre.
        for (bool parNombre : {false, true})
            for (std::size_t i = 0; i < valeurs.size(); ++i)
                for (std::string_view nom : valeurs[i]) {
                    const auto [n, v] = nomEtValeur(nom, i);
                    if (!n.empty() && (parNombre ? std::to_string(v) == texte : n == texte))
                        return v;
                }
        malForme(p, nomsAttendus(p.choix), texte);
    }
    std::int64_t n = 0;
    const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), n);
    if (texte.empty() || erreur != std::errc{} || fin != texte.data() + texte.size() ||
        n < p.minimum || n > p.maximum)
        malForme(p,
                 "nombre de " + std::to_string(p.minimum) + " à " + std::to_string(p.maximum),
                 texte);
    return n;
}

// Une date comme la norme GEDCOM l'écrit, que lireDate relit telle quelle.
std::string texteDateGedcom(const DateGenealogique& d) {
    static constexpr const char* MOIS[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                           "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    if (d.estVide()) return {};
    if (d.qualificatif == DateGenealogique::ENTRE)
        return "BET " + std::to_string(d.annee) + " AND " + std::to_string(d.anneeFin);
    static constexpr const char* QUALIFICATIFS[] = {"", "BEF ", "AFT ", "ABT "};
    std::string texte = d.qualificatif < 4 ? QUALIFICATIFS[d.qualificatif] : "";
    if (d.jour != 0) texte += std::to_string(d.jour) + ' ';
    if (d.mois >= 1 && d.mois <= 12) texte += std::string(MOIS[d.mois - 1]) + ' ';
    return texte + std::to_string(d.annee);
}

} // namespace

std::string signatureFavori(ParametresDecrits parametres) {
    std::string signature;
    for (const ParametreDecrit& p : parametres)
        if (p.dansFavori) signature += p.lettre;
    return signature;
}

ValeursParametres valeursParDefaut(ParametresDecrits parametres) {
    ValeursParametres valeurs;
    valeurs.reserve(parametres.size());
    for (const ParametreDecrit& p : parametres) {
        // Les personnes n'ont pas de défaut : on les choisit.
        if (p.lettre == 'P')
            valeurs.emplace_back(Personne{});
        else if (p.lettre == 'L')
            valeurs.emplace_back(std::optional<EnsemblePersonnes>{});
        else
            valeurs.push_back(lireValeurConsole(p, p.defaut ? p.defaut : "", nullptr));
    }
    return valeurs;
}

ValeursParametres valeursDuFavori(ParametresDecrits parametres, const ValeursParametres& valeurs) {
    ValeursParametres rangees;
    for (std::size_t i = 0; i < parametres.size() && i < valeurs.size(); ++i)
        if (parametres[i].dansFavori) rangees.push_back(valeurs[i]);
    return rangees;
}

ValeursParametres valeursDepuisFavori(ParametresDecrits parametres, ValeursParametres rangees) {
    ValeursParametres valeurs = valeursParDefaut(parametres);
    std::size_t suivante = 0;
    for (std::size_t i = 0; i < parametres.size() && suivante < rangees.size(); ++i)
        if (parametres[i].dansFavori) valeurs[i] = std::move(rangees[suivante++]);
    return valeurs;
}

ValeursParametres valeursDesVariables(ParametresDecrits parametres, const Destinations& variables) {
    std::string lettres;
    for (const ParametreDecrit& p : parametres)
        lettres += p.lettre;
    return lireVariables(lettres, variables);
}

int rangDuRole(ParametresDecrits parametres, RoleParametre role) {
    for (std::size_t i = 0; i < parametres.size(); ++i)
        if (parametres[i].role == role) return static_cast<int>(i);
    return -1;
}

ValeurParametre lireValeurConsole(const ParametreDecrit& p, std::string_view texte,
                                  const GenealogieOuverte* genealogie) {
    texte = sansBlancs(texte);
    switch (p.lettre) {
    case 'P':
        return Personne{texte.empty() ? 0 : personneConsole(p, texte, genealogie)};
    case 'L':
        return lireEnsemble(p, texte, genealogie);
    case 'b':
        if (texte == "oui" || texte == "1") return true;
        if (texte == "non" || texte == "0") return false;
        malForme(p, "oui ou non", texte);
    case '1':
    case '2':
    case '4':
        return lireEntier(p, texte);
    case 'D': {
        if (texte.empty()) return DateGenealogique{};
        std::size_t fin = 0;
        const auto date = lireDate(texte, true, &fin);
        if (!date || fin != texte.size()) malForme(p, "date", texte);
        return *date;
    }
    default:
        // Un texte à choix (fichier d'une liste fixe) : vide, ou l'un des noms, rangé sous le
        // premier nom de son groupe.
        if (p.choix && !texte.empty()) {
            for (const auto& noms : valeursDuChoix(p.choix))
                for (std::string_view nom : noms)
                    if (nom == texte) return std::string(noms.front());
            malForme(p, nomsAttendus(p.choix), texte);
        }
        return std::string(texte);
    }
}

std::string texteValeurConsole(const ParametreDecrit& p, const ValeurParametre& valeur) {
    if (const auto* b = std::get_if<bool>(&valeur)) return *b ? "oui" : "non";
    if (const auto* n = std::get_if<std::int64_t>(&valeur)) {
        if (p.choix) {
            const auto valeurs = valeursDuChoix(p.choix);
            for (std::size_t i = 0; i < valeurs.size(); ++i) {
                const auto [nom, v] = nomEtValeur(valeurs[i].front(), i);
                if (v == *n && !nom.empty()) return std::string(nom);
            }
        }
        return std::to_string(*n);
    }
    if (const auto* personne = std::get_if<Personne>(&valeur))
        return personne->numero == 0 ? "" : "#" + std::to_string(personne->numero);
    if (const auto* ensemble = std::get_if<std::optional<EnsemblePersonnes>>(&valeur)) {
        std::string texte;
        if (*ensemble)
            for (std::int32_t n : (*ensemble)->personnes())
                texte += (texte.empty() ? "#" : ";#") + std::to_string(n);
        return texte;
    }
    if (const auto* date = std::get_if<DateGenealogique>(&valeur)) return texteDateGedcom(*date);
    return std::get<std::string>(valeur);
}

void appliqueOptionConsole(ParametresDecrits parametres, ValeursParametres& valeurs,
                           std::string_view option, std::string_view titreGraphique,
                           const GenealogieOuverte* genealogie) {
    const std::size_t egal = option.find('=');
    if (egal == std::string_view::npos)
        throw std::invalid_argument("option sans « = » : " + std::string(option));
    const std::string_view cle = sansBlancs(option.substr(0, egal));
    for (std::size_t i = 0; i < parametres.size(); ++i)
        if (parametres[i].cle && cle == parametres[i].cle) {
            valeurs.at(i) = lireValeurConsole(parametres[i], option.substr(egal + 1), genealogie);
            return;
        }
    throw std::invalid_argument("Option inconnue du graphique « " + std::string(titreGraphique) +
                                " » : " + std::string(cle));
}

std::string aideOptions(ParametresDecrits parametres) {
    std::string texte;
    for (const ParametreDecrit& p : parametres) {
        if (!p.cle) continue;
        texte += std::string("  --option ") + p.cle + "=... (défaut : " +
                 (p.defaut && *p.defaut ? p.defaut : "aucun") + ") " + p.aide + "\n";
    }
    return texte;
}

} // namespace veltrane
