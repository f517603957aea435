#include "interface/ModeleIndex.h"

#include "base/BaseGenealogique.h"
#include "base/RegleNoms.h"
#include "interface/TexteQt.h"

namespace veltrane {

namespace {

// Un texte lu s'arrête à 70 caractères, comme dans les champs.
constexpr std::int32_t LONGUEUR_LECTURE = 71;

} // namespace

ModeleIndex::ModeleIndex(const BaseGenealogique& base, Champ champ, QObject* parent)
    : QAbstractListModel(parent), base_(base), champ_(champ) {}

template <class Remplir> void ModeleIndex::remplacer(Remplir&& remplir) {
    beginResetModel();
    textes_.clear();
    remplir();
    endResetModel();
}

void ModeleIndex::remplirNoms(const IndexPersonnes& index, bool tetesSeulement) {
    remplacer([&] {
        index_ = &index;
        plages_.remplirNoms(index, tetesSeulement ? &base_ : nullptr);
    });
}

void ModeleIndex::remplirPrenoms(const IndexPersonnes& index, PlageIndex plage) {
    remplacer([&] {
        index_ = &index;
        plages_.remplirPrenoms(index, plage);
    });
}

void ModeleIndex::vider() {
    remplacer([&] { plages_.vider(); });
}

int ModeleIndex::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(plages_.nombre());
}

std::string ModeleIndex::texte(int ligne) const {
    if (!index_ || ligne < 0 || static_cast<std::size_t>(ligne) >= plages_.nombre()) return {};
    const EntreeIndex& e = index_->entree(plages_.debut(static_cast<std::size_t>(ligne)));
    std::string t;
    if (champ_ == Champ::Nom) {
        t = base_.lireTexte(Zone::Noms, e.nom, LONGUEUR_LECTURE);
        if (base_.gestionMajuscules()) appliquerRegleNom(t);
    } else {
        t = base_.lireTexte(Zone::Prenoms, base_.lireIndividu(e.personne).prenoms,
                            LONGUEUR_LECTURE);
        if (base_.gestionMajuscules()) appliquerReglePrenoms(t);
    }
    return t;
}

QVariant ModeleIndex::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const int ligne = index.row();
    auto trouve = textes_.constFind(ligne);
    if (trouve != textes_.constEnd()) return *trouve;
    // Seules les lignes montrées sont lues : la mémoire reste à la mesure de la vue.
    if (textes_.size() > 4096) textes_.clear();
    const QString t = depuisWindows1252(texte(ligne));
    textes_.insert(ligne, t);
    return t;
}

int ModeleIndex::ligneDe(std::size_t position) const {
    if (plages_.nombre() == 0) return -1;
    return static_cast<int>(plages_.ligneDe(position));
}

} // namespace veltrane
