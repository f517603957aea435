#include "graphiques/listes/DocumentListe.h"

#include "graphiques/Graphique.h"
#include "plateforme/OperationImpossible.h"
#include "sortie/SortieHtml.h"

#include <cstdio>

namespace veltrane {

namespace {

std::string hexa(const Couleur& c) {
    char texte[8];
    std::snprintf(texte, sizeof texte, "%02x%02x%02x", unsigned{c.r}, unsigned{c.g}, unsigned{c.b});
    return texte;
}

class DocumentListeWeb : public DocumentListe {
public:
    DocumentListeWeb(const std::string& chemin, const TitresListe& titres, const MiseEnPage& page)
        : html_(page), couleurs_(page.couleurSelonSexe != 0), hommes_(hexa(page.couleurHommes)),
          femmes_(hexa(page.couleurFemmes)) {
        html_.ouvre(chemin, titres.web);
    }

    void titreSection(std::string_view titre) override {
        if (sections_++ > 0) html_ << "</div>\n";
        html_ << "<p><b>";
        html_.ecritTexte(titre);
        html_ << "</b></p>\n<div>\n";
    }
    void ligne(const LigneListe& l) override {
        html_.ecritTexte(l.numero);
        if (!l.nom.empty()) {
            const bool colore = couleurs_ && l.sexe != ' ';
            if (colore)
                html_ << "<span style=\"color:#" << (l.sexe == 'F' ? femmes_ : hommes_)
                      << "\"><b>";
            html_.ecritTexte(l.nom);
            if (colore) html_ << "</b></span>";
        }
        html_.ecritTexte(l.details);
        html_ << "<br>\n";
        if (!l.mariage.empty()) {
            html_ << "<span style=\"margin-left:" << (std::int64_t{l.largeurNumero} + 180) * 7 / 100
                  << "px;\"><b>x </b></span>";
            html_.ecritTexte(l.mariage);
            html_ << "<br>\n";
        }
    }
    void terminer() override {
        if (sections_ > 0) html_ << "</div>\n";
        if (!html_.ferme()) throw OperationImpossible(html_.messageEchec());
    }

private:
    SortieHtml html_;
    bool couleurs_;
    std::string hommes_;
    std::string femmes_;
    int sections_ = 0;
};

} // namespace

std::unique_ptr<DocumentListe> documentListeWeb(const std::string& chemin, const TitresListe& titres,
                                                const Graphique& graphique) {
    return std::make_unique<DocumentListeWeb>(chemin, titres, graphique.miseEnPage());
}

} // namespace veltrane
