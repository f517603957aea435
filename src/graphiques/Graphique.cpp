#include "graphiques/Graphique.h"

#include "application/ContexteProgramme.h"
#include "plateforme/EcritureDocument.h"
#include "plateforme/OperationImpossible.h"
#include "plateforme/RaisonSysteme.h"
#include "plateforme/TexteUtf8.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace veltrane {

namespace fs = std::filesystem;

namespace {

// Les caractères gênants dans un nom : ceux d'un chemin ou d'une commande, et ceux que refusent
// d'autres systèmes de fichiers ou les partages.
constexpr std::string_view CARACTERES_GENANTS = " '\"()[]\\,;/*?<>:|";

bool existe(const std::string& chemin) {
    std::error_code erreur;
    return fs::exists(chemin, erreur);
}

} // namespace

const char* extensionDocument(FormatSortie format) {
    switch (format) {
    case FormatSortie::Pdf:
        return "pdf";
    case FormatSortie::Texte:
        return "txt";
    case FormatSortie::Rtf:
        return "rtf";
    case FormatSortie::Web:
        return "htm";
    }
    return "txt";
}

std::string nomNettoye(std::string_view nom) {
    std::string resultat(nom);
    for (char& c : resultat) {
        const auto octet = static_cast<unsigned char>(c);
        if (octet < 0x20 || octet == 0x7F || CARACTERES_GENANTS.find(c) != std::string_view::npos)
            c = '-';
    }
    return versUtf8(resultat);
}

Graphique::Graphique(ContexteProgramme& contexte, FormatSortie format)
    : contexte_(contexte), format_(format), miseEnPage_(contexte.configuration) {
    auto& faces = contexte_.policesUtilisables;
    if (!contexte_.configuration.policeAuHasard || faces.empty()) return;
    std::uniform_int_distribution<std::size_t> tirage(0, faces.size() - 1);
    std::string face = faces[tirage(contexte_.hasard)];
    policeTiree_ = std::make_unique<PolicesGraphiques>(contexte_.polices);
    policeTiree_->charger(face, contexte_.interaction);
    miseEnPage_.police = face;
}

Graphique::~Graphique() = default;

const PolicesGraphiques& Graphique::polices() const {
    return policeTiree_ ? *policeTiree_ : contexte_.polices;
}

const std::string& Graphique::nomFichier(std::string_view prefixe, std::string_view nom) {
    const std::string base =
        contexte_.repertoires.documents + "/" + std::string(prefixe) + nomNettoye(nom);
    const char* extension = extensionDocument(format_);
    chemin_ = base + "." + extension;
    for (int numero = 1; existe(chemin_); ++numero)
        chemin_ = base + std::to_string(numero) + "." + extension;
    contexte_.documentsProduits.push_back(chemin_);
    return chemin_;
}

std::string documentProduit(ContexteProgramme& contexte, FormatSortie format,
                            const std::string& chemin, bool afficher) {
    if (afficher) {
        const bool affiche = afficherDocument(contexte, format, chemin);
        contexte.interaction.documentEcrit(chemin, affiche);
    }
    return chemin;
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

std::string dernierDocument(const std::vector<std::string>& documents) {
    for (auto d = documents.rbegin(); d != documents.rend(); ++d) {
        std::error_code e;
        if (fs::is_regular_file(*d, e)) return *d;
    }
    return {};
}

void enregistreDocumentSous(const std::string& document, const std::string& destination) {
    const int source = ::open(document.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        throw OperationImpossible("Lecture impossible du document « " + depuisUtf8(document) +
                                  " » : " + raisonSysteme(errno));
    EcritureDocument copie;
    bool reussi = copie.ouvre(destination);
    std::string lecture;
    char tampon[1 << 16];
    while (reussi) {
        const ssize_t n = ::read(source, tampon, sizeof tampon);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) lecture = raisonSysteme(errno);
        if (n <= 0) break;
        reussi = copie.ecrit(tampon, static_cast<std::size_t>(n));
    }
    ::close(source);
    if (!lecture.empty())
        throw OperationImpossible("Lecture impossible du document « " + depuisUtf8(document) +
                                  " » : " + lecture);
    if (!reussi || !copie.termine()) throw OperationImpossible(copie.messageEchec());
}

int nettoieDocuments(const std::vector<std::string>& documents) {
    int effaces = 0;
    for (const std::string& document : documents) {
        std::error_code e;
        if (fs::is_regular_file(document, e) && fs::remove(document, e)) ++effaces;
    }
    return effaces;
}

} // namespace veltrane
