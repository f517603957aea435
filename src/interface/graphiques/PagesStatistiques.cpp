#include "interface/graphiques/PagesStatistiques.h"

#include "application/ContexteProgramme.h"
#include "graphiques/Catalogue.h"
#include "graphiques/statistiques/DessinStatistiques.h"
#include "graphiques/statistiques/StatistiquesAges.h"
#include "graphiques/statistiques/StatistiquesAscendance.h"
#include "graphiques/statistiques/StatistiquesCategories.h"
#include "graphiques/statistiques/StatistiquesNaissances.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/PageParametres.h"
#include "interface/TexteQt.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace veltrane {

namespace {

QCheckBox* caseConjoints(bool coche, QWidget* parent) {
    auto* c = new QCheckBox(QStringLiteral(u"Intègre les conjoints des descendants"), parent);
    c->setChecked(coche);
    return c;
}

// « âge au 1° mariage » ou « âge au décès », l'évolution, les conjoints (descendants).
class PageAges : public PageParametres {
public:
    PageAges(ParametresStatistiquesAges& p, bool descendant, QWidget* parent = nullptr)
        : PageParametres(parent), p_(p) {
        setObjectName(descendant ? QStringLiteral(u"DIALOG_SA_D_GENE")
                                 : QStringLiteral(u"DIALOG_SA_GENE"));
        auto* disposition = new QVBoxLayout(this);
        mariage_ = new QRadioButton(QStringLiteral(u"âge au 1° mariage"), this);
        auto* deces = new QRadioButton(QStringLiteral(u"âge au décès"), this);
        (p.evenement == 1 ? deces : mariage_)->setChecked(true);
        evolution_ = new QCheckBox(QStringLiteral(u"Indique l'évolution au cours des siècles"), this);
        evolution_->setChecked(p.evolution);
        disposition->addWidget(mariage_);
        disposition->addWidget(deces);
        disposition->addWidget(evolution_);
        if (descendant) disposition->addWidget(conjoints_ = caseConjoints(p.conjoints, this));
        disposition->addStretch();
    }
    bool valide() override {
        p_.evenement = mariage_->isChecked() ? 0 : 1;
        p_.evolution = evolution_->isChecked();
        if (conjoints_) p_.conjoints = conjoints_->isChecked();
        return true;
    }

private:
    ParametresStatistiquesAges& p_;
    QRadioButton* mariage_;
    QCheckBox* evolution_;
    QCheckBox* conjoints_ = nullptr;
};

// « Regroupement par intervalles de » N « année(s) ».
class PageNaissances : public PageParametres {
public:
    PageNaissances(ParametresStatistiquesNaissances& p, bool descendant, QWidget* parent = nullptr)
        : PageParametres(parent), p_(p) {
        setObjectName(descendant ? QStringLiteral(u"DIALOG_SN_D_GENE")
                                 : QStringLiteral(u"DIALOG_SN_GENE"));
        auto* disposition = new QVBoxLayout(this);
        auto* ligne = new QHBoxLayout;
        ligne->addWidget(new QLabel(QStringLiteral(u"Regroupement par intervalles de"), this));
        intervalle_ = new QSpinBox(this);
        intervalle_->setRange(1, StatistiqueNaissances::INTERVALLE_MAX);
        intervalle_->setValue(StatistiqueNaissances::intervalleBorne(p.intervalle));
        ligne->addWidget(intervalle_);
        ligne->addWidget(new QLabel(QStringLiteral(u"année(s)"), this));
        ligne->addStretch();
        disposition->addLayout(ligne);
        if (descendant) disposition->addWidget(conjoints_ = caseConjoints(p.conjoints, this));
        disposition->addStretch();
    }
    bool valide() override {
        p_.intervalle = static_cast<std::uint16_t>(intervalle_->value());
        if (conjoints_) p_.conjoints = conjoints_->isChecked();
        return true;
    }

private:
    ParametresStatistiquesNaissances& p_;
    QSpinBox* intervalle_;
    QCheckBox* conjoints_ = nullptr;
};

// Une catégorie par personne, la liste des catégories.
class PageCategories : public PageParametres {
public:
    PageCategories(ParametresStatistiquesCategories& p, bool descendant, QWidget* parent = nullptr)
        : PageParametres(parent), p_(p) {
        setObjectName(descendant ? QStringLiteral(u"DIALOG_SC_D_GENE")
                                 : QStringLiteral(u"DIALOG_SC_GENE"));
        auto* disposition = new QVBoxLayout(this);
        une_ = new QCheckBox(QStringLiteral(u"Limite à une seule catégorie par personne"), this);
        une_->setChecked(p.uneCategorie);
        liste_ = new QCheckBox(QStringLiteral(u"Affiche la liste des catégories"), this);
        liste_->setChecked(p.liste);
        disposition->addWidget(une_);
        disposition->addWidget(liste_);
        if (descendant) disposition->addWidget(conjoints_ = caseConjoints(p.conjoints, this));
        disposition->addStretch();
    }
    bool valide() override {
        p_.uneCategorie = une_->isChecked();
        p_.liste = liste_->isChecked();
        if (conjoints_) p_.conjoints = conjoints_->isChecked();
        return true;
    }

private:
    ParametresStatistiquesCategories& p_;
    QCheckBox* une_;
    QCheckBox* liste_;
    QCheckBox* conjoints_ = nullptr;
};

// Une page pour l'ascendance, qui n'en montre aucune.
class PageAucune {};

// Paramètres, page et titre du dialogue de la personne, selon la famille de la commande.
template <int Famille> struct Statistique;
template <> struct Statistique<0> {
    using Parametres = ParametresStatistiquesAscendance;
    using Page = PageAucune;
    static constexpr const char* TITRE = "Statistiques d'ascendance";
};
template <> struct Statistique<2> {
    using Parametres = ParametresStatistiquesAges;
    using Page = PageAges;
    static constexpr const char* TITRE = "Statistiques sur les âges";
};
template <> struct Statistique<3> {
    using Parametres = ParametresStatistiquesNaissances;
    using Page = PageNaissances;
    static constexpr const char* TITRE = "Statistiques sur les naissances";
};
template <> struct Statistique<4> {
    using Parametres = ParametresStatistiquesCategories;
    using Page = PageCategories;
    static constexpr const char* TITRE = "Statistiques sur les professions";
};
template <> struct Statistique<5> : Statistique<4> {
    static constexpr const char* TITRE = "Statistiques sur les sources";
};

} // namespace

