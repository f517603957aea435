#include "interface/FeuillePreferences.h"

#include "application/ContexteProgramme.h"
#include "application/ReglesPreferences.h"
#include "dates_lieux/TablesGeographiques.h"
#include "interface/ApercuThemes.h"
#include "interface/Commandes.h"
#include "interface/TexteQt.h"
#include "plateforme/Polices.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace veltrane {

namespace {

QString texte(const char16_t* t) {
    return QString::fromUtf16(t);
}

// Une case garde l'octet lu tant que son état n'a pas changé : le fichier se réécrit à
// l'identique.
std::uint8_t octetCase(const QCheckBox* c, std::uint8_t avant) {
    return c->isChecked() == (avant != 0) ? avant : (c->isChecked() ? 1 : 0);
}

QCheckBox* caseACocher(const char16_t* libelle, const char* nom, bool cochee, QWidget* parent) {
    auto* c = new QCheckBox(texte(libelle), parent);
    c->setObjectName(QString::fromLatin1(nom));
    c->setChecked(cochee);
    return c;
}

QSpinBox* compteur(const char* nom, int minimum, int maximum, int valeur, QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(nom));
    s->setRange(minimum, maximum);
    s->setValue(std::clamp(valeur, minimum, maximum));
    s->setMaximumWidth(130);
    return s;
}

// Un champ de chemin et son bouton « Parcourir... ».
QLineEdit* champChemin(const char* nom, const std::string& valeur, QWidget* parent,
                       QHBoxLayout*& ligne) {
    auto* champ = new QLineEdit(depuisChemin(valeur), parent);
    champ->setObjectName(QString::fromLatin1(nom));
    ligne = new QHBoxLayout;
    ligne->addWidget(champ, 1);
    return champ;
}

std::string verifieLongueur(const std::string& chemin) {
    return chemin.size() > Configuration::LimiteChemin
               ? formateAvecChemin(MESSAGE_CHEMIN_TROP_LONG, chemin)
               : std::string();
}

} // namespace

// Une page : elle vérifie ses champs (message Windows-1252, vide si tout va bien), puis range
// ses valeurs dans la configuration.
class PagePreferences : public QWidget {
public:
    using QWidget::QWidget;
    virtual std::string verifie() const { return {}; }
    virtual void range(Configuration& c) const = 0;
};

namespace {

class PageGeneral : public PagePreferences {
public:
    PageGeneral(const ContexteProgramme& contexte, QWidget* parent)
        : PagePreferences(parent), versionRefusee_(contexte.configuration.versionRefusee),
          derniereVersion_(VERSION_PROGRAMME) {
        const Configuration& c = contexte.configuration;
        auto* boite = new QVBoxLayout(this);
        prevenir_ = caseACocher(u"Etre prévenu des nouvelles versions de Veltrane",
                                "prevenirVersions", c.versionRefusee.empty(), this);
        boite->addWidget(prevenir_);

        boite->addWidget(new QLabel(QStringLiteral(u"Fichier généalogique par défaut"), this));
        QHBoxLayout* ligne = nullptr;
        fichier_ = champChemin("fichierParDefaut", c.fichierParDefaut, this, ligne);
        auto* parcourirFichier = new QPushButton(QStringLiteral(u"Parcourir..."), this);
        ligne->addWidget(parcourirFichier);
        boite->addLayout(ligne);
        connect(parcourirFichier, &QPushButton::clicked, this, [this] {
            QString choisi = QFileDialog::getOpenFileName(
                this, QStringLiteral(u"Fichier généalogique par défaut"), fichier_->text(),
                QStringLiteral(u"Données généalogiques (*.ged *.fged *.GED *.FGED)"));
            if (!choisi.isEmpty()) fichier_->setText(choisi);
        });

        boite->addWidget(new QLabel(
            QStringLiteral(u"Répertoire de téléchargement des photos (pour les arbres en ligne)"),
            this));
        photos_ = champChemin("repertoirePhotos", c.repertoirePhotos, this, ligne);
        auto* parcourirPhotos = new QPushButton(QStringLiteral(u"Parcourir..."), this);
        ligne->addWidget(parcourirPhotos);
        boite->addLayout(ligne);
        connect(parcourirPhotos, &QPushButton::clicked, this, [this] {
            QString choisi = QFileDialog::getExistingDirectory(
                this, QStringLiteral(u"Répertoire de téléchargement des photos"), photos_->text());
            if (!choisi.isEmpty()) photos_->setText(choisi);
        });

        auto* paysLigne = new QHBoxLayout;
        paysLigne->addWidget(new QLabel(QStringLiteral(u"Pays par défaut"), this));
        pays_ = new QComboBox(this);
        pays_->setObjectName(QStringLiteral(u"paysParDefaut"));
        // Chaque pays une fois, sous le premier de ses noms dans l'ordre de la table.
        std::vector<std::uint16_t> vus;
        for (const EntreeTable& e : tableNomsPays()) {
            if (std::find(vus.begin(), vus.end(), e.code) != vus.end()) continue;
            vus.push_back(e.code);
            pays_->addItem(depuisWindows1252(e.nom), e.code);
        }
        int choisi = pays_->findData(c.paysParDefaut);
        if (choisi < 0) {
            // Code inconnu de la table : il reste proposé pour ne pas être perdu.
            pays_->addItem(QStringLiteral(u"(code %1)").arg(c.paysParDefaut), c.paysParDefaut);
            choisi = pays_->count() - 1;
        }
        pays_->setCurrentIndex(choisi);
        paysLigne->addWidget(pays_, 1);
        boite->addLayout(paysLigne);

        majuscules_ =
            caseACocher(u"Gestion automatique des minuscules/majuscules (pour les noms et prénoms)",
                        "gestionMajuscules", c.gestionMajuscules != 0, this);
        boite->addWidget(majuscules_);
        boite->addStretch();
        majusculesLues_ = c.gestionMajuscules;
    }

