#pragma once

#include "sortie/pdf/ObjetPdf.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace veltrane {

class ContenuPage;
struct DocumentPdf;
struct PoliceDocument;

// Nom PDF d'une face : les octets hors des caractères ordinaires d'un nom PDF s'écrivent #XX
// (l'espace donne #20), puis « -Italic » pour la variante italique.
std::string nomPolicePdf(const std::string& face, bool italique);

// Dictionnaire d'information : titre, programme, date de création.
class ObjetPdfInfo : public ObjetPdf {
public:
    ObjetPdfInfo(int32_t numero, std::string titre);
    void ecrit(SortiePdf& sortie) override;

private:
    std::string titre_;
};

class ObjetPdfDescripteurPolice : public ObjetPdf {
public:
    // Le flux de la face, s'il y en a un, n'est connu qu'à la fin du document.
    ObjetPdfDescripteurPolice(int32_t numero, const PoliceDocument* police, std::string nom);
    void ecrit(SortiePdf& sortie) override;

private:
    const PoliceDocument* police_;
    std::string nom_;
};

// Tableau des largeurs, en nombres en 1/16, seize par ligne.
class ObjetPdfTableauInt16 : public ObjetPdf {
public:
    ObjetPdfTableauInt16(int32_t numero, const int16_t* premier, int nombre);
    void ecrit(SortiePdf& sortie) override;

private:
    const int16_t* premier_;
    int nombre_;
};

// Dictionnaire d'une police TrueType en codage Windows ; son nom porte l'étiquette du
// sous-ensemble quand la face est incorporée.
class ObjetPdfPolice : public ObjetPdf {
public:
    ObjetPdfPolice(int32_t numero, const PoliceDocument* police, std::string nom,
                   int32_t numeroDescripteur, int32_t numeroLargeurs);
    void ecrit(SortiePdf& sortie) override;

private:
    const PoliceDocument* police_;
    std::string nom_;
    int32_t numeroDescripteur_;
    int32_t numeroLargeurs_;
};

// Jeu de procédures [ /PDF /Text ].
class ObjetPdfFormat : public ObjetPdf {
public:
    using ObjetPdf::ObjetPdf;
    void ecrit(SortiePdf& sortie) override;
};

// Racine de l'arbre des pages : les cases non vides de la grille, colonne par colonne.
class ObjetPdfListePages : public ObjetPdf {
public:
    ObjetPdfListePages(int32_t numero, const std::vector<std::unique_ptr<ContenuPage>>* pages);
    void ecrit(SortiePdf& sortie) override;

private:
    const std::vector<std::unique_ptr<ContenuPage>>* pages_;
};

// Catalogue.
class ObjetPdfDocument : public ObjetPdf {
public:
    ObjetPdfDocument(int32_t numero, const DocumentPdf& document);
    void ecrit(SortiePdf& sortie) override;

private:
    const DocumentPdf& document_;
};

// Dictionnaire d'une page et de ses ressources.
class ObjetPdfPage : public ObjetPdf {
public:
    ObjetPdfPage(int32_t numero, const DocumentPdf& document, const ContenuPage* contenu,
                 int32_t numeroStream);
    void ecrit(SortiePdf& sortie) override;

private:
    const DocumentPdf& document_;
    const ContenuPage* contenu_;
    int32_t numeroStream_;
};

// Fonction échantillonnée d'un dégradé : deux couleurs.
class ObjetPdfFctDegrade : public ObjetPdf {
public:
    ObjetPdfFctDegrade(int32_t numero, const std::array<uint8_t, 6>& couleurs);
    void ecrit(SortiePdf& sortie) override;

private:
    std::array<uint8_t, 6> couleurs_;
};

// Dégradé axial (2) ou radial (3) dans le carré unité.
class ObjetPdfDegrade : public ObjetPdf {
public:
    ObjetPdfDegrade(int32_t numero, uint8_t type, std::string coordonnees, int32_t numeroFonction);
    void ecrit(SortiePdf& sortie) override;

private:
    uint8_t type_;
    std::string coordonnees_;
    int32_t numeroFonction_;
};

} // namespace veltrane
