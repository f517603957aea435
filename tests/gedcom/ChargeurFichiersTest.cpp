// Chargeur GEDCOM sur de vrais fichiers : le même contenu dans plusieurs jeux de caractères
// donne la même généalogie ; les fichiers de la version 7 gardent personnes et familles ;
// un fichier fautif produit généré donne chacun des messages attendus.
#include "gedcom/ChargeurGedcom.h"

#include "commun/InteractionEssai.h"
#include "commun/RepertoireEssai.h"

#include <gtest/gtest.h>

#include <codecvt>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using namespace veltrane;

namespace {

ResultatChargement charger(const std::string& chemin) {
    essai::InteractionEssai interaction;
    return chargerGedcom({chemin}, {}, interaction);
}

std::string corpus(const char* nom) {
    return std::string(VELTRANE_CORPUS_DIR) + "/" + nom;
}

// Ce qu'un utilisateur voit d'une personne : noms, lieux et dates de naissance et de décès,
// profession, parents, première union.
std::string resume(const BaseGenealogique& base, std::int32_t n) {
    const Individu i = base.lireIndividu(n);
    std::ostringstream s;
    s << base.lireTexte(Zone::Prenoms, i.prenoms, 200) << '/'
      << base.lireTexte(Zone::Noms, i.nom, 200) << '|' << i.sexe << '|'
      << base.lireTexte(Zone::Professions, i.profession, 200) << '|' << i.pere << ',' << i.mere
      << ',' << i.premiereUnion;
    for (std::int32_t e : {i.naissance, i.deces}) {
        const Evenement ev = base.lireEvenement(e);
        s << '|' << ev.date.jour << '.' << ev.date.mois << '.' << ev.date.anneeRangee() << ' '
          << base.lireLieu(ev.lieu);
    }
    return s.str();
}

std::vector<std::string> resumes(const BaseGenealogique& base) {
    std::vector<std::string> r;
    for (std::int32_t n = 1; n <= base.nombreIndividus(); ++n)
        r.push_back(resume(base, n));
    return r;
}

std::size_t compter(const std::string& chemin, const std::regex& motif) {
    std::ifstream f(chemin, std::ios::binary);
    std::size_t n = 0;
    for (std::string ligne; std::getline(f, ligne);)
        if (std::regex_search(ligne, motif)) ++n;
    return n;
}

// Enregistrements INDI qui portent une ligne « 1 NAME ».
std::size_t individusNommes(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::size_t n = 0;
    bool individu = false, compte = false;
    for (std::string ligne; std::getline(f, ligne);) {
        if (ligne.rfind("0 ", 0) == 0) {
            individu = std::regex_search(ligne, std::regex("^0 @[^@]+@ INDI"));
            compte = false;
        } else if (individu && !compte && ligne.rfind("1 NAME ", 0) == 0) {
            compte = true;
            ++n;
        }
    }
    return n;
}

} // namespace

TEST(ChargeurFichiers, Utf16GrosEtPetitBoutisteCommeUtf8) {
    const ResultatChargement utf8 = charger(corpus("555SAMPLE.ged"));
    ASSERT_EQ(utf8.base->nombreIndividus(), 3);
    const std::vector<std::string> attendus = resumes(*utf8.base);
    for (const char* nom : {"555SAMPLE16BE.ged", "555SAMPLE16LE.ged"}) {
        SCOPED_TRACE(nom);
        const ResultatChargement r = charger(corpus(nom));
        EXPECT_EQ(resumes(*r.base), attendus);
        EXPECT_EQ(r.base->nombreFamilles(), utf8.base->nombreFamilles());
        EXPECT_EQ(r.journal, utf8.journal);
    }
}

