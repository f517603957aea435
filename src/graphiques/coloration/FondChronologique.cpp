#include "graphiques/coloration/FondChronologique.h"

#include "plateforme/Interaction.h"
#include "sortie/Dessin.h"
#include "sortie/SortieHtml.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>

namespace veltrane {

namespace {

constexpr std::int32_t LIGNE = 176;
constexpr std::int32_t DECALAGE_PDF = 20;
constexpr std::size_t TAILLE_FICHIER_MAX = 1 << 20;

// Une ligne, sans son saut de ligne ; avance pos au début de la suivante.
std::string_view ligneSuivante(std::string_view texte, std::size_t& pos) {
    const std::size_t fin = std::min(texte.find('\n', pos), texte.size());
    std::string_view l = texte.substr(pos, fin - pos);
    pos = fin < texte.size() ? fin + 1 : texte.size();
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    return l;
}

// Un entier signé de 16 bits en tête de texte, espaces d'abord permises.
std::optional<std::int16_t> entier(std::string_view& texte) {
    while (!texte.empty() && (texte.front() == ' ')) texte.remove_prefix(1);
    std::int16_t v = 0;
    const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), v);
    if (erreur != std::errc()) return std::nullopt;
    texte.remove_prefix(static_cast<std::size_t>(fin - texte.data()));
    return v;
}

std::optional<PeriodeHistorique> periode(std::string_view ligne) {
    std::array<std::int16_t, 5> v{};
    for (std::int16_t& x : v) {
        const auto lu = entier(ligne);
        if (!lu || ligne.empty() || ligne.front() != '\t') return std::nullopt;
        x = *lu;
        ligne.remove_prefix(1);
    }
    for (int i = 2; i < 5; ++i)
        if (v[static_cast<std::size_t>(i)] < 0 || v[static_cast<std::size_t>(i)] > 255)
            return std::nullopt;
    if (v[0] < v[1]) return std::nullopt;
    PeriodeHistorique p;
    p.fin = v[0];
    p.debut = v[1];
    p.couleur = {static_cast<std::uint8_t>(v[2]), static_cast<std::uint8_t>(v[3]),
                 static_cast<std::uint8_t>(v[4])};
    p.libelle = std::string(ligne.substr(0, LIBELLE_PERIODE_MAX));
    return p;
}

} // namespace

std::optional<std::vector<PeriodeHistorique>> lirePeriodes(std::string_view contenu) {
    std::size_t pos = 0;
    std::string_view premiere = ligneSuivante(contenu, pos);
    if (premiere.empty() || premiere.front() != '#') return std::nullopt;
    premiere.remove_prefix(1);
    const auto n = entier(premiere);
    if (!n || *n < 0) return std::nullopt;
    for (int i = 0; i < *n && pos < contenu.size(); ++i) ligneSuivante(contenu, pos);
    std::vector<PeriodeHistorique> periodes;
    while (pos < contenu.size()) {
        const std::string_view l = ligneSuivante(contenu, pos);
        if (auto p = periode(l)) periodes.push_back(std::move(*p));
    }
    return periodes;
}

std::vector<PeriodeHistorique> FondChronologique::charge(const std::string& chemin,
                                                         Interaction& interaction) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return {};
    std::string contenu(TAILLE_FICHIER_MAX, '\0');
    f.read(contenu.data(), static_cast<std::streamsize>(contenu.size()));
    contenu.resize(static_cast<std::size_t>(f.gcount()));
    auto periodes = lirePeriodes(contenu);
    if (!periodes) {
        char message[512];
        std::snprintf(message, sizeof message, MESSAGE_FOND_INCORRECT, chemin.c_str());
        interaction.message(message, Icone::Information);
        return {};
    }
    return std::move(*periodes);
}

std::int32_t FondChronologique::retient(const std::vector<PeriodeHistorique>& periodes,
                                        std::int32_t anneeBas, std::int32_t anneeHaut,
                                        const std::function<std::int32_t(std::string_view)>& mesure) {
    bandes_.clear();
    // L'année a occupe de Y(a) à Y(a - 1) : une période d'une seule année a une hauteur.
    const auto y = [&](std::int32_t annee) { return (anneeBas - annee) * UNITES_PAR_AN; };
    std::int32_t large = 0;
    for (const PeriodeHistorique& p : periodes) {
        if (p.debut > anneeBas) continue;
        const std::int32_t fin = std::min<std::int32_t>(p.fin, anneeBas);
        const bool derniere = p.debut < anneeHaut;
        const std::int32_t debut = std::max<std::int32_t>(p.debut, anneeHaut);
        bandes_.push_back({y(debut - 1), y(fin), p.couleur, p.libelle});
        large = std::max(large, mesure(p.libelle));
        if (derniere) break;
    }
    colonne_ = bandes_.empty() ? 0 : large + LIBELLE_X;
    return colonne_;
}

void FondChronologique::dessine(Dessin& dessin, std::int32_t largeur) const {
    StyleTrace& style = dessin.style();
    const StyleTrace sauve = style;
    std::int32_t decalage = 0;
    for (std::size_t i = 0; i < bandes_.size(); ++i) {
        const BandeChronologique& b = bandes_[i];
        // Des bandes qui finissent à la même hauteur se décalent pour rester visibles.
        decalage = i > 0 && bandes_[i - 1].bas == b.bas ? decalage + DECALAGE_PDF : 0;
        style.couleurRemplissage = couleurRvb(b.couleur[0], b.couleur[1], b.couleur[2]);
        dessin.rectangle(0, std::max(0, b.bas - decalage), largeur - 1,
                         std::max(0, b.haut - decalage), 1);
    }
    style.couleurTexte = couleurRvb(0, 0, 0);
    for (const BandeChronologique& b : bandes_) {
        const std::int32_t y = (b.haut + b.bas - LIGNE) / 2 + 3;
        if (y >= -2) dessin.texte(LIBELLE_X, y, dessin.largeurTexte(b.libelle), LIGNE, b.libelle);
    }
    style = sauve;
}

void FondChronologique::ecritWeb(SortieHtml& html, std::int32_t largeur) const {
    const std::int64_t gauche = html.pixelsX(0);
    const std::int64_t large = html.pixelsX(largeur) - gauche;
    std::int64_t hausse = 0;
    for (std::size_t i = 0; i < bandes_.size(); ++i) {
        const BandeChronologique& b = bandes_[i];
        const std::int64_t haut = html.pixelsY(b.haut);
        hausse = i > 0 && html.pixelsY(bandes_[i - 1].haut) == haut ? hausse + 1 : 0;
        char couleur[8];
        std::snprintf(couleur, sizeof couleur, "%02X%02X%02X", b.couleur[0], b.couleur[1],
                      b.couleur[2]);
        html << "<div style=" << '"' << "position:absolute;left:" << gauche << "px;top:"
             << haut - hausse << "px;width:" << large
             << "px;height:" << SortieHtml::hauteurPixels(std::int64_t{b.haut} - b.bas)
             << "px;background-color:#" << couleur << '"' << "></div>\n";
    }
    for (const BandeChronologique& b : bandes_)
        html.texte(LIBELLE_X, (b.haut + b.bas - LIGNE) / 2 + 3, b.libelle);
}

} // namespace veltrane