    void definitDerniereVersion(const std::string& v) { derniereVersion_ = v; }

    std::string verifie() const override {
        const std::string fichier = versChemin(fichier_->text());
        const std::string photos = versChemin(photos_->text());
        for (const std::string& chemin : {fichier, photos})
            if (std::string m = verifieLongueur(chemin); !m.empty()) return m;
        if (std::string m = verifierFichierParDefaut(fichier); !m.empty())
            return messageAvecChemin(m, fichier);
        if (std::string m = verifierRepertoirePhotos(photos); !m.empty())
            return messageAvecChemin(m, photos);
        return {};
    }

    void range(Configuration& c) const override {
        if (prevenir_->isChecked())
            c.versionRefusee.clear();
        else if (versionRefusee_.empty())
            c.versionRefusee = derniereVersion_;
        c.fichierParDefaut = versChemin(fichier_->text());
        c.repertoirePhotos = versChemin(photos_->text());
        c.paysParDefaut = static_cast<std::uint16_t>(pays_->currentData().toUInt());
        c.gestionMajuscules = octetCase(majuscules_, majusculesLues_);
    }

private:
    std::string versionRefusee_;
    std::string derniereVersion_;
    QCheckBox* prevenir_;
    QLineEdit* fichier_;
    QLineEdit* photos_;
    QComboBox* pays_;
    QCheckBox* majuscules_;
    std::uint8_t majusculesLues_;
};

class PageMiseEnPage : public PagePreferences {
public:
    PageMiseEnPage(const Configuration& c, QWidget* parent) : PagePreferences(parent), lue_(c) {
        auto* boite = new QVBoxLayout(this);
        auto* formulaire = new QFormLayout;
        espace_ = compteur("espaceMinimal", 2, 99, c.espaceMinimal, this);
        espace_->setSuffix(QStringLiteral(u" mm"));
        formulaire->addRow(QStringLiteral(u"Espace minimal entre deux personnes dans un arbre"),
                           espace_);
        boite->addLayout(formulaire);
        doublesAsc_ = caseACocher(u"Montrer les doubles branches dans les branches ascendantes",
                                  "doublesBranchesAscendantes", c.doublesBranchesAscendantes, this);
        doublesDesc_ =
            caseACocher(u"Montrer les doubles branches dans les branches descendantes",
                        "doublesBranchesDescendantes", c.doublesBranchesDescendantes, this);
        boite->addWidget(doublesAsc_);
        boite->addWidget(doublesDesc_);

        auto* etirements = new QGroupBox(QStringLiteral(u"Étirement horizontal"), this);
        auto* fe = new QFormLayout(etirements);
        // Saisie libre : la valeur est ramenée entre 10 et 200 à la validation.
        arbres_ = compteur("etirementArbres", 0, 999, c.etirementArbres, this);
        listes_ = compteur("etirementListes", 0, 999, c.etirementListes, this);
        tables_ = compteur("etirementTables", 0, 999, c.etirementTables, this);
        for (QSpinBox* s : {arbres_, listes_, tables_})
            s->setSuffix(QStringLiteral(u" %"));
        fe->addRow(QStringLiteral(u"Arbres"), arbres_);
        fe->addRow(QStringLiteral(u"Listes"), listes_);
        fe->addRow(QStringLiteral(u"Tableaux"), tables_);
        boite->addWidget(etirements);

        auto* marges = new QGroupBox(QStringLiteral(u"Marges"), this);
        auto* fm = new QFormLayout(marges);
        haut_ = compteur("margeHaut", 0, 99, c.margeHaut / 176, this);
        bas_ = compteur("margeBas", 0, 99, c.margeBas / 176, this);
        gauche_ = compteur("margeGauche", 0, 99, millimetresDepuisMarge(c.margeGauche), this);
        droite_ = compteur("margeDroite", 0, 99, millimetresDepuisMarge(c.margeDroite), this);
        for (QSpinBox* s : {haut_, bas_})
            s->setSuffix(QStringLiteral(u" lignes"));
        for (QSpinBox* s : {gauche_, droite_})
            s->setSuffix(QStringLiteral(u" mm"));
        fm->addRow(QStringLiteral(u"Haut"), haut_);
        fm->addRow(QStringLiteral(u"Bas"), bas_);
        fm->addRow(QStringLiteral(u"Gauche"), gauche_);
        fm->addRow(QStringLiteral(u"Droite"), droite_);
        boite->addWidget(marges);
        boite->addStretch();
        hautAffiche_ = haut_->value();
        basAffiche_ = bas_->value();
        gaucheAffiche_ = gauche_->value();
        droiteAffiche_ = droite_->value();
    }

