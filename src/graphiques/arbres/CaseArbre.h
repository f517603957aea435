#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace veltrane {

// Une case d'un arbre : une personne, ses textes mesurés et sa place. Les largeurs et les
// compteurs sont sur 32 bits : rien d'enregistré n'en dépend, et une photo très large
// dépasserait 16 bits.
struct CaseArbre {
    static constexpr int HAUTEUR = 944;
    static constexpr int VOISINS_MAX = 6;

    std::int32_t x = 0;
    std::int32_t largeur = 0;
    std::int32_t largeurUnion = 0;
    std::string dateMariage, lieuMariage, dateDivorce, lieuDivorce;
    std::string prenoms, nom;
    std::string naissance, deces, profession, commentaire;
    std::string photo;
    std::int32_t largeurNom = 0, largeurNaissance = 0, largeurDeces = 0;
    std::int32_t largeurProfession = 0, largeurCommentaire = 0;
    std::int32_t largeurPhoto = 0, hauteurPhoto = 0;
    std::int32_t largeurDateMariage = 0, largeurLieuMariage = 0;
    std::int32_t largeurDateDivorce = 0, largeurLieuDivorce = 0;
    std::uint8_t sexe = ' ';
    std::array<std::uint8_t, 3> couleur{255, 255, 255};
    CaseArbre* enfant = nullptr;
    CaseArbre* pere = nullptr;
    CaseArbre* mere = nullptr;
    CaseArbre* precedent = nullptr;
    CaseArbre* suivant = nullptr;
    std::array<CaseArbre*, VOISINS_MAX> voisinsGauche{};
    std::int32_t y = 0;
    std::int32_t sommet = 0;
    bool coupe = false;
    std::uint8_t profondeur = 1;

    // Ce que la construction laisse avant la lecture des textes : positions dans les zones de
    // textes, numéros d'événements (divorce -1 : aucun), position des photos.
    std::int32_t numero = 0;
    std::uint8_t rangee = 0;
    std::int32_t refNom = 0, refPrenoms = 0, refNaissance = 0, refDeces = 0;
    std::int32_t refProfession = 0, refCommentaire = 0, refPhotos = 0;
    std::int32_t refMariage = 0, refDivorce = -1;
    // Année estimée, ou reprise de la case d'où elle pend (arbre chronologique).
    std::int32_t annee = 0;
    // Rang dans le parcours père d'abord et dernier rang de son sous-arbre : une case est dans
    // le sous-arbre de b quand b.ordre <= ordre <= b.finSousArbre.
    std::int32_t ordre = 0;
    std::int32_t finSousArbre = 0;

    std::int32_t centre() const { return x + largeur / 2; }
    bool dansSousArbre(const CaseArbre& racine) const {
        return ordre >= racine.ordre && ordre <= racine.finSousArbre;
    }
    // Une mère dont l'enfant a aussi un père.
    bool estEpouse() const { return enfant && enfant->mere == this && enfant->pere; }
    // Un père dont l'enfant a aussi une mère.
    bool estMari() const { return enfant && enfant->pere == this && enfant->mere; }
    int nombreVoisins() const {
        int n = 0;
        while (n < VOISINS_MAX && voisinsGauche[static_cast<std::size_t>(n)]) ++n;
        return n;
    }
    // Faux quand les six places sont prises ou que la case y est déjà.
    bool ajouteVoisin(CaseArbre* v) {
        for (CaseArbre*& place : voisinsGauche) {
            if (place == v) return false;
            if (!place) {
                place = v;
                return true;
            }
        }
        return false;
    }
};

// Rangée g d'un arbre : les cases de la génération g, de gauche à droite dans l'ordre de leur
// création, chaînées par precedent et suivant.
struct RangeeGeneration {
    CaseArbre* tete = nullptr;
    CaseArbre* queue = nullptr;
};

} // namespace veltrane
