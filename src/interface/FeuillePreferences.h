#pragma once

#include "application/Configuration.h"

#include <QColor>
#include <QDialog>
#include <QString>

#include <set>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTabWidget;

namespace veltrane {

struct ContexteProgramme;
class PagePreferences;

// Une couleur des préférences : sa pastille et le bouton « Modifier... » qui ouvre le sélecteur.
class BoutonCouleur : public QWidget {
    Q_OBJECT
public:
    BoutonCouleur(const QString& nom, Couleur couleur, QWidget* parent = nullptr);
    Couleur couleur() const;
    void definitCouleur(Couleur couleur);

private:
    void choisit();

    QColor couleur_;
    QLabel* pastille_;
    QPushButton* bouton_;
};

// Titres des six pages, dans l'ordre.
inline constexpr const char16_t* PagesPreferences[] = {
    u"Général", u"Mise en page", u"Styles", u"Données à afficher", u"Afficheurs", u"Signature"};

inline constexpr const char* MESSAGE_CHEMIN_TROP_LONG =
    "Le chemin %s est trop long : 255 octets au plus.";

// La feuille « Préférences ». Chaque page vérifie ses champs à la validation ; une page qui
// refuse est montrée et la feuille reste ouverte. Validée, elle écrit Config.dxr.
class FeuillePreferences : public QDialog {
    Q_OBJECT
public:
    // page : titre de la page montrée à l'ouverture (vide : la première).
    FeuillePreferences(ContexteProgramme& contexte, const QString& page = {},
                       QWidget* parent = nullptr);
    ~FeuillePreferences() override;

    // Vérifie et range toutes les pages ; faux quand une page refuse.
    bool valide();
    void accept() override;

    QTabWidget* onglets() const { return onglets_; }

    // Version rangée quand l'utilisateur ne veut plus être prévenu ; par défaut celle du
    // programme, tant que la recherche des nouvelles versions n'en a pas annoncé d'autre.
    void definitDerniereVersionAnnoncee(const std::string& version);

private:
    ContexteProgramme& contexte_;
    QTabWidget* onglets_;
    std::vector<PagePreferences*> pages_;
    std::set<int> pagesVues_;
};

} // namespace veltrane