    void range(Configuration& c) const override {
        c.espaceMinimal = static_cast<std::uint16_t>(espace_->value());
        c.doublesBranchesAscendantes = octetCase(doublesAsc_, lue_.doublesBranchesAscendantes);
        c.doublesBranchesDescendantes = octetCase(doublesDesc_, lue_.doublesBranchesDescendantes);
        c.etirementArbres = static_cast<std::uint16_t>(bornerEtirement(arbres_->value()));
        c.etirementListes = static_cast<std::uint16_t>(bornerEtirement(listes_->value()));
        c.etirementTables = static_cast<std::uint16_t>(bornerEtirement(tables_->value()));
        // L'aller-retour par les millimètres (ou les lignes) perd de la précision : une marge
        // n'est réécrite que si l'utilisateur l'a changée.
        if (haut_->value() != hautAffiche_)
            c.margeHaut = static_cast<std::uint16_t>(margeDepuisLignes(haut_->value()));
        if (bas_->value() != basAffiche_)
            c.margeBas = static_cast<std::uint16_t>(margeDepuisLignes(bas_->value()));
        if (gauche_->value() != gaucheAffiche_)
            c.margeGauche = static_cast<std::uint16_t>(margeDepuisMillimetres(gauche_->value()));
        if (droite_->value() != droiteAffiche_)
            c.margeDroite = static_cast<std::uint16_t>(margeDepuisMillimetres(droite_->value()));
    }

private:
    Configuration lue_;
    QSpinBox* espace_;
    QCheckBox* doublesAsc_;
    QCheckBox* doublesDesc_;
    QSpinBox *arbres_, *listes_, *tables_;
    QSpinBox *haut_, *bas_, *gauche_, *droite_;
    int hautAffiche_, basAffiche_, gaucheAffiche_, droiteAffiche_;
};

class PageStyles : public PagePreferences {
public:
    PageStyles(ContexteProgramme& contexte, QWidget* parent)
        : PagePreferences(parent), lue_(contexte.configuration),
          faces_(contexte.policesUtilisables) {
        const Configuration& c = contexte.configuration;
        auto* grille = new QGridLayout(this);

        auto* colonneThemes = new QVBoxLayout;
        colonneThemes->addWidget(new QLabel(QStringLiteral(u"Thème des arbres"), this));
        themes_ = new QListView(this);
        themes_->setObjectName(QStringLiteral(u"themes"));
        auto* modele = new QStandardItemModel(themes_);
        for (const Theme& t : TableThemes) {
            auto* element = new QStandardItem(depuisWindows1252(t.nom));
            element->setEditable(false);
            modele->appendRow(element);
        }
        themes_->setModel(modele);
        themes_->setItemDelegate(new DelegueThemes(themes_));
        themes_->setUniformItemSizes(true);
        themes_->setMinimumWidth(240);
        if (c.theme < TableThemes.size()) themes_->setCurrentIndex(modele->index(c.theme, 0));
        colonneThemes->addWidget(themes_, 1);
        themeHasard_ = caseACocher(u"Thème au hasard à chaque nouvel arbre", "themeAuHasard",
                                   c.themeAuHasard, this);
        colonneThemes->addWidget(themeHasard_);
        grille->addLayout(colonneThemes, 0, 0, 2, 1);

        auto* colonnePolices = new QVBoxLayout;
        colonnePolices->addWidget(new QLabel(QStringLiteral(u"Police des graphiques"), this));
        polices_ = new QListWidget(this);
        polices_->setObjectName(QStringLiteral(u"polices"));
        for (const std::string& face : faces_)
            polices_->addItem(depuisWindows1252(face));
        if (auto trouve = std::find(faces_.begin(), faces_.end(), c.police); trouve != faces_.end())
            polices_->setCurrentRow(static_cast<int>(trouve - faces_.begin()));
        colonnePolices->addWidget(polices_, 1);
        policeHasard_ = caseACocher(u"Police au hasard à chaque nouveau graphique",
                                    "policeAuHasard", c.policeAuHasard, this);
        colonnePolices->addWidget(policeHasard_);
        grille->addLayout(colonnePolices, 0, 1);

        auto* couleurs = new QGroupBox(QStringLiteral(u"Couleurs"), this);
        auto* fc = new QFormLayout(couleurs);
        texte_ = new BoutonCouleur(QStringLiteral(u"couleurTexte"), c.couleurTexte, this);
        traits_ = new BoutonCouleur(QStringLiteral(u"couleurTraits"), c.couleurTraits, this);
        fond_ = new BoutonCouleur(QStringLiteral(u"couleurFond"), c.couleurFond, this);
        fc->addRow(QStringLiteral(u"Texte"), texte_);
        fc->addRow(QStringLiteral(u"Traits"), traits_);
        fc->addRow(QStringLiteral(u"Fond"), fond_);
        selonSexe_ = caseACocher(u"Couleur des individus selon leur sexe", "couleurSelonSexe",
                                 c.couleurSelonSexe, this);
        fc->addRow(selonSexe_);
        hommes_ = new BoutonCouleur(QStringLiteral(u"couleurHommes"), c.couleurHommes, this);
        femmes_ = new BoutonCouleur(QStringLiteral(u"couleurFemmes"), c.couleurFemmes, this);
        fc->addRow(QStringLiteral(u"Hommes"), hommes_);
        fc->addRow(QStringLiteral(u"Femmes"), femmes_);
        grille->addWidget(couleurs, 1, 1);

        auto majEtats = [this] {
            themes_->setEnabled(!themeHasard_->isChecked());
            polices_->setEnabled(!policeHasard_->isChecked());
            hommes_->setEnabled(selonSexe_->isChecked());
            femmes_->setEnabled(selonSexe_->isChecked());
        };
        for (QCheckBox* caseEtat : {themeHasard_, policeHasard_, selonSexe_})
            connect(caseEtat, &QCheckBox::toggled, this, majEtats);
        majEtats();
    }

