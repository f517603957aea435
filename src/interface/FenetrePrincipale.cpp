#include "interface/FenetrePrincipale.h"

#include "application/ContexteProgramme.h"
#include "application/RegistreNettoyage.h"
#include "base/ArretFatal.h"
#include "plateforme/OperationImpossible.h"
#include "interface/DialogueCategories.h"
#include "interface/DialogueErreursGedcom.h"
#include "interface/DialogueGestionFavoris.h"
#include "interface/DialogueOptionsFichier.h"
#include "interface/FeuillePreferences.h"
#include "interface/MenuFavoris.h"
#include "interface/TexteQt.h"
#include "plateforme/Polices.h"
#include "graphiques/Catalogue.h"
#include "interface/graphiques/PagesGraphiques.h"
#include "sortie/FormatsPapier.h"
#include "graphiques/Graphique.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QToolBar>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <new>
#include <system_error>

namespace veltrane {

namespace {

QString libelle(std::u16string_view texte) {
    return QStringView(texte.data(), static_cast<qsizetype>(texte.size())).toString();
}

bool estFormatPapier(int commande) {
    return std::any_of(FormatsPapier.begin(), FormatsPapier.end(),
                       [commande](const FormatPapier& f) { return f.identifiant == commande; });
}

bool existe(const std::string& chemin) {
    std::error_code erreur;
    return std::filesystem::exists(chemin, erreur);
}

} // namespace

std::string fichierLigneDeCommande(const QStringList& arguments) {
    // Un chemin contenant des espaces et non protégé arrive en plusieurs morceaux : on les
    // rassemble, comme la ligne de commande entière d'origine.
    QString ligne = arguments.mid(1).join(u' ');
    if (ligne.startsWith(u'"')) ligne.remove(0, 1);
    if (ligne.endsWith(u'"')) ligne.chop(1);
    return versChemin(ligne);
}

QImage imageAvecMasque(const QString& image, const QString& masque) {
    QImage resultat(image);
    if (resultat.isNull()) return resultat;
    resultat = resultat.convertToFormat(QImage::Format_ARGB32);
    const QImage m = QImage(masque).convertToFormat(QImage::Format_RGB32);
    if (m.size() != resultat.size()) return resultat;
    for (int y = 0; y < resultat.height(); ++y)
        for (int x = 0; x < resultat.width(); ++x)
            if (qGray(m.pixel(x, y)) >= 128) resultat.setPixel(x, y, qRgba(0, 0, 0, 0));
    return resultat;
}

QString texteAPropos(const std::string& repertoireConfiguration) {
    return depuisWindows1252(
        std::string("Veltrane v") + VERSION_PROGRAMME + "\n" + ADRESSE_SITE + "\n" +
        formateAvecChemin("Répertoire de configuration : %s", repertoireConfiguration));
}

FenetrePrincipale::FenetrePrincipale(ContexteProgramme& contexte, std::string fichierLigneCommande,
                                     QWidget* parent)
    : QMainWindow(parent), contexte_(contexte), fichierAOuvrir_(std::move(fichierLigneCommande)) {
    setObjectName(QStringLiteral(u"Fenetre principale Veltrane"));
    setWindowTitle(QStringLiteral(u"Veltrane"));
    connect(this, &FenetrePrincipale::fichierModifie, this, &FenetrePrincipale::surFichierModifie,
            Qt::QueuedConnection);
    // Le menu contextuel des barres permettrait de montrer la barre d'outils sans généalogie.
    setContextMenuPolicy(Qt::NoContextMenu);
    setCentralWidget(new QWidget(this));
    move(80, 70);
    resize(650, 510);

    initialiseApplication();
    inscritCommandesDeBase();
    construitMenus();
    construitBarreOutils();
    if (QMenu* favoris = menuBouton(commande::BoutonFavoris)) {
        menuFavoris_ = new MenuFavoris(favoris, this);
        connect(menuFavoris_, &MenuFavoris::favoriChoisi, this,
                &FenetrePrincipale::executeCommande);
    }
    for (int c = commande::PremierFavori; c <= commande::DernierFavori; ++c)
        inscritCommande(c, [this, c] { rejoueFavori(c); });
    rafraichitMenus();
}

// Le fil de surveillance de la généalogie écrit à cette fenêtre : il s'arrête avant elle.
FenetrePrincipale::~FenetrePrincipale() {
    contexte_.genealogie.reset();
}

void FenetrePrincipale::initialiseApplication() {
    auto& c = contexte_;
    c.repertoires = trouverRepertoires(c.interaction);
    if (c.repertoires.installation.empty()) arretFatal(MESSAGE_REPERTOIRE_INSTALLATION);
    c.hasard.seed(static_cast<std::mt19937::result_type>(std::time(nullptr)));

    c.configuration = chargeConfiguration(c.repertoires.configuration);

    // Sans Vide.pdf dans les données d'installation, afficheurPdf fait l'arrêt fatal.
    // Une seule boîte : la question. Refusée ou annulée, l'utilisateur sait déjà ; validée, la
    // page Afficheurs prévient elle-même quand aucun afficheur n'existe.
    if (!c.afficheurs.afficheurPdf(c.configuration.afficheurPdf, c.repertoires.donnees) &&
        c.interaction.question(MESSAGE_AFFICHEUR_PDF_INDEFINI))
        preferences(QStringLiteral(u"Afficheurs"));

    c.usage = chargeUsage(c.repertoires.configuration);
    // Ici viendra la recherche d'une nouvelle version de Veltrane.

    // La feuille des préférences a pu déjà relever les faces.
    if (c.policesUtilisables.empty()) c.policesUtilisables = policesUtilisables();
    if (!c.configuration.policeAuHasard) c.polices.charger(c.configuration.police, c.interaction);
}

void FenetrePrincipale::inscritCommandesDeBase() {
    using namespace commande;
    commandes_[Ouvrir] = [this] { ouvrir(); };
    commandes_[Fermer] = [this] { fermeGenealogie(); };
    // Un graphique a sa commande quand il est produit et qu'il a ses pages.
    for (const DescriptionGraphique& g : catalogue())
        if (g.disponible() && pagesGraphique(g.commande))
            commandes_[g.commande] = [this, &g] {
                commandeGraphique(this, contexte_, dernieresPersonnes_, g);
            };
    inscrireCatalogue(contexte_.rejeu, contexte_, true);
    commandes_[GererFavoris] = [this] {
        if (!aUneGenealogie()) return;
        const EtapeParametres etape = [this](Favori& favori) {
            etapeFavori(this, contexte_, dernieresPersonnes_, favori);
        };
        if (gererFavoris(this, contexte_, etape) && menuFavoris_)
            menuFavoris_->reconstruit(contexte_.genealogie->options().favoris.favoris());
    };
    commandes_[commande::OptionsFichier] = [this] {
        if (!aUneGenealogie()) return;
        DialogueOptionsFichier dialogue(contexte_, dernieresPersonnes_, this);
        dialogue.exec();
    };
    commandes_[Quitter] = [this] { close(); };
    commandes_[EnregistrerSous] = [this] { enregistreDocumentSous(); };
    commandes_[Preferences] = [this] { preferences(); };
    commandes_[Professions] = [this] {
        editerCategories(*this, contexte_, GenreCategories::Professions);
    };
    commandes_[Sources] = [this] { editerCategories(*this, contexte_, GenreCategories::Sources); };
    commandes_[Aide] = [this] { afficheAide(); };
    commandes_[APropos] = [this] { aPropos(); };
    commandes_[SiteWeb] = [this] { afficheSiteWeb(); };
    for (const FormatPapier& f : FormatsPapier) {
        const int id = f.identifiant;
        commandes_[id] = [this, id] { changeFormatPapier(id); };
    }
    for (const BoutonBarre& b : boutonsBarre()) {
        const int id = b.commande;
        commandes_[id] = [this, id] { montreMenuBouton(id); };
    }
}

void FenetrePrincipale::construitMenus() {
    menuBar()->setObjectName(QStringLiteral(u"MENU_GENE"));
    for (const ElementMenu& e : barreMenus()) {
        QMenu* menu = menuBar()->addMenu(libelle(e.libelle));
        remplitMenu(menu, e.sousMenu);
    }
}

void FenetrePrincipale::remplitMenu(QMenu* menu, std::span<const ElementMenu> elements) {
    for (const ElementMenu& e : elements) {
        if (e.libelle.empty()) {
            menu->addSeparator();
        } else if (e.commande == commande::SousMenuFormatsPapier) {
            ajouteFormatsPapier(menu->addMenu(libelle(e.libelle)));
        } else if (e.commande == 0) {
            remplitMenu(menu->addMenu(libelle(e.libelle)), e.sousMenu);
        } else {
            QAction* a = menu->addAction(libelle(e.libelle));
            a->setData(e.commande);
            actions_[e.commande] = a;
            const int id = e.commande;
            connect(a, &QAction::triggered, this, [this, id] { executeCommande(id); });
        }
    }
}

void FenetrePrincipale::ajouteFormatsPapier(QMenu* menu) {
    formatsPapier_ = new QActionGroup(this);
    formatsPapier_->setExclusive(true);
    for (const FormatPapier& f : FormatsPapier) {
        QAction* a = menu->addAction(depuisWindows1252(f.nom));
        a->setCheckable(true);
        a->setData(f.identifiant);
        formatsPapier_->addAction(a);
        actions_[f.identifiant] = a;
        const int id = f.identifiant;
        connect(a, &QAction::triggered, this, [this, id] { executeCommande(id); });
    }
}

void FenetrePrincipale::construitBarreOutils() {
    barre_ = new QToolBar(QStringLiteral(u"Graphiques"), this);
    barre_->setObjectName(QStringLiteral(u"barreOutils"));
    barre_->setMovable(false);
    barre_->setFloatable(false);
    barre_->setIconSize(QSize(60, 38));
    barre_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, barre_);

