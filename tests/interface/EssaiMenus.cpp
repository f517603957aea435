#include "interface/EssaisInterface.h"

#include "application/Configuration.h"
#include "graphiques/Catalogue.h"
#include "interface/FenetrePrincipale.h"
#include "interface/TexteQt.h"
#include "sortie/FormatsPapier.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

using namespace veltrane;
using essai::EnvironnementProgramme;

namespace {

using Entrees = QList<QPair<QString, int>>;

// Chaque élément de commande d'un menu, avec son chemin de libellés.
void parcourt(const QMenu* menu, const QString& chemin, Entrees& entrees) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        const QString ici = chemin.isEmpty() ? a->text() : chemin + u" > "_qs + a->text();
        if (a->menu())
            parcourt(a->menu(), ici, entrees);
        else
            entrees.append({ici, a->data().toInt()});
    }
}

Entrees barreMenus(const QMainWindow& f) {
    Entrees entrees;
    for (QAction* a : f.menuBar()->actions())
        parcourt(a->menu(), a->text(), entrees);
    return entrees;
}

// Ce que montrent les menus, écrit ici indépendamment de la table du programme.
Entrees barreAttendue() {
    Entrees e = {
        {u"&Fichier > &Consulter"_qs, 1001},
        {u"&Fichier > &Ouvrir..."_qs, 1002},
        {u"&Fichier > &Fermer"_qs, 1003},
        {u"&Fichier > &Enregistrer sous…"_qs, 1011},
        {u"&Fichier > &Fusion Gedcom > &Créer..."_qs, 1004},
        {u"&Fichier > &Fusion Gedcom > &Modifier..."_qs, 1005},
        {u"&Fichier > &Quitter"_qs, 1010},
    };
    const char16_t* formats[] = {u"Non paginé",     u"A0 portrait",      u"A1 portrait",
                                 u"A2 portrait",    u"A3 portrait",      u"A4 portrait",
                                 u"A0 paysage",     u"A1 paysage",       u"A2 paysage",
                                 u"A3 paysage",     u"A4 paysage",       u"Letter portrait",
                                 u"Legal portrait", u"Tabloid portrait", u"Letter paysage",
                                 u"Legal paysage",  u"Tabloid paysage"};
    const int ids[] = {1702, 1703, 1704, 1705, 1706, 1707, 1708, 1709, 1710,
                       1711, 1712, 1720, 1721, 1722, 1723, 1724, 1725};
    for (int i = 0; i < 17; ++i)
        e.append({u"&Outils > &Format feuille > "_qs + QString::fromUtf16(formats[i]), ids[i]});
    e += Entrees{
        {u"&Outils > &Préférences..."_qs, 1089}, {u"&Outils > &Options du fichier..."_qs, 1088},
        {u"&Outils > P&rofessions..."_qs, 1087}, {u"&Outils > &Sources..."_qs, 1086},
        {u"&? > &Aide sur Veltrane"_qs, 1091},   {u"&? > A &propos de Veltrane..."_qs, 1092},
        {u"&? > Le &site de Veltrane"_qs, 1093},
    };
    return e;
}

