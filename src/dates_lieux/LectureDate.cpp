#include "dates_lieux/LectureDate.h"

#include "dates_lieux/CalendrierRepublicain.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace veltrane {

namespace {

// Nom de mois de la table : numéro puis nom sur 10 octets complétés de zéros (11 octets).
struct EntreeNomMois {
    std::uint8_t mois;
    char nom[10];
};
static_assert(sizeof(EntreeNomMois) == 11);

constexpr std::array<EntreeNomMois, 28> NOMS_MOIS = {{
    {8, "AOU"},      {8, "AOUT"},      {4, "APRIL"},     {8, "AUGUST"},    {4, "AVR"},
    {4, "AVRIL"},    {12, "DEC"},      {12, "DECEMBER"}, {12, "DECEMBRE"}, {2, "FEBRUARY"},
    {2, "FEV"},      {2, "FEVRIER"},   {1, "JANUARY"},   {1, "JANVIER"},   {7, "JUIL"},
    {7, "JUILLET"},  {6, "JUIN"},      {7, "JULY"},      {6, "JUNE"},      {5, "MAI"},
    {3, "MARCH"},    {3, "MARS"},      {11, "NOVEMBER"}, {11, "NOVEMBRE"}, {10, "OCTOBER"},
    {10, "OCTOBRE"}, {9, "SEPTEMBER"}, {9, "SEPTEMBRE"},
}};

constexpr bool avant(const EntreeNomMois& a, const EntreeNomMois& b) {
    for (int i = 0; i < 10; ++i)
        if (a.nom[i] != b.nom[i])
            return static_cast<unsigned char>(a.nom[i]) < static_cast<unsigned char>(b.nom[i]);
    return false;
}

constexpr bool tableTriee() {
    for (std::size_t i = 1; i < NOMS_MOIS.size(); ++i)
        if (!avant(NOMS_MOIS[i - 1], NOMS_MOIS[i])) return false;
    return true;
}
// La recherche dichotomique suppose la table triée.
static_assert(tableTriee());

constexpr std::array<std::string_view, 12> ABREVIATIONS_MOIS = {
    "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

constexpr std::array<int, 12> JOURS_DU_MOIS = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Un nombre plus grand ne peut être ni un jour, ni un mois, ni une année : la lecture sature.
constexpr long SATURATION = 1'000'000;

constexpr bool estBlanc(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
constexpr bool estChiffre(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool estLettre(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr char majuscule(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// Le texte lu, avec la position courante ; rien n'est lu hors de ses bornes.
struct Curseur {
    std::string_view texte;
    std::size_t pos = 0;

    bool fini() const { return pos >= texte.size(); }
    std::size_t reste() const { return texte.size() - pos; }
    char courant() const { return fini() ? '\0' : texte[pos]; }
    char suivant(std::size_t decalage) const {
        return pos + decalage < texte.size() ? texte[pos + decalage] : '\0';
    }

    void sauterBlancs() {
        while (!fini() && estBlanc(texte[pos]))
            ++pos;
    }
    void sauterChiffres() {
        while (!fini() && estChiffre(texte[pos]))
            ++pos;
    }
    // Mot-clé sans égard à la casse.
    bool commencePar(std::string_view mot) const {
        if (reste() < mot.size()) return false;
        for (std::size_t i = 0; i < mot.size(); ++i)
            if (majuscule(texte[pos + i]) != mot[i]) return false;
        return true;
    }
    bool commenceParExact(std::string_view mot) const { return texte.substr(pos).starts_with(mot); }
    // Nombre décimal (signe moins permis), saturé ; 0 quand aucun chiffre.
    long lireNombre() {
        bool negatif = false;
        if (courant() == '-' && estChiffre(suivant(1))) {
            negatif = true;
            ++pos;
        }
        long n = 0;
        while (!fini() && estChiffre(texte[pos])) {
            if (n < SATURATION) n = n * 10 + (texte[pos] - '0');
            ++pos;
        }
        if (n > SATURATION) n = SATURATION;
        return negatif ? -n : n;
    }
    // « B.C. » de la norme GEDCOM ou « BC » courant, suivis de blancs : année avant J.-C.
    bool sauterAvantJc() {
        std::size_t longueur = 0;
        if (commencePar("B.C."))
            longueur = 4;
        else if (commencePar("BC") && !estLettre(suivant(2)))
            longueur = 2;
        if (longueur == 0) return false;
        pos += longueur;
        sauterBlancs();
        return true;
    }
    // Année double « 1699/00 » ou « 1700/1701 » (ancien et nouveau style, pour janvier à mars
    // avant le changement de calendrier) : l'année du nouveau style, la seconde. Les chiffres
    // après '/' doivent donner l'année suivante, sinon rien n'est lu : « 12/05 » reste un jour
    // et un mois.
    long lireAnneeDouble(long annee) {
        if (courant() != '/' || annee < 100) return annee;
        std::size_t fin = pos + 1;
        long suffixe = 0, module = 1;
        while (fin < texte.size() && estChiffre(texte[fin]) && module < 10000) {
            suffixe = suffixe * 10 + (texte[fin] - '0');
            module *= 10;
            ++fin;
        }
        if (module == 1 || (fin < texte.size() && estChiffre(texte[fin]))) return annee;
        long nouvelle = annee - annee % module + suffixe;
        if (nouvelle <= annee) nouvelle += module;
        if (nouvelle != annee + 1) return annee;
        pos = fin;
        return nouvelle;
    }
    // Échappement de calendrier "@#…@" suivi de blancs ; faux quand le '@' final manque.
    bool sauterEchappement() {
        if (!commenceParExact("@#")) return true;
        const std::size_t arobase = texte.find('@', pos + 2);
        if (arobase == std::string_view::npos) return false;
        pos = arobase + 1;
        sauterBlancs();
        return true;
    }
};

bool anneeBissextile(long annee) {
    return annee % 4 == 0 && (annee % 100 != 0 || annee % 400 == 0);
}

bool anneeAdmise(long annee) {
    return annee > -ANNEE_LIMITE && annee < ANNEE_LIMITE;
}

// Mot de la table des noms de mois : capitales, é è ê É È Ê → E, û Û → U, le reste en '?'.
int chercherNomMois(std::string_view mot) {
    if (mot.empty() || mot.size() > 10) return 0;
    EntreeNomMois cle{0, {}};
    for (std::size_t i = 0; i < mot.size(); ++i) {
        const auto c = static_cast<unsigned char>(mot[i]);
        char r = '?';
        if (estLettre(static_cast<char>(c)))
            r = majuscule(static_cast<char>(c));
        else if (c == 0xE9 || c == 0xE8 || c == 0xEA || c == 0xC9 || c == 0xC8 || c == 0xCA)
            r = 'E';
        else if (c == 0xFB || c == 0xDB)
            r = 'U';
        cle.nom[i] = r;
    }
    const auto it = std::lower_bound(NOMS_MOIS.begin(), NOMS_MOIS.end(), cle, avant);
    if (it == NOMS_MOIS.end() || std::memcmp(it->nom, cle.nom, sizeof cle.nom) != 0) return 0;
    return it->mois;
}

// "ET" seul (mot entier) : fin de la première année d'un « ENTRE … ET … ».
bool commenceParEt(const Curseur& c) {
    return c.commencePar("ET") && !estLettre(c.suivant(2));
}

std::optional<DateSimple> lireSimple(Curseur& c, bool etTermine) {
    c.sauterBlancs();
    if (!c.sauterEchappement()) return std::nullopt;

    const long n = c.lireNombre();
    const std::size_t apresNombre = c.pos;

    // Une année seule (éventuellement double ou avant J.-C.).
    if (n != 0) {
        long annee = c.lireAnneeDouble(n);
        c.sauterBlancs();
        if (c.sauterAvantJc()) annee = -annee;
        if (c.fini() || c.commenceParExact("AND") || (etTermine && commenceParEt(c))) {
            if (!anneeAdmise(annee)) return std::nullopt;
            return DateSimple{0, 0, static_cast<int>(annee)};
        }
        c.pos = apresNombre;
    }
    c.sauterBlancs();

    // Sinon n est le jour, suivi du mois.
    if (c.reste() < 2) return std::nullopt;
    long mois = 0;
    bool republicain = false;
    if (c.courant() == '/') {
        ++c.pos;
        while (c.courant() == ' ' || c.courant() == '0')
            ++c.pos;
        mois = c.lireNombre();
        if (mois < 0) return std::nullopt;
        while (c.courant() == ' ' || c.courant() == '/')
            ++c.pos;
    } else {
        int abrege = 0;
        if (c.reste() >= 3 && !estLettre(c.suivant(3)))
            for (std::size_t m = 0; m < ABREVIATIONS_MOIS.size() && abrege == 0; ++m)
                if (c.commencePar(ABREVIATIONS_MOIS[m])) abrege = static_cast<int>(m) + 1;
        if (abrege != 0) {
            mois = abrege;
            c.pos += 3;
        } else {
            std::size_t finMot = c.pos;
            while (finMot < c.texte.size() && !estBlanc(c.texte[finMot]) && c.texte[finMot] != '.')
                ++finMot;
            mois = chercherNomMois(c.texte.substr(c.pos, finMot - c.pos));
            if (mois != 0) {
                c.pos = finMot;
            } else if ((mois = moisRepublicain(c.texte.substr(c.pos))) != 0) {
                republicain = true;
                // Le nom entier (« brumaire ») se lit comme son abréviation.
                c.pos += 4;
                while (estLettre(c.courant()))
                    ++c.pos;
            } else {
                return std::nullopt;
            }
        }
        // Point d'abréviation (« DEC. », « SEPT. ») : il ne peut rien annoncer d'autre.
        if (c.courant() == '.') ++c.pos;
    }
    if (republicain && n == 0) return std::nullopt;

    c.sauterBlancs();
    long annee = 0;
    if (republicain) {
        if (c.commenceParExact("AN ")) {
            c.pos += 3;
            c.sauterBlancs();
        }
        if (estChiffre(c.courant())) {
            annee = c.lireNombre();
        } else {
            const std::size_t debutMot = c.pos;
            while (estLettre(c.courant()))
                ++c.pos;
            annee = valeurChiffresRomains(c.texte.substr(debutMot, c.pos - debutMot));
        }
    } else {
        annee = c.lireAnneeDouble(c.lireNombre());
    }
    if (c.courant() == '-') ++c.pos;
    c.sauterChiffres();
    c.sauterBlancs();
    if (c.sauterAvantJc()) annee = -annee;

    long jour = n;
    if (republicain) {
        const auto g = republicainVersGregorien(static_cast<int>(jour), static_cast<int>(mois),
                                                static_cast<int>(annee));
        if (!g) return std::nullopt;
        jour = g->jour;
        mois = g->mois;
        annee = g->annee;
    }

    // Validation : une date impossible n'est pas gardée.
    if (mois > 12 || jour < 0 || !anneeAdmise(annee)) return std::nullopt;
    if (jour > (mois == 0 ? 31 : JOURS_DU_MOIS[static_cast<std::size_t>(mois - 1)]))
        return std::nullopt;
    if (mois == 2 && jour == 29 && !anneeBissextile(annee)) return std::nullopt;
    return DateSimple{static_cast<int>(jour), static_cast<int>(mois), static_cast<int>(annee)};
}

DateGenealogique versDate(const DateSimple& s, std::uint8_t qualificatif) {
    return DateGenealogique::simple(static_cast<std::uint8_t>(s.jour),
                                    static_cast<std::uint8_t>(s.mois),
                                    static_cast<std::int16_t>(s.annee), qualificatif);
}

struct MotCle {
    std::string_view mot;
    std::uint8_t qualificatif;
};
constexpr std::array<MotCle, 7> QUALIFICATIFS = {{
    {"BEF", DateGenealogique::AVANT},
    {"AVANT", DateGenealogique::AVANT},
    {"AFT", DateGenealogique::APRES},
    {"APRES", DateGenealogique::APRES},
    {"ABT", DateGenealogique::VERS},
    {"VERS", DateGenealogique::VERS},
    {"CIRCA", DateGenealogique::VERS},
}};

// « BET … AND … » ou « ENTRE … ET … » : seules les deux années sont gardées.
std::optional<DateGenealogique> lireEntre(Curseur& c, std::string_view liaison) {
    const bool francais = liaison == "ET";
    const auto premiere = lireSimple(c, francais);
    if (!premiere || premiere->annee == 0) return std::nullopt;
    if (c.reste() < liaison.size() + 3 || !c.commencePar(liaison)) return std::nullopt;
    c.pos += liaison.size();
    const auto seconde = lireSimple(c, false);
    if (!seconde || seconde->annee == 0) return std::nullopt;
    return DateGenealogique::entre(static_cast<std::int16_t>(premiere->annee),
                                   static_cast<std::int16_t>(seconde->annee));
}

// Position de " TO " sans égard à la casse.
std::size_t chercherTo(std::string_view texte) {
    for (std::size_t i = 0; i + 4 <= texte.size(); ++i) {
        Curseur c{texte, i};
        if (c.commencePar(" TO ")) return i;
    }
    return std::string_view::npos;
}

// Période donnée comme date d'événement : « FROM x TO y » se lit entre les deux années,
// « FROM x » seul après x. Chaque date est lue seule, une année seule finit donc bien.
std::optional<DateGenealogique> lireDePeriode(Curseur& c) {
    const std::string_view reste = c.texte.substr(c.pos);
    c.pos = c.texte.size();
    const std::size_t to = chercherTo(reste);
    Curseur premier{reste.substr(0, to), 0};
    const auto debut = lireSimple(premier, false);
    if (!debut) return std::nullopt;
    if (to == std::string_view::npos) return versDate(*debut, DateGenealogique::APRES);
    Curseur second{reste.substr(to + 4), 0};
    const auto fin = lireSimple(second, false);
    if (!fin || debut->annee == 0 || fin->annee == 0) return std::nullopt;
    return DateGenealogique::entre(static_cast<std::int16_t>(debut->annee),
                                   static_cast<std::int16_t>(fin->annee));
}

std::optional<DateGenealogique> lire(Curseur& c, bool accepteEst) {
    // Chaque EST lu fait avancer : la boucle finit.
    for (;;) {
        c.sauterBlancs();
        if (!c.sauterEchappement()) return std::nullopt;
        if (c.commencePar("CAL") && estBlanc(c.suivant(3))) {
            c.pos += 3;
            c.sauterBlancs();
        }
        for (const MotCle& m : QUALIFICATIFS) {
            if (!c.commencePar(m.mot)) continue;
            c.pos += m.mot.size();
            const auto s = lireSimple(c, false);
            if (!s) return std::nullopt;
            return versDate(*s, m.qualificatif);
        }
        if (c.commencePar("BET")) {
            c.pos += 3;
            return lireEntre(c, "AND");
        }
        if (c.commencePar("ENTRE")) {
            c.pos += 5;
            return lireEntre(c, "ET");
        }
        // Période et date interprétée : seulement devant F, T ou I (la plupart des dates
        // commencent par un chiffre).
        const char tete = majuscule(c.courant());
        if (tete == 'F' || tete == 'T' || tete == 'I') {
            if (c.commencePar("FROM") && estBlanc(c.suivant(4))) {
                c.pos += 4;
                return lireDePeriode(c);
            }
            if (c.commencePar("TO") && estBlanc(c.suivant(2))) {
                c.pos += 2;
                const auto s = lireSimple(c, false);
                if (!s) return std::nullopt;
                return versDate(*s, DateGenealogique::AVANT);
            }
            if (c.commencePar("INT") && estBlanc(c.suivant(3))) {
                // Date interprétée : la date, sans la phrase entre parenthèses qui la suit.
                const std::size_t parenthese = c.texte.find('(', c.pos);
                Curseur interpretee{c.texte.substr(0, parenthese), c.pos + 3};
                c.pos = c.texte.size();
                return lire(interpretee, accepteEst);
            }
        }
        if (c.commencePar("EST")) {
            if (!accepteEst) {
                // Les dates estimées ne sont pas gardées : date vide, sans erreur.
                c.pos = c.texte.size();
                return DateGenealogique{};
            }
            c.pos += 3;
            continue;
        }
        const auto s = lireSimple(c, false);
        if (!s) return std::nullopt;
        return versDate(*s, DateGenealogique::SIMPLE);
    }
}

} // namespace

std::optional<DateSimple> lireDateSimple(std::string_view texte, std::size_t* fin) {
    Curseur c{texte, 0};
    auto resultat = lireSimple(c, false);
    if (fin) *fin = c.pos;
    return resultat;
}

std::optional<DateGenealogique> lireDate(std::string_view texte, bool accepteEst,
                                         std::size_t* fin) {
    Curseur c{texte, 0};
    auto resultat = lire(c, accepteEst);
    if (fin) *fin = c.pos;
    return resultat;
}

std::optional<Periode> lirePeriode(std::string_view texte) {
    Curseur c{texte, 0};
    c.sauterBlancs();
    Periode periode;
    if (c.commencePar("FROM ")) {
        const std::string_view reste = texte.substr(c.pos + 5);
        const std::size_t to = chercherTo(reste);
        const auto debut = lireDate(reste.substr(0, to), true);
        if (!debut) return std::nullopt;
        periode.debut = *debut;
        if (to != std::string_view::npos) {
            const auto fin = lireDate(reste.substr(to + 4), true);
            if (!fin) return std::nullopt;
            periode.fin = *fin;
        }
        return periode;
    }
    if (c.commencePar("TO ")) {
        const auto fin = lireDate(texte.substr(c.pos + 3), true);
        if (!fin) return std::nullopt;
        periode.fin = *fin;
        return periode;
    }
    const auto debut = lireDate(texte.substr(c.pos), true);
    if (!debut) return std::nullopt;
    periode.debut = *debut;
    return periode;
}

std::int32_t cleDeTri(const DateGenealogique& date) {
    if (date.qualificatif == DateGenealogique::ENTRE)
        return ((std::int32_t{date.annee} + date.anneeFin) * 372 + 371) / 2;
    std::int32_t jour = date.jour;
    std::int32_t mois = date.mois;
    if (date.qualificatif == DateGenealogique::APRES) {
        if (jour == 0) jour = 31;
        if (mois == 0) mois = 12;
    }
    return (mois + std::int32_t{date.annee} * 12) * 31 + jour;
}

std::optional<std::int32_t> cleDeTri(std::string_view texte) {
    const auto date = lireDate(texte, true);
    if (!date) return std::nullopt;
    return cleDeTri(*date);
}

IntervalleAnnees intervalleAnnees(const DateGenealogique& date) {
    auto borne = [](int v) {
        return static_cast<std::int16_t>(std::clamp(v, -ANNEE_LIMITE, ANNEE_LIMITE));
    };
    if (date.estAbsente()) return {};
    const int y = date.annee;
    switch (date.qualificatif) {
    case DateGenealogique::AVANT:
        return {borne(-ANNEE_LIMITE), borne(y)};
    case DateGenealogique::APRES:
        return {borne(y), borne(ANNEE_LIMITE)};
    case DateGenealogique::VERS:
        return {borne(y - 2), borne(y + 2)};
    case DateGenealogique::ENTRE:
        // Années écrites à l'envers (« BET 1860 AND 1850 ») : l'intervalle reste ordonné.
        return {borne(std::min<int>(date.annee, date.anneeFin)),
                borne(std::max<int>(date.annee, date.anneeFin))};
    default:
        return {borne(y), borne(y)};
    }
}

} // namespace veltrane