    const QString menus = depuisChemin(contexte_.repertoires.donnees) + QStringLiteral(u"/Menu/");
    for (const BoutonBarre& b : boutonsBarre()) {
        const QString nom = menus + QString::fromLatin1(b.image);
        const QImage image =
            imageAvecMasque(nom + QStringLiteral(u".gif"), nom + QStringLiteral(u"-m.gif"));
        QAction* a = barre_->addAction(QIcon(QPixmap::fromImage(image)), libelle(b.libelle));
        a->setData(b.commande);
        actions_[b.commande] = a;
        const int id = b.commande;
        connect(a, &QAction::triggered, this, [this, id] { executeCommande(id); });
        if (b.commande == commande::BoutonArbres) setWindowIcon(QIcon(QPixmap::fromImage(image)));

        auto* menu = new QMenu(this);
        remplitMenu(menu, b.menu);
        menusBoutons_[b.commande] = menu;
    }
}

void FenetrePrincipale::demarre() {
    show();
    cocheFormatPapier();
    if (fichierAOuvrir_.empty()) fichierAOuvrir_ = contexte_.configuration.fichierParDefaut;
    QMetaObject::invokeMethod(
        this, [this] { executeCommande(commande::Ouvrir); }, Qt::QueuedConnection);
}

void FenetrePrincipale::termine() {
    if (termine_) return;
    termine_ = true;
    fermeGenealogie();
    enregistreUsage(contexte_.usage, contexte_.repertoires.configuration);
    nettoieDocuments(contexte_.documentsProduits);
}

