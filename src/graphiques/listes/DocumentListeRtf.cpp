#include "graphiques/listes/DocumentListe.h"

#include "application/ContexteProgramme.h"
#include "graphiques/Graphique.h"
#include "plateforme/OperationImpossible.h"
#include "sortie/SortieRtf.h"

namespace veltrane {

namespace {

class DocumentListeRtf : public DocumentListe {
public:
    DocumentListeRtf(const std::string& chemin, const Graphique& graphique)
        : rtf_(graphique.miseEnPage(), graphique.contexte().interaction),
          couleurs_(graphique.miseEnPage().couleurSelonSexe != 0) {
        rtf_.ouvre(chemin, 220, 220, 220);
    }

    void titreSection(std::string_view titre) override {
        if (sections_++ > 0) rtf_ << '}';
        rtf_ << "\\b1    ";
        rtf_.ecritTexte(titre);
        rtf_ << "\\b0 {\\fs1\\brdrb\\brdrw" << 28 << "\\brdrth\\brdrcf" << 3
             << "\\par}\n{\\li800\\fi-700 ";
    }
    void ligne(const LigneListe& l) override {
        rtf_ << "\\b1 ";
        rtf_.ecritTexte(l.numero);
        if (!l.nom.empty()) {
            const bool colore = couleurs_ && l.sexe != ' ';
            if (colore) rtf_ << (l.sexe == 'F' ? "\\cf2 " : "\\cf1 ");
            rtf_.ecritTexte(l.nom);
            if (colore) rtf_ << "\\cf0 ";
        }
        rtf_ << "\\b0 ";
        rtf_.ecritTexte(l.details);
        rtf_ << "\\par\n";
        if (!l.mariage.empty()) {
            // La tabulation mène au retrait du paragraphe, sous les noms.
            rtf_ << "\\tab\\b1 x \\b0 ";
            rtf_.ecritTexte(l.mariage);
            rtf_ << "\\par\n";
        }
    }
    // Le RTF n'a pas de traits : la forme texte de la ligne, en un paragraphe.
    void ligneLibre(const LigneLibre& l) override {
        rtf_.ecritTexte(l.texte);
        rtf_ << "\\par\n";
    }
    void terminer() override {
        if (sections_ > 0) rtf_ << '}';
        if (!rtf_.ferme()) throw OperationImpossible(rtf_.messageEchec());
    }

private:
    SortieRtf rtf_;
    bool couleurs_;
    int sections_ = 0;
};

} // namespace

std::unique_ptr<DocumentListe> documentListeRtf(const std::string& chemin,
                                                const Graphique& graphique) {
    return std::make_unique<DocumentListeRtf>(chemin, graphique);
}

} // namespace veltrane
