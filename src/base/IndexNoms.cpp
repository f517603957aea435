#include "base/IndexNoms.h"

#include "base/ArretFatal.h"
#include "base/ClePhonetique.h"
#include "base/LecteurDonnees.h"
#include "base/OctetsPetitBoutiste.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <numeric>

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

// Textes d'une zone lus aux positions citées par les personnes, sans doublon et dans l'ordre
// des positions : le texte normalisé et sa clé phonétique de chacune, bout à bout.
struct TextesCites {
    // Un bit par octet de la zone, et le nombre de positions citées avant chaque mot : le
    // numéro d'une position se trouve sans recherche.
    std::vector<std::uint64_t> citees;
    std::vector<std::uint32_t> avantMot;
    TextesCles normalises;
    TextesCles phonetiques;

    std::size_t indice(std::int32_t position) const {
        const auto t = static_cast<std::size_t>(position);
        const std::uint64_t avant = citees[t / 64] & ((std::uint64_t{1} << (t % 64)) - 1);
        return avantMot[t / 64] + static_cast<std::size_t>(std::popcount(avant));
    }
};

TextesCites lireTextesCites(const BaseGenealogique& base, LecteurDonnees& lecteur, Zone zone,
                            const std::vector<std::int32_t>& cites) {
    TextesCites textes;
    const std::uint64_t longueur = base.longueurZone(zone);
    // Positions marquées puis relues dans l'ordre : un million de noms se rangent sans tri.
    textes.citees.assign(static_cast<std::size_t>(longueur / 64 + 1), 0);
    for (std::int32_t t : cites) {
        if (t < 0 || static_cast<std::uint64_t>(t) > longueur) throw DonneesIllisibles();
        textes.citees[static_cast<std::size_t>(t) / 64] |= std::uint64_t{1} << (t % 64);
    }
    textes.avantMot.resize(textes.citees.size());
    std::uint32_t avant = 0;
    for (std::size_t m = 0; m < textes.citees.size(); ++m) {
        textes.avantMot[m] = avant;
        for (std::uint64_t bits = textes.citees[m]; bits != 0; bits &= bits - 1) {
            const auto t = static_cast<std::int32_t>(m * 64 + std::countr_zero(bits));
            std::string_view texte;
            if (t != 0) {
                texte = lecteur.lireDansZone(zone, t, IndexNoms::LONGUEUR_TEXTE);
                texte = texte.substr(0, texte.find('\n'));
            }
            const std::string normalise = IndexNoms::normaliserNom(texte);
            textes.normalises.ajouter(normalise);
            textes.phonetiques.ajouter(cleePhonetique(normalise));
            ++avant;
        }
    }
    return textes;
}

// Range les textes distincts dans l'ordre des clés et rend le rang de chaque texte.
// Pour les noms, la fin du texte compte comme l'octet 31 qui la suit dans la clé.
std::vector<std::uint32_t> classer(const TextesCles& textes, bool finParSeparateur,
                                   TextesCles& sortie) {
    std::vector<std::uint32_t> ordre(textes.nombre());
    std::iota(ordre.begin(), ordre.end(), 0u);
    std::sort(ordre.begin(), ordre.end(), [&](std::uint32_t x, std::uint32_t y) {
        if (finParSeparateur) return comparerCles(textes.texte(x), {}, textes.texte(y), {}) < 0;
        return textes.texte(x) < textes.texte(y);
    });
    sortie.reserver(textes.boutABout().size(), textes.nombre());
    std::vector<std::uint32_t> rangs(textes.nombre());
    std::uint32_t rang = 0;
    for (std::size_t k = 0; k < ordre.size(); ++k) {
        if (k == 0 || textes.texte(ordre[k]) != textes.texte(ordre[k - 1])) {
            if (k > 0) ++rang;
            sortie.ajouter(textes.texte(ordre[k]));
        }
        rangs[ordre[k]] = rang;
    }
    return rangs;
}

// Rang phonétique de chaque rang de texte normalisé : la clé phonétique ne dépend que du texte
// normalisé, l'index phonétique se déduit ainsi de celui des noms.
std::vector<std::uint32_t> sonDesRangs(const std::vector<std::uint32_t>& rangs,
                                       const std::vector<std::uint32_t>& rangsSon,
                                       std::size_t nombre) {
    std::vector<std::uint32_t> son(nombre);
    for (std::size_t k = 0; k < rangs.size(); ++k)
        son[rangs[k]] = rangsSon[k];
    return son;
}

// Tri stable par comptage des éléments 0..nombre-1 sur une clé de 0 à nombreCles - 1 :
// placer(i, k) reçoit le rang i de l'élément k.
template <class Cle, class Placer>
void placerParComptage(std::size_t nombreCles, std::size_t nombre, Cle cle, Placer placer) {
    std::vector<std::uint32_t> debuts(nombreCles + 1, 0);
    for (std::size_t k = 0; k < nombre; ++k)
        ++debuts[cle(k) + 1];
    std::partial_sum(debuts.begin(), debuts.end(), debuts.begin());
    for (std::size_t k = 0; k < nombre; ++k)
        placer(debuts[cle(k)]++, k);
}

