#include "graphiques/listes/DocumentListe.h"

#include "application/ContexteProgramme.h"
#include "dates_lieux/TexteDate.h"
#include "graphiques/Graphique.h"
#include "sortie/pdf/FichierPdf.h"
#include "sortie/pdf/GrillePages.h"

#include <algorithm>
#include <optional>

namespace veltrane {

namespace {

constexpr std::int32_t LIGNE = 176;
// En tête de chaque page, le titre courant et une ligne vide ; au pied, une ligne vide et le
// numéro de page.
constexpr std::int32_t TETE = 2 * LIGNE;
constexpr std::int32_t PIED = 2 * LIGNE;

// Un morceau de texte placé sur une ligne de l'entrée.
struct Morceau {
    std::int32_t x;
    std::int32_t rang; // ligne dans l'entrée, 0 pour la première
    std::string texte;
    bool nom;          // écrit dans la couleur du sexe
};

// Une entrée mise en lignes : rien n'en sera coupé d'une page à l'autre.
struct Bloc {
    bool titre = false;
    char sexe = ' ';
    std::int32_t lignes = 1;
    std::vector<Morceau> morceaux;
    std::optional<LigneLibre> libre; // ligne placée par la liste, dessinée telle quelle
};

// Coupe le texte en lignes de largeur donnée, aux espaces ; un mot plus long qu'une ligne y reste
// seul. La première ligne n'a que premiere de place.
std::vector<std::string> coupe(std::string_view texte, std::int32_t premiere,
                               std::int32_t suivantes, const MetriquesPolice& police) {
    std::vector<std::string> lignes(1);
    std::int32_t place = premiere;
    std::size_t i = 0;
    while (i < texte.size()) {
        // Un mot et les espaces qui le précèdent.
        std::size_t fin = i;
        while (fin < texte.size() && texte[fin] == ' ')
            ++fin;
        while (fin < texte.size() && texte[fin] != ' ')
            ++fin;
        std::string_view mot = texte.substr(i, fin - i);
        if (!lignes.back().empty() &&
            mesurerTexte(police, lignes.back()) + mesurerTexte(police, mot) > place) {
            lignes.emplace_back();
            place = suivantes;
            while (!mot.empty() && mot.front() == ' ')
                mot.remove_prefix(1);
        }
        lignes.back() += mot;
        i = fin;
    }
    return lignes;
}

// Le PDF d'une liste sur le papier choisi : des pages qui se suivent, un titre courant et
// « Page n / N » sur chacune, une entrée jamais coupée, un titre de génération jamais seul en
// bas de page, les lignes trop longues repliées sous le nom.
class DocumentListePagine : public DocumentListe {
public:
    DocumentListePagine(const std::string& chemin, const TitresListe& titres,
                        const Graphique& graphique)
        : chemin_(chemin), titres_(titres), graphique_(graphique),
          police_(graphique.polices().reguliere()) {
        const MiseEnPage& m = graphique.miseEnPage();
        const float echelle =
            static_cast<float>(graphique.contexte().configuration.etirementListes) / 100.0f;
        grille_ = GrillePages::calcule(1, 1, m.margeGauche, m.margeDroite, m.margeBas, m.margeHaut,
                                       m.formatPapier, echelle);
        largeur_ = std::max<std::int32_t>(grille_.largeurUtile - m.margeGauche - m.margeDroite - 1,
                                          20 * LIGNE);
        // Chaque page garde les marges du papier en haut et en bas.
        hauteurPage_ = grille_.hauteurUtile - m.margeHaut - m.margeBas - TETE - PIED;
    }

    void titreSection(std::string_view titre) override {
        Bloc bloc;
        bloc.titre = true;
        bloc.lignes = 2;
        bloc.morceaux.push_back({850, 0, std::string(titre), false});
        blocs_.push_back(std::move(bloc));
    }
    void ligne(const LigneListe& l) override;
    void ligneLibre(const LigneLibre& l) override {
        Bloc bloc;
        bloc.libre = l;
        blocs_.push_back(std::move(bloc));
    }
    void terminer() override;

private:
    std::int32_t placeDe(const Bloc& bloc) const { return bloc.lignes * LIGNE; }
    // Pages de chaque bloc, et leur nombre.
    std::vector<std::int32_t> pagine(std::int32_t& nombrePages) const;

