#include "sortie/SortieTexte.h"
#include "plateforme/OperationImpossible.h"
#include "commun/LimiteTailleFichier.h"
#include "commun/RepertoireEssai.h"
#include "plateforme/TexteUtf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <locale>
#include <stdexcept>
#include <string>

namespace veltrane::essai {

namespace {

std::string lireTexte(const RepertoireEssai& rep, const std::string& nom) {
    std::vector<std::uint8_t> octets = rep.lire(nom);
    return {octets.begin(), octets.end()};
}

void attendMessage(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "aucune exception, attendu : " << message;
    } catch (const OperationImpossible& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
}

// Locale d'une interface qui groupe les milliers : les documents ne doivent pas la suivre.
struct MilliersGroupes : std::numpunct<char> {
    char do_thousands_sep() const override { return ' '; }
    std::string do_grouping() const override { return "\3"; }
    char do_decimal_point() const override { return ','; }
};

} // namespace

TEST(SortieTexte, LignesEnLfEtUtf8) {
    RepertoireEssai rep;
    SortieTexte texte;
    texte.ouvre(rep.fichier("l.txt"));
    texte << "------------------------------ 1\xB0 GENERATION\n" << 12 << " Léon\n\nx";
    texte.ferme();
    EXPECT_EQ(lireTexte(rep, "l.txt"),
              "------------------------------ 1\xC2\xB0 GENERATION\n12 L\xC3\xA9on\n\nx");
}

TEST(SortieTexte, TamponPleinCoupeAuMilieuDesLignes) {
    // Plusieurs tampons de 64 Kio, des fins de ligne et des lettres accentuées (deux octets en
    // UTF-8) à cheval sur leurs limites.
    RepertoireEssai rep;
    std::string attendu;
    {
        SortieTexte texte;
        texte.ouvre(rep.fichier("g.txt"));
        for (int i = 0; i < 30000; ++i) {
            std::string ligne =
                std::string(static_cast<std::size_t>(i % 13), 'a') + std::to_string(i);
            texte << ligne << '\n';
            attendu += ligne + "\n";
        }
        std::string bloc(200000, 'z');
        bloc[65535] = '\n';
        bloc[65536] = '\xE9';
        bloc[131071] = '\xE9';
        texte.write(bloc.data(), static_cast<std::streamsize>(bloc.size()));
        texte.ferme();
        attendu += versUtf8(bloc);
    }
    std::string lu = lireTexte(rep, "g.txt");
    EXPECT_EQ(lu.size(), attendu.size());
    EXPECT_TRUE(lu == attendu);
}

TEST(SortieTexte, NombresSansSeparateurQuelleQueSoitLaLocale) {
    RepertoireEssai rep;
    std::locale avant =
        std::locale::global(std::locale(std::locale::classic(), new MilliersGroupes));
    {
        SortieTexte texte;
        texte.ouvre(rep.fichier("n.txt"));
        texte << 1234567 << ' ' << 2.5;
        texte.ferme();
    }
    std::locale::global(avant);
    EXPECT_EQ(lireTexte(rep, "n.txt"), "1234567 2.5");
}

TEST(SortieTexte, MessagesDOuvertureEtDEcriture) {
    RepertoireEssai rep;
    SortieTexte texte;
    attendMessage([&] { texte.ouvre(rep.fichier("absent/l.txt")); },
                  "Création impossible du document « " + rep.fichier("absent/l.txt") +
                      " » : Aucun fichier ou dossier de ce type");
    attendMessage([&] { texte.ouvre(rep.chemin()); },
                  "Création impossible du document « " + rep.chemin() + " » : Est un dossier");

    // Le disque plein n'apparaît qu'au vidage : petite et grande écriture. L'ancien document
    // reste entier et aucun fichier temporaire ne traîne.
    rep.ecrire("plein.txt", {'b', 'o', 'n'});
    for (std::size_t taille : {std::size_t{10}, std::size_t{300000}}) {
        SortieTexte plein;
        plein.ouvre(rep.fichier("plein.txt"));
        plein << std::string(taille, 'x') << "\n";
        LimiteTailleFichier limite(4);
        attendMessage([&] { plein.ferme(); }, "Écriture impossible du document « " +
                                                  rep.fichier("plein.txt") +
                                                  " » : Fichier trop volumineux");
    }
    EXPECT_EQ(lireTexte(rep, "plein.txt"), "bon");
    EXPECT_EQ(rep.noms(), std::vector<std::string>{"plein.txt"});

    // Un document réussi se ferme sans message, et le fichier est bien là.
    texte.ouvre(rep.fichier("ok.txt"));
    texte << "ok\n";
    EXPECT_NO_THROW(texte.ferme());
    EXPECT_EQ(lireTexte(rep, "ok.txt"), "ok\n");
}

TEST(SortieTexte, OuvertureTronqueEtReouverture) {
    RepertoireEssai rep;
    rep.ecrire("t.txt", std::vector<std::uint8_t>(1000, 'q'));
    SortieTexte texte;
    texte.ouvre(rep.fichier("t.txt"));
    texte << "a\n";
    // Réouvrir un autre fichier ferme le premier et repart d'un état sain.
    texte.ouvre(rep.fichier("u.txt"));
    texte << "b\n";
    texte.ferme();
    EXPECT_EQ(lireTexte(rep, "t.txt"), "a\n");
    EXPECT_EQ(lireTexte(rep, "u.txt"), "b\n");

    // Abandon par une exception : ce qui est écrit reste, sans message.
    try {
        SortieTexte abandon;
        abandon.ouvre(rep.fichier("v.txt"));
        abandon << "début\n";
        throw std::runtime_error("abandon");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(lireTexte(rep, "v.txt"), "d\xC3\xA9"
                                       "but\n");
}

} // namespace veltrane::essai
