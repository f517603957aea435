#pragma once

#include "sortie/TamponFinsDeLigne.h"

#include <ostream>
#include <string>

namespace veltrane {

// Flux de sortie d'un document texte (HTML, RTF, texte) : caractères et fins de ligne selon le
// codage, nombres écrits sans séparateur quelle que soit la locale.
class FluxDocument : public std::ostream {
public:
    explicit FluxDocument(CodageDocument codage);
    ~FluxDocument() override;
    FluxDocument(const FluxDocument&) = delete;
    FluxDocument& operator=(const FluxDocument&) = delete;

    // Prépare le document et remet l'état du flux à zéro ; faux s'il ne peut l'être.
    bool ouvreFichier(const std::string& chemin);
    bool estOuvert() const { return tampon_.estOuvert(); }
    // Met le document à sa place ; un échec d'écriture ou de fermeture marque le flux en échec
    // (faux) et laisse intact le document d'avant.
    bool fermeFichier();
    // Le chemin et la raison du dernier échec, pour le message.
    const std::string& messageEchec() const { return tampon_.messageEchec(); }

private:
    TamponFinsDeLigne tampon_;
};

} // namespace veltrane