    void range(Configuration& c) const override {
        if (themes_->currentIndex().isValid())
            c.theme = static_cast<std::uint8_t>(themes_->currentIndex().row());
        c.themeAuHasard = octetCase(themeHasard_, lue_.themeAuHasard);
        // Rien de choisi dans la liste : la face courante reste.
        const int face = polices_->currentRow();
        if (face >= 0 && static_cast<std::size_t>(face) < faces_.size())
            c.police = faces_[static_cast<std::size_t>(face)];
        c.policeAuHasard = octetCase(policeHasard_, lue_.policeAuHasard);
        c.couleurTexte = texte_->couleur();
        c.couleurTraits = traits_->couleur();
        c.couleurFond = fond_->couleur();
        c.couleurSelonSexe = octetCase(selonSexe_, lue_.couleurSelonSexe);
        c.couleurHommes = hommes_->couleur();
        c.couleurFemmes = femmes_->couleur();
    }

private:
    Configuration lue_;
    std::vector<std::string> faces_;
    QListView* themes_;
    QCheckBox* themeHasard_;
    QListWidget* polices_;
    QCheckBox* policeHasard_;
    BoutonCouleur *texte_, *traits_, *fond_, *hommes_, *femmes_;
    QCheckBox* selonSexe_;
};

// Bits proposés pour chaque sorte de graphique, dans l'ordre des colonnes.
constexpr std::array<std::uint8_t, 7> BitsProposes{63, 63, 31, 31, 15, 3, 15};

class PageDonnees : public PagePreferences {
public:
    PageDonnees(const Configuration& c, QWidget* parent)
        : PagePreferences(parent), lues_(c.donneesAffichees) {
        static constexpr const char16_t* Colonnes[] = {
            u"Arbre\nascendant",   u"Arbre\ndescendant",   u"Liste\nascendante",
            u"Liste\ndescendante", u"Liste par\ncritères", u"Tableau\nascendant",
            u"Trombi-\nnoscope"};
        static constexpr const char16_t* Lignes[] = {u"Date et lieu de naissance",
                                                     u"Date et lieu de décès",
                                                     u"Profession",
                                                     u"Commentaire",
                                                     u"Date et lieu de mariage",
                                                     u"Photo"};
        auto* boite = new QVBoxLayout(this);
        auto* grille = new QGridLayout;
        for (int col = 0; col < 7; ++col) {
            auto* titre = new QLabel(texte(Colonnes[col]), this);
            titre->setAlignment(Qt::AlignCenter);
            grille->addWidget(titre, 0, col + 1);
        }
        for (int ligne = 0; ligne < 6; ++ligne) {
            grille->addWidget(new QLabel(texte(Lignes[ligne]), this), ligne + 1, 0);
            const std::uint8_t bit = static_cast<std::uint8_t>(1u << ligne);
            for (int col = 0; col < 7; ++col) {
                if (!(BitsProposes[static_cast<std::size_t>(col)] & bit)) continue;
                auto* c = new QCheckBox(this);
                c->setObjectName(QStringLiteral(u"donnees_%1_%2").arg(col).arg(ligne));
                c->setChecked(lues_[static_cast<std::size_t>(col)] & bit);
                grille->addWidget(c, ligne + 1, col + 1, Qt::AlignCenter);
                cases_[static_cast<std::size_t>(col)][static_cast<std::size_t>(ligne)] = c;
            }
        }
        boite->addLayout(grille);
        boite->addStretch();
    }

