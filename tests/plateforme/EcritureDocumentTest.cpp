#include "plateforme/EcritureDocument.h"
#include "plateforme/RaisonSysteme.h"

#include "commun/RepertoireEssai.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <unistd.h>

namespace veltrane::essai {

// La locale du processus peut être « C » : les raisons courantes restent en français.
TEST(EcritureDocument, RaisonsEnFrancaisQuelleQueSoitLaLocale) {
    const std::pair<int, const char*> cas[] = {
        {ENOSPC, "Aucun espace disponible sur le p\xE9riph\xE9rique"},
        {EACCES, "Permission non accord\xE9""e"},
        {EFBIG, "Fichier trop volumineux"},
        {EROFS, "Syst\xE8me de fichiers accessible en lecture seulement"},
    };
    for (const auto& [numero, attendu] : cas)
        EXPECT_EQ(raisonSysteme(numero), attendu) << numero;
}

// Un dossier où l'on ne peut écrire : le message dit le chemin et la raison, l'ancien document
// reste et rien d'autre n'apparaît.
TEST(EcritureDocument, DossierEnLectureSeule) {
    if (::geteuid() == 0) GTEST_SKIP() << "l'administrateur écrit partout";
    RepertoireEssai rep;
    rep.ecrire("bon.txt", {'b', 'o', 'n'});
    std::filesystem::permissions(rep.chemin(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EcritureDocument document;
    EXPECT_FALSE(document.ouvre(rep.fichier("bon.txt")));
    EXPECT_EQ(document.messageEchec(), "Cr\xE9""ation impossible du document \xAB " +
                                           rep.fichier("bon.txt") +
                                           " \xBB : Permission non accord\xE9""e");
    EXPECT_FALSE(document.termine());
    std::filesystem::permissions(rep.chemin(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(rep.lire("bon.txt"), (std::vector<std::uint8_t>{'b', 'o', 'n'}));
    EXPECT_EQ(rep.noms(), std::vector<std::string>{"bon.txt"});
}

} // namespace veltrane::essai
