#include "base/IndexNoms.h"

#include "base/ArretFatal.h"
#include "base/ClePhonetique.h"
#include "base/LecteurDonnees.h"
#include "base/OctetsPetitBoutiste.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <utility>

namespace veltrane {

namespace {

constexpr unsigned char SEPARATEUR = static_cast<unsigned char>(IndexNoms::SEPARATEUR);

// Lettre de base en capitale de 0xC0 à 0xFF, comme pour les noms de lieux.
constexpr std::array<char, 256> tableNormalisation() {
    std::array<char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = ' ';
    for (int c = '0'; c <= '9'; ++c)
        t[c] = static_cast<char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = static_cast<char>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = static_cast<char>(c - 'a' + 'A');
    for (unsigned char c : std::string_view("()[]#\xB0?<>{}"))
        t[c] = static_cast<char>(c);
    constexpr char accents[] = "AAAAAA\xC6"
                               "CEEEEIIIIDNOOOOOX UUUUY B";
    for (int i = 0; i < 32; ++i) {
        t[0xC0 + i] = accents[i];
        t[0xE0 + i] = accents[i];
    }
    t[0xF7] = ' '; // ÷ (× donne X)
    t[0xFF] = 'Y';
    return t;
}
constexpr std::array<char, 256> NORMALISATION = tableNormalisation();
static_assert(NORMALISATION[0xB0] == '\xB0' && NORMALISATION[0xA9] == ' ' &&
              NORMALISATION[0xE6] == '\xC6' && NORMALISATION[0xD8] == ' ' &&
              NORMALISATION[0xDF] == 'B' && NORMALISATION['_'] == ' ');

// Octet k de la clé « s, séparateur, g » sans la fabriquer.
unsigned char octetCle(std::string_view s, std::string_view g, std::size_t k) {
    if (k < s.size()) return static_cast<unsigned char>(s[k]);
    if (k == s.size()) return SEPARATEUR;
    return static_cast<unsigned char>(g[k - s.size() - 1]);
}

// Compare octet par octet les clés « s1 31 g1 » et « s2 31 g2 ».
int comparerCles(std::string_view s1, std::string_view g1, std::string_view s2,
                 std::string_view g2) {
    const std::size_t commun = std::min(s1.size(), s2.size());
    if (commun > 0) {
        const int c = std::memcmp(s1.data(), s2.data(), commun);
        if (c != 0) return c;
    }
    const std::size_t n1 = s1.size() + 1 + g1.size();
    const std::size_t n2 = s2.size() + 1 + g2.size();
    const std::size_t n = std::min(n1, n2);
    for (std::size_t k = commun; k < n; ++k) {
        const unsigned char a = octetCle(s1, g1, k);
        const unsigned char b = octetCle(s2, g2, k);
        if (a != b) return a < b ? -1 : 1;
    }
    return n1 < n2 ? -1 : (n1 > n2 ? 1 : 0);
}

// Textes d'une zone lus aux positions citées par les personnes, triées sans doublon.
struct TextesCites {
    std::vector<std::int32_t> positions;
    std::vector<std::string> normalises;
    std::vector<std::string> phonetiques;