void FenetrePrincipale::executeCommande(int id) {
    auto traitement = commandes_.find(id);
    executeCommandeAvec(traitement != commandes_.end() ? traitement->second : Traitement{});
}

void FenetrePrincipale::executeCommandeAvec(const Traitement& traitement) {
    try {
        if (traitement) traitement();
    } catch (const OperationImpossible& e) {
        if (e.aUnMessage()) contexte_.interaction.message(e.what());
        registreNettoyage().executer();
    } catch (const std::bad_alloc&) {
        registreNettoyage().executer();
        contexte_.interaction.message(MESSAGE_MEMOIRE_OPERATION);
    }
    rafraichitMenus();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void FenetrePrincipale::inscritCommande(int id, Traitement traitement) {
    commandes_[id] = std::move(traitement);
    rafraichitMenus();
}

bool FenetrePrincipale::commandeDisponible(int id) const {
    if (id == commande::EnregistrerSous) return !dernierDocument(contexte_.documentsProduits).empty();
    return commandes_.contains(id) && (!demandeGenealogie(id) || aUneGenealogie());
}

namespace {

// Grise chaque sous-menu dont toutes les commandes le sont ; vrai s'il en reste une active.
bool griseSousMenus(QMenu* menu) {
    bool actif = false;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        if (QMenu* sousMenu = a->menu()) a->setEnabled(griseSousMenus(sousMenu));
        actif = actif || a->isEnabled();
    }
    return actif;
}

} // namespace