Entrees menuAttendu(int bouton) {
    switch (bouton) {
    case 5000:
        return {{u"&Ascendant > &Individuel..."_qs, 6101},
                {u"&Ascendant > &Familial..."_qs, 6102},
                {u"&Descendant..."_qs, 6103},
                {u"&Mixte > &Individuel..."_qs, 6104},
                {u"&Mixte > &Familial..."_qs, 6105},
                {u"&Cousins > &Individuel..."_qs, 6106},
                {u"&Cousins > &Familial..."_qs, 6107}};
    case 5001:
        return {{u"&Ascendante..."_qs, 6201}, {u"&Descendante..."_qs, 6202},
                {u"&Cousins..."_qs, 6205},    {u"&Eclair..."_qs, 6203},
                {u"&Branches..."_qs, 6204},   {u"&Par critères..."_qs, 6206}};
    case 5002:
        return {{u"&Individuelle > &Individu seul..."_qs, 6301},
                {u"&Individuelle > Chaque &ascendant..."_qs, 6302},
                {u"&Individuelle > Chaque &descendant..."_qs, 6303},
                {u"Générations ascendantes > &Individuel..."_qs, 6306},
                {u"Générations ascendantes > &Familial..."_qs, 6307},
                {u"Générations descendantes..."_qs, 6308}};
    case 5003:
        return {{u"&Ascendante..."_qs, 6401}, {u"&Descendante..."_qs, 6402}};
    case 5004:
        return {{u"&Ascendant..."_qs, 6501},
                {u"&Trombinoscope > &Ascendant..."_qs, 6503},
                {u"&Trombinoscope > &Descendant..."_qs, 6504},
                {u"&Trombinoscope > &Complet..."_qs, 6505},
                {u"&Lien de parenté..."_qs, 6506},
                {u"&Consanguinités..."_qs, 6507},
                {u"&Individuel > &Individu seul..."_qs, 6508},
                {u"&Individuel > Chaque &ascendant..."_qs, 6509},
                {u"&Individuel > Chaque &descendant..."_qs, 6510}};
    case 5005:
        return {{u"&Localisation > &Ascendance..."_qs, 6601},
                {u"&Localisation > &Descendance..."_qs, 6602},
                {u"&Localisation > &Patronyme..."_qs, 6603},
                {u"&Localisation > &Complète..."_qs, 6604},
                {u"&Migration > &Ascendance..."_qs, 6611},
                {u"&Migration > &Descendance..."_qs, 6612}};
    case 5006: {
        Entrees e{{u"&Générations ascendantes..."_qs, 6701}};
        const QPair<QString, int> groupes[] = {{u"Année de &naissance"_qs, 6731},
                                               {u"Age &mariage/décès"_qs, 6721},
                                               {u"&Professions"_qs, 6741},
                                               {u"&Sources"_qs, 6751}};
        for (const auto& [nom, premier] : groupes) {
            e.append({nom + u" > &Ascendantes..."_qs, premier});
            e.append({nom + u" > &Descendantes..."_qs, premier + 1});
            e.append({nom + u" > &Complètes..."_qs, premier + 2});
        }
        return e;
    }
    case 5009:
        return {{u"Gérer les favoris..."_qs, 6801}};
    }
    return {};
}

void avecAfficheur(EnvironnementProgramme& e, Configuration c = {}) {
    c.afficheurPdf = "/bin/true";
    enregistreConfiguration(c, e.configuration.chemin(), e.interaction);
}

QList<QAction*> formatsCoches(const FenetrePrincipale& f) {
    QList<QAction*> coches;
    for (const FormatPapier& p : FormatsPapier)
        if (f.action(p.identifiant)->isChecked()) coches.append(f.action(p.identifiant));
    return coches;
}

// Un petit fichier GEDCOM dans le répertoire de l'essai ; rend son chemin.
std::string petitFichier(EnvironnementProgramme& e) {
    const std::string texte = "0 HEAD\n0 @I1@ INDI\n1 NAME Jean /MARTIN/\n0 TRLR\n";
    e.configuration.ecrire("famille.ged", std::vector<std::uint8_t>(texte.begin(), texte.end()));
    return e.configuration.fichier("famille.ged");
}

} // namespace

