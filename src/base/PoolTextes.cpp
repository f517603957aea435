#include "base/PoolTextes.h"

#include "base/ArretFatal.h"

#include <functional>

namespace veltrane {

namespace {

std::uint64_t empreinteDe(std::string_view texte) {
    return static_cast<std::uint64_t>(std::hash<std::string_view>{}(texte));
}

} // namespace

PoolTextes::PoolTextes(std::int64_t longueurMaximale)
    : longueurMaximale_(longueurMaximale), table_(1024) {}

std::int32_t PoolTextes::stocker(std::string_view entree) {
    if (entree.empty()) return 0;
    const std::uint64_t empreinte = empreinteDe(entree);
    const std::size_t masque = table_.size() - 1;
    std::size_t i = static_cast<std::size_t>(empreinte) & masque;
    while (table_[i].position != 0) {
        const Case& c = table_[i];
        if (c.empreinte == empreinte && c.longueur == entree.size() &&
            std::string_view(contenu_).substr(c.position - 1, c.longueur) == entree)
            return static_cast<std::int32_t>(c.position);
        i = (i + 1) & masque;
    }

    // La position doit rester un i32 positif, saut de ligne compris.
    const std::int64_t nouvelleLongueur = longueur() + static_cast<std::int64_t>(entree.size()) + 1;
    if (nouvelleLongueur > longueurMaximale_) arretFatal(MESSAGE_ERREUR_ECRITURE);

    const auto position = static_cast<std::uint32_t>(contenu_.size() + 1);
    contenu_.append(entree);
    contenu_.push_back('\n');
    table_[i] = Case{position, static_cast<std::uint32_t>(entree.size()), empreinte};
    ++nombreEntrees_;
    if (nombreEntrees_ * 2 > table_.size()) agrandirTable();
    return static_cast<std::int32_t>(position);
}

void PoolTextes::agrandirTable() {
    std::vector<Case> ancienne(table_.size() * 2);
    ancienne.swap(table_);
    const std::size_t masque = table_.size() - 1;
    for (const Case& c : ancienne) {
        if (c.position == 0) continue;
        std::size_t i = static_cast<std::size_t>(c.empreinte) & masque;
        while (table_[i].position != 0)
            i = (i + 1) & masque;
        table_[i] = c;
    }
}

void PoolTextes::liberer() {
    std::string().swap(contenu_);
    std::vector<Case>(1024).swap(table_);
    nombreEntrees_ = 0;
}

} // namespace veltrane
