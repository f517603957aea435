#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Les clés de référence des personnes, dans l'ordre de leurs numéros : octet (index du
// fichier + 1) puis la référence sans son '@' initial. La numérotation suit l'ordre des clés,
// si bien qu'une référence se retrouve par dichotomie, sans table de plus.
class ReferencesPersonnes {
public:
    void ajouter(std::string_view cle) {
        octets_.append(cle);
        debuts_.push_back(static_cast<std::uint32_t>(octets_.size()));
    }
    std::int32_t nombre() const { return static_cast<std::int32_t>(debuts_.size()) - 1; }
    // Clé de la personne n (1 à nombre()) ; vide hors de ces bornes.
    std::string_view cle(std::int32_t n) const;
    // Référence affichée « @I12@ » ; vide hors des bornes.
    std::string reference(std::int32_t n) const;
    std::int32_t fichier(std::int32_t n) const;
    // Numéro de la personne de cette référence (« @I12@ » ou « I12@ ») dans ce fichier ;
    // 0 quand aucune ne la porte.
    std::int32_t chercher(std::string_view reference, int fichier = 0) const;

private:
    std::string octets_;
    std::vector<std::uint32_t> debuts_{0};
};

} // namespace veltrane