    std::size_t indice(std::int32_t position) const {
        return static_cast<std::size_t>(
            std::lower_bound(positions.begin(), positions.end(), position) - positions.begin());
    }
};

TextesCites lireTextesCites(LecteurDonnees& lecteur, Zone zone,
                            std::vector<std::int32_t> positions) {
    TextesCites textes;
    const std::string octets = lecteur.lireZone(zone);
    // Positions marquées dans une table d'un bit par octet de la zone, relues dans l'ordre : un
    // million de noms se rangent sans tri.
    std::vector<bool> citees(octets.size() + 1, false);
    for (std::int32_t t : positions) {
        if (t < 0 || static_cast<std::size_t>(t) > octets.size()) throw DonneesIllisibles();
        citees[static_cast<std::size_t>(t)] = true;
    }
    positions.clear();
    for (std::size_t t = 0; t < citees.size(); ++t)
        if (citees[t]) positions.push_back(static_cast<std::int32_t>(t));
    textes.normalises.reserve(positions.size());
    textes.phonetiques.reserve(positions.size());
    for (std::int32_t t : positions) {
        std::string_view texte;
        if (t != 0) {
            texte = std::string_view(octets).substr(static_cast<std::size_t>(t) - 1,
                                                    IndexNoms::LONGUEUR_TEXTE);
            texte = texte.substr(0, texte.find('\n'));
        }
        textes.normalises.push_back(IndexNoms::normaliserNom(texte));
        textes.phonetiques.push_back(cleePhonetique(textes.normalises.back()));
    }
    textes.positions = std::move(positions);
    return textes;
}

// Range les textes distincts dans l'ordre des clés et rend le rang de chaque texte.
// Pour les noms, la fin du texte compte comme l'octet 31 qui la suit dans la clé.
std::vector<std::uint32_t> classer(const std::vector<std::string>& textes, bool finParSeparateur,
                                   TextesCles& sortie) {
    std::vector<std::uint32_t> ordre(textes.size());
    std::iota(ordre.begin(), ordre.end(), 0u);
    std::sort(ordre.begin(), ordre.end(), [&](std::uint32_t x, std::uint32_t y) {
        if (finParSeparateur) return comparerCles(textes[x], {}, textes[y], {}) < 0;
        return textes[x] < textes[y];
    });
    std::size_t octets = 0;
    for (const std::string& t : textes)
        octets += t.size();
    sortie.reserver(octets, textes.size());
    std::vector<std::uint32_t> rangs(textes.size());
    std::uint32_t rang = 0;
    for (std::size_t k = 0; k < ordre.size(); ++k) {
        if (k == 0 || textes[ordre[k]] != textes[ordre[k - 1]]) {
            if (k > 0) ++rang;
            sortie.ajouter(textes[ordre[k]]);
        }
        rangs[ordre[k]] = rang;
    }
    return rangs;
}

// Tri stable sur un entier de 32 bits, seize bits par passe ; une passe où toutes les entrées
// ont le même chiffre ne déplace rien et n'est pas faite (les numéros de personne déjà rangés
// ne coûtent ainsi qu'un comptage quand ils tiennent sur seize bits).
template <class Champ>
void trierParBase(std::vector<EntreeIndex>& entrees, std::vector<EntreeIndex>& autres,
                  Champ champ) {
    for (unsigned decalage : {0u, 16u}) {
        std::vector<std::size_t> debuts(65536, 0);
        for (const EntreeIndex& e : entrees)
            ++debuts[(champ(e) >> decalage) & 0xFFFF];
        if (entrees.empty() || debuts[(champ(entrees[0]) >> decalage) & 0xFFFF] == entrees.size())
            continue;
        std::size_t cumul = 0;
        for (std::size_t& d : debuts)
            cumul += std::exchange(d, cumul);
        for (const EntreeIndex& e : entrees)
            autres[debuts[(champ(e) >> decalage) & 0xFFFF]++] = e;
        entrees.swap(autres);
    }
}

bool contientSeparateur(const TextesCles& textes) {
    for (std::uint32_t r = 0; r < textes.nombre(); ++r)
        if (textes.texte(r).find(IndexNoms::SEPARATEUR) != std::string_view::npos) return true;
    return false;
}

} // namespace

void TextesCles::ajouter(std::string_view texte) {
    octets_.append(texte);
    debuts_.push_back(static_cast<std::uint32_t>(octets_.size()));
}

void TextesCles::reserver(std::size_t octets, std::size_t nombre) {
    octets_.reserve(octets);
    debuts_.reserve(nombre + 1);
}

std::string IndexPersonnes::cle(std::size_t position) const {
    std::string resultat(nomCle(position));
    resultat.push_back(IndexNoms::SEPARATEUR);
    resultat.append(prenomsCle(position));
    return resultat;
}

std::size_t IndexPersonnes::premierNonInferieur(std::string_view nom) const {
    const auto trouve =
        std::partition_point(entrees_.begin(), entrees_.end(), [&](const EntreeIndex& e) {
            return comparerCles(noms_.texte(e.cleNom), prenoms_.texte(e.clePrenoms), nom, {}) < 0;
        });
    return static_cast<std::size_t>(trouve - entrees_.begin());
}

namespace {

// Ligatures Œ œ Æ æ : deux lettres, pour qu'ŒILLET se trouve en tapant OEILLET et se range
// parmi les O.
const char* lettresLigature(unsigned char c) {
    switch (c) {
    case 0x8C:
    case 0x9C:
        return "OE";
    case 0xC6:
    case 0xE6:
        return "AE";
    default:
        return nullptr;
    }
}

} // namespace

std::string IndexNoms::normaliserNom(std::string_view texte) {
    std::string resultat;
    resultat.reserve(texte.size());
    for (const char c : texte) {
        const auto source = static_cast<unsigned char>(c);
        if (const char* lettres = lettresLigature(source)) {
            resultat += lettres;
            continue;
        }
        char octet = NORMALISATION[source];
        // Jamais trois espaces de suite : la troisième garde l'octet d'origine (ou un tiret).
        const std::size_t n = resultat.size();
        if (octet == ' ' && n >= 2 && resultat[n - 1] == ' ' && resultat[n - 2] == ' ')
            octet = source == ' ' ? '-' : c;
        resultat.push_back(octet);
    }
    return resultat;
}

ResultatRecherche IndexNoms::chercherNom(std::string_view nomTape, bool phonetique) const {
    // La clé phonétique se fait sur le nom normalisé, comme à la construction : sinon un nom
    // tapé avec ses accents (Lefèvre) ne trouverait pas le même nom rangé.
    const std::string normalise = normaliserNom(nomTape);
    const std::string cle = phonetique ? cleePhonetique(normalise) : normalise;
    const IndexPersonnes& index = phonetique ? phonetique_ : noms_;
    ResultatRecherche resultat;
    resultat.position = index.premierNonInferieur(cle);
    resultat.trouve = resultat.position < index.taille() && index.nomCle(resultat.position) == cle;
    return resultat;
}

// Fabrique les deux index ; ami des classes pour remplir leurs tableaux.
class ConstructeurIndex {
public:
    static IndexNoms construire(const BaseGenealogique& base) {
        LecteurDonnees lecteur(base);
        std::vector<std::int32_t> personnes, noms, prenoms;
        const auto nombre = static_cast<std::size_t>(base.nombreIndividus());
        personnes.reserve(nombre);
        noms.reserve(nombre);
        prenoms.reserve(nombre);
        lecteur.parcourirIndividus([&](std::int32_t n, const std::uint8_t* octets) {
            if (std::all_of(octets, octets + Individu::TAILLE,
                            [](std::uint8_t o) { return o == 0; }))
                return;
            personnes.push_back(n);
            noms.push_back(static_cast<std::int32_t>(lireU32(octets)));
            prenoms.push_back(static_cast<std::int32_t>(lireU32(octets + 4)));
        });

        const TextesCites textesNoms = lireTextesCites(lecteur, Zone::Noms, noms);
        const TextesCites textesPrenoms = lireTextesCites(lecteur, Zone::Prenoms, prenoms);

        IndexNoms index;
        const auto rangNoms = classer(textesNoms.normalises, true, index.noms_.noms_);
        const auto rangPrenoms = classer(textesPrenoms.normalises, false, index.noms_.prenoms_);
        const auto rangNomsSon = classer(textesNoms.phonetiques, true, index.phonetique_.noms_);
        const auto rangPrenomsSon =
            classer(textesPrenoms.phonetiques, false, index.phonetique_.prenoms_);

        index.noms_.entrees_.resize(personnes.size());
        index.phonetique_.entrees_.resize(personnes.size());
        for (std::size_t k = 0; k < personnes.size(); ++k) {
            const std::size_t n = textesNoms.indice(noms[k]);
            const std::size_t p = textesPrenoms.indice(prenoms[k]);
            index.noms_.entrees_[k] = {personnes[k], noms[k], rangNoms[n], rangPrenoms[p]};
            index.phonetique_.entrees_[k] = {personnes[k], noms[k], rangNomsSon[n],
                                             rangPrenomsSon[p]};
        }
        trier(index.noms_);
        trier(index.phonetique_);

        const auto& entrees = index.noms_.entrees_;
        for (std::size_t k = 0; k < entrees.size(); ++k)
            if (k == 0 || entrees[k].nom != entrees[k - 1].nom) ++index.nombreNoms_;
        return index;
    }

private:
    // À clé égale : même nom rangé ensemble, puis numéro de personne (ordre reproductible).
    static void trier(IndexPersonnes& index) {
        auto& entrees = index.entrees_;
        // Les rangs suivent l'ordre des clés tant qu'aucun nom ne contient l'octet 31 : tri par
        // base sur les entiers de la clé, du moins important au plus important, chaque passe
        // stable.
        if (!contientSeparateur(index.noms_)) {
            std::vector<EntreeIndex> autres(entrees.size());
            auto trierSur = [&](auto champ) { trierParBase(entrees, autres, champ); };
            const auto parPersonne = [](const EntreeIndex& x, const EntreeIndex& y) {
                return x.personne < y.personne;
            };
            if (!std::is_sorted(entrees.begin(), entrees.end(), parPersonne))
                trierSur(
                    [](const EntreeIndex& e) { return static_cast<std::uint32_t>(e.personne); });
            trierSur([](const EntreeIndex& e) { return static_cast<std::uint32_t>(e.nom); });
            trierSur([](const EntreeIndex& e) { return e.clePrenoms; });
            trierSur([](const EntreeIndex& e) { return e.cleNom; });
            return;
        }
        std::sort(entrees.begin(), entrees.end(), [&](const EntreeIndex& x, const EntreeIndex& y) {
            const int c =
                comparerCles(index.noms_.texte(x.cleNom), index.prenoms_.texte(x.clePrenoms),
                             index.noms_.texte(y.cleNom), index.prenoms_.texte(y.clePrenoms));
            if (c != 0) return c < 0;
            if (x.nom != y.nom) return x.nom < y.nom;
            return x.personne < y.personne;
        });
    }
};

IndexNoms construireIndexNoms(const BaseGenealogique& base) {
    try {
        return ConstructeurIndex::construire(base);
    } catch (const DonneesIllisibles&) {
        arretFatal(MESSAGE_DONNEES_CORROMPUES);
    }
}

} // namespace veltrane