bool contientSeparateur(const TextesCles& textes) {
    return textes.boutABout().find(IndexNoms::SEPARATEUR) != std::string_view::npos;
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

// Fabrique les deux index ; ami des classes pour remplir leurs tableaux. Pour un million de
// personnes, la mémoire compte : les index sont faits l'un après l'autre, le second déduit du
// premier, chacun rangé sans second tableau d'entrées, et ce qui a servi est jeté aussitôt.
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

        IndexNoms index;
        // Rangs des noms et des prénoms normalisés de chaque entrée, puis leur rang phonétique.
        std::vector<std::uint32_t> cleNoms(noms.size()), clePrenoms(prenoms.size());
        const std::vector<std::uint32_t> sonNoms = rangerTextes(
            base, lecteur, Zone::Noms, noms, cleNoms, index.noms_.noms_, index.phonetique_.noms_);
        const std::vector<std::uint32_t> sonPrenoms =
            rangerTextes(base, lecteur, Zone::Prenoms, prenoms, clePrenoms, index.noms_.prenoms_,
                         index.phonetique_.prenoms_);
        prenoms = {};

        ranger(index.noms_, personnes.size(), [&](std::size_t k) {
            return EntreeIndex{personnes[k], noms[k], cleNoms[k], clePrenoms[k]};
        });
        personnes = {};
        noms = {};
        cleNoms = {};
        clePrenoms = {};
        const std::vector<EntreeIndex>& source = index.noms_.entrees_;
        ranger(index.phonetique_, source.size(), [&](std::size_t k) {
            const EntreeIndex& e = source[k];
            return EntreeIndex{e.personne, e.nom, sonNoms[e.cleNom], sonPrenoms[e.clePrenoms]};
        });

        const auto& entrees = index.noms_.entrees_;
        for (std::size_t k = 0; k < entrees.size(); ++k)
            if (k == 0 || entrees[k].nom != entrees[k - 1].nom) ++index.nombreNoms_;
        return index;
    }

private:
    // Textes d'une zone cités aux positions données, rangés dans les deux index (normalisé,
    // phonétique) ; cles reçoit le rang normalisé de chaque position, le résultat donne le rang
    // phonétique de chaque rang normalisé.
    static std::vector<std::uint32_t>
    rangerTextes(const BaseGenealogique& base, LecteurDonnees& lecteur, Zone zone,
                 const std::vector<std::int32_t>& positions, std::vector<std::uint32_t>& cles,
                 TextesCles& normalises, TextesCles& phonetiques) {
        const TextesCites textes = lireTextesCites(base, lecteur, zone, positions);
        const bool noms = zone == Zone::Noms;
        const auto rangs = classer(textes.normalises, noms, normalises);
        const auto rangsSon = classer(textes.phonetiques, noms, phonetiques);
        for (std::size_t k = 0; k < positions.size(); ++k)
            cles[k] = rangs[textes.indice(positions[k])];
        return sonDesRangs(rangs, rangsSon, normalises.nombre());
    }

    // Entrées source(0..nombre-1) rangées par clé ; à clé égale, même nom rangé ensemble, puis
    // numéro de personne (ordre reproductible).
    template <class Source>
    static void ranger(IndexPersonnes& index, std::size_t nombre, Source source) {
        auto& entrees = index.entrees_;
        entrees.resize(nombre);
        // Les rangs suivent l'ordre des clés tant qu'aucun nom ne contient l'octet 31 : deux
        // comptages stables, l'un range les numéros de source par prénoms, l'autre place les
        // entrées par nom ; pas de second tableau d'entrées.
        if (!contientSeparateur(index.noms_)) {
            std::vector<std::uint32_t> ordre(nombre);
            placerParComptage(
                index.prenoms_.nombre(), nombre,
                [&](std::size_t k) { return source(k).clePrenoms; },
                [&](std::size_t i, std::size_t k) { ordre[i] = static_cast<std::uint32_t>(k); });
            placerParComptage(
                index.noms_.nombre(), nombre,
                [&](std::size_t i) { return source(ordre[i]).cleNom; },
                [&](std::size_t j, std::size_t i) { entrees[j] = source(ordre[i]); });
            // À noms et prénoms égaux reste l'ordre de la source : celui des personnes pour le
            // premier index, qu'il suffit alors de reprendre quand des positions de nom
            // différentes (Dupont, DUPONT) s'y mêlent.
            const auto parNomPuisPersonne = [](const EntreeIndex& x, const EntreeIndex& y) {
                return x.nom != y.nom ? x.nom < y.nom : x.personne < y.personne;
            };
            for (auto debut = entrees.begin(); debut != entrees.end();) {
                auto fin = debut + 1;
                while (fin != entrees.end() && fin->cleNom == debut->cleNom &&
                       fin->clePrenoms == debut->clePrenoms)
                    ++fin;
                if (!std::is_sorted(debut, fin, parNomPuisPersonne))
                    std::sort(debut, fin, parNomPuisPersonne);
                debut = fin;
            }
            return;
        }
        for (std::size_t k = 0; k < nombre; ++k)
            entrees[k] = source(k);
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