    std::string chemin_;
    TitresListe titres_;
    const Graphique& graphique_;
    const MetriquesPolice& police_;
    GrillePages grille_;
    std::int32_t largeur_ = 0;
    std::int32_t hauteurPage_ = 0;
    std::vector<Bloc> blocs_;
};

void DocumentListePagine::ligne(const LigneListe& l) {
    Bloc bloc;
    bloc.sexe = l.sexe;
    const std::int32_t c = PageListe::colonne(l);
    bloc.morceaux.push_back({c - l.largeurNumero, 0, l.numero, false});
    // Les détails suivent le nom, puis reviennent sous lui (retrait suspendu).
    const std::int32_t apresNom = largeur_ - c - l.largeurNom;
    const auto details = coupe(l.details, apresNom, largeur_ - c, police_);
    if (!l.nom.empty()) bloc.morceaux.push_back({c, 0, l.nom, true});
    for (std::size_t i = 0; i < details.size(); ++i)
        if (!details[i].empty())
            bloc.morceaux.push_back({i == 0 ? c + l.largeurNom : c,
                                     static_cast<std::int32_t>(i), details[i], false});
    bloc.lignes = static_cast<std::int32_t>(details.size());
    if (!l.mariage.empty()) {
        const auto mariage = coupe(l.mariage, largeur_ - c - 320, largeur_ - c - 320, police_);
        bloc.morceaux.push_back({c + 180, bloc.lignes, "x", false});
        for (const std::string& morceau : mariage)
            bloc.morceaux.push_back({c + 320, bloc.lignes++, morceau, false});
    }
    blocs_.push_back(std::move(bloc));
}

std::vector<std::int32_t> DocumentListePagine::pagine(std::int32_t& nombrePages) const {
    std::vector<std::int32_t> pages(blocs_.size());
    std::int32_t page = 0, libre = hauteurPage_;
    for (std::size_t i = 0; i < blocs_.size(); ++i) {
        std::int32_t besoin = placeDe(blocs_[i]);
        // Un titre de génération emmène sa première entrée : jamais seul en bas de page.
        if (blocs_[i].titre && i + 1 < blocs_.size()) besoin += placeDe(blocs_[i + 1]);
        const bool hautDePage = libre == hauteurPage_;
        // Un espace avant un titre, sauf en haut de page.
        const std::int32_t espace = blocs_[i].titre && !hautDePage ? LIGNE : 0;
        if (!hautDePage && espace + besoin > libre) {
            ++page;
            libre = hauteurPage_;
        } else {
            libre -= espace;
        }
        pages[i] = page;
        libre -= placeDe(blocs_[i]);
    }
    nombrePages = page + 1;
    return pages;
}

void DocumentListePagine::terminer() {
    std::int32_t nombre = 0;
    const std::vector<std::int32_t> pages = pagine(nombre);
    const MiseEnPage& m = graphique_.miseEnPage();
    ContexteProgramme& contexte = graphique_.contexte();
    // Une colonne de pages : la page 1 est la bande du haut du dessin.
    const std::int32_t hauteur = nombre * grille_.hauteurUtile - m.margeBas - m.margeHaut;
    FichierPdf pdf(chemin_, titres_.pdf, contexte.configuration.etirementListes, largeur_, hauteur,
                   m, contexte.style, graphique_.polices(), contexte.interaction);
    StyleTrace& style = pdf.style();
    auto hautDeLaPage = [&](std::int32_t p) {
        return (nombre - p) * grille_.hauteurUtile - m.margeBas - m.margeHaut;
    };
    const std::string titre = titres_.sujet.empty() ? titres_.pdf : titres_.pdf + " : " + titres_.sujet;
    for (std::int32_t p = 0; p < nombre; ++p) {
        const std::int32_t haut = hautDeLaPage(p) - LIGNE;
        pdf.texte(0, haut, pdf.largeurTexte(titre), LIGNE, titre);
        pdf.ligneHorizontale(0, haut - 58, largeur_);
        const std::string numero =
            "Page " + std::to_string(p + 1) + " / " + std::to_string(nombre);
        const std::int32_t l = pdf.largeurTexte(numero);
        pdf.texte(largeur_ - l, haut - TETE - hauteurPage_ - PIED + LIGNE, l, LIGNE, numero);
    }
    std::int32_t page = -1, y = 0;
    for (std::size_t i = 0; i < blocs_.size(); ++i) {
        const Bloc& bloc = blocs_[i];
        if (pages[i] != page) {
            page = pages[i];
            y = hautDeLaPage(page) - TETE - LIGNE;
        } else if (bloc.titre) {
            y -= LIGNE;
        }
        // Un trait qui remonte vers la page précédente s'arrête sous le titre courant.
        if (bloc.libre) dessineLigneLibre(pdf, m, *bloc.libre, y, hautDeLaPage(page) - TETE);
        for (const Morceau& m2 : bloc.morceaux) {
            const CouleurRvb texte = style.couleurTexte;
            if (m2.nom && m.couleurSelonSexe != 0 && bloc.sexe != ' ') {
                const Couleur& c = bloc.sexe == 'F' ? m.couleurFemmes : m.couleurHommes;
                style.couleurTexte = couleurRvb(c.r, c.g, c.b);
            }
            const std::int32_t ligneY = y - m2.rang * LIGNE;
            pdf.texte(m2.x, ligneY, mesurerTexte(police_, m2.texte), LIGNE, m2.texte);
            style.couleurTexte = texte;
            if (bloc.titre) {
                const std::int32_t l = pdf.largeurTexte(m2.texte);
                pdf.ligneHorizontale(0, ligneY + 58, 715);
                if (l + 985 < largeur_) pdf.ligneHorizontale(l + 985, ligneY + 58, largeur_);
            }
        }
        y -= placeDe(bloc);
    }
    pdf.terminer();
}

} // namespace

std::unique_ptr<DocumentListe> documentListePagine(const std::string& chemin,
                                                   const TitresListe& titres,
                                                   const Graphique& graphique) {
    return std::make_unique<DocumentListePagine>(chemin, titres, graphique);
}

} // namespace veltrane
