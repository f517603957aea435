#include "sortie/pdf/ObjetPdfStreamPage.h"

#include "sortie/pdf/ContenuPage.h"
#include "sortie/pdf/DocumentPdf.h"
#include "sortie/pdf/SortiePdf.h"

#include <cstdio>
#include <string_view>
#include <zlib.h>

namespace veltrane {

namespace {

constexpr std::size_t TailleSortieZlib = 1500;

// Comprime un bloc ; le tampon de sortie est écrit après chaque appel et l'appel recommence
// tant qu'il revient plein.
void comprime(z_stream& flux, SortiePdf& sortie, std::string_view octets, int vidage) {
    unsigned char tampon[TailleSortieZlib];
    flux.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(octets.data()));
    flux.avail_in = static_cast<uInt>(octets.size());
    do {
        flux.next_out = tampon;
        flux.avail_out = TailleSortieZlib;
        deflate(&flux, vidage);
        sortie.ecrit(tampon, TailleSortieZlib - flux.avail_out);
    } while (flux.avail_out == 0);
}

} // namespace

ObjetPdfStreamPage::ObjetPdfStreamPage(int32_t numero, const DocumentPdf& document,
                                       ContenuPage* contenu, int32_t decalageX, int32_t decalageY)
    : ObjetPdf(numero), document_(document), contenu_(contenu), decalageX_(decalageX),
      decalageY_(decalageY) {}

void ObjetPdfStreamPage::ecrit(SortiePdf& sortie) {
    contenu_->fermeEnCours();
    // Compression rapide : trois fois plus vite que le niveau par défaut pour des fichiers
    // d'un cinquième plus gros seulement (des opérateurs très répétitifs).
    z_stream flux{};
    bool compression = document_.compression && deflateInit2(&flux, Z_BEST_SPEED, Z_DEFLATED, 15, 8,
                                                             Z_DEFAULT_STRATEGY) == Z_OK;
    ecritEnTete(sortie);
    sortie.ecrit("  << /Length ");
    int64_t positionLongueur = sortie.position();
    sortie.ecrit("          \n");
    if (compression) sortie.ecrit("     /Filter [/FlateDecode]\n");
    sortie.ecrit("  >>\nstream\n");
    int64_t debutDonnees = sortie.position();

    char prologue[512];
    auto c = [](uint8_t composante) { return composante / 255.0; };
    int n = std::snprintf(prologue, sizeof prologue,
                          "%f %f %f rg %f %f %f RG\n%f 0 0 %f 0 0 cm\n1 0 0 1 %d %d cm\n",
                          c(rouge(document_.couleurTexte)), c(vert(document_.couleurTexte)),
                          c(bleu(document_.couleurTexte)), c(rouge(document_.couleurTraits)),
                          c(vert(document_.couleurTraits)), c(bleu(document_.couleurTraits)),
                          double(document_.echelleHorizontale / document_.uniteUtilisateur),
                          double(1.0f / document_.uniteUtilisateur), decalageX_, decalageY_);
    std::string_view debut(prologue, static_cast<std::size_t>(n));
    std::size_t morceaux = contenu_->nombreMorceaux();
    if (compression) {
        comprime(flux, sortie, debut, morceaux == 0 ? Z_FINISH : Z_NO_FLUSH);
        for (std::size_t i = 0; i < morceaux; ++i)
            comprime(flux, sortie, contenu_->morceau(i), i + 1 == morceaux ? Z_FINISH : Z_NO_FLUSH);
    } else {
        sortie.ecrit(debut);
        for (std::size_t i = 0; i < morceaux; ++i)
            sortie.ecrit(contenu_->morceau(i));
    }

    int64_t fin = sortie.position();
    char longueur[24];
    int l = std::snprintf(longueur, sizeof longueur, "%lld",
                          static_cast<long long>(fin - debutDonnees));
    sortie.remplaceA(positionLongueur, std::string_view(longueur, static_cast<std::size_t>(l)));
    if (compression) sortie.ecrit("\n");
    sortie.ecrit("endstream\nendobj\n\n");
    if (compression) deflateEnd(&flux);
}

} // namespace veltrane
