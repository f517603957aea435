#include "application/Afficheurs.h"

#include "application/Repertoires.h"
#include "base/ArretFatal.h"
#include "plateforme/Processus.h"

#include <filesystem>
#include <system_error>

namespace veltrane {

namespace {

// Le lanceur du bureau : il ouvre un fichier avec l'application associée à son type.
constexpr const char* LANCEUR_BUREAU = "xdg-open";

std::string sansBlancs(std::string texte) {
    while (!texte.empty() && (texte.back() == '\n' || texte.back() == ' ' || texte.back() == '\r'))
        texte.pop_back();
    return texte;
}

} // namespace

const char* typeMime(FormatSortie format) {
    switch (format) {
    case FormatSortie::Pdf: return "application/pdf";
    case FormatSortie::Texte: return "text/plain";
    case FormatSortie::Rtf: return "application/rtf";
    case FormatSortie::Web: return "text/html";
    }
    return "application/octet-stream";
}

std::string applicationAssociee(FormatSortie format) {
    auto sortie = sortieCommande({"xdg-mime", "query", "default", typeMime(format)});
    return sortie ? sansBlancs(*sortie) : std::string();
}

bool Afficheurs::afficheurPdf(const std::string& applicationConfiguree,
                              const std::string& donnees) {
    std::error_code erreur;
    if (donnees.empty() || !std::filesystem::is_regular_file(donnees + "/Vide.pdf", erreur))
        arretFatal(MESSAGE_MAL_INSTALLE);
    if (!applicationConfiguree.empty())
        applicationPdf_ = applicationConfiguree;
    else if (!applicationAssociee(FormatSortie::Pdf).empty())
        applicationPdf_ = LANCEUR_BUREAU;
    else
        applicationPdf_.clear();
    return !applicationPdf_.empty();
}

std::vector<std::string> Afficheurs::commande(FormatSortie format, const std::string& fichier,
                                              const std::string& applicationConfiguree) const {
    std::string application = applicationConfiguree;
    if (application.empty()) {
        if (format == FormatSortie::Pdf)
            application = applicationPdf_;
        else if (!applicationAssociee(format).empty())
            application = LANCEUR_BUREAU;
    }
    if (application.empty()) return {};
    return {application, fichier};
}

bool Afficheurs::afficher(FormatSortie format, const std::string& fichier,
                          const std::string& applicationConfiguree) const {
    auto arguments = commande(format, fichier, applicationConfiguree);
    return !arguments.empty() && lancerDetache(arguments);
}

} // namespace veltrane