    void range(Configuration& c) const override {
        for (std::size_t col = 0; col < 7; ++col) {
            // Les bits que la sorte de graphique ne propose pas gardent leur valeur.
            std::uint8_t octet = lues_[col];
            for (std::size_t ligne = 0; ligne < 6; ++ligne) {
                const QCheckBox* caseBit = cases_[col][ligne];
                if (!caseBit) continue;
                const auto bit = static_cast<std::uint8_t>(1u << ligne);
                octet = caseBit->isChecked() ? (octet | bit) : (octet & ~bit);
            }
            c.donneesAffichees[col] = octet;
        }
    }

private:
    std::array<std::uint8_t, 7> lues_;
    std::array<std::array<QCheckBox*, 6>, 7> cases_{};
};

class PageAfficheurs : public PagePreferences {
public:
    PageAfficheurs(const Configuration& c, QWidget* parent) : PagePreferences(parent) {
        auto* boite = new QVBoxLayout(this);
        auto* groupe = new QGroupBox(
            QStringLiteral(u"Applications utilisées pour afficher les graphiques"), this);
        auto* grille = new QGridLayout(groupe);
        const struct {
            const char16_t* libelle;
            const char* nom;
            const std::string& valeur;
        } lignes[] = {{u"Format PDF :", "afficheurPdf", c.afficheurPdf},
                      {u"Format TXT :", "afficheurTxt", c.afficheurTxt},
                      {u"Format RTF :", "afficheurRtf", c.afficheurRtf},
                      {u"Format Web :", "afficheurWeb", c.afficheurWeb}};
        int rang = 0;
        for (const auto& l : lignes) {
            auto* champ = new QLineEdit(depuisChemin(l.valeur), groupe);
            champ->setObjectName(QString::fromLatin1(l.nom));
            auto* parcourir = new QPushButton(QStringLiteral(u"Parcourir..."), groupe);
            grille->addWidget(new QLabel(texte(l.libelle), groupe), rang, 0);
            grille->addWidget(champ, rang, 1);
            grille->addWidget(parcourir, rang, 2);
            connect(parcourir, &QPushButton::clicked, this, [this, champ] {
                // Sous Linux, une application n'a pas d'extension particulière.
                QString choisi =
                    QFileDialog::getOpenFileName(this, QStringLiteral(u"Application"),
                                                 champ->text(), QStringLiteral(u"Application (*)"));
                if (!choisi.isEmpty()) champ->setText(choisi);
            });
            champs_[static_cast<std::size_t>(rang++)] = champ;
        }
        boite->addWidget(groupe);
        auto* note = new QLabel(
            QStringLiteral(u"Un champ vide désigne l'application associée au format par le "
                           u"bureau."),
            this);
        note->setWordWrap(true);
        boite->addWidget(note);
        boite->addStretch();
    }

