#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace veltrane {

// Surveille les fichiers GEDCOM d'une généalogie ouverte : une veille inotify par dossier
// distinct, sur son propre fil. Quand un fichier change, la surveillance attend qu'il reste
// stable une période, puis qu'il finisse par « 0 TRLR » : alors seulement il compte comme
// réécrit, et la fonction donnée est appelée une fois (sur le fil de surveillance : à elle de
// poster vers le fil principal).
class SurveillanceFichiers {
public:
    using Avis = std::function<void()>;

    explicit SurveillanceFichiers(
        std::vector<std::string> fichiers, Avis avis,
        std::chrono::milliseconds periode = std::chrono::milliseconds(500));
    // Arrête le fil et ferme les veilles, même pendant une attente de stabilité.
    ~SurveillanceFichiers();
    SurveillanceFichiers(const SurveillanceFichiers&) = delete;
    SurveillanceFichiers& operator=(const SurveillanceFichiers&) = delete;

    // Dossiers effectivement surveillés (un dossier illisible ne l'est simplement pas).
    std::size_t nombreDossiers() const { return veilles_.size(); }

private:
    struct Fichier {
        std::string chemin;
        std::int64_t date = 0; // nanosecondes
        bool present = false;
    };
    void boucle();
    bool attendre(std::chrono::milliseconds duree); // faux quand l'arrêt est demandé
    bool reecrit(Fichier& fichier);
    void viderEvenements();

    std::vector<Fichier> fichiers_;
    Avis avis_;
    std::chrono::milliseconds periode_;
    int inotify_ = -1;
    int arret_ = -1; // eventfd
    std::vector<int> veilles_;
    std::thread fil_;
};

// Le fichier se termine-t-il par un enregistrement « 0 TRLR » (dans ses 50 derniers octets) ?
bool finitParTrailer(const std::string& chemin);

} // namespace veltrane
