#include "graphiques/listes/DocumentListe.h"

#include "sortie/SortieTexte.h"

namespace veltrane {

namespace {

constexpr const char* TIRETS = "------------------------------";

class DocumentListeTexte : public DocumentListe {
public:
    explicit DocumentListeTexte(const std::string& chemin) { sortie_.ouvre(chemin); }

    void titreSection(std::string_view titre) override {
        if (sections_++ > 0) sortie_ << "\n\n";
        sortie_ << TIRETS << ' ' << titre << ' ' << TIRETS << '\n';
    }
    void ligne(const LigneListe& l) override {
        sortie_ << l.numero << l.nom << l.details << '\n';
        if (!l.mariage.empty())
            sortie_ << std::string(l.numero.size() + 4, ' ') << "x " << l.mariage << '\n';
    }
    void ligneLibre(const LigneLibre& l) override { sortie_ << l.texte << '\n'; }
    void terminer() override { sortie_.ferme(); }

private:
    SortieTexte sortie_;
    int sections_ = 0;
};

} // namespace

std::unique_ptr<DocumentListe> documentListeTexte(const std::string& chemin) {
    return std::make_unique<DocumentListeTexte>(chemin);
}

} // namespace veltrane