    std::string chemin(std::size_t i) const { return versChemin(champs_[i]->text()); }

    std::string verifie() const override {
        for (std::size_t i = 0; i < champs_.size(); ++i)
            if (std::string m = verifieLongueur(chemin(i)); !m.empty()) return m;
        return verifierAfficheurs(chemin(0), chemin(1), chemin(2), chemin(3));
    }

    void range(Configuration& c) const override {
        c.afficheurPdf = chemin(0);
        c.afficheurTxt = chemin(1);
        c.afficheurRtf = chemin(2);
        c.afficheurWeb = chemin(3);
    }

private:
    std::array<QLineEdit*, 4> champs_{};
};

class PageSignature : public PagePreferences {
public:
    PageSignature(const Configuration& c, QWidget* parent)
        : PagePreferences(parent), signerLu_(c.signerPdf) {
        auto* boite = new QVBoxLayout(this);
        signer_ = caseACocher(u"Signer les documents PDF", "signerPdf", c.signerPdf, this);
        boite->addWidget(signer_);
        auto* formulaire = new QFormLayout;
        ligne1_ = new QLineEdit(depuisWindows1252(c.signature1), this);
        ligne2_ = new QLineEdit(depuisWindows1252(c.signature2), this);
        ligne1_->setObjectName(QStringLiteral(u"signature1"));
        ligne2_->setObjectName(QStringLiteral(u"signature2"));
        // Un caractère Windows-1252 par octet : la limite du fichier se compte en caractères.
        for (QLineEdit* l : {ligne1_, ligne2_})
            l->setMaxLength(static_cast<int>(Configuration::LimiteSignature));
        formulaire->addRow(QStringLiteral(u"1ère ligne :"), ligne1_);
        formulaire->addRow(QStringLiteral(u"2de ligne :"), ligne2_);
        fond_ = new BoutonCouleur(QStringLiteral(u"couleurSignature"), c.couleurSignature, this);
        formulaire->addRow(QStringLiteral(u"Couleur de fond de la signature :"), fond_);
        boite->addLayout(formulaire);
        boite->addStretch();
    }

    void range(Configuration& c) const override {
        c.signerPdf = octetCase(signer_, signerLu_);
        c.signature1 = versWindows1252(ligne1_->text());
        c.signature2 = versWindows1252(ligne2_->text());
        c.couleurSignature = fond_->couleur();
    }

private:
    std::uint8_t signerLu_;
    QCheckBox* signer_;
    QLineEdit* ligne1_;
    QLineEdit* ligne2_;
    BoutonCouleur* fond_;
};

} // namespace

BoutonCouleur::BoutonCouleur(const QString& nom, Couleur couleur, QWidget* parent)
    : QWidget(parent) {
    setObjectName(nom);
    auto* ligne = new QHBoxLayout(this);
    ligne->setContentsMargins(0, 0, 0, 0);
    pastille_ = new QLabel(this);
    pastille_->setFixedSize(44, 20);
    pastille_->setFrameShape(QFrame::Box);
    pastille_->setAutoFillBackground(true);
    bouton_ = new QPushButton(QStringLiteral(u"Modifier..."), this);
    ligne->addWidget(pastille_);
    ligne->addWidget(bouton_);
    ligne->addStretch();
    connect(bouton_, &QPushButton::clicked, this, &BoutonCouleur::choisit);
    definitCouleur(couleur);
}

