#include "interface/DialoguePersonne.h"

#include "application/ChoixPersonne.h"
#include "application/ContexteProgramme.h"
#include "base/RegleNoms.h"
#include "graphiques/TextesPersonne.h"
#include "interface/ChampNom.h"
#include "interface/DernieresPersonnes.h"
#include "interface/DialogueDerniers.h"
#include "interface/DialogueHomonymes.h"
#include "interface/DialogueOptionsFichier.h"
#include "interface/ModeleIndex.h"
#include "interface/PlagesIndex.h"
#include "interface/TexteQt.h"
#include "plateforme/MetriquesPolice.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>
#include <stdexcept>

namespace veltrane {

namespace {

constexpr std::int32_t LONGUEUR_LECTURE = 71;

QListView* vueIndex(ModeleIndex* modele, const char* nom, QWidget* parent) {
    auto* vue = new QListView(parent);
    vue->setObjectName(QString::fromLatin1(nom));
    // Lignes de même hauteur : la vue ne mesure jamais toutes les lignes.
    vue->setUniformItemSizes(true);
    vue->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vue->setSelectionMode(QAbstractItemView::SingleSelection);
    vue->setModel(modele);
    return vue;
}

const GenealogieOuverte& genealogieOuverte(const ContexteProgramme& contexte) {
    if (!contexte.genealogie) throw std::logic_error("aucune généalogie ouverte");
    return *contexte.genealogie;
}

} // namespace

NomsPersonne nomsPersonne(const GenealogieOuverte& genealogie, std::int32_t personne) {
    const BaseGenealogique& base = genealogie.base();
    const Individu i = base.lireIndividu(personne);
    NomsPersonne noms{base.lireTexte(Zone::Noms, i.nom, LONGUEUR_LECTURE),
                      base.lireTexte(Zone::Prenoms, i.prenoms, LONGUEUR_LECTURE)};
    if (base.gestionMajuscules()) {
        appliquerRegleNom(noms.nom);
        appliquerReglePrenoms(noms.prenoms);
    }
    return noms;
}

std::string texteRecent(const GenealogieOuverte& genealogie, std::int32_t personne) {
    static const MetriquesPolice police{};
    constexpr std::int32_t sansLimite = std::numeric_limits<std::int32_t>::max() / 4;
    const BaseGenealogique& base = genealogie.base();
    const Individu i = base.lireIndividu(personne);
    std::string texte = nomAffiche(base, personne, base.gestionMajuscules()) + " (" +
                        texteEvenement(base, i.naissance, 0, sansLimite, police).texte + "-" +
                        texteEvenement(base, i.deces, 0, sansLimite, police).texte + ")";
    if (texte.size() > DernieresPersonnes::LONGUEUR_TEXTE)
        texte.resize(DernieresPersonnes::LONGUEUR_TEXTE);
    return texte;
}

DialoguePersonne::DialoguePersonne(ContexteProgramme& contexte, DernieresPersonnes& derniers,
                                   const QString& titre, bool descendant, bool depuisOptions,
                                   QWidget* parent)
    : QDialog(parent), contexte_(contexte), genealogie_(genealogieOuverte(contexte)),
      derniers_liste_(derniers), depuisOptions_(depuisOptions) {
    setObjectName(descendant ? QStringLiteral(u"DIALOG_DEMPERS_DESC")
                             : QStringLiteral(u"DIALOG_DEMPERS"));
    setWindowTitle(titre);
    const BaseGenealogique& base = genealogie_.base();
    const bool regle = base.gestionMajuscules();

    nom_ = new ChampNom(ChampNom::Sorte::Nom, regle, this);
    nom_->setObjectName(QStringLiteral(u"nom"));
    prenoms_ = new ChampNom(ChampNom::Sorte::Prenoms, regle, this);
    prenoms_->setObjectName(QStringLiteral(u"prenoms"));
    modeleNoms_ = new ModeleIndex(base, ModeleIndex::Champ::Nom, this);
    modelePrenoms_ = new ModeleIndex(base, ModeleIndex::Champ::Prenoms, this);
    listeNoms_ = vueIndex(modeleNoms_, "listeNoms", this);
    listePrenoms_ = vueIndex(modelePrenoms_, "listePrenoms", this);

    casePhonetique_ = new QCheckBox(QStringLiteral(u"Recherche phonétique"), this);
    casePhonetique_->setObjectName(QStringLiteral(u"phonetique"));
    if (descendant) {
        caseSommet_ = new QCheckBox(QStringLiteral(u"Sommet de branche"), this);
        caseSommet_->setObjectName(QStringLiteral(u"sommet"));
    }
    derniers_ = new QPushButton(QStringLiteral(u"Derniers"), this);
    derniers_->setObjectName(QStringLiteral(u"derniers"));
    derniers_->setAutoDefault(false);
    moi_ = new QPushButton(QStringLiteral(u"Moi"), this);
    moi_->setObjectName(QStringLiteral(u"moi"));
    moi_->setAutoDefault(false);
    auto* boutons = new QDialogButtonBox(this);
    ok_ = boutons->addButton(QStringLiteral(u"OK"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    boutons->addButton(QStringLiteral(u"Annuler"), QDialogButtonBox::RejectRole);

    auto* grille = new QGridLayout;
    grille->addWidget(new QLabel(QStringLiteral(u"Nom :"), this), 0, 0);
    grille->addWidget(new QLabel(QStringLiteral(u"Prénoms :"), this), 0, 1);
    grille->addWidget(nom_, 1, 0);
    grille->addWidget(prenoms_, 1, 1);
    grille->addWidget(listeNoms_, 2, 0);
    grille->addWidget(listePrenoms_, 2, 1);
    auto* cases = new QHBoxLayout;
    cases->addWidget(casePhonetique_);
    if (caseSommet_) cases->addWidget(caseSommet_);
    cases->addStretch();
    cases->addWidget(derniers_);
    cases->addWidget(moi_);
    auto* principal = new QVBoxLayout(this);
    principal->addLayout(grille);
    principal->addLayout(cases);
    principal->addWidget(boutons);

    connect(nom_, &QLineEdit::textEdited, this, [this] { surNomModifie(); });
    connect(prenoms_, &QLineEdit::textEdited, this, [this] { surPrenomsModifies(); });
    connect(listeNoms_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& courant) { surLigneNom(courant.row()); });
    connect(listePrenoms_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& courant) { surLignePrenoms(courant.row()); });
    connect(listeNoms_, &QListView::clicked, this,
            [this](const QModelIndex& i) { surLigneNom(i.row()); });
    connect(listePrenoms_, &QListView::clicked, this,
            [this](const QModelIndex& i) { surLignePrenoms(i.row()); });
    connect(listePrenoms_, &QListView::doubleClicked, this, [this] {
        if (ok_->isEnabled()) accept();
    });
    connect(casePhonetique_, &QCheckBox::toggled, this, [this](bool a) { surPhonetique(a); });
    if (caseSommet_)
        connect(caseSommet_, &QCheckBox::toggled, this, [this](bool a) { surSommet(a); });
    connect(derniers_, &QPushButton::clicked, this, [this] { surDerniers(); });
    connect(moi_, &QPushButton::clicked, this, [this] { surMoi(); });
    connect(boutons, &QDialogButtonBox::accepted, this, &DialoguePersonne::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &DialoguePersonne::reject);

    // Ouverture : recherche exacte, sans filtre, liste des noms tirée de l'index.
    modeleNoms_->remplirNoms(genealogie_.index().indexNoms(), false);
    derniers_->setEnabled(!derniers_liste_.estVide());
    moi_->setEnabled(!(depuisOptions_ && genealogie_.moi() <= 0));
    surNomModifie();
    nom_->setFocus();
}

DialoguePersonne::~DialoguePersonne() = default;

const IndexPersonnes& DialoguePersonne::indexEnUsage() const {
    const IndexNoms& index = genealogie_.index();
    return phonetique_ ? index.indexPhonetique() : index.indexNoms();
}

std::string DialoguePersonne::nom() const {
    return nom_->texte();
}

std::string DialoguePersonne::prenoms() const {
    return prenoms_->texte();
}

void DialoguePersonne::definirSelection(const std::string& nom, const std::string& prenoms,
                                        std::int32_t personne) {
    nom_->definirTexte(nom);
    prenoms_->definirTexte(prenoms);
    surNomModifie();
    choisie_ = personne > 0 ? personne : -1;
}

void DialoguePersonne::surNomModifie() {
    miseAJour_ = true;
    const std::string texte = nom_->texte();
    modelePrenoms_->remplirPrenoms(indexEnUsage(),
                                   plageNom(indexEnUsage(), cleNomTape(texte, phonetique_)));
    // La liste des noms suit la saisie : le premier nom qui n'est pas au-dessous du texte.
    const IndexPersonnes& noms = genealogie_.index().indexNoms();
    const int ligne = modeleNoms_->ligneDe(noms.premierNonInferieur(cleNomTape(texte, false)));
    if (ligne >= 0) {
        const QModelIndex i = modeleNoms_->index(ligne);
        listeNoms_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
        listeNoms_->scrollTo(i, QAbstractItemView::PositionAtTop);
    }
    miseAJour_ = false;
    surPrenomsModifies();
}

void DialoguePersonne::surPrenomsModifies() {
    choisie_ = -1;
    actualiserOk();
}

void DialoguePersonne::surLigneNom(int ligne) {
    if (miseAJour_ || ligne < 0) return;
    nom_->definirTexte(modeleNoms_->texte(ligne));
    surNomModifie();
}

void DialoguePersonne::surLignePrenoms(int ligne) {
    if (miseAJour_ || ligne < 0) return;
    prenoms_->definirTexte(modelePrenoms_->texte(ligne));
    surPrenomsModifies();
}

std::vector<std::int32_t> DialoguePersonne::personnesCorrespondantes() const {
    std::vector<std::int32_t> personnes;
    const IndexPersonnes& index = indexEnUsage();
    const PlageIndex plage =
        plageCle(index, cleNomTape(nom(), phonetique_), clePrenomsTapes(prenoms(), phonetique_));
    const BaseGenealogique& base = genealogie_.base();
    for (std::size_t p = plage.debut; p < plage.fin && personnes.size() < HOMONYMES_MAX; ++p) {
        const std::int32_t n = index.entree(p).personne;
        if (!sommet_ || base.estTeteLignee(n)) personnes.push_back(n);
    }
    return personnes;
}

void DialoguePersonne::actualiserOk() {
    const IndexPersonnes& index = indexEnUsage();
    const PlageIndex plage =
        plageCle(index, cleNomTape(nom(), phonetique_), clePrenomsTapes(prenoms(), phonetique_));
    bool possible = !plage.estVide();
    if (possible && sommet_) {
        possible = false;
        const BaseGenealogique& base = genealogie_.base();
        for (std::size_t p = plage.debut; p < plage.fin && !possible; ++p)
            possible = base.estTeteLignee(index.entree(p).personne);
    }
    ok_->setEnabled(possible);
}

void DialoguePersonne::surPhonetique(bool active) {
    phonetique_ = active;
    surNomModifie();
}

void DialoguePersonne::surSommet(bool active) {
    sommet_ = active;
    modeleNoms_->remplirNoms(genealogie_.index().indexNoms(), sommet_);
    surNomModifie();
}

void DialoguePersonne::surDerniers() {
    DialogueDerniers dialogue(derniers_liste_.entrees(), this);
    if (dialogue.exec() != QDialog::Accepted || dialogue.ligneChoisie() < 0) return;
    const PersonneRecente& p =
        derniers_liste_.entrees().at(static_cast<std::size_t>(dialogue.ligneChoisie()));
    definirSelection(p.nom, p.prenoms, p.personne);
}

void DialoguePersonne::surMoi() {
    if (genealogie_.moi() <= 0) {
        if (!contexte_.interaction.question(QUESTION_MOI_INDEFINI)) return;
        // L'état de ce dialogue est le sien : il traverse celui des options intact.
        DialogueOptionsFichier options(contexte_, derniers_liste_, this);
        options.exec();
        if (genealogie_.moi() <= 0) return;
    }
    const std::int32_t moi = genealogie_.moi();
    const NomsPersonne noms = nomsPersonne(genealogie_, moi);
    definirSelection(noms.nom, noms.prenoms, moi);
}

void DialoguePersonne::accept() {
    // Entrée dans un champ quand la clé n'existe pas : rien.
    if (!ok_->isEnabled() && choisie_ <= 0) return;
    QDialog::accept();
}

std::int32_t choisirPersonne(QWidget* proprietaire, ContexteProgramme& contexte,
                             DernieresPersonnes& derniers, const QString& titre,
                             std::int32_t initiale, std::string& nom, std::string& prenoms,
                             bool descendant, bool depuisOptions) {
    const GenealogieOuverte& genealogie = genealogieOuverte(contexte);
    DialoguePersonne dialogue(contexte, derniers, titre, descendant, depuisOptions, proprietaire);
    if (initiale > 0 && initiale <= genealogie.nombreIndividus()) {
        const NomsPersonne noms = nomsPersonne(genealogie, initiale);
        dialogue.definirSelection(noms.nom, noms.prenoms, initiale);
    } else {
        nom.clear();
        prenoms.clear();
    }
    if (dialogue.exec() != QDialog::Accepted) return -1;

    const bool phonetique = dialogue.phonetique();
    std::int32_t resultat = dialogue.personneChoisie();
    if (resultat <= 0) {
        const std::vector<std::int32_t> personnes = dialogue.personnesCorrespondantes();
        if (personnes.empty()) return -1;
        if (personnes.size() == 1) {
            resultat = personnes.front();
        } else {
            DialogueHomonymes homonymes(genealogie.base(), personnes, dialogue.nom(),
                                        dialogue.prenoms(), phonetique, proprietaire);
            if (homonymes.exec() != QDialog::Accepted || homonymes.personneChoisie() <= 0)
                return -1;
            resultat = homonymes.personneChoisie();
        }
    }

    PersonneRecente recente;
    const NomsPersonne ranges = nomsPersonne(genealogie, resultat);
    if (phonetique) {
        recente.nom = ranges.nom;
        recente.prenoms = ranges.prenoms;
    } else {
        recente.nom = dialogue.nom();
        recente.prenoms = dialogue.prenoms();
        if (genealogie.base().gestionMajuscules()) {
            appliquerRegleNom(recente.nom);
            appliquerReglePrenoms(recente.prenoms);
        }
    }
    nom = recente.nom;
    prenoms = recente.prenoms;
    recente.personne = resultat;
    recente.texte = texteRecent(genealogie, resultat);
    recente.annee = genealogie.estimation().anneeEstimee(resultat);
    derniers.retenir(std::move(recente));
    return resultat;
}

} // namespace veltrane