void FenetrePrincipale::rafraichitMenus() {
    for (auto& [id, a] : actions_)
        a->setEnabled(commandeDisponible(id));
    // Un sous-menu ou un bouton dont aucune commande n'est possible ne doit pas sembler l'être.
    for (QAction* a : menuBar()->actions())
        if (a->menu()) griseSousMenus(a->menu());
    for (auto& [id, menu] : menusBoutons_)
        if (QAction* bouton = action(id))
            bouton->setEnabled(bouton->isEnabled() && griseSousMenus(menu));
    if (barre_) barre_->setVisible(aUneGenealogie());
}

bool FenetrePrincipale::aUneGenealogie() const {
    return static_cast<bool>(contexte_.genealogie);
}

void FenetrePrincipale::fermeGenealogie() {
    // Surveillance arrêtée, estimation attendue, fichier de données effacé.
    contexte_.genealogie.reset();
    dernieresPersonnes_.vider();
    if (menuFavoris_) menuFavoris_->vide();
    setWindowTitle(QStringLiteral(u"Veltrane"));
    rafraichitMenus();
}

QAction* FenetrePrincipale::action(int id) const {
    auto a = actions_.find(id);
    return a == actions_.end() ? nullptr : a->second;
}

QMenu* FenetrePrincipale::menuBouton(int id) const {
    auto m = menusBoutons_.find(id);
    return m == menusBoutons_.end() ? nullptr : m->second;
}

void FenetrePrincipale::cocheFormatPapier() {
    // Un identifiant inconnu sert le format non paginé : c'est lui qui est coché.
    if (QAction* a = action(formatPapier(contexte_.configuration.formatPapier).identifiant))
        a->setChecked(true);
}

void FenetrePrincipale::changeFormatPapier(int id) {
    if (!estFormatPapier(id)) return;
    contexte_.configuration.formatPapier = static_cast<std::uint16_t>(id);
    enregistreConfiguration(contexte_.configuration, contexte_.repertoires.configuration,
                            contexte_.interaction);
    cocheFormatPapier();
}

void FenetrePrincipale::montreMenuBouton(int bouton) {
    QMenu* menu = menuBouton(bouton);
    QWidget* w = barre_->widgetForAction(action(bouton));
    if (!menu || !w) return;
    // Sous le bouton : 10 pixels à droite de son bord gauche, 3 au-dessus de son bas.
    menu->popup(w->mapToGlobal(QPoint(10, w->height() - 3)));
}

void FenetrePrincipale::ouvrir() {
    std::string chemin;
    if (premiereOuverture_) {
        // Au démarrage sans fichier désigné, aucune boîte : la fenêtre s'ouvre simplement.
        premiereOuverture_ = false;
        chemin = fichierAOuvrir_;
        if (chemin.empty()) return;
    } else {
        // La généalogie ouverte reste jusqu'à ce que la nouvelle soit chargée.
        chemin = choisitFichier();
        if (chemin.empty()) return;
    }
    ouvreGenealogie(chemin);
}

std::string FenetrePrincipale::choisitFichier() {
    for (;;) {
        const QString choisi = QFileDialog::getOpenFileName(
            this, QStringLiteral(u"Ouvrir"), QString(),
            QStringLiteral(u"Données généalogiques (*.ged *.fged *.GED *.FGED)"));
        if (choisi.isEmpty()) return {};
        std::string chemin = versChemin(choisi);
        if (existe(chemin)) return chemin;
        contexte_.interaction.message(MESSAGE_FICHIER_INCONNU);
    }
}

void FenetrePrincipale::enregistreDocumentSous() {
    const std::string document = dernierDocument(contexte_.documentsProduits);
    if (document.empty()) return;
    const QString nom = depuisChemin(std::filesystem::path(document).filename().string());
    const QString choisi = QFileDialog::getSaveFileName(
        this, QStringLiteral(u"Enregistrer sous"), QDir::home().filePath(nom));
    if (choisi.isEmpty()) return;
    const std::string destination = versChemin(choisi);
    veltrane::enregistreDocumentSous(document, destination);
    // Gardé par l'utilisateur : plus effacé à la sortie, même s'il est dans le dossier des
    // documents.
    std::erase(contexte_.documentsProduits, destination);
}

