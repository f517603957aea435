#include "plateforme/ImageJpeg.h"

#include "plateforme/OperationImpossible.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

// jpeglib.h suppose <cstdio> déjà inclus ; les implémentations de stb sont dans libstb.
#include <jpeglib.h>

#include <jerror.h>
#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>

namespace veltrane {

namespace {

constexpr std::size_t kTailleBloc = 16384;
constexpr uint8_t kGrisClair = 0xD3;
constexpr int kLignesParLot = 64;
constexpr std::size_t kOctetsParBande = std::size_t{8} << 20;

// Descripteur fermé en sortie de portée.
class Descripteur {
public:
    explicit Descripteur(int fd) : fd_(fd) {}
    ~Descripteur() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descripteur(const Descripteur&) = delete;
    Descripteur& operator=(const Descripteur&) = delete;
    int fd() const { return fd_; }
    int lacher() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// O_NONBLOCK et le refus de tout ce qui n'est pas un fichier ordinaire : un tube nommé ou un
// périphérique pris pour une image ne doit pas bloquer le programme.
int ouvrirFichierOrdinaire(const std::string& chemin, struct stat& etat) {
    int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Seuls les formats attendus passent : stb en lit d'autres, moins éprouvés face à des fichiers
// hostiles.
bool formatConnu(const uint8_t* o, std::size_t n) {
    static constexpr uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (n >= 3 && o[0] == 0xFF && o[1] == 0xD8 && o[2] == 0xFF) return true;
    if (n >= 8 && std::memcmp(o, kPng, 8) == 0) return true;
    if (n >= 6 && (std::memcmp(o, "GIF87a", 6) == 0 || std::memcmp(o, "GIF89a", 6) == 0))
        return true;
    return n >= 2 && o[0] == 'B' && o[1] == 'M';
}

bool tailleAcceptee(int largeur, int hauteur) {
    return largeur > 0 && hauteur > 0 && largeur <= kCoteMaxImage && hauteur <= kCoteMaxImage &&
           int64_t{largeur} * hauteur <= kPixelsMaxImage;
}

struct ContenuFichier {
    std::unique_ptr<uint8_t[]> octets;
    std::size_t taille = 0;
};

ResultatImage lireFichier(const std::string& chemin, ContenuFichier& contenu) {
    struct stat etat {};
    Descripteur fichier(ouvrirFichierOrdinaire(chemin, etat));
    if (fichier.fd() < 0) return ResultatImage::ErreurOuverture;
    if (etat.st_size < 0 || static_cast<uint64_t>(etat.st_size) > kOctetsMaxFichierImage)
        return ResultatImage::ErreurLecture;
    auto attendu = static_cast<std::size_t>(etat.st_size);
    contenu.octets = std::make_unique_for_overwrite<uint8_t[]>(std::max<std::size_t>(attendu, 1));
    std::size_t lu = 0;
    while (lu < attendu) {
        ssize_t n = ::read(fichier.fd(), contenu.octets.get() + lu, attendu - lu);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return ResultatImage::ErreurOuverture;
        if (n == 0) break; // raccourci entre-temps : on garde ce qui a été lu
        lu += static_cast<std::size_t>(n);
    }
    contenu.taille = lu;
    return ResultatImage::Reussie;
}

struct LibererStb {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

// Pixels RVB décodés, ligne du haut d'abord, 3 octets par pixel sans remplissage.
struct ImageRvb {
    std::unique_ptr<stbi_uc, LibererStb> pixels;
    int largeur = 0;
    int hauteur = 0;
};

bool lireEntete(const ContenuFichier& contenu, int& largeur, int& hauteur) {
    int composantes = 0;
    return formatConnu(contenu.octets.get(), contenu.taille) &&
           stbi_info_from_memory(contenu.octets.get(), static_cast<int>(contenu.taille), &largeur,
                                 &hauteur, &composantes) != 0 &&
           tailleAcceptee(largeur, hauteur);
}

// Décodage une fois l'en-tête accepté. Hors JPEG, l'image peut être transparente : elle est
// posée sur du blanc, le fond de la page, plutôt que de laisser voir des couleurs cachées.
bool decoder(const ContenuFichier& contenu, int largeurEntete, int hauteurEntete, ImageRvb& image) {
    const bool jpeg = contenu.octets[0] == 0xFF;
    const int canaux = jpeg ? 3 : 4;
    int largeur = 0, hauteur = 0, composantes = 0;
    image.pixels.reset(stbi_load_from_memory(contenu.octets.get(), static_cast<int>(contenu.taille),
                                             &largeur, &hauteur, &composantes, canaux));
    if (!image.pixels || largeur != largeurEntete || hauteur != hauteurEntete) return false;
    if (canaux == 4) {
        stbi_uc* p = image.pixels.get();
        const std::size_t nombre = static_cast<std::size_t>(largeur) * hauteur;
        for (std::size_t i = 0; i < nombre; ++i) {
            const unsigned alpha = p[4 * i + 3];
            for (int c = 0; c < 3; ++c)
                p[3 * i + c] =
                    static_cast<stbi_uc>((p[4 * i + c] * alpha + 255 * (255 - alpha) + 127) / 255);
        }
    }
    image.largeur = largeur;
    image.hauteur = hauteur;
    return true;
}

// Taille finale à partir de la cible et, pour 0 × 0, de la taille lue dans l'en-tête.
void cibleFinale(int& largeur, int& hauteur, bool enteteConnu, int largeurImage, int hauteurImage) {
    largeur = std::max(largeur, 0);
    hauteur = std::max(hauteur, 0);
    if (largeur == 0 && hauteur == 0) {
        largeur = enteteConnu ? largeurImage : 1;
        hauteur = enteteConnu ? hauteurImage : 1;
    }
    largeur = std::max(largeur, 1);
    hauteur = std::max(hauteur, 1);
    bornerTailleJpeg(largeur, hauteur);
}

// Compression par l'interface IJG. Les erreurs de la bibliothèque reviennent par longjmp dans
// proteger(), dont le cadre ne contient aucun objet à détruire : seuls des cadres C sont
// sautés. Les exceptions de l'écrivain sont gardées et relancées hors de la bibliothèque.
class CompresseurJpeg {
public:
    explicit CompresseurJpeg(const EcrivainOctets& ecrire) : ecrire_(ecrire) {
        info_.err = jpeg_std_error(&erreur_);
        erreur_.error_exit = &CompresseurJpeg::sortieErreur;
        erreur_.output_message = [](j_common_ptr) {};
        verifier(proteger([this] { jpeg_create_compress(&info_); }));
        cree_ = true;
        destination_.init_destination = &CompresseurJpeg::initialiser;
        destination_.empty_output_buffer = &CompresseurJpeg::vider;
        destination_.term_destination = &CompresseurJpeg::terminerDestination;
        destination_.proprietaire = this;
        info_.dest = &destination_;
    }
    ~CompresseurJpeg() {
        if (cree_) jpeg_destroy_compress(&info_);
    }
    CompresseurJpeg(const CompresseurJpeg&) = delete;
    CompresseurJpeg& operator=(const CompresseurJpeg&) = delete;

    void demarrer(int largeur, int hauteur) {
        info_.image_width = static_cast<JDIMENSION>(largeur);
        info_.image_height = static_cast<JDIMENSION>(hauteur);
        info_.input_components = 3;
        info_.in_color_space = JCS_RGB;
        verifier(proteger([this] {
            jpeg_set_defaults(&info_);
            jpeg_start_compress(&info_, TRUE);
        }));
    }

    void ecrireLignes(const uint8_t* const* lignes, int nombre) {
        auto** rangees = const_cast<JSAMPROW*>(lignes);
        int faites = 0;
        while (faites < nombre) {
            JDIMENSION n = 0;
            verifier(proteger([&] {
                n = jpeg_write_scanlines(&info_, rangees + faites,
                                         static_cast<JDIMENSION>(nombre - faites));
            }));
            if (n == 0) throw OperationImpossible("Erreur de compression JPEG");
            faites += static_cast<int>(n);
        }
    }

    void terminer() {
        verifier(proteger([this] { jpeg_finish_compress(&info_); }));
    }

private:
    struct Erreur : jpeg_error_mgr {
        std::jmp_buf saut;
    };
    struct Destination : jpeg_destination_mgr {
        CompresseurJpeg* proprietaire = nullptr;
    };

    template <typename Appel> bool proteger(Appel&& appel) {
        if (setjmp(erreur_.saut) != 0) return false;
        appel();
        return true;
    }

    void verifier(bool reussi) {
        if (exceptionEcrivain_) std::rethrow_exception(exceptionEcrivain_);
        if (reussi) return;
        if (erreur_.msg_code == JERR_OUT_OF_MEMORY) throw std::bad_alloc();
        char texte[JMSG_LENGTH_MAX] = {};
        erreur_.format_message(reinterpret_cast<j_common_ptr>(&info_), texte);
        throw OperationImpossible(std::string("Erreur de compression JPEG : ") + texte);
    }

    void transmettre(std::size_t taille) noexcept {
        if (exceptionEcrivain_ || taille == 0) return;
        try {
            ecrire_(tampon_.data(), taille);
        } catch (...) {
            exceptionEcrivain_ = std::current_exception();
        }
    }

    static void sortieErreur(j_common_ptr info) {
        std::longjmp(static_cast<Erreur*>(info->err)->saut, 1);
    }
    static CompresseurJpeg& de(j_compress_ptr info) {
        return *static_cast<Destination*>(info->dest)->proprietaire;
    }
    static void initialiser(j_compress_ptr info) {
        CompresseurJpeg& moi = de(info);
        moi.destination_.next_output_byte = moi.tampon_.data();
        moi.destination_.free_in_buffer = moi.tampon_.size();
    }
    // La bibliothèque n'appelle ceci que tampon plein : le bloc fait toujours 16384 octets.
    static boolean vider(j_compress_ptr info) {
        CompresseurJpeg& moi = de(info);
        moi.transmettre(moi.tampon_.size());
        initialiser(info);
        return TRUE;
    }
    static void terminerDestination(j_compress_ptr info) {
        CompresseurJpeg& moi = de(info);
        moi.transmettre(moi.tampon_.size() - moi.destination_.free_in_buffer);
    }

    const EcrivainOctets& ecrire_;
    jpeg_compress_struct info_{};
    Erreur erreur_{};
    Destination destination_{};
    bool cree_ = false;
    std::array<uint8_t, kTailleBloc> tampon_{};
    std::exception_ptr exceptionEcrivain_;
};

// Lignes d'un tampon RVB (pas donné) remises par lots au compresseur.
void compresserTampon(CompresseurJpeg& compresseur, const uint8_t* pixels, std::size_t pas,
                      int premiere, int nombre) {
    std::array<const uint8_t*, kLignesParLot> lignes{};
    for (int y = 0; y < nombre; y += kLignesParLot) {
        const int lot = std::min(kLignesParLot, nombre - y);
        for (int i = 0; i < lot; ++i)
            lignes[static_cast<std::size_t>(i)] =
                pixels + static_cast<std::size_t>(premiere + y + i) * pas;
        compresseur.ecrireLignes(lignes.data(), lot);
    }
}

void ecrireGris(int largeur, int hauteur, const EcrivainOctets& ecrire) {
    std::vector<uint8_t> ligne(static_cast<std::size_t>(largeur) * 3, kGrisClair);
    std::array<const uint8_t*, kLignesParLot> lignes{};
    lignes.fill(ligne.data());
    CompresseurJpeg compresseur(ecrire);
    compresseur.demarrer(largeur, hauteur);
    for (int y = 0; y < hauteur; y += kLignesParLot)
        compresseur.ecrireLignes(lignes.data(), std::min(kLignesParLot, hauteur - y));
    compresseur.terminer();
}

void ecrireImage(const ImageRvb& image, int largeur, int hauteur, const EcrivainOctets& ecrire) {
    const std::size_t pas = static_cast<std::size_t>(image.largeur) * 3;
    CompresseurJpeg compresseur(ecrire);
    compresseur.demarrer(largeur, hauteur);
    if (largeur == image.largeur && hauteur == image.hauteur) {
        compresserTampon(compresseur, image.pixels.get(), pas, 0, hauteur);
    } else {
        const std::size_t parLigne = static_cast<std::size_t>(largeur) * 3;
        const int lignesParBande = static_cast<int>(std::clamp<std::size_t>(
            kOctetsParBande / parLigne, 16, static_cast<std::size_t>(hauteur)));
        const bool reussi = reechantillonnerRvb(
            image.pixels.get(), image.largeur, image.hauteur, static_cast<int>(pas), largeur,
            hauteur, lignesParBande, [&](const uint8_t* lignes, int, int nombre) {
                compresserTampon(compresseur, lignes, parLigne, 0, nombre);
                return true;
            });
        // stb ne manque que de mémoire.
        if (!reussi) throw std::bad_alloc();
    }
    compresseur.terminer();
}

} // namespace

void bornerTailleJpeg(int& largeur, int& hauteur) {
    double l = std::max(largeur, 1);
    double h = std::max(hauteur, 1);
    const double plafond = static_cast<double>(kPixelsMaxImage);
    if (l > kCoteMaxJpeg) {
        h = std::max(1.0, std::floor(h * kCoteMaxJpeg / l));
        l = kCoteMaxJpeg;
    }
    if (h > kCoteMaxJpeg) {
        l = std::max(1.0, std::floor(l * kCoteMaxJpeg / h));
        h = kCoteMaxJpeg;
    }
    if (l * h > plafond) {
        const double facteur = std::sqrt(plafond / (l * h));
        l = std::max(1.0, std::floor(l * facteur));
        h = std::max(1.0, std::floor(h * facteur));
        // Arrondis et minimum d'un pixel : le côté le plus long cède le reste.
        if (l * h > plafond) {
            if (l >= h)
                l = std::floor(plafond / h);
            else
                h = std::floor(plafond / l);
        }
    }
    largeur = static_cast<int>(l);
    hauteur = static_cast<int>(h);
}

bool reechantillonnerRvb(const uint8_t* pixels, int largeur, int hauteur, int pas, int largeurCible,
                         int hauteurCible, int lignesParBande, const RecepteurBande& recevoir) {
    if (largeur <= 0 || hauteur <= 0 || largeurCible <= 0 || hauteurCible <= 0 ||
        lignesParBande <= 0)
        return false;
    const int bande = std::min(lignesParBande, hauteurCible);
    const int pasSortie = largeurCible * 3;
    std::vector<uint8_t> sortie(static_cast<std::size_t>(pasSortie) * bande);
    // Mêmes échelles que stb pour l'image entière : les bandes se raccordent exactement.
    const float echelleX = static_cast<float>(largeurCible) / static_cast<float>(largeur);
    const float echelleY = static_cast<float>(hauteurCible) / static_cast<float>(hauteur);
    // Mitchell lisse sans rebond en réduction ; Catmull-Rom interpole en agrandissement (et
    // laisse intact un axe de même taille).
    auto filtre = [](float echelle) {
        return echelle < 1.0f ? STBIR_FILTER_MITCHELL : STBIR_FILTER_CATMULLROM;
    };
    for (int premiere = 0; premiere < hauteurCible; premiere += bande) {
        const int nombre = std::min(bande, hauteurCible - premiere);
        if (!stbir_resize_subpixel(pixels, largeur, hauteur, pas, sortie.data(), largeurCible,
                                   nombre, pasSortie, STBIR_TYPE_UINT8, 3, STBIR_ALPHA_CHANNEL_NONE,
                                   0, STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP, filtre(echelleX),
                                   filtre(echelleY), STBIR_COLORSPACE_SRGB, nullptr, echelleX,
                                   echelleY, 0.0f, static_cast<float>(premiere)))
            return false;
        if (!recevoir(sortie.data(), premiere, nombre)) return false;
    }
    return true;
}

bool tailleImage(const std::string& chemin, int& largeur, int& hauteur) {
    struct stat etat {};
    Descripteur fichier(ouvrirFichierOrdinaire(chemin, etat));
    if (fichier.fd() < 0 || etat.st_size < 0 ||
        static_cast<uint64_t>(etat.st_size) > kOctetsMaxFichierImage)
        return false;
    std::FILE* flux = ::fdopen(fichier.fd(), "rb");
    if (flux == nullptr) return false;
    fichier.lacher();
    uint8_t tete[8] = {};
    const std::size_t n = std::fread(tete, 1, sizeof tete, flux);
    int l = 0, h = 0, composantes = 0;
    const bool lisible = formatConnu(tete, n) && std::fseek(flux, 0, SEEK_SET) == 0 &&
                         stbi_info_from_file(flux, &l, &h, &composantes) != 0 &&
                         tailleAcceptee(l, h);
    std::fclose(flux);
    if (!lisible) return false;
    largeur = l;
    hauteur = h;
    return true;
}

void tailleJpegProduite(const std::string& chemin, int& largeur, int& hauteur) {
    int l = 0, h = 0;
    const bool connu =
        std::max(largeur, 0) == 0 && std::max(hauteur, 0) == 0 && tailleImage(chemin, l, h);
    cibleFinale(largeur, hauteur, connu, l, h);
}

ResultatImage encoderImageJpeg(const std::string& chemin, int largeur, int hauteur,
                               const EcrivainOctets& ecrire) {
    ImageRvb image;
    int largeurEntete = 0, hauteurEntete = 0;
    bool enteteConnu = false;
    ResultatImage resultat;
    {
        ContenuFichier contenu;
        resultat = lireFichier(chemin, contenu);
        if (resultat == ResultatImage::Reussie) {
            enteteConnu = lireEntete(contenu, largeurEntete, hauteurEntete);
            if (!enteteConnu || !decoder(contenu, largeurEntete, hauteurEntete, image))
                resultat = ResultatImage::ErreurLecture;
        }
    } // le fichier lu est libéré avant la compression
    cibleFinale(largeur, hauteur, enteteConnu, largeurEntete, hauteurEntete);
    if (resultat == ResultatImage::Reussie)
        ecrireImage(image, largeur, hauteur, ecrire);
    else
        ecrireGris(largeur, hauteur, ecrire);
    return resultat;
}

} // namespace veltrane
