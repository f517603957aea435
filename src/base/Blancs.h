#pragma once

#include <string_view>

namespace veltrane {

// Le texte sans ses espaces, tabulations et retours chariot de tête et de queue : ce que tape
// un utilisateur ou ce qu'écrit un éditeur de texte.
inline std::string_view sansBlancs(std::string_view t) {
    auto blanc = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!t.empty() && blanc(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && blanc(t.back()))
        t.remove_suffix(1);
    return t;
}

} // namespace veltrane