template <int Commande>
bool demanderStatistiques(QWidget* proprietaire, ContexteProgramme& contexte,
                          DernieresPersonnes& derniers, ValeursParametres& valeurs) {
    using S = Statistique<Commande / 10 % 10>;
    const DescriptionGraphique& graphique = *graphiqueParCommande(Commande);
    typename S::Parametres p;
    affecteParametres(valeurs, p.destinations());
    const bool ascendance = Commande / 10 % 10 == 0;
    const GenrePopulation genre =
        ascendance ? GenrePopulation::Ascendance : genreDeCommande(Commande);
    p.nomRacine.clear(); // le document prend le nom de la personne choisie
    if (genre == GenrePopulation::Complete) {
        p.racine = 0;
    } else {
        std::string nom, prenoms;
        const std::int32_t racine =
            choisirPersonne(proprietaire, contexte, derniers, depuisWindows1252(S::TITRE),
                            p.racine, nom, prenoms, genre == GenrePopulation::Descendance);
        if (racine <= 0) return false;
        p.racine = racine;
    }
    if constexpr (!std::is_same_v<typename S::Page, PageAucune>) {
        FeuilleParametres feuille(QStringLiteral(u"Statistiques"), proprietaire);
        feuille.ajouterPage(new typename S::Page(p, genre == GenrePopulation::Descendance),
                            QStringLiteral(u"Général"));
        if (feuille.exec() != QDialog::Accepted) return false;
    }
    valeurs = valeursDesVariables(graphique.parametres, p.destinations());
    return true;
}

template bool demanderStatistiques<6701>(QWidget*, ContexteProgramme&, DernieresPersonnes&,
                                         ValeursParametres&);
#define VELTRANE_STATISTIQUE(C)                                                                   \
    template bool demanderStatistiques<C>(QWidget*, ContexteProgramme&, DernieresPersonnes&,     \
                                          ValeursParametres&)
VELTRANE_STATISTIQUE(6721);
VELTRANE_STATISTIQUE(6722);
VELTRANE_STATISTIQUE(6723);
VELTRANE_STATISTIQUE(6731);
VELTRANE_STATISTIQUE(6732);
VELTRANE_STATISTIQUE(6733);
VELTRANE_STATISTIQUE(6741);
VELTRANE_STATISTIQUE(6742);
VELTRANE_STATISTIQUE(6743);
VELTRANE_STATISTIQUE(6751);
VELTRANE_STATISTIQUE(6752);
VELTRANE_STATISTIQUE(6753);
#undef VELTRANE_STATISTIQUE

} // namespace veltrane
