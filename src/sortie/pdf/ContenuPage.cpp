#include "sortie/pdf/ContenuPage.h"

#include <algorithm>
#include <cstdio>

namespace veltrane {

namespace {

// « %f » de c / 255 pour chaque composante : calculé une fois, les couleurs changent souvent.
struct TableComposantes {
    std::array<std::array<char, 12>, 256> textes{};
    std::array<uint8_t, 256> longueurs{};
    TableComposantes() {
        for (int c = 0; c < 256; ++c) {
            int n = std::snprintf(textes[c].data(), textes[c].size(), "%f", c / 255.0);
            longueurs[c] = static_cast<uint8_t>(n);
        }
    }
    std::string_view operator[](uint8_t c) const { return {textes[c].data(), longueurs[c]}; }
};

const TableComposantes& composantes() {
    static const TableComposantes table;
    return table;
}

constexpr std::string_view Pointilles[3] = {"[] 0 d ", "[3] 0 d ", "[1 7] 0 d "};

} // namespace

ContenuPage::ContenuPage(int32_t numeroPage, StyleTrace& style, CouleurRvb couleurTraits,
                         CouleurRvb couleurTexte, std::vector<ContenuPage*>& pagesTransformees)
    : numeroPage_(numeroPage), style_(style), pagesTransformees_(pagesTransformees),
      couleurTrait_(couleurTraits), couleurRemplissage_(couleurTexte) {}

void ContenuPage::nouveauMorceau() {
    // Un octet de réserve par morceau, comme un tampon de texte C.
    morceaux_.push_back(std::make_unique<char[]>(TailleMorceau + 1));
    rempli_ = 0;
}

std::string ContenuPage::texte() const {
    std::string resultat;
    resultat.reserve(longueur_);
    for (std::size_t i = 0; i < morceaux_.size(); ++i)
        resultat += morceau(i);
    return resultat;
}

void ContenuPage::ajouteCouleur(CouleurRvb rvb) {
    const TableComposantes& table = composantes();
    ajoute(table[rouge(rvb)]);
    ajoute(' ');
    ajoute(table[vert(rvb)]);
    ajoute(' ');
    ajoute(table[bleu(rvb)]);
}

void ContenuPage::fermeEnCours() {
    if (enCours_ == EnCours::Chemin)
        ajoute("S\n");
    else if (enCours_ == EnCours::Texte)
        ajoute("ET\n");
    enCours_ = EnCours::Rien;
}

void ContenuPage::couleurRemplissage(CouleurRvb rvb) {
    if (rvb == couleurRemplissage_) return;
    fermeEnCours();
    ajouteCouleur(rvb);
    ajoute(" rg ");
    couleurRemplissage_ = rvb;
}

void ContenuPage::styleTrait() {
    bool premier = true;
    // Le chemin ouvert est tracé avec les anciens attributs ; il reste « en cours ».
    auto avantPremier = [&] {
        if (premier && enCours_ == EnCours::Chemin) ajoute("S\n");
        premier = false;
    };
    if (style_.couleurTraits != couleurTrait_) {
        avantPremier();
        ajouteCouleur(style_.couleurTraits);
        ajoute(" RG ");
        couleurTrait_ = style_.couleurTraits;
    }
    if (style_.epaisseurTrait != epaisseur_) {
        avantPremier();
        char texte[32];
        int n = std::snprintf(texte, sizeof texte, "%.1f w ",
                              static_cast<double>(style_.epaisseurTrait));
        ajoute(std::string_view(texte, static_cast<std::size_t>(n)));
        epaisseur_ = style_.epaisseurTrait;
    }
    if (style_.pointilles != pointilles_) {
        avantPremier();
        ajoute(Pointilles[style_.pointilles < 3 ? style_.pointilles : 0]);
        pointilles_ = style_.pointilles;
    }
}

void ContenuPage::police() {
    if (style_.italique == italique_ && style_.taillePolice == taillePolice_) return;
    fermeEnCours();
    ajoute("BT ");
    enCours_ = EnCours::Texte;
    texteX_ = texteY_ = 0;
    ajoute(style_.italique ? "/F2 " : "/F1 ");
    ajouteEntier(style_.taillePolice);
    ajoute(" Tf \n");
    italique_ = style_.italique;
    taillePolice_ = style_.taillePolice;
}

void ContenuPage::ouvreTexte() {
    if (enCours_ == EnCours::Texte) return;
    ajoute(enCours_ == EnCours::Chemin ? "S\nBT " : "BT ");
    enCours_ = EnCours::Texte;
    texteX_ = texteY_ = 0;
}

void ContenuPage::ouvreChemin() {
    if (enCours_ == EnCours::Texte) {
        ajoute("ET\n");
        enCours_ = EnCours::Rien;
    }
    styleTrait();
    enCours_ = EnCours::Chemin;
}

void ContenuPage::appliqueTransformations() {
    int profondeur = std::clamp(style_.profondeur, 0, StyleTrace::PROFONDEUR_MAX);
    if (profondeur <= transformationsAppliquees_) return;
    if (transformationsAppliquees_ == 0) pagesTransformees_.push_back(this);
    fermeEnCours();
    for (int niveau = transformationsAppliquees_; niveau < profondeur; ++niveau) {
        const Transformation& t = style_.transformations[static_cast<std::size_t>(niveau)];
        char texte[256];
        int n =
            std::snprintf(texte, sizeof texte, "q %f %f %f %f %f %f cm ", double(t.a), double(t.b),
                          double(t.c), double(t.d), double(t.e / 16), double(t.f / 16));
        ajoute(std::string_view(texte, static_cast<std::size_t>(std::clamp(n, 0, 255))));
        etatsSauves_[static_cast<std::size_t>(niveau)] = {
            couleurTrait_, couleurRemplissage_, epaisseur_, pointilles_, italique_, taillePolice_};
        ++transformationsAppliquees_;
    }
}

void ContenuPage::retireNiveau() {
    if (transformationsAppliquees_ == 0) return;
    fermeEnCours();
    ajoute("Q ");
    --transformationsAppliquees_;
    // « Q » rend au lecteur l'état d'avant le « q » : la page doit le savoir pour réécrire
    // couleur, trait ou police au besoin.
    const EtatGraphique& etat = etatsSauves_[transformationsAppliquees_];
    couleurTrait_ = etat.couleurTrait;
    couleurRemplissage_ = etat.couleurRemplissage;
    epaisseur_ = etat.epaisseur;
    pointilles_ = etat.pointilles;
    italique_ = etat.italique;
    taillePolice_ = etat.taillePolice;
}

bool ContenuPage::utiliseDegrade(int32_t numero) {
    for (int32_t& place : degrades_) {
        if (place == numero) return true;
        if (place == 0) {
            place = numero;
            return true;
        }
    }
    return false;
}

} // namespace veltrane
