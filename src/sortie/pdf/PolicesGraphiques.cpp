#include "sortie/pdf/PolicesGraphiques.h"

#include <cstdio>
#include <strings.h>
#include <utility>
#include <vector>

namespace veltrane {

namespace {

constexpr const char* FACE_DE_SECOURS = "Arial";

std::string formate(const char* modele, const std::string& face) {
    int n = std::snprintf(nullptr, 0, modele, face.c_str());
    if (n <= 0) return {};
    std::vector<char> tampon(static_cast<size_t>(n) + 1);
    std::snprintf(tampon.data(), tampon.size(), modele, face.c_str());
    return std::string(tampon.data(), static_cast<size_t>(n));
}

} // namespace

PolicesGraphiques::PolicesGraphiques(Chargeur chargeur) : chargeur_(std::move(chargeur)) {}

bool PolicesGraphiques::chargeVariante(MetriquesPolice& m, const std::string& face, bool italique,
                                       Interaction& interaction) {
    m = MetriquesPolice{};
    ResultatPolice r = chargeur_(m, face, italique);
    if (r == ResultatPolice::Refusee)
        interaction.message(formate("La police de caractères %s n'est pas définie correctement."
                                    "\nChoisissez-en une autre.",
                                    face),
                            Icone::Erreur);
    if (r != ResultatPolice::Utilisable || !m.valide) {
        m = MetriquesPolice{};
        return false;
    }
    return true;
}

bool PolicesGraphiques::charger(std::string& face, Interaction& interaction) {
    italique_ = MetriquesPolice{};
    if (!chargeVariante(reguliere_, face, false, interaction)) {
        // Recharger "Arial" quand c'est elle qui manque ne ferait que répéter l'échec.
        bool secours = ::strcasecmp(face.c_str(), FACE_DE_SECOURS) != 0 &&
                       chargeVariante(reguliere_, FACE_DE_SECOURS, false, interaction);
        if (!secours) {
            interaction.message(
                formate("La police de caractères \"%s\" n'existe pas ou n'est pas utilisable "
                        "pour les graphiques.\nChoisissez-en une autre.",
                        face),
                Icone::Erreur);
            face_ = face;
            return false;
        }
        interaction.message(formate("La police de caractères \"%s\" n'existe pas ou n'est pas "
                                    "utilisable pour les graphiques.\nVeltrane utilisera la "
                                    "police \"Arial\".",
                                    face),
                            Icone::Avertissement);
        face = FACE_DE_SECOURS;
    }
    face_ = face;
    // Sans italique propre, /F2 reprend la face normale telle quelle.
    if (!chargeVariante(italique_, face, true, interaction)) italique_ = reguliere_;
    return true;
}

int32_t PolicesGraphiques::largeur(const MetriquesPolice& m, std::string_view texte) {
    int64_t somme = 0;
    for (unsigned char c : texte)
        somme += m.largeurs[c];
    return static_cast<int32_t>(somme / 100);
}

} // namespace veltrane