// UTF-16 sans marque : reconnu au « 0 » de tête (30 00 ou 00 30), quelles que soient les fins
// de ligne, et lu comme le même fichier en UTF-8, sans rien au journal.
TEST(ChargeurFichiers, Utf16SansMarqueReconnuAuZeroDeTete) {
    std::ifstream f(corpus("555SAMPLE.ged"), std::ios::binary);
    std::string utf8((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    ASSERT_EQ(utf8.compare(0, 3, "\xEF\xBB\xBF"), 0);
    utf8.erase(0, 3);
    const ResultatChargement reference = charger(corpus("555SAMPLE.ged"));
    const std::vector<std::string> attendus = resumes(*reference.base);
    essai::RepertoireEssai rep;
    for (const char* fin : {"\r", "\n", "\r\n"}) {
        const std::string texte = std::regex_replace(utf8, std::regex("\r\n"), fin);
        const std::u16string unites = std::wstring_convert<std::codecvt_utf8_utf16<char16_t>,
                                                           char16_t>{}.from_bytes(texte);
        for (const bool petit : {true, false}) {
            SCOPED_TRACE(std::string(petit ? "LE" : "BE") + " fin " +
                         std::to_string(std::strlen(fin)));
            std::vector<std::uint8_t> octets;
            for (const char16_t u : unites) {
                const auto fort = static_cast<std::uint8_t>(u >> 8);
                const auto faible = static_cast<std::uint8_t>(u & 0xFF);
                octets.push_back(petit ? faible : fort);
                octets.push_back(petit ? fort : faible);
            }
            rep.ecrire("sans-marque.ged", octets);
            const ResultatChargement r = charger(rep.fichier("sans-marque.ged"));
            EXPECT_EQ(resumes(*r.base), attendus);
            EXPECT_EQ(r.base->nombreFamilles(), reference.base->nombreFamilles());
            EXPECT_EQ(r.journal, reference.journal);
        }
    }
}

TEST(ChargeurFichiers, UneFicheDansSixCodages) {
    for (const char* nom : {"fgc_in_ansel.ged", "fgc_in_ansi.ged", "fgc_in_iso8859-1.ged",
                            "fgc_in_unicode.ged", "fgc_in_utf8.ged", "fgc_in_utf8_bom.ged"}) {
        SCOPED_TRACE(nom);
        const ResultatChargement r = charger(corpus(nom));
        ASSERT_EQ(r.base->nombreIndividus(), 1);
        const Individu i = r.base->lireIndividu(1);
        EXPECT_EQ(r.base->lireTexte(Zone::Prenoms, i.prenoms, 71), "\xE9\xE0\xE7");
        EXPECT_EQ(r.base->lireTexte(Zone::Noms, i.nom, 71), "\xC9\xC0\xC7");
    }
}

TEST(ChargeurFichiers, Version7GardePersonnesEtFamilles) {
    const std::regex individu("^0 @[^@]+@ INDI"), famille("^0 @[^@]+@ FAM");
    int fichiers = 0;
    for (const auto& entree : std::filesystem::directory_iterator(VELTRANE_CORPUS_DIR)) {
        const std::string nom = entree.path().filename().string();
        if (nom.rfind("g7_", 0) != 0) continue;
        SCOPED_TRACE(nom);
        ++fichiers;
        const ResultatChargement r = charger(entree.path().string());
        const std::size_t individus = compter(entree.path().string(), individu);
        EXPECT_GE(static_cast<std::size_t>(r.base->nombreIndividus()), individus);
        // Les noms du fichier arrivent dans la base.
        std::size_t nommes = 0;
        for (std::int32_t n = 1; n <= r.base->nombreIndividus(); ++n) {
            const Individu i = r.base->lireIndividu(n);
            if (i.nom != 0 || i.prenoms != 0) ++nommes;
        }
        if (individusNommes(entree.path().string()) > 0) {
            EXPECT_GT(nommes, 0u);
        }
        if (compter(entree.path().string(), famille) > 0 && individus >= 2) {
            EXPECT_GT(r.base->nombreFamilles(), 0);
        }
    }
    EXPECT_GE(fichiers, 20);
}

namespace {

// Fichier écrit par le générateur du projet dans le répertoire d'essai.
std::string generer(const essai::RepertoireEssai& repertoire, const std::string& nom,
                    const std::string& options) {
    const std::string chemin = repertoire.fichier(nom);
    const std::string commande = "python3 '" + std::string(VELTRANE_EXEMPLES_DIR) +
                                 "/../outils/genere_gedcom.py' " + options + " '" + chemin +
                                 "' > /dev/null";
    EXPECT_EQ(std::system(commande.c_str()), 0) << commande;
    return chemin;
}

} // namespace

TEST(ChargeurFichiers, MemeGenealogieDansChaqueJeuDeCaracteres) {
    essai::RepertoireEssai repertoire;
    const std::string reference =
        generer(repertoire, "utf8.ged", "10000 --seed 11 --charset UTF-8");
    const ResultatChargement attendu = charger(reference);
    ASSERT_EQ(attendu.base->nombreIndividus(), 10000);
    const std::vector<std::string> personnes = resumes(*attendu.base);
    // Le fichier a bien des accents : sinon la comparaison ne prouverait rien.
    std::size_t accentues = 0;
    for (const std::string& p : personnes)
        for (unsigned char o : p)
            if (o >= 0x80) {
                ++accentues;
                break;
            }
    EXPECT_GT(accentues, 1000u);
    for (const char* jeu : {"UTF-8 --bom", "ANSI", "ANSEL", "MACINTOSH"}) {
        SCOPED_TRACE(jeu);
        const std::string chemin =
            generer(repertoire, "autre.ged", std::string("10000 --seed 11 --charset ") + jeu);
        const ResultatChargement r = charger(chemin);
        EXPECT_EQ(r.base->nombreFamilles(), attendu.base->nombreFamilles());
        const std::vector<std::string> lus = resumes(*r.base);
        ASSERT_EQ(lus.size(), personnes.size());
        std::size_t differences = 0;
        for (std::size_t i = 0; i < lus.size(); ++i)
            if (lus[i] != personnes[i] && ++differences <= 3)
                ADD_FAILURE() << "personne " << i + 1 << " : " << lus[i] << " au lieu de "
                              << personnes[i];
        EXPECT_EQ(differences, 0u);
    }
}

TEST(ChargeurFichiers, JournalDUnFichierFautif) {
    essai::RepertoireEssai repertoire;
    const std::string chemin = generer(repertoire, "fautes.ged", "2000 --seed 3 --faults");
    const ResultatChargement r = charger(chemin);
    // Les 2000 personnes, celle qui n'est que citée et celle à la référence coupée.
    EXPECT_EQ(r.base->nombreIndividus(), 2002);
    for (const char* attendu :
         {"référence Gedcom trop longue (la norme limite les références à 24 caractères)",
          "ligne trop longue (la norme Gedcom limite les lignes à 255 caractères)",
          ": référence Gedcom déjà utilisée", ": référence Gedcom manquante", ": erreur de syntaxe",
          "fichier incomplet (un fichier Gedcom doit se terminer par",
          "- L'individu @I999999997@ est référencé mais jamais défini"})
        EXPECT_NE(r.journal.find(attendu), std::string::npos) << attendu;
}