void FenetrePrincipale::ouvreLigneTransmise(const QString& ligne) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    const std::string chemin = fichierLigneDeCommande({QString(), ligne});
    if (chemin.empty()) return;
    executeCommandeAvec([this, chemin] { ouvreGenealogie(chemin); });
}

void FenetrePrincipale::ouvreGenealogie(const std::string& chemin, bool montrerErreurs) {
    if (!extensionGenealogie(chemin)) throw OperationImpossible(MESSAGE_EXTENSION_REFUSEE);
    fichierDemande_ = chemin;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Une ouverture manquée laisse la généalogie d'avant ouverte : elle n'est fermée (fichier
    // de données compris) qu'une fois la nouvelle chargée.
    std::unique_ptr<GenealogieOuverte> g;
    try {
        g = ouvrirGenealogieAvecOptions(chemin, contexte_.repertoires.configuration,
                                        contexte_.configuration.paysParDefaut,
                                        contexte_.interaction);
        g->definirGestionMajuscules(contexte_.configuration.gestionMajuscules != 0);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    const std::string journal = g->chargement().journal;
    // L'avis vient du fil de surveillance : il est remis au fil principal par le signal.
    g->surveiller([this] { emit fichierModifie(); });
    fermeGenealogie();
    contexte_.genealogie = std::move(g);
    if (menuFavoris_) menuFavoris_->reconstruit(contexte_.genealogie->options().favoris.favoris());
    setWindowTitle(depuisChemin(chemin));
    rafraichitMenus();
    if (montrerErreurs && !journal.empty()) {
        // Le bouton d'aide passe par le gestionnaire des échecs : une exception ne doit pas
        // traverser la boucle d'événements du dialogue.
        DialogueErreursGedcom dialogue(
            journal, [this] { executeCommandeAvec([this] { afficheAide("ErreursGedcom.html"); }); },
            this);
        dialogue.exec();
    }
}

void FenetrePrincipale::rejoueFavori(int commande) {
    if (!contexte_.genealogie) return;
    const auto rang = static_cast<std::size_t>(commande - commande::PremierFavori);
    const ListeFavoris& favoris = contexte_.genealogie->options().favoris;
    if (rang >= favoris.taille()) return;
    // Le graphique rejoué montre lui-même son document.
    rejoue(favoris[rang], contexte_.rejeu, contexte_.genealogie->identites(),
           contexte_.interaction);
}

void FenetrePrincipale::surFichierModifie() {
    if (!contexte_.genealogie) return;
    contexte_.genealogie->marquerModifie();
    const std::string chemin = contexte_.genealogie->chemin();
    if (contexte_.interaction.question(formateAvecChemin(MESSAGE_FICHIER_MODIFIE, chemin)))
        executeCommandeAvec([this, chemin] { ouvreGenealogie(chemin); });
}

bool FenetrePrincipale::preferences(const QString& page) {
    FeuillePreferences feuille(contexte_, page, this);
    return feuille.exec() == QDialog::Accepted;
}

void FenetrePrincipale::afficheAide(const std::string& page) {
    const std::string chemin = contexte_.repertoires.donnees + "/Aide/" + page;
    if (contexte_.repertoires.donnees.empty() || !existe(chemin))
        throw OperationImpossible(formateAvecChemin(MESSAGE_AIDE_ABSENTE, chemin));
    if (!contexte_.afficheurs.afficher(FormatSortie::Web, chemin,
                                       contexte_.configuration.afficheurWeb))
        throw OperationImpossible(MESSAGE_AFFICHEUR_WEB_INDISPONIBLE);
}

void FenetrePrincipale::aPropos() {
    QMessageBox boite(QMessageBox::NoIcon, QStringLiteral(u"À propos de Veltrane"),
                      texteAPropos(contexte_.repertoires.configuration), QMessageBox::Ok, this);
    boite.setObjectName(QStringLiteral(u"APropos"));
    boite.exec();
}

void FenetrePrincipale::afficheSiteWeb() {
    if (!contexte_.afficheurs.afficher(FormatSortie::Web, ADRESSE_SITE,
                                       contexte_.configuration.afficheurWeb))
        throw OperationImpossible(MESSAGE_AFFICHEUR_WEB_INDISPONIBLE);
}

void FenetrePrincipale::closeEvent(QCloseEvent* evenement) {
    evenement->accept();
}

} // namespace veltrane
