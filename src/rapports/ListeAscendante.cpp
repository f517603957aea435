#include "rapports/ListeAscendante.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "application/GenealogieOuverte.h"
#include "base/BaseGenealogique.h"
#include "base/OperationImpossible.h"
#include "dates_lieux/TexteDate.h"
#include "sortie/SortieHtml.h"
#include "sortie/SortieRtf.h"
#include "sortie/SortieTexte.h"
#include "sortie/pdf/FichierPdf.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace veltrane {

namespace {

constexpr int STYLE_LISTE = 1; // date complète, une espace, le lieu entier
constexpr std::int32_t SANS_LIMITE = std::numeric_limits<std::int32_t>::max() / 4;
constexpr std::int32_t LONGUEUR_NOM = 71;    // 70 octets relus
constexpr std::int32_t LONGUEUR_TEXTE = 100; // profession, commentaire : 99 octets
constexpr std::uint8_t DERNIERE_GENERATION_NUMEROTEE = 64;
constexpr const char* ASTERISQUES = "**********";
constexpr const char* TIRETS = "------------------------------";

// Lignes du tampon quand les préférences n'en donnent pas (les mêmes que la surface PDF).
constexpr std::string_view SIGNATURE_PAR_DEFAUT_1 = "Veltrane";
constexpr std::string_view SIGNATURE_PAR_DEFAUT_2 = "https://veltrane.fr";


std::int32_t sature(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::string nomComplet(std::string prenoms, const std::string& nom) {
    if (!prenoms.empty() && !nom.empty()) prenoms += ' ';
    return prenoms + nom;
}

std::string titreGeneration(unsigned generation) {
    return std::to_string(generation) + "° GÉNÉRATION";
}

std::string hexa(const Couleur& c) {
    char texte[8];
    std::snprintf(texte, sizeof texte, "%02x%02x%02x", unsigned{c.r}, unsigned{c.g}, unsigned{c.b});
    return texte;
}

// Largeur du tampon de signature, mesurée comme la surface PDF le dessinera.
std::int32_t largeurTampon(const Configuration& configuration, const PolicesGraphiques& polices) {
    std::string_view l1 = configuration.signature1, l2 = configuration.signature2;
    if (l1.empty() && l2.empty()) {
        l1 = SIGNATURE_PAR_DEFAUT_1;
        l2 = SIGNATURE_PAR_DEFAUT_2;
    }
    const std::int64_t w1 = std::int64_t{polices.largeurTexte(l1)} * 8 / 10;
    const std::int64_t w2 = std::int64_t{polices.largeurTexte(l2)} * 8 / 10;
    return sature(std::max(w1, w2) + 384);
}

} // namespace

// --- Paramètres ---

FormatSortie ParametresListeAscendante::formatSortie() const {
    // Un octet hors des quatre choix (favori abîmé) donne le PDF, premier choix.
    return format <= 3 ? static_cast<FormatSortie>(format + 1) : FormatSortie::Pdf;
}

Destinations ParametresListeAscendante::destinations() {
    return {&racine, &nomRacine, &renvois, &format, &coupes, &limiteGenerations, &doubles};
}

void ParametresListeAscendante::encode(Favori& favori, const IdentitesPersonnes& identites) const {
    ParametresListeAscendante copie = *this;
    const auto& d = PARAMETRES_LISTE_ASCENDANTE;
    encodeParametres(favori, signatureFavori(d),
                     valeursDuFavori(d, valeursDesVariables(d, copie.destinations())), identites);
}

void ParametresListeAscendante::decode(const Favori& favori, ModeDecodage mode,
                                       const IdentitesPersonnes& identites,
                                       Interaction& interaction) {
    const auto& d = PARAMETRES_LISTE_ASCENDANTE;
    affecteParametres(valeursDepuisFavori(d, decodeValeurs(favori, mode, signatureFavori(d),
                                                            identites, interaction)),
                      destinations());
}

// --- Calcul des entrées ---

ListeAscendante::ListeAscendante(ContexteProgramme& contexte, const BaseGenealogique& base,
                                 ParametresListeAscendante parametres)
    : Graphique(contexte, parametres.formatSortie()), base_(base),
      parametres_(std::move(parametres)) {
    // Les largeurs des textes décident de la page : la police doit être chargée.
    if (!contexte_.polices.reguliere().valide) {
        std::string face = contexte_.configuration.police;
        contexte_.polices.charger(face, contexte_.interaction);
    }
}

std::int32_t ListeAscendante::mesure(std::string_view texte) const {
    return mesurerTexte(contexte_.polices.reguliere(), texte);
}

const std::string& ListeAscendante::texteEnCache(Zone zone, std::int32_t position,
                                                 std::int32_t longueur) const {
    const std::uint64_t cle =
        static_cast<std::uint64_t>(zone) << 32 | static_cast<std::uint32_t>(position);
    auto [place, nouveau] = cache_.try_emplace(cle);
    if (nouveau)
        place->second = zone == Zone::Lieux ? base_.lireLieu(position)
                                            : base_.lireTexte(zone, position, longueur);
    return place->second;
}

std::string ListeAscendante::texteEvenementListe(std::int32_t evenement) const {
    // La date, puis le lieu entier, séparés d'une espace quand les deux existent (sans limite
    // de largeur, la date n'est jamais remplacée par « .. »).
    const Evenement e = base_.lireEvenement(evenement);
    std::string texte =
        texteDate(e.date, STYLE_LISTE, SANS_LIMITE, contexte_.polices.reguliere()).texte;
    if (!texte.empty()) texte.insert(0, marqueNature(e.date));
    if (e.lieu == 0) return texte;
    const std::string& lieu = texteEnCache(Zone::Lieux, e.lieu, 0);
    if (!lieu.empty() && !texte.empty()) texte += ' ';
    return texte + lieu;
}

std::string ListeAscendante::texteDetails(const Individu& individu) const {
    const std::uint8_t choix =
        contexte_.configuration.donneesAffichees[Configuration::ListeAscendante];
    const bool naissance = choix & Configuration::AfficheNaissance;
    const bool deces = choix & Configuration::AfficheDeces;
    std::string texte;
    if ((naissance || deces) && (individu.naissance != 0 || individu.deces != 0)) {
        texte += "  (";
        texte +=
            naissance && individu.naissance != 0 ? texteEvenementListe(individu.naissance) : "..";
        texte += " - ";
        texte += deces && individu.deces != 0 ? texteEvenementListe(individu.deces) : "..";
        texte += ')';
    }
    if ((choix & Configuration::AfficheProfession) && individu.profession != 0) {
        const std::string profession =
            texteEnCache(Zone::Professions, individu.profession, LONGUEUR_TEXTE);
        if (!profession.empty()) texte += ", " + profession;
    }
    if ((choix & Configuration::AfficheCommentaire) && individu.commentaire != 0) {
        const std::string commentaire =
            texteEnCache(Zone::Commentaires, individu.commentaire, LONGUEUR_TEXTE);
        if (!commentaire.empty()) texte += ", " + commentaire;
    }
    if (texte.size() > LONGUEUR_DETAILS) texte.resize(LONGUEUR_DETAILS);
    return texte;
}

std::string ListeAscendante::texteMariage(const Individu& pere, std::int32_t mere) const {
    // L'union cherchée doit être celle des deux parents : un anneau qui ne la contient pas ne
    // donne pas le mariage d'une autre union.
    std::int32_t u = pere.premiereUnion;
    for (std::int32_t pas = 0; u > 0 && pas < base_.nombreFamilles(); ++pas) {
        const Famille f = base_.lireFamille(u);
        if (f.conjoint == mere) {
            std::string texte;
            if (f.mariage != 0) texte = texteEvenementListe(f.mariage);
            if (f.divorce != SANS_DIVORCE) {
                if (!texte.empty()) texte += "   ";
                texte += ")(";
                if (f.divorce > 0) {
                    const std::string divorce = texteEvenementListe(f.divorce);
                    if (!divorce.empty()) texte += ' ' + divorce;
                }
            }
            return texte;
        }
        if (f.unionSuivante <= 0) break;
        u = f.unionSuivante;
    }
    return {};
}

void ListeAscendante::formate(EntreeListeAscendante& e, const Individu& individu,
                              const std::vector<std::uint32_t>& premiere) {
    e.sexe = individu.sexe == 'F' || individu.sexe == 'M' ? static_cast<char>(individu.sexe) : ' ';
    e.numero = e.generation > DERNIERE_GENERATION_NUMEROTEE ? ASTERISQUES : std::to_string(e.sosa);
    e.largeurNumero = mesure(e.numero);
    const std::int64_t c = std::max(360, e.largeurNumero);

    const std::string nom = nomComplet(texteEnCache(Zone::Prenoms, individu.prenoms, LONGUEUR_NOM),
                                       texteEnCache(Zone::Noms, individu.nom, LONGUEUR_NOM));
    const std::uint32_t anterieure = premiere[static_cast<std::size_t>(e.personne)];
    if (parametres_.renvois && anterieure != 0) {
        const EntreeListeAscendante& f = entrees_[anterieure - 1];
        e.details = f.generation <= DERNIERE_GENERATION_NUMEROTEE
                        ? "    voir n° " + std::to_string(f.sosa)
                        : "    voir " + std::to_string(f.generation) + "° génération";
        e.details += " (" + nom + ')';
        e.largeurDetails = mesure(e.details);
        max_ = std::max(max_, sature(c + e.largeurDetails));
    } else {
        e.nom = "    " + nom;
        e.largeurNom = mesure(e.nom);
        e.details = texteDetails(individu);
        e.largeurDetails = mesure(e.details);
        max_ = std::max(max_, sature(c + e.largeurNom + e.largeurDetails));
    }

    const std::uint8_t choix =
        contexte_.configuration.donneesAffichees[Configuration::ListeAscendante];
    if (e.partenaire == 0 || !(choix & Configuration::AfficheMariage)) return;
    if (parametres_.renvois && anterieure != 0 &&
        premiere[static_cast<std::size_t>(e.partenaire)] != 0)
        return;
    e.mariage = texteMariage(individu, e.partenaire);
    if (e.mariage.empty()) return;
    e.largeurMariage = mesure(e.mariage);
    // La ligne de mariage commence à c + 320 : la page doit la contenir en entier.
    max_ = std::max(max_, sature(c + 320 + e.largeurMariage));
    ++lignesMariage_;
}

void ListeAscendante::calculeEntrees() {
    const std::int32_t n = base_.nombreIndividus();
    if (parametres_.racine < 1 || parametres_.racine > n)
        throw OperationImpossible(MESSAGE_RACINE_INCONNUE);
    entrees_.clear();
    cache_.clear();
    max_ = 0;
    lignesMariage_ = 0;

    // Première entrée de chaque personne (rang + 1, 0 : aucune), le temps du calcul.
    std::vector<std::uint32_t> premiere(static_cast<std::size_t>(n) + 1, 0);
    const bool doublesBranches =
        parametres_.doubles == 0 ? contexte_.configuration.doublesBranchesAscendantes != 0
                                 : parametres_.doubles == 1;
    const std::uint8_t limite = parametres_.limiteGenerations;
    auto connue = [n](std::int32_t p) { return p >= 1 && p <= n; };

    EntreeListeAscendante racine;
    racine.personne = parametres_.racine;
    racine.generation = 1;
    racine.sosa = 1;
    entrees_.push_back(std::move(racine));
    for (std::size_t i = 0; i < entrees_.size(); ++i) {
        const std::int32_t p = entrees_[i].personne;
        const Individu individu = base_.lireIndividu(p);
        formate(entrees_[i], individu, premiere);

        const std::uint8_t generation = entrees_[i].generation;
        const bool dejaVue = premiere[static_cast<std::size_t>(p)] != 0;
        // La génération tient sur un octet : au-delà, une boucle de parenté ne finirait pas.
        const bool suivie = (!dejaVue || doublesBranches) &&
                            !(parametres_.coupes && parametres_.coupes->contient(p)) &&
                            (limite == 0 || generation < limite) && generation < GENERATION_MAX;
        if (suivie) {
            const std::uint64_t double_ = entrees_[i].sosa * 2; // modulo 2^64
            const std::int32_t pere = connue(individu.pere) ? individu.pere : 0;
            const std::int32_t mere = connue(individu.mere) ? individu.mere : 0;
            if (pere != 0) {
                EntreeListeAscendante e;
                e.personne = pere;
                e.generation = static_cast<std::uint8_t>(generation + 1);
                e.sosa = double_ == 0 ? 1 : double_;
                e.partenaire = mere;
                entrees_.push_back(std::move(e));
            }
            if (mere != 0) {
                EntreeListeAscendante e;
                e.personne = mere;
                e.generation = static_cast<std::uint8_t>(generation + 1);
                e.sosa = double_ + 1;
                entrees_.push_back(std::move(e));
            }
        }
        if (!dejaVue) premiere[static_cast<std::size_t>(p)] = static_cast<std::uint32_t>(i + 1);
    }
    cache_ = {}; // rendu avec la table des premières entrées
    if (entrees_.back().generation > DERNIERE_GENERATION_NUMEROTEE)
        contexte_.interaction.message(MESSAGE_SOSA_AU_DELA_64, Icone::Information);
}

std::int32_t ListeAscendante::hauteurPage() const {
    if (entrees_.empty()) return 0;
    const std::int64_t lignes = std::int64_t{lignesMariage_} +
                                4 * std::int64_t{entrees_.back().generation} +
                                static_cast<std::int64_t>(entrees_.size());
    return sature(lignes * 176 - 384);
}

std::optional<std::pair<std::int32_t, std::int32_t>>
ListeAscendante::placeSignature(std::int32_t largeurSignature) const {
    const std::int64_t x = std::int64_t{max_} - largeurSignature - 45;
    if (x < 0 || entrees_.empty()) return std::nullopt;
    auto place = [&](std::int64_t y) {
        return std::optional<std::pair<std::int32_t, std::int32_t>>{
            std::in_place, static_cast<std::int32_t>(x), sature(y)};
    };
    // Même décalage que la première ligne dessinée (voir ecritPdf) : 208 plus bas.
    std::int64_t balayage = std::int64_t{hauteurPage()} - 144 - 208;
    std::size_t i = 0;
    while (i < entrees_.size()) {
        const std::uint8_t generation = entrees_[i].generation;
        int suite = 1;
        std::size_t j = i;
        for (; j < entrees_.size() && entrees_[j].generation == generation; ++j) {
            if (j > i) balayage -= 176;
            const EntreeListeAscendante& e = entrees_[j];
            const std::int64_t libre = std::int64_t{max_} - e.largeurDetails - e.largeurNom -
                                       std::max(360, e.largeurNumero);
            suite = libre > std::int64_t{largeurSignature} + 90 ? suite + 1 : 0;
            if (suite > 2) return place(balayage - 176);
        }
        if (suite > 0 && j < entrees_.size()) return place(balayage - (suite == 1 ? 528 : 352));
        balayage -= 880;
        i = j;
    }
    return std::nullopt;
}

// --- Écritures ---

void ListeAscendante::ecritPdf(const std::string& chemin) {
    const Configuration& configuration = contexte_.configuration;
    StyleTrace& style = contexte_.style;
    FichierPdf pdf(chemin, TITRE_LISTE_ASCENDANTE, configuration.etirementListes, largeurPage(),
                   hauteurPage(), configuration, style, contexte_.polices, contexte_.interaction);
    if (configuration.signerPdf) {
        if (const auto place = placeSignature(largeurTampon(configuration, contexte_.polices)))
            pdf.signature(place->first, place->second);
    }

    const bool couleurs = configuration.couleurSelonSexe != 0;
    const CouleurRvb hommes =
        couleurRvb(configuration.couleurHommes.r, configuration.couleurHommes.g,
                   configuration.couleurHommes.b);
    const CouleurRvb femmes =
        couleurRvb(configuration.couleurFemmes.r, configuration.couleurFemmes.g,
                   configuration.couleurFemmes.b);
    // Une unité plus haut que « hauteur - 145 » : la dernière ligne tombe en y = 0 au lieu de
    // y = -1, où la surface l'aurait écartée.
    std::int32_t y = hauteurPage() - 144;
    std::uint8_t precedente = 0;
    for (const EntreeListeAscendante& e : entrees_) {
        if (e.generation != precedente) {
            if (e.generation > 1) y -= 352;
            const std::string titre = titreGeneration(e.generation);
            const std::int32_t largeur = pdf.largeurTexte(titre);
            pdf.texte(850, y, largeur, 176, titre);
            pdf.ligneHorizontale(0, y + 58, 715);
            if (largeur + 985 < max_) pdf.ligneHorizontale(largeur + 985, y + 58, max_);
            y -= 352;
            precedente = e.generation;
        }
        const std::int32_t c = std::max(360, e.largeurNumero);
        pdf.texte(c - e.largeurNumero, y, e.largeurNumero, 176, e.numero);
        if (!e.nom.empty()) {
            const CouleurRvb texte = style.couleurTexte;
            if (couleurs && e.sexe != ' ') style.couleurTexte = e.sexe == 'F' ? femmes : hommes;
            pdf.texte(c, y, e.largeurNom, 176, e.nom);
            style.couleurTexte = texte;
        }
        if (!e.details.empty()) pdf.texte(c + e.largeurNom, y, e.largeurDetails, 176, e.details);
        y -= 176;
        if (!e.mariage.empty()) {
            pdf.ligne(c + 180, y + 16, c + 260, y + 96);
            pdf.ligne(c + 180, y + 96, c + 260, y + 16);
            pdf.texte(c + 320, y, e.largeurMariage, 176, e.mariage);
            y -= 176;
        }
    }
    pdf.terminer();
}

void ListeAscendante::ecritTexte(const std::string& chemin) const {
    SortieTexte sortie;
    sortie.ouvre(chemin);
    std::uint8_t precedente = 0;
    for (const EntreeListeAscendante& e : entrees_) {
        if (e.generation != precedente) {
            if (precedente != 0) sortie << "\n\n";
            sortie << TIRETS << ' ' << titreGeneration(e.generation) << ' ' << TIRETS << '\n';
            precedente = e.generation;
        }
        sortie << e.numero << e.nom << e.details << '\n';
        if (!e.mariage.empty())
            sortie << std::string(e.numero.size() + 4, ' ') << "x " << e.mariage << '\n';
    }
    sortie.ferme();
}

void ListeAscendante::ecritRtf(const std::string& chemin) const {
    const Configuration& configuration = contexte_.configuration;
    SortieRtf rtf(configuration, contexte_.interaction);
    rtf.ouvre(chemin, 220, 220, 220);
    const bool couleurs = configuration.couleurSelonSexe != 0;
    std::uint8_t precedente = 0;
    for (const EntreeListeAscendante& e : entrees_) {
        if (e.generation != precedente) {
            if (precedente != 0) rtf << '}';
            rtf << "\\b1    ";
            rtf.ecritTexte(titreGeneration(e.generation));
            rtf << "\\b0 {\\fs1\\brdrb\\brdrw" << 28 << "\\brdrth\\brdrcf" << 3
                << "\\par}\n{\\li800\\fi-700 ";
            precedente = e.generation;
        }
        rtf << "\\b1 ";
        rtf.ecritTexte(e.numero);
        if (!e.nom.empty()) {
            const bool colore = couleurs && e.sexe != ' ';
            if (colore) rtf << (e.sexe == 'F' ? "\\cf2 " : "\\cf1 ");
            rtf.ecritTexte(e.nom);
            if (colore) rtf << "\\cf0 ";
        }
        rtf << "\\b0 ";
        rtf.ecritTexte(e.details);
        rtf << "\\par\n";
        if (!e.mariage.empty()) {
            // La tabulation mène au retrait du paragraphe, sous les noms.
            rtf << "\\tab\\b1 x \\b0 ";
            rtf.ecritTexte(e.mariage);
            rtf << "\\par\n";
        }
    }
    if (precedente != 0) rtf << '}';
    if (!rtf.ferme()) throw OperationImpossible(rtf.messageEchec());
}

void ListeAscendante::ecritWeb(const std::string& chemin) const {
    const Configuration& configuration = contexte_.configuration;
    SortieHtml html(configuration);
    html.ouvre(chemin, TITRE_WEB_LISTE_ASCENDANTE);
    const bool couleurs = configuration.couleurSelonSexe != 0;
    const std::string hommes = hexa(configuration.couleurHommes);
    const std::string femmes = hexa(configuration.couleurFemmes);
    std::uint8_t precedente = 0;
    for (const EntreeListeAscendante& e : entrees_) {
        if (e.generation != precedente) {
            if (precedente != 0) html << "</div>\n";
            html << "<p><b>";
            html.ecritTexte(titreGeneration(e.generation));
            html << "</b></p>\n<div>\n";
            precedente = e.generation;
        }
        html.ecritTexte(e.numero);
        if (!e.nom.empty()) {
            const bool colore = couleurs && e.sexe != ' ';
            if (colore)
                html << "<span style=\"color:#" << (e.sexe == 'F' ? femmes : hommes) << "\"><b>";
            html.ecritTexte(e.nom);
            if (colore) html << "</b></span>";
        }
        html.ecritTexte(e.details);
        html << "<br>\n";
        if (!e.mariage.empty()) {
            html << "<span style=\"margin-left:" << (std::int64_t{e.largeurNumero} + 180) * 7 / 100
                 << "px;\"><b>x </b></span>";
            html.ecritTexte(e.mariage);
            html << "<br>\n";
        }
    }
    if (precedente != 0) html << "</div>\n";
    if (!html.ferme()) throw OperationImpossible(html.messageEchec());
}

std::string ListeAscendante::produire(std::string_view prefixe, const std::string& cheminImpose) {
    calculeEntrees();
    if (parametres_.nomRacine.empty()) {
        const Individu racine = base_.lireIndividu(parametres_.racine);
        parametres_.nomRacine =
            nomComplet(base_.lireTexte(Zone::Prenoms, racine.prenoms, LONGUEUR_NOM),
                       base_.lireTexte(Zone::Noms, racine.nom, LONGUEUR_NOM));
    }
    const std::string chemin = cheminImpose.empty()
                                   ? nomFichier(std::string(prefixe) + "_", parametres_.nomRacine)
                                   : cheminImpose;
    switch (format()) {
    case FormatSortie::Pdf:
        ecritPdf(chemin);
        break;
    case FormatSortie::Texte:
        ecritTexte(chemin);
        break;
    case FormatSortie::Rtf:
        ecritRtf(chemin);
        break;
    case FormatSortie::Web:
        ecritWeb(chemin);
        break;
    }
    return chemin;
}

std::string produireListeAscendante(const DescriptionGraphique& description,
                                    const ValeursParametres& valeurs, ContexteProgramme& contexte,
                                    const OptionsProduction& options) {
    ParametresListeAscendante parametres;
    affecteParametres(valeurs, parametres.destinations());
    if (!contexte.genealogie) throw OperationImpossible();
    ListeAscendante liste(contexte, contexte.genealogie->base(), parametres);
    const std::string chemin = liste.produire(description.prefixe, options.cheminImpose);
    if (options.afficher) {
        const bool affiche = afficherDocument(contexte, liste.format(), chemin);
        contexte.interaction.documentEcrit(chemin, affiche);
    }
    return chemin;
}

} // namespace veltrane
