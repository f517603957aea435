#include "gedcom/Translitteration.h"

#include "gedcom/JeuCaracteres.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

namespace veltrane {

Translitteration::Translitteration() = default;
Translitteration::~Translitteration() = default;

std::string Translitteration::appliquer(std::string_view utf8) {
    if (!transformateur_ && !indisponible_) {
        UErrorCode statut = U_ZERO_ERROR;
        // Le cyrillique selon l'usage anglais (Тихонов → Tikhonov, pas Tihonov), puis toute
        // autre écriture en lettres latines, enfin sans signes que le jeu n'aurait pas.
        transformateur_.reset(icu::Transliterator::createInstance(
            "Russian-Latin/BGN; Any-Latin; Latin-ASCII", UTRANS_FORWARD, statut));
        // Sans données ICU, le texte garde la conversion habituelle (« ? »).
        if (U_FAILURE(statut)) transformateur_.reset();
        indisponible_ = !transformateur_;
    }
    std::string resultat;
    resultat.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t debut = i;
        std::size_t longueur = longueurHorsWindows1252(utf8, i);
        if (longueur == 0) {
            // Caractère que Windows-1252 sait écrire, ou octet isolé : tel quel.
            const std::size_t n = longueurSequenceUtf8(utf8, i);
            resultat.append(utf8.substr(i, n));
            i += n;
            continue;
        }
        // Une suite entière à la fois : les transformations tiennent compte du contexte.
        while (i < utf8.size() && longueur != 0) {
            i += longueur;
            longueur = i < utf8.size() ? longueurHorsWindows1252(utf8, i) : 0;
        }
        const std::string_view suite = utf8.substr(debut, i - debut);
        if (!transformateur_) {
            resultat.append(suite);
            continue;
        }
        icu::UnicodeString texte = icu::UnicodeString::fromUTF8(
            icu::StringPiece(suite.data(), static_cast<int32_t>(suite.size())));
        transformateur_->transliterate(texte);
        texte.toUTF8String(resultat);
    }
    return resultat;
}

} // namespace veltrane
