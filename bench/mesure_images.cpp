// Photos des graphiques : décodage, rééchantillonnage et compression JPEG d'une image de
// la taille d'une photo d'appareil, vers une vignette, à sa taille et vers une cible démesurée.
#include "plateforme/FichierTemporaire.h"
#include "plateforme/ImageJpeg.h"
#include "plateforme/TexteUtf8.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

void ajouter32(std::vector<uint8_t>& o, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        o.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// BMP 24 bits : dégradés et bruit, pour que la compression ait du travail. Sans pixels, il ne
// reste que l'en-tête : une image démesurée annoncée par quelques octets.
std::vector<uint8_t> photoSynthetique(int largeur, int hauteur, bool avecPixels = true) {
    const int pas = (largeur * 3 + 3) / 4 * 4;
    std::vector<uint8_t> o{'B', 'M'};
    ajouter32(o, static_cast<uint32_t>(54 + pas * hauteur));
    ajouter32(o, 0);
    ajouter32(o, 54);
    ajouter32(o, 40);
    ajouter32(o, static_cast<uint32_t>(largeur));
    ajouter32(o, static_cast<uint32_t>(hauteur));
    ajouter32(o, 1 | (24 << 16));
    for (int i = 0; i < 6; ++i)
        ajouter32(o, 0);
    uint32_t alea = 12345;
    for (int y = 0; avecPixels && y < hauteur; ++y) {
        for (int x = 0; x < largeur; ++x) {
            alea = alea * 1103515245u + 12345u;
            const int bruit = static_cast<int>((alea >> 16) & 31);
            o.push_back(static_cast<uint8_t>((x * 200 / largeur) + bruit));
            o.push_back(static_cast<uint8_t>((y * 200 / hauteur) + bruit));
            o.push_back(static_cast<uint8_t>(((x + y) * 100 / (largeur + hauteur)) + bruit));
        }
        o.resize(o.size() + static_cast<std::size_t>(pas - largeur * 3), 0);
    }
    return o;
}

double creteMo() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void mesurer(const char* titre, const std::string& chemin, int largeur, int hauteur) {
    std::size_t octets = 0;
    const auto debut = std::chrono::steady_clock::now();
    const veltrane::ResultatImage r = veltrane::encoderImageJpeg(
        chemin, largeur, hauteur, [&](const uint8_t*, std::size_t n) { octets += n; });
    const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
    int l = largeur, h = hauteur;
    veltrane::tailleJpegProduite(chemin, l, h);
    char ligne[256];
    std::snprintf(ligne, sizeof ligne,
                  "images : %-28s -> %5d × %-5d %s %.3f s, %.1f Mpixels/s écrits, %zu Ko, "
                  "mémoire maximale %.1f Mo\n",
                  titre, l, h, r == veltrane::ResultatImage::Reussie ? "" : "(échec)",
                  duree.count(), static_cast<double>(l) * h / duree.count() / 1e6, octets / 1024,
                  creteMo());
    std::fputs(veltrane::versUtf8(ligne).c_str(), stdout);
}

} // namespace

int main(int argc, char** argv) {
    std::string source;
    veltrane::FichierTemporaire bmp("bmp");
    veltrane::FichierTemporaire jpeg("jpg");
    if (argc > 1) {
        source = argv[1];
    } else {
        const std::vector<uint8_t> octets = photoSynthetique(4000, 3000);
        std::ofstream(bmp.chemin(), std::ios::binary)
            .write(reinterpret_cast<const char*>(octets.data()),
                   static_cast<std::streamsize>(octets.size()));
        std::ofstream flux(jpeg.chemin(), std::ios::binary);
        veltrane::encoderImageJpeg(bmp.chemin(), 0, 0, [&](const uint8_t* o, std::size_t n) {
            flux.write(reinterpret_cast<const char*>(o), static_cast<std::streamsize>(n));
        });
        source = jpeg.chemin();
        mesurer("BMP 4000 × 3000, vignette", bmp.chemin(), 960, 720);
    }
    mesurer("JPEG, vignette", source, 960, 720);
    mesurer("JPEG, à sa taille", source, 0, 0);
    mesurer("JPEG, agrandi", source, 8000, 6000);
    mesurer("JPEG, cible démesurée", source, 100000, 100000);
    mesurer("fichier absent, cible démesurée", "/nonexistent/photo.jpg", 100000, 100000);
    // Refusé sur son en-tête, sans rien décoder.
    veltrane::FichierTemporaire demesure("bmp");
    const std::vector<uint8_t> entete = photoSynthetique(12000, 10000, false);
    std::ofstream(demesure.chemin(), std::ios::binary)
        .write(reinterpret_cast<const char*>(entete.data()),
               static_cast<std::streamsize>(entete.size()));
    mesurer("en-tête BMP 12000 × 10000", demesure.chemin(), 40, 30);
    return 0;
}
