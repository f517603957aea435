#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Transliterator;
U_NAMESPACE_END

namespace veltrane {

// Écrit en lettres latines ce qu'un texte UTF-8 contient hors de Windows-1252 (cyrillique,
// chinois…), pour que ces noms restent lisibles et distincts au lieu de devenir « ??? ».
// Seuls ces caractères changent : « Zieliński » garde ses lettres, « Тихонов » devient
// « Tikhonov ». Le transformateur n'est créé qu'au premier texte qui en a besoin.
class Translitteration {
public:
    Translitteration();
    ~Translitteration();
    Translitteration(const Translitteration&) = delete;
    Translitteration& operator=(const Translitteration&) = delete;

    // Texte UTF-8 où chaque suite de caractères hors de Windows-1252 est translittérée.
    std::string appliquer(std::string_view utf8);

private:
    std::unique_ptr<icu::Transliterator> transformateur_;
    bool indisponible_ = false;
};

} // namespace veltrane
