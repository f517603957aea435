#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace veltrane {

// Écriture d'un document sans jamais abîmer celui qu'il remplace : tout va dans un fichier
// temporaire du même dossier, renommé sur la destination seulement une fois complet et vidé sur
// le disque. Un échec efface le temporaire et laisse l'ancien document intact ; le message dit
// le chemin et la raison du système.
class EcritureDocument {
public:
    EcritureDocument() = default;
    // Sans termine(), le document est abandonné : le temporaire est effacé.
    ~EcritureDocument();
    EcritureDocument(const EcritureDocument&) = delete;
    EcritureDocument& operator=(const EcritureDocument&) = delete;

    // Faux si la destination est un fichier que le programme lit ou si le temporaire ne peut
    // être créé ; messageEchec() dit pourquoi.
    bool ouvre(const std::string& destination);
    bool estOuverte() const { return descripteur_ >= 0; }
    // Faux dès qu'une écriture a échoué (les suivantes ne font plus rien).
    bool ecrit(const void* octets, std::size_t taille);
    // Réécrit des octets déjà écrits, à partir de position.
    bool ecritA(std::int64_t position, const void* octets, std::size_t taille);
    // Vide sur le disque, ferme et renomme sur la destination ; faux en cas d'échec.
    bool termine();
    // Efface le temporaire ; la destination n'est pas touchée.
    void abandonne() noexcept;

    bool enEchec() const { return !messageEchec_.empty(); }
    // En Windows-1252, le chemin compris (les chemins sont en UTF-8).
    const std::string& messageEchec() const { return messageEchec_; }
    const std::string& destination() const { return destination_; }

private:
    void echoue(const char* action, int numeroErreur);

    int descripteur_ = -1;
    std::string destination_;
    std::string temporaire_;
    std::string messageEchec_;
};

} // namespace veltrane
