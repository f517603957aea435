#include "application/RegistreNettoyage.h"
#include "plateforme/OperationImpossible.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace veltrane;

TEST(RegistreNettoyage, ExecuteLaDerniereInscriteDAbordPuisSeVide) {
    RegistreNettoyage r;
    std::string ordre;
    r.inscrire([&] { ordre += 'a'; });
    r.inscrire([&] { ordre += 'b'; });
    r.inscrire([&] { ordre += 'c'; });
    r.executer();
    EXPECT_EQ(ordre, "cba");
    EXPECT_EQ(r.taille(), 0u);
    r.executer();
    EXPECT_EQ(ordre, "cba");
}

TEST(RegistreNettoyage, SixFonctionsAuPlus) {
    RegistreNettoyage r;
    for (std::size_t i = 0; i < RegistreNettoyage::Capacite; ++i)
        r.inscrire([] {});
    EXPECT_THROW(r.inscrire([] {}), std::length_error);
    EXPECT_EQ(r.taille(), RegistreNettoyage::Capacite);
    r.executer();
    EXPECT_NO_THROW(r.inscrire([] {}));
}

TEST(RegistreNettoyage, UneFonctionQuiLeveNEmpechePasLesAutres) {
    RegistreNettoyage r;
    int appels = 0;
    r.inscrire([&] { ++appels; });
    r.inscrire([&] { throw std::runtime_error("panne"); });
    r.inscrire([&] { ++appels; });
    r.executer();
    EXPECT_EQ(appels, 2);
    EXPECT_EQ(r.taille(), 0u);
}

TEST(RegistreNettoyage, RetirerNeTouchePasAuxAutres) {
    RegistreNettoyage r;
    std::string ordre;
    auto a = r.inscrire([&] { ordre += 'a'; });
    r.inscrire([&] { ordre += 'b'; });
    r.retirer(a);
    r.retirer(a);
    r.retirer(999);
    r.executer();
    EXPECT_EQ(ordre, "b");
}

TEST(RegistreNettoyage, InscriptionRetireeEnSortieNormaleGardeeSurException) {
    RegistreNettoyage r;
    int appels = 0;
    {
        InscriptionNettoyage i([&] { ++appels; }, r);
        EXPECT_EQ(r.taille(), 1u);
    }
    EXPECT_EQ(r.taille(), 0u);
    try {
        InscriptionNettoyage i([&] { ++appels; }, r);
        throw OperationImpossible("interrompu");
    } catch (const OperationImpossible&) {
        // Comme le gestionnaire de la fenêtre : le registre est encore plein ici.
        EXPECT_EQ(r.taille(), 1u);
        r.executer();
    }
    EXPECT_EQ(appels, 1);
}

TEST(RegistreNettoyage, InscriptionPendantUnDeroulementDejaEnCours) {
    // Une portée ouverte dans un destructeur pendant une exception se termine normalement :
    // sa fonction doit être retirée.
    RegistreNettoyage r;
    struct Destructeur {
        RegistreNettoyage& r;
        ~Destructeur() {
            InscriptionNettoyage i([] {}, r);
        }
    };
    try {
        Destructeur d{r};
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(r.taille(), 0u);
}
