#pragma once

#include "interface/Commandes.h"
#include "interface/DernieresPersonnes.h"

#include <QImage>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <map>
#include <string>

class QActionGroup;
class QMenu;
class QToolBar;

namespace veltrane {

struct ContexteProgramme;

inline constexpr const char* MESSAGE_MEMOIRE_OPERATION =
    "Mémoire insuffisante pour effectuer cette opération.\nArrêter les autres logiciels en cours.";
inline constexpr const char* MESSAGE_REPERTOIRE_INSTALLATION =
    "Récupération impossible du répertoire d'installation";
inline constexpr const char* MESSAGE_AFFICHEUR_WEB_INDISPONIBLE =
    "Aucune application n'est disponible pour afficher les pages Web.\nChoisissez-en une dans "
    "les préférences, page « Afficheurs ».";
inline constexpr const char* MESSAGE_FICHIER_MODIFIE =
    "Le fichier Gedcom %s a été modifié par un autre logiciel.\nVoulez-vous le réouvrir ?";
inline constexpr const char* MESSAGE_AIDE_ABSENTE = "Fichier %s inaccessible\nRéinstaller Veltrane";

// La ligne de commande entière, sans ses guillemets d'encadrement : le fichier à ouvrir.
std::string fichierLigneDeCommande(const QStringList& arguments);

// Image d'un bouton : les pixels blancs du masque deviennent transparents.
QImage imageAvecMasque(const QString& image, const QString& masque);

// Texte de la boîte « À propos ».
QString texteAPropos(const std::string& repertoireConfiguration);

// La fenêtre principale : menus, barre d'outils, table des commandes et gestionnaire unique
// des échecs d'opération.
class FenetrePrincipale : public QMainWindow {
    Q_OBJECT

public:
    using Traitement = std::function<void()>;

    // Prépare le programme (répertoires, préférences, afficheur PDF, usage, polices) puis
    // construit la barre d'outils et les menus.
    FenetrePrincipale(ContexteProgramme& contexte, std::string fichierLigneCommande,
                      QWidget* parent = nullptr);
    ~FenetrePrincipale() override;

    // Montre la fenêtre, coche le format de feuille et poste l'ouverture du premier fichier.
    void demarre();
    // Fin du programme : usage enregistré, documents effacés.
    void termine();

    // Exécute une commande dans le gestionnaire d'exceptions de la fenêtre.
    void executeCommande(int commande);
    // Même gestionnaire d'échecs pour un traitement hors de la table.
    void executeCommandeAvec(const Traitement& traitement);
    // Ajoute ou remplace une commande de la table : son élément de menu devient utilisable.
    void inscritCommande(int commande, Traitement traitement);
    bool commandeDisponible(int commande) const;

    void rafraichitMenus();

    // Ouvre le fichier (fermant d'abord la généalogie ouverte) ; les échecs sont levés.
    // montrerErreurs : le journal du chargement est montré s'il n'est pas vide.
    void ouvreGenealogie(const std::string& chemin, bool montrerErreurs = true);
    void fermeGenealogie();
    bool aUneGenealogie() const;
    // Ligne de commande d'une autre instance lancée avec un fichier : la fenêtre se montre et
    // l'ouvre à la place de la généalogie ouverte, comme la commande Ouvrir.
    void ouvreLigneTransmise(const QString& ligne);

    // Fichier retenu par la dernière commande d'ouverture.
    const std::string& fichierDemande() const { return fichierDemande_; }

signals:
    // Émis (sur le fil principal) quand un fichier GEDCOM ouvert a été réécrit.
    void fichierModifie();

public:
    // Feuille des préférences, ouverte sur la page nommée ; vrai si elle a été validée.
    bool preferences(const QString& page = {});
    // Page d'aide de donnees/Aide dans l'afficheur Web.
    void afficheAide(const std::string& page = "index.html");

    QAction* action(int commande) const;
    QMenu* menuBouton(int commande) const;
    QToolBar* barreOutils() const { return barre_; }
    // Les dix personnes choisies en dernier, vidées à la fermeture de la généalogie.
    DernieresPersonnes& dernieresPersonnes() { return dernieresPersonnes_; }

protected:
    void closeEvent(QCloseEvent* evenement) override;

private:
    void initialiseApplication();
    void construitMenus();
    void construitBarreOutils();
    void remplitMenu(QMenu* menu, std::span<const ElementMenu> elements);
    void ajouteFormatsPapier(QMenu* menu);
    void inscritCommandesDeBase();
    void cocheFormatPapier();
    void montreMenuBouton(int bouton);

    void ouvrir();
    std::string choisitFichier();
    // Copie le dernier document montré là où l'utilisateur le garde : ceux du dossier des
    // documents sont effacés à la sortie.
    void enregistreDocumentSous();
    void chargeGenealogie(const std::string& chemin);
    void surFichierModifie();
    void rejoueFavori(int commande);
    void changeFormatPapier(int identifiant);
    void aPropos();
    void afficheSiteWeb();

    ContexteProgramme& contexte_;
    std::string fichierAOuvrir_;
    std::string fichierDemande_;
    bool premiereOuverture_ = true;
    bool termine_ = false;

    std::map<int, Traitement> commandes_;
    std::map<int, QAction*> actions_;
    std::map<int, QMenu*> menusBoutons_;
    QActionGroup* formatsPapier_ = nullptr;
    QToolBar* barre_ = nullptr;
    class MenuFavoris* menuFavoris_ = nullptr;
    DernieresPersonnes dernieresPersonnes_;
};

} // namespace veltrane
