#include "plateforme/RaisonSysteme.h"

#include "plateforme/TexteUtf8.h"

#include <cerrno>
#include <cstring>

namespace veltrane {

std::string raisonSysteme(int numeroErreur) {
    switch (numeroErreur) {
    case ENOSPC: return "Aucun espace disponible sur le périphérique";
    case EDQUOT: return "Quota d'espace disque dépassé";
    case EFBIG: return "Fichier trop volumineux";
    case EACCES:
    case EPERM: return "Permission non accordée";
    case EROFS: return "Système de fichiers accessible en lecture seulement";
    case ENOENT: return "Aucun fichier ou dossier de ce type";
    case ENOTDIR: return "N'est pas un dossier";
    case EISDIR: return "Est un dossier";
    case ENAMETOOLONG: return "Nom de fichier trop long";
    case EIO: return "Erreur d'entrée-sortie";
    case EMFILE:
    case ENFILE: return "Trop de fichiers ouverts";
    case EEXIST: return "Le fichier existe";
    case EXDEV: return "Lien croisé de périphérique invalide";
    case EBUSY: return "Périphérique ou ressource occupé";
    case ENOMEM: return "Mémoire insuffisante";
    default: break;
    }
    // Une raison rare : le texte du système, tel que la locale le donne.
    return depuisUtf8(std::strerror(numeroErreur));
}

} // namespace veltrane