Couleur BoutonCouleur::couleur() const {
    return {static_cast<std::uint8_t>(couleur_.red()), static_cast<std::uint8_t>(couleur_.green()),
            static_cast<std::uint8_t>(couleur_.blue())};
}

void BoutonCouleur::definitCouleur(Couleur c) {
    couleur_ = QColor(c.r, c.g, c.b);
    QPalette palette = pastille_->palette();
    palette.setColor(QPalette::Window, couleur_);
    pastille_->setPalette(palette);
}

void BoutonCouleur::choisit() {
    const QColor choisie = QColorDialog::getColor(couleur_, this, QStringLiteral(u"Couleur"));
    if (!choisie.isValid()) return;
    definitCouleur({static_cast<std::uint8_t>(choisie.red()),
                    static_cast<std::uint8_t>(choisie.green()),
                    static_cast<std::uint8_t>(choisie.blue())});
}

FeuillePreferences::FeuillePreferences(ContexteProgramme& contexte, const QString& page,
                                       QWidget* parent)
    : QDialog(parent), contexte_(contexte) {
    setObjectName(QStringLiteral(u"Preferences"));
    setWindowTitle(QStringLiteral(u"Préférences"));
    // La feuille peut s'ouvrir avant le relevé des polices du démarrage.
    if (contexte_.policesUtilisables.empty()) contexte_.policesUtilisables = policesUtilisables();

    const Configuration& c = contexte_.configuration;
    onglets_ = new QTabWidget(this);
    pages_ = {new PageGeneral(contexte_, onglets_), new PageMiseEnPage(c, onglets_),
              new PageStyles(contexte_, onglets_),  new PageDonnees(c, onglets_),
              new PageAfficheurs(c, onglets_),      new PageSignature(c, onglets_)};
    const char* noms[] = {"DIALOG_PREFER_GENE",       "DIALOG_PREFER_PAGE",
                          "DIALOG_PREFER_STYLES",     "DIALOG_PREFER_DONNEES",
                          "DIALOG_PREFER_AFFICHEURS", "DIALOG_PREFER_SIGNATURE"};
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->setObjectName(QString::fromLatin1(noms[i]));
        onglets_->addTab(pages_[i], texte(PagesPreferences[i]));
        if (texte(PagesPreferences[i]) == page) onglets_->setCurrentIndex(static_cast<int>(i));
    }
    pagesVues_.insert(onglets_->currentIndex());
    connect(onglets_, &QTabWidget::currentChanged, this,
            [this](int index) { pagesVues_.insert(index); });

    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral(u"Annuler"));
    connect(boutons, &QDialogButtonBox::accepted, this, &FeuillePreferences::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &FeuillePreferences::reject);

    auto* boite = new QVBoxLayout(this);
    boite->addWidget(onglets_);
    boite->addWidget(boutons);
}

FeuillePreferences::~FeuillePreferences() = default;

void FeuillePreferences::definitDerniereVersionAnnoncee(const std::string& version) {
    static_cast<PageGeneral*>(pages_[0])->definitDerniereVersion(version);
}

bool FeuillePreferences::valide() {
    auto& interaction = contexte_.interaction;
    for (PagePreferences* page : pages_) {
        if (std::string m = page->verifie(); !m.empty()) {
            onglets_->setCurrentWidget(page);
            interaction.message(m);
            return false;
        }
    }
    Configuration nouvelle = contexte_.configuration;
    for (const PagePreferences* page : pages_)
        page->range(nouvelle);
    const bool faceChangee = nouvelle.police != contexte_.configuration.police;
    contexte_.configuration = nouvelle;
    if (faceChangee) contexte_.polices.charger(contexte_.configuration.police, interaction);

    // Comme une page jamais ouverte ne fait rien, l'afficheur PDF n'est résolu de nouveau que
    // si la page Afficheurs a été vue.
    const int afficheurs = onglets_->indexOf(pages_[4]);
    if (pagesVues_.contains(afficheurs) &&
        !contexte_.afficheurs.afficheurPdf(contexte_.configuration.afficheurPdf,
                                           contexte_.repertoires.donnees))
        interaction.message(MESSAGE_AFFICHEUR_PDF_INACCESSIBLE);

    enregistreConfiguration(contexte_.configuration, contexte_.repertoires.configuration,
                            interaction);
    return true;
}

void FeuillePreferences::accept() {
    if (valide()) QDialog::accept();
}

} // namespace veltrane
