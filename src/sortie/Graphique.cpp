#include "sortie/Graphique.h"

#include "application/ContexteProgramme.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace veltrane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view CARACTERES_GENANTS = " '\"()[]\\,;/*?";

bool existe(const std::string& chemin) {
    std::error_code erreur;
    return fs::exists(chemin, erreur);
}

bool terminePar(std::string_view texte, std::string_view fin) {
    return texte.size() >= fin.size() && texte.substr(texte.size() - fin.size()) == fin;
}

} // namespace

const char* extensionDocument(FormatSortie format) {
    switch (format) {
    case FormatSortie::Pdf: return "pdf";
    case FormatSortie::Texte: return "txt";
    case FormatSortie::Rtf: return "rtf";
    case FormatSortie::Web: return "htm";
    }
    return "txt";
}

std::string nomNettoye(std::string_view nom) {
    std::string resultat(nom);
    for (char& c : resultat)
        if (CARACTERES_GENANTS.find(c) != std::string_view::npos) c = '-';
    return resultat;
}

Graphique::Graphique(ContexteProgramme& contexte, FormatSortie format)
    : contexte_(contexte), format_(format) {
    auto& faces = contexte_.policesUtilisables;
    if (!contexte_.configuration.policeAuHasard || faces.empty()) return;
    faceSauvee_ = contexte_.configuration.police;
    std::uniform_int_distribution<std::size_t> tirage(0, faces.size() - 1);
    std::string face = faces[tirage(contexte_.hasard)];
    contexte_.polices.charger(face, contexte_.interaction);
    contexte_.configuration.police = face;
}

Graphique::~Graphique() {
    if (faceSauvee_.empty()) return;
    contexte_.configuration.police = faceSauvee_;
    std::string face = faceSauvee_;
    contexte_.polices.charger(face, contexte_.interaction);
}

const std::string& Graphique::nomFichier(std::string_view prefixe, std::string_view nom) {
    const std::string base =
        contexte_.repertoires.documents + "/" + std::string(prefixe) + nomNettoye(nom);
    const char* extension = extensionDocument(format_);
    chemin_ = base + "." + extension;
    for (int numero = 1; existe(chemin_); ++numero)
        chemin_ = base + std::to_string(numero) + "." + extension;
    return chemin_;
}

bool afficherDocument(ContexteProgramme& contexte, FormatSortie format, const std::string& chemin) {
    const Configuration& c = contexte.configuration;
    const std::string& afficheur = format == FormatSortie::Pdf   ? c.afficheurPdf
                                   : format == FormatSortie::Web ? c.afficheurWeb
                                   : format == FormatSortie::Rtf ? c.afficheurRtf
                                                                 : c.afficheurTxt;
    return contexte.afficheurs.afficher(format, chemin, afficheur);
}

bool Graphique::afficheDocument() const {
    return afficherDocument(contexte_, format_, chemin_);
}

int nettoieDocuments(const std::string& repertoireDocuments) {
    int effaces = 0;
    std::error_code erreur;
    fs::directory_iterator it(repertoireDocuments, erreur);
    if (erreur) return 0;
    for (const auto& entree : it) {
        const std::string nom = entree.path().filename().string();
        bool documentProduit = false;
        for (std::string_view prefixe : PREFIXES_DOCUMENTS)
            if (nom.size() > prefixe.size() + 1 && nom.compare(0, prefixe.size(), prefixe) == 0 &&
                nom[prefixe.size()] == '_')
                documentProduit = true;
        if (!documentProduit) continue;
        if (!terminePar(nom, ".pdf") && !terminePar(nom, ".rtf") && !terminePar(nom, ".htm") &&
            !terminePar(nom, ".txt"))
            continue;
        std::error_code e;
        if (entree.is_regular_file(e) && fs::remove(entree.path(), e)) ++effaces;
    }
    return effaces;
}

} // namespace veltrane
