#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QListView;
class QPushButton;

namespace veltrane {

struct ContexteProgramme;
class ChampNom;
class DernieresPersonnes;
class GenealogieOuverte;
class IndexPersonnes;
class ModeleIndex;

inline constexpr const char* QUESTION_MOI_INDEFINI =
    "L'individu associé au bouton \"Moi\" n'est pas encore défini pour ce fichier Gedcom.\n"
    "Voulez-vous le définir maintenant ?";

// Le choix d'une personne par son nom et ses prénoms (« DIALOG_DEMPERS »), avec la case
// « Sommet de branche » pour les graphiques descendants (« DIALOG_DEMPERS_DESC »). Les listes
// sont des modèles sur les index : un million de personnes s'ouvrent sans attente.
class DialoguePersonne : public QDialog {
    Q_OBJECT

public:
    // depuisOptions : ouvert par « Options du fichier ouvert », où « Moi » n'a pas de sens
    // tant qu'il n'est pas défini. La généalogie du contexte doit être ouverte.
    DialoguePersonne(ContexteProgramme& contexte, DernieresPersonnes& derniers,
                     const QString& titre, bool descendant, bool depuisOptions = false,
                     QWidget* parent = nullptr);
    ~DialoguePersonne() override;

    // Remplit les deux champs ; personne > 0 en fait la personne choisie.
    void definirSelection(const std::string& nom, const std::string& prenoms,
                          std::int32_t personne);

    std::string nom() const;
    std::string prenoms() const;
    bool phonetique() const { return phonetique_; }
    bool sommetDeBranche() const { return sommet_; }
    // Personne choisie directement (« Derniers », « Moi », personne initiale) ; -1 sinon.
    std::int32_t personneChoisie() const { return choisie_; }
    // Personnes de la clé tapée, dans l'ordre de l'index, au plus 50 (têtes de lignée seules
    // avec « Sommet de branche »).
    std::vector<std::int32_t> personnesCorrespondantes() const;

    void accept() override;

    ChampNom* champNom() const { return nom_; }
    ChampNom* champPrenoms() const { return prenoms_; }
    QListView* listeNoms() const { return listeNoms_; }
    QListView* listePrenoms() const { return listePrenoms_; }
    QCheckBox* casePhonetique() const { return casePhonetique_; }
    QCheckBox* caseSommet() const { return caseSommet_; }
    QPushButton* boutonDerniers() const { return derniers_; }
    QPushButton* boutonMoi() const { return moi_; }
    QPushButton* boutonOk() const { return ok_; }
    const ModeleIndex& modeleNoms() const { return *modeleNoms_; }
    const ModeleIndex& modelePrenoms() const { return *modelePrenoms_; }

private:
    const IndexPersonnes& indexEnUsage() const;
    void surNomModifie();
    void surPrenomsModifies();
    void surLigneNom(int ligne);
    void surLignePrenoms(int ligne);
    void actualiserOk();
    void surPhonetique(bool active);
    void surSommet(bool active);
    void surDerniers();
    void surMoi();

    ContexteProgramme& contexte_;
    const GenealogieOuverte& genealogie_;
    DernieresPersonnes& derniers_liste_;
    bool depuisOptions_;
    bool phonetique_ = false;
    bool sommet_ = false;
    bool miseAJour_ = false;
    std::int32_t choisie_ = -1;

    ChampNom* nom_;
    ChampNom* prenoms_;
    QListView* listeNoms_;
    QListView* listePrenoms_;
    ModeleIndex* modeleNoms_;
    ModeleIndex* modelePrenoms_;
    QCheckBox* casePhonetique_;
    QCheckBox* caseSommet_ = nullptr;
    QPushButton* derniers_;
    QPushButton* moi_;
    QPushButton* ok_;
};

// Nom et prénoms rangés d'une personne, 70 caractères au plus, selon la règle d'affichage.
struct NomsPersonne {
    std::string nom;
    std::string prenoms;
};
NomsPersonne nomsPersonne(const GenealogieOuverte& genealogie, std::int32_t personne);

// Ligne de la liste « Derniers » : nom affiché, « (naissance-décès) », 165 caractères au plus.
std::string texteRecent(const GenealogieOuverte& genealogie, std::int32_t personne);

// Choisit une personne : son numéro, ou -1 quand l'utilisateur renonce. initiale : 0 ou la
// personne montrée à l'ouverture. Au retour, nom et prenoms sont ceux de la personne choisie ;
// elle est retenue parmi les dernières.
std::int32_t choisirPersonne(QWidget* proprietaire, ContexteProgramme& contexte,
                             DernieresPersonnes& derniers, const QString& titre,
                             std::int32_t initiale, std::string& nom, std::string& prenoms,
                             bool descendant = false, bool depuisOptions = false);

} // namespace veltrane
