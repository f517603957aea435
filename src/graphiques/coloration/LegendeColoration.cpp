#include "graphiques/coloration/Coloration.h"

#include "sortie/Dessin.h"
#include "sortie/SortieHtml.h"

#include <algorithm>
#include <cstdio>

namespace veltrane {

namespace {

constexpr std::int32_t LIGNE = 176;
constexpr std::int32_t PREMIERE_LIGNE = 217;
constexpr std::int32_t PAVE_GAUCHE = 135, PAVE_DROITE = 360, PAVE_HAUTEUR = 128;
constexpr std::int32_t LIBELLE_X = 405;
constexpr std::int32_t MARGE_LARGEUR = 540;
constexpr std::int32_t MARGE_HAUTEUR = 352;

} // namespace

std::pair<std::int32_t, std::int32_t>
Coloration::tailleLegende(const std::function<std::int32_t(std::string_view)>& mesure) const {
    if (!aUneLegende()) return {0, 0};
    const std::vector<EntreeLegende> entrees = legende();
    std::int32_t large = 0;
    for (const EntreeLegende& e : entrees) large = std::max(large, mesure(e.libelle));
    return {large + MARGE_LARGEUR,
            LIGNE * static_cast<std::int32_t>(entrees.size()) + MARGE_HAUTEUR};
}

void Coloration::dessineLegende(Dessin& dessin, std::int32_t haut) const {
    if (!aUneLegende()) return;
    StyleTrace& style = dessin.style();
    const StyleTrace sauve = style;
    const std::vector<EntreeLegende> entrees = legende();
    std::int32_t y = haut - PREMIERE_LIGNE;
    for (const EntreeLegende& e : entrees) {
        const Rvb c = couleurPlace(e.place);
        style.couleurRemplissage = couleurRvb(c[0], c[1], c[2]);
        dessin.rectangle(PAVE_GAUCHE, y, PAVE_DROITE, y + PAVE_HAUTEUR, 1);
        const std::int32_t w = dessin.largeurTexte(e.libelle);
        dessin.texte(LIBELLE_X, y, w, LIGNE, e.libelle);
        y -= LIGNE;
    }
    const auto [largeur, hauteur] =
        tailleLegende([&](std::string_view s) { return dessin.largeurTexte(s); });
    // Sans entrée, le cadre garde la hauteur réservée à la légende.
    const std::int32_t bas = entrees.empty() ? haut - 1 - hauteur : y;
    dessin.rectangle(0, bas, largeur, haut - 1, 0);
    style = sauve;
}

void Coloration::ecritLegende(SortieHtml& html, std::int32_t haut,
                              const std::function<std::int32_t(std::string_view)>& mesure) const {
    if (!aUneLegende()) return;
    const std::vector<EntreeLegende> entrees = legende();
    std::int32_t y = haut - PREMIERE_LIGNE;
    for (const EntreeLegende& e : entrees) {
        const Rvb c = couleurPlace(e.place);
        char couleur[8];
        std::snprintf(couleur, sizeof couleur, "%02X%02X%02X", c[0], c[1], c[2]);
        html << "<div style=\"position:absolute;left:" << html.pixelsX(PAVE_GAUCHE)
             << "px;top:" << html.pixelsY(y + PAVE_HAUTEUR)
             << "px;width:16px;height:11px;font-size:1px;background-color:#" << couleur
             << "\"></div>\n";
        html.texte(LIBELLE_X, y, e.libelle);
        y -= LIGNE;
    }
    const auto [largeur, hauteur] = tailleLegende(mesure);
    html.cadre(0, entrees.empty() ? haut - 1 - hauteur : y, largeur, haut - 1, true, true, true,
               true);
}

} // namespace veltrane