// Menus, barre d'outils et rafraîchissement.
class EssaiMenus : public QObject {
    Q_OBJECT
private slots:
    void barreDeMenus() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        QCOMPARE(f.menuBar()->objectName(), QStringLiteral(u"MENU_GENE"));
        QCOMPARE(barreMenus(f), barreAttendue());
    }

    void boutonsEtMenusSurgissants() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        const QPair<QString, int> boutons[] = {{u"Arbres"_qs, 5000},       {u"Listes"_qs, 5001},
                                               {u"Frises"_qs, 5002},       {u"Roues"_qs, 5003},
                                               {u"Tableaux"_qs, 5004},     {u"Cartes"_qs, 5005},
                                               {u"Statistiques"_qs, 5006}, {u"Favoris"_qs, 5009}};
        const QList<QAction*> actions = f.barreOutils()->actions();
        QCOMPARE(actions.size(), 8);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(actions[i]->text(), boutons[i].first);
            QCOMPARE(actions[i]->data().toInt(), boutons[i].second);
            Entrees menu;
            parcourt(f.menuBouton(boutons[i].second), {}, menu);
            QCOMPARE(menu, menuAttendu(boutons[i].second));
            // Une image de 60 x 38 pour chaque bouton.
            QCOMPARE(actions[i]->icon().availableSizes().value(0), QSize(60, 38));
        }
        QCOMPARE(f.barreOutils()->iconSize(), QSize(60, 38));
    }

    // Les commandes de graphiques des menus et les lignes du catalogue se répondent une à une.
    void menusEtCatalogue() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        QList<int> commandes;
        for (int bouton = 5000; bouton <= 5006; ++bouton) {
            Entrees menu;
            parcourt(f.menuBouton(bouton), {}, menu);
            for (const auto& [libelle, commande] : menu) {
                QVERIFY2(graphiqueParCommande(commande), qPrintable(libelle));
                commandes.append(commande);
            }
        }
        QCOMPARE(commandes.size(), qsizetype(catalogue().size()));
        for (const DescriptionGraphique& g : catalogue())
            QCOMPARE(commandes.count(g.commande), qsizetype(1));
    }

    void imagesEtMasques() {
        for (const char* nom : {"MenuArbre", "MenuListe", "MenuFrise", "MenuRoue", "MenuTableau",
                                "MenuCarte", "MenuStat", "MenuFavori"}) {
            const QString base = QString::fromStdString(essai::DonneesSource) + u"/Menu/"_qs +
                                 QString::fromLatin1(nom);
            const QImage image = imageAvecMasque(base + u".gif"_qs, base + u"-m.gif"_qs);
            const QImage masque(base + u"-m.gif"_qs);
            QCOMPARE(image.size(), QSize(60, 38));
            QCOMPARE(masque.size(), QSize(60, 38));
            int opaques = 0;
            for (int y = 0; y < 38; ++y)
                for (int x = 0; x < 60; ++x) {
                    const bool transparent = qAlpha(image.pixel(x, y)) == 0;
                    QCOMPARE(transparent, qGray(masque.pixel(x, y)) >= 128);
                    opaques += !transparent;
                }
            // Un dessin, pas un rectangle plein ni une image vide.
            QVERIFY2(opaques > 150 && opaques < 60 * 38 - 150, nom);
        }
        // Sans masque lisible, l'image reste entière.
        const QString arbre = QString::fromStdString(essai::DonneesSource) + u"/Menu/MenuArbre"_qs;
        QCOMPARE(qAlpha(imageAvecMasque(arbre + u".gif"_qs, u"/absent.gif"_qs).pixel(0, 0)), 255);
        QVERIFY(imageAvecMasque(u"/absent.gif"_qs, arbre + u"-m.gif"_qs).isNull());
    }

    void commandesGriseesSansGenealogie() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        for (int id : {1002, 1010, 1086, 1087, 1089, 1091, 1092, 1093, 1702, 1725})
            QVERIFY2(f.action(id)->isEnabled(), qPrintable(QString::number(id)));
        // Graphiques pas encore construits, commandes à venir, ou sans généalogie ouverte ; les
        // boutons dont toutes les commandes sont grises aussi.
        for (int id :
             {1001, 1003, 1004, 1005, 1088, 6101, 6206, 6510, 6753, 6801, 5000, 5009})
            QVERIFY2(!f.action(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(!f.barreOutils()->isVisibleTo(&f));
    }

    void ouvertureEtFermetureRafraichissent() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        f.show();
        f.inscritCommande(1001, [] {});
        f.inscritCommande(6201, [] {});
        QVERIFY(!f.action(1001)->isEnabled());
        const std::string chemin = petitFichier(e);
        f.ouvreGenealogie(chemin);
        QCOMPARE(f.windowTitle(), depuisChemin(chemin));
        QVERIFY(f.barreOutils()->isVisible());
        QVERIFY(f.action(1001)->isEnabled());
        QVERIFY(f.action(1003)->isEnabled());
        QVERIFY(f.action(6201)->isEnabled());
        QVERIFY(f.action(6202)->isEnabled());
        QVERIFY(f.action(6102)->isEnabled());
        QVERIFY(f.action(6103)->isEnabled());
        QVERIFY(f.action(6106)->isEnabled());
        QVERIFY(!f.action(6104)->isEnabled());
        QVERIFY(f.action(1088)->isEnabled());
        QVERIFY(f.action(6801)->isEnabled());
        f.executeCommande(1003);
        QCOMPARE(f.windowTitle(), u"Veltrane"_qs);
        QVERIFY(!f.barreOutils()->isVisible());
        QVERIFY(!f.action(1001)->isEnabled());
        QVERIFY(!f.action(1003)->isEnabled());
    }

    // Boutons et sous-menus dont toutes les commandes sont grisées le sont aussi ; une seule
    // commande possible suffit à les rendre actifs.
    void sousMenusEtBoutonsVidesGrises() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        f.ouvreGenealogie(petitFichier(e));
        for (int bouton : {5002, 5005})
            QVERIFY2(!f.action(bouton)->isEnabled(), qPrintable(QString::number(bouton)));
        for (int bouton : {5001, 5003, 5004, 5006, 5009})
            QVERIFY2(f.action(bouton)->isEnabled(), qPrintable(QString::number(bouton)));
        // Le sous-menu « Individuelle » des frises, gris, devient actif avec sa commande.
        QAction* individuelle = f.menuBouton(5002)->actions().first();
        QVERIFY(individuelle->menu());
        QVERIFY(!individuelle->isEnabled());
        f.inscritCommande(6301, [] {});
        QVERIFY(individuelle->isEnabled());
        QVERIFY(f.action(5002)->isEnabled());
        QVERIFY(!f.action(5005)->isEnabled());
        // Sans généalogie, tout redevient gris.
        f.executeCommande(1003);
        QVERIFY(!f.action(5002)->isEnabled());
        QVERIFY(!f.action(5003)->isEnabled());
    }

    void menuSousLeBouton() {
        EnvironnementProgramme e;
        avecAfficheur(e);
        FenetrePrincipale f(e.contexte, "");
        f.show();
        f.ouvreGenealogie(petitFichier(e));
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QWidget* bouton = f.barreOutils()->widgetForAction(f.action(5001));
        QVERIFY(bouton);
        f.action(5001)->trigger();
        QMenu* menu = f.menuBouton(5001);
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), bouton->mapToGlobal(QPoint(10, bouton->height() - 3)));
        menu->close();
    }

    void formatFeuilleSuitConfigEtSEnregistre() {
        EnvironnementProgramme e;
        Configuration c;
        c.formatPapier = 1712;
        avecAfficheur(e, c);
        FenetrePrincipale f(e.contexte, "");
        f.demarre();
        QCOMPARE(formatsCoches(f), QList<QAction*>{f.action(1712)});
        f.action(1707)->trigger();
        QCOMPARE(formatsCoches(f), QList<QAction*>{f.action(1707)});
        QCOMPARE(int(e.contexte.configuration.formatPapier), 1707);
        // Le format seul a changé dans Config.dxr.
        Configuration attendue = c;
        attendue.afficheurPdf = "/bin/true";
        attendue.formatPapier = 1707;
        QVERIFY(chargeConfiguration(e.configuration.chemin()) == attendue);
    }

    void formatInconnuCocheLeNonPagine() {
        EnvironnementProgramme e;
        Configuration c;
        c.formatPapier = 999;
        avecAfficheur(e, c);
        FenetrePrincipale f(e.contexte, "");
        f.demarre();
        QCOMPARE(formatsCoches(f), QList<QAction*>{f.action(1702)});
    }
};

VELTRANE_ESSAI_QT(EssaiMenus)
#include "EssaiMenus.moc"
