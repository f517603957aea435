// Fichier GEDCOM raccourci par un autre programme pendant qu'on le lit : ni plantage (SIGBUS
// sur la projection), ni base à moitié lue présentée comme bonne.
#include "gedcom/ChargeurGedcom.h"
#include "plateforme/ProjectionFichier.h"

#include "commun/FichierEssai.h"
#include "commun/InteractionEssai.h"
#include "commun/VariableEnvironnement.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace veltrane::essai {
namespace {

std::string grandFichier(int personnes) {
    std::string g = "0 HEAD\n1 CHAR UTF-8\n";
    for (int i = 1; i <= personnes; ++i)
        g += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME Jean /Martin" + std::to_string(i) +
             "/\n1 SEX M\n1 BIRT\n2 DATE 12 MAR 1850\n2 PLAC Lyon\n";
    return g + "0 TRLR\n";
}

TEST(ProjectionFichier, PagesPerduesLuesCommeDesZeros) {
    const std::string contenu = grandFichier(20000);
    FichierEssai f(contenu);
    const int fd = ::open(f.chemin().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    {
        ProjectionFichier p(fd);
        ASSERT_NE(p.debut(), nullptr);
        ASSERT_EQ(p.taille(), contenu.size());
        EXPECT_EQ(std::string(p.debut(), 20), contenu.substr(0, 20));
        EXPECT_FALSE(p.tronquee());
        ASSERT_EQ(::truncate(f.chemin().c_str(), 100), 0);
        const volatile char* fin = p.debut() + p.taille() - 1;
        EXPECT_EQ(*fin, '\0');
        EXPECT_TRUE(p.tronquee());
        EXPECT_EQ(p.debut()[10], contenu[10]); // la première page reste
    }
    int tube[2];
    ASSERT_EQ(::pipe(tube), 0);
    EXPECT_EQ(ProjectionFichier(tube[0]).debut(), nullptr);
    ::close(tube[0]);
    ::close(tube[1]);
    ::close(fd);
}

// Le fichier est raccourci pendant l'écriture des personnes (les lecteurs l'ont déjà projeté),
// avec un ou deux fils de lecture.
class InteractionQuiRaccourcit : public InteractionEssai {
public:
    explicit InteractionQuiRaccourcit(std::string chemin) : chemin_(std::move(chemin)) {}
    void debutProgression(const std::string& titre, int64_t total) override {
        InteractionEssai::debutProgression(titre, total);
        import_ = titre == "Import Gedcom";
    }
    void progression(int64_t fait) override {
        if (import_ && ++appels_ == 3) {
            EXPECT_EQ(::truncate(chemin_.c_str(), 100), 0);
        }
        InteractionEssai::progression(fait);
    }

private:
    std::string chemin_;
    bool import_ = false;
    int appels_ = 0;
};

TEST(ChargeurGedcom, FichierRaccourciPendantLeChargementAbandonne) {
    for (const char* fils : {"1", "2"}) {
        SCOPED_TRACE(fils);
        VariableEnvironnement variable("VELTRANE_FILS", std::string(fils));
        FichierEssai f(grandFichier(20000));
        InteractionQuiRaccourcit interaction(f.chemin());
        try {
            chargerGedcom({f.chemin()}, {}, interaction);
            ADD_FAILURE() << "chargement accepté";
        } catch (const OperationImpossible& e) {
            EXPECT_NE(std::string(e.what()).find("modifié pendant son chargement"),
                      std::string::npos)
                << e.what();
        }
    }
}

} // namespace
} // namespace veltrane::essai
