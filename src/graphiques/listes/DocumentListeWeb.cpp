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
        if (!l.nom.empty()) ecritNom(l.nom, l.sexe, false);
        html_.ecritTexte(l.details);
        html_ << "<br>\n";
        if (!l.mariage.empty()) {
            html_ << "<span style=\"margin-left:" << (std::int64_t{l.largeurNumero} + 180) * 7 / 100
                  << "px;\"><b>x </b></span>";
            html_.ecritTexte(l.mariage);
            html_ << "<br>\n";
        }
    }
    void ligneLibre(const LigneLibre& l) override;
    void terminer() override {
        if (sections_ > 0) html_ << "</div>\n";
        if (!html_.ferme()) throw OperationImpossible(html_.messageEchec());
    }

private:
    // Le nom dans la couleur du sexe quand la préférence le veut, en gras.
    void ecritNom(std::string_view nom, char sexe, bool gras) {
        const bool colore = couleurs_ && sexe != ' ';
        if (colore)
            html_ << "<span style=\"color:#" << (sexe == 'F' ? femmes_ : hommes_) << "\">";
        if (colore || gras) html_ << "<b>";
        html_.ecritTexte(nom);
        if (colore || gras) html_ << "</b>";
        if (colore) html_ << "</span>";
    }

    SortieHtml html_;
    bool couleurs_;
    std::string hommes_;
    std::string femmes_;
    int sections_ = 0;
};

void DocumentListeWeb::ligneLibre(const LigneLibre& l) {
    // Le retrait du premier morceau par la marge d'un bloc qui tient la ligne ; les morceaux
    // séparés d'un blanc sur la page le sont d'une espace.
    const bool marge = !l.morceaux.empty() && l.morceaux.front().x > 0;
    if (marge)
        html_ << "<span style=\"margin-left:" << std::int64_t{l.morceaux.front().x} * 7 / 100
              << "px;\">";
    const MorceauLigne* precedent = nullptr;
    for (const MorceauLigne& m : l.morceaux) {
        if (precedent && m.x > precedent->x + precedent->largeur) html_ << ' ';
        precedent = &m;
        if (!m.ancre.empty()) html_ << "<a name=\"" << m.ancre << "\">&nbsp;</a>";
        if (!m.lien.empty()) html_ << "<a href=\"#" << m.lien << "\">";
        ecritNom(m.texte, m.nom ? l.sexe : ' ', m.gras);
        if (!m.lien.empty()) html_ << "</a>";
    }
    if (marge) html_ << "</span>";
    html_ << "<br>\n";
}

} // namespace

std::unique_ptr<DocumentListe> documentListeWeb(const std::string& chemin, const TitresListe& titres,
                                                const Graphique& graphique) {
    return std::make_unique<DocumentListeWeb>(chemin, titres, graphique.miseEnPage());
}

} // namespace veltrane
