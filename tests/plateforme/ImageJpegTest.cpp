#include "plateforme/ImageJpeg.h"

#include "plateforme/OperationImpossible.h"
#include "commun/RepertoireEssai.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <jpeglib.h>
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>
#include <zlib.h>

namespace veltrane {
namespace {

using Octets = std::vector<uint8_t>;
using Couleur = std::array<uint8_t, 3>;

constexpr Couleur kRouge{255, 0, 0}, kBleu{0, 0, 255}, kVert{0, 255, 0}, kBlanc{255, 255, 255};
constexpr Couleur kGris{0xD3, 0xD3, 0xD3};

// Quatre quarts de couleurs différentes : l'orientation et l'ordre RVB se voient.
Couleur quart(int x, int y, int largeur, int hauteur) {
    if (y < hauteur / 2) return x < largeur / 2 ? kRouge : kBleu;
    return x < largeur / 2 ? kVert : kBlanc;
}

void ajouter16(Octets& o, unsigned v) {
    o.push_back(static_cast<uint8_t>(v));
    o.push_back(static_cast<uint8_t>(v >> 8));
}
void ajouter32(Octets& o, uint32_t v) {
    ajouter16(o, v & 0xFFFF);
    ajouter16(o, v >> 16);
}
void ajouter32Be(Octets& o, uint32_t v) {
    for (int d = 24; d >= 0; d -= 8)
        o.push_back(static_cast<uint8_t>(v >> d));
}

// BMP 24 bits écrit à la main : lignes du bas d'abord, en BGR, complétées à 4 octets.
Octets bmp(int largeur, int hauteur, Couleur (*motif)(int, int, int, int) = quart) {
    const int pas = (largeur * 3 + 3) / 4 * 4;
    Octets o{'B', 'M'};
    ajouter32(o, static_cast<uint32_t>(54 + pas * hauteur));
    ajouter32(o, 0);
    ajouter32(o, 54);
    ajouter32(o, 40);
    ajouter32(o, static_cast<uint32_t>(largeur));
    ajouter32(o, static_cast<uint32_t>(hauteur));
    ajouter16(o, 1);
    ajouter16(o, 24);
    for (int i = 0; i < 6; ++i)
        ajouter32(o, 0);
    for (int y = hauteur - 1; y >= 0; --y) {
        for (int x = 0; x < largeur; ++x) {
            Couleur c = motif(x, y, largeur, hauteur);
            o.insert(o.end(), {c[2], c[1], c[0]});
        }
        o.resize(o.size() + static_cast<std::size_t>(pas - largeur * 3), 0);
    }
    return o;
}

// GIF à quatre couleurs écrit à la main : codes LZW de 3 bits, un code d'effacement toutes les
// deux valeurs pour que la largeur des codes ne change jamais.
Octets gif(int largeur, int hauteur) {
    Octets o{'G', 'I', 'F', '8', '9', 'a'};
    ajouter16(o, static_cast<unsigned>(largeur));
    ajouter16(o, static_cast<unsigned>(hauteur));
    o.insert(o.end(), {0x81, 0, 0}); // palette globale de 4 entrées
    for (const Couleur& c : {kRouge, kBleu, kVert, kBlanc})
        o.insert(o.end(), c.begin(), c.end());
    o.push_back(0x2C);
    ajouter32(o, 0);
    ajouter16(o, static_cast<unsigned>(largeur));
    ajouter16(o, static_cast<unsigned>(hauteur));
    o.push_back(0);
    o.push_back(2); // taille minimale des codes
    Octets codes;
    uint32_t accumulateur = 0;
    int bits = 0;
    auto code = [&](unsigned valeur) {
        accumulateur |= valeur << bits;
        bits += 3;
        while (bits >= 8) {
            codes.push_back(static_cast<uint8_t>(accumulateur));
            accumulateur >>= 8;
            bits -= 8;
        }
    };
    int n = 0;
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur; ++x, ++n) {
            if (n % 2 == 0) code(4);
            Couleur c = quart(x, y, largeur, hauteur);
            code(c == kRouge ? 0 : c == kBleu ? 1 : c == kVert ? 2 : 3);
        }
    code(5);
    if (bits > 0) codes.push_back(static_cast<uint8_t>(accumulateur));
    for (std::size_t i = 0; i < codes.size(); i += 255) {
        std::size_t morceau = std::min<std::size_t>(255, codes.size() - i);
        o.push_back(static_cast<uint8_t>(morceau));
        o.insert(o.end(), codes.begin() + static_cast<long>(i),
                 codes.begin() + static_cast<long>(i + morceau));
    }
    o.push_back(0);
    o.push_back(0x3B);
    return o;
}

// PNG RVBA ; le quart blanc est rendu transparent (sur fond noir) : il doit revenir blanc.
Octets pngTransparent(int largeur, int hauteur) {
    std::vector<uint8_t> rvba;
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur; ++x) {
            Couleur c = quart(x, y, largeur, hauteur);
            bool transparent = c == kBlanc;
            for (uint8_t v : c)
                rvba.push_back(transparent ? 0 : v);
            rvba.push_back(transparent ? 0 : 255);
        }
    Octets o;
    stbi_write_png_to_func(
        [](void* contexte, void* donnees, int taille) {
            auto* sortie = static_cast<Octets*>(contexte);
            auto* d = static_cast<uint8_t*>(donnees);
            sortie->insert(sortie->end(), d, d + taille);
        },
        &o, largeur, hauteur, 4, rvba.data(), largeur * 4);
    return o;
}

// En-têtes seuls, annonçant une taille démesurée.
Octets enteteBmp(uint32_t largeur, uint32_t hauteur) {
    Octets o = bmp(1, 1);
    for (int i = 0; i < 4; ++i) {
        o[18 + i] = static_cast<uint8_t>(largeur >> (8 * i));
        o[22 + i] = static_cast<uint8_t>(hauteur >> (8 * i));
    }
    return o;
}
Octets entetePng(uint32_t largeur, uint32_t hauteur) {
    Octets o{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Octets ihdr{'I', 'H', 'D', 'R'};
    ajouter32Be(ihdr, largeur);
    ajouter32Be(ihdr, hauteur);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    ajouter32Be(o, 13);
    o.insert(o.end(), ihdr.begin(), ihdr.end());
    ajouter32Be(o, static_cast<uint32_t>(crc32(0, ihdr.data(), static_cast<uInt>(ihdr.size()))));
    return o;
}
Octets enteteGif(unsigned largeur, unsigned hauteur) {
    Octets o = gif(2, 2);
    o[6] = static_cast<uint8_t>(largeur);
    o[7] = static_cast<uint8_t>(largeur >> 8);
    o[8] = static_cast<uint8_t>(hauteur);
    o[9] = static_cast<uint8_t>(hauteur >> 8);
    return o;
}

struct Sortie {
    ResultatImage resultat;
    Octets jpeg;
    std::vector<std::size_t> blocs;
};

Sortie encoder(const std::string& chemin, int largeur, int hauteur) {
    Sortie s{};
    s.resultat = encoderImageJpeg(chemin, largeur, hauteur, [&](const uint8_t* o, std::size_t n) {
        s.blocs.push_back(n);
        s.jpeg.insert(s.jpeg.end(), o, o + n);
    });
    return s;
}

// Décodage strict par libjpeg : le moindre avertissement (données corrompues) compte.
struct Decode {
    bool valide = false;
    int avertissements = 0;
    int largeur = 0, hauteur = 0, composantes = 0;
    int largeurSortie = 0, hauteurSortie = 0;
    Octets rvb;
    Couleur pixel(int x, int y) const {
        const uint8_t* p = &rvb[(static_cast<std::size_t>(y) * largeurSortie + x) * 3];
        return {p[0], p[1], p[2]};
    }
};
struct ErreurDecodage : jpeg_error_mgr {
    std::jmp_buf saut;
    int* avertissements;
};
bool decoderBrut(const Octets* jpeg, unsigned reduction, Decode* d) {
    jpeg_decompress_struct info{};
    ErreurDecodage erreur{};
    info.err = jpeg_std_error(&erreur);
    erreur.avertissements = &d->avertissements;
    erreur.error_exit = [](j_common_ptr i) {
        std::longjmp(static_cast<ErreurDecodage*>(i->err)->saut, 1);
    };
    erreur.emit_message = [](j_common_ptr i, int niveau) {
        if (niveau < 0) ++*static_cast<ErreurDecodage*>(i->err)->avertissements;
    };
    jpeg_create_decompress(&info);
    if (setjmp(erreur.saut) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_mem_src(&info, jpeg->data(), static_cast<unsigned long>(jpeg->size()));
    jpeg_read_header(&info, TRUE);
    d->largeur = static_cast<int>(info.image_width);
    d->hauteur = static_cast<int>(info.image_height);
    d->composantes = info.num_components;
    info.out_color_space = JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = reduction;
    jpeg_start_decompress(&info);
    d->largeurSortie = static_cast<int>(info.output_width);
    d->hauteurSortie = static_cast<int>(info.output_height);
    d->rvb.resize(static_cast<std::size_t>(d->largeurSortie) * d->hauteurSortie * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW ligne = &d->rvb[static_cast<std::size_t>(info.output_scanline) *
                                 static_cast<std::size_t>(d->largeurSortie) * 3];
        jpeg_read_scanlines(&info, &ligne, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}
Decode decoder(const Octets& jpeg, unsigned reduction = 1) {
    Decode d;
    d.valide = decoderBrut(&jpeg, reduction, &d);
    return d;
}

void attendreJpegValide(const Decode& d, int largeur, int hauteur) {
    ASSERT_TRUE(d.valide);
    EXPECT_EQ(d.avertissements, 0);
    EXPECT_EQ(d.composantes, 3);
    EXPECT_EQ(d.largeur, largeur);
    EXPECT_EQ(d.hauteur, hauteur);
}

void attendreProche(Couleur obtenue, Couleur attendue, int tolerance = 24) {
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(obtenue[c], attendue[c], tolerance)
            << "composante " << c << " : " << int(obtenue[0]) << "," << int(obtenue[1]) << ","
            << int(obtenue[2]);
}

// Le centre de chaque quart garde sa couleur, à sa place.
void attendreQuarts(const Decode& d) {
    const int l = d.largeurSortie, h = d.hauteurSortie;
    attendreProche(d.pixel(l / 4, h / 4), kRouge);
    attendreProche(d.pixel(3 * l / 4, h / 4), kBleu);
    attendreProche(d.pixel(l / 4, 3 * h / 4), kVert);
    attendreProche(d.pixel(3 * l / 4, 3 * h / 4), kBlanc);
}

void attendreGris(const Decode& d) {
    for (std::size_t i = 0; i < d.rvb.size(); ++i)
        ASSERT_NEAR(d.rvb[i], kGris[0], 2) << "octet " << i;
}

// Crête de mémoire résidente du processus en Mo, remise à zéro si le noyau le permet.
bool remettreCrete() {
    std::ofstream f("/proc/self/clear_refs");
    f << "5";
    f.flush();
    return f.good();
}
double creteMo() {
    std::ifstream f("/proc/self/status");
    std::string ligne;
    while (std::getline(f, ligne))
        if (ligne.rfind("VmHWM:", 0) == 0) return std::atof(ligne.c_str() + 6) / 1024.0;
    return 0;
}

TEST(ImageJpeg, QuartsDeChaqueFormatReechantillonnes) {
    essai::RepertoireEssai rep;
    rep.ecrire("q.bmp", bmp(64, 48));
    rep.ecrire("q.gif", gif(64, 48));
    rep.ecrire("q.png", pngTransparent(64, 48));
    // Le JPEG source est produit par l'encodeur lui-même.
    Sortie source = encoder(rep.fichier("q.bmp"), 0, 0);
    ASSERT_EQ(source.resultat, ResultatImage::Reussie);
    rep.ecrire("q.jpg", source.jpeg);

    for (const char* nom : {"q.bmp", "q.gif", "q.png", "q.jpg"}) {
        int l = 0, h = 0;
        EXPECT_TRUE(tailleImage(rep.fichier(nom), l, h)) << nom;
        EXPECT_EQ(l, 64);
        EXPECT_EQ(h, 48);
        for (auto [cl, ch] : {std::pair{0, 0}, {100, 60}, {30, 20}, {64, 13}}) {
            SCOPED_TRACE(std::string(nom) + " vers " + std::to_string(cl) + " x " +
                         std::to_string(ch));
            Sortie s = encoder(rep.fichier(nom), cl, ch);
            EXPECT_EQ(s.resultat, ResultatImage::Reussie);
            Decode d = decoder(s.jpeg);
            attendreJpegValide(d, cl == 0 ? 64 : cl, ch == 0 ? 48 : ch);
            attendreQuarts(d);
        }
    }
}

TEST(ImageJpeg, CopieALaMemeTailleEtPixelIsole) {
    essai::RepertoireEssai rep;
    // Un seul pixel, et une largeur qui oblige le BMP à compléter ses lignes.
    rep.ecrire("un.bmp", bmp(1, 1, [](int, int, int, int) { return Couleur{40, 120, 200}; }));
    Sortie s = encoder(rep.fichier("un.bmp"), 0, 0);
    EXPECT_EQ(s.resultat, ResultatImage::Reussie);
    Decode d = decoder(s.jpeg);
    attendreJpegValide(d, 1, 1);
    attendreProche(d.pixel(0, 0), {40, 120, 200}, 6);

    // À la même taille, pas de filtre : un damier d'un pixel survit (au JPEG près).
    rep.ecrire("damier.bmp", bmp(33, 17, [](int x, int y, int, int) {
                   return (x + y) % 2 ? Couleur{0, 0, 0} : Couleur{255, 255, 255};
               }));
    for (auto [cl, ch] : {std::pair{0, 0}, {33, 17}}) {
        Decode damier = decoder(encoder(rep.fichier("damier.bmp"), cl, ch).jpeg);
        attendreJpegValide(damier, 33, 17);
        int ecarts = 0;
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 33; ++x)
                ecarts += std::abs(damier.pixel(x, y)[1] - ((x + y) % 2 ? 0 : 255)) > 96;
        EXPECT_EQ(ecarts, 0);
    }
}

Couleur bruit(int x, int y, int, int) {
    uint32_t v = static_cast<uint32_t>(x * 7919 + y * 104729) * 2654435761u;
    return {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

TEST(ImageJpeg, BlocsDe16384OctetsSaufLeDernier) {
    essai::RepertoireEssai rep;
    rep.ecrire("bruit.bmp", bmp(300, 300, bruit));
    for (const char* nom : {"bruit.bmp", "absent.bmp"}) {
        SCOPED_TRACE(nom);
        Sortie s = encoder(rep.fichier(nom), 640, 480);
        ASSERT_FALSE(s.blocs.empty());
        for (std::size_t i = 0; i + 1 < s.blocs.size(); ++i)
            EXPECT_EQ(s.blocs[i], 16384u);
        EXPECT_GT(s.blocs.back(), 0u);
        EXPECT_LE(s.blocs.back(), 16384u);
        attendreJpegValide(decoder(s.jpeg), 640, 480);
    }
    EXPECT_GE(encoder(rep.fichier("bruit.bmp"), 640, 480).blocs.size(), 3u);
}

TEST(ImageJpeg, EntreesDefectueusesDonnentUnJpegGrisValide) {
    essai::RepertoireEssai rep;
    rep.ecrire("q.bmp", bmp(64, 48));
    Octets jpeg = encoder(rep.fichier("q.bmp"), 0, 0).jpeg;
    // Précision de 12 bits annoncée : en-tête refusé.
    Octets precision = jpeg;
    for (std::size_t i = 0; i + 4 < precision.size(); ++i)
        if (precision[i] == 0xFF && precision[i + 1] == 0xC0) precision[i + 4] = 12;
    // Table de Huffman impossible : l'en-tête passe, le décodage échoue.
    Octets huffman = jpeg;
    for (std::size_t i = 0; i + 6 < huffman.size(); ++i)
        if (huffman[i] == 0xFF && huffman[i + 1] == 0xC4) huffman[i + 5] = huffman[i + 6] = 0xFF;
    Octets texte{'0', ' ', 'H', 'E', 'A', 'D', '\n', '1', ' ', 'C', 'H', 'A', 'R', '\n'};
    rep.ecrire("precision.jpg", precision);
    rep.ecrire("huffman.jpg", huffman);
    Octets gifSansImage = gif(64, 48);
    gifSansImage.resize(13 + 12); // coupé après la palette
    rep.ecrire("tronque.gif", gifSansImage);
    rep.ecrire("texte.jpg", texte);
    rep.ecrire("vide.bmp", {});
    rep.ecrire("geant.bmp", enteteBmp(100000, 100000));
    rep.ecrire("geant.png", entetePng(100000, 100000));
    rep.ecrire("geant.gif", enteteGif(65535, 65535));
    rep.ecrire("large.bmp", enteteBmp(70000, 10));
    ::mkdir(rep.fichier("dossier.jpg").c_str(), 0700);
    ::mkfifo(rep.fichier("tube.jpg").c_str(), 0600); // ne doit pas bloquer

    struct Cas {
        const char* nom;
        ResultatImage attendu;
        int largeurPropre, hauteurPropre; // taille écrite pour une cible 0 × 0
    };
    const Cas cas[] = {
        {"precision.jpg", ResultatImage::ErreurLecture, 1, 1},
        {"huffman.jpg", ResultatImage::ErreurLecture, 64, 48},
        {"tronque.gif", ResultatImage::ErreurLecture, 64, 48},
        {"texte.jpg", ResultatImage::ErreurLecture, 1, 1},
        {"vide.bmp", ResultatImage::ErreurLecture, 1, 1},
        {"geant.bmp", ResultatImage::ErreurLecture, 1, 1},
        {"geant.png", ResultatImage::ErreurLecture, 1, 1},
        {"geant.gif", ResultatImage::ErreurLecture, 1, 1},
        {"large.bmp", ResultatImage::ErreurLecture, 1, 1},
        {"absent.jpg", ResultatImage::ErreurOuverture, 1, 1},
        {"dossier.jpg", ResultatImage::ErreurOuverture, 1, 1},
        {"tube.jpg", ResultatImage::ErreurOuverture, 1, 1},
    };
    for (const Cas& c : cas) {
        for (auto [cl, ch] : {std::pair{0, 0}, {40, 30}, {-5, -7}, {0, 9}}) {
            SCOPED_TRACE(std::string(c.nom) + " vers " + std::to_string(cl) + " x " +
                         std::to_string(ch));
            const bool propre = cl <= 0 && ch <= 0;
            const int l = propre ? c.largeurPropre : std::max(cl, 1);
            const int h = propre ? c.hauteurPropre : std::max(ch, 1);
            int annonceL = cl, annonceH = ch;
            tailleJpegProduite(rep.fichier(c.nom), annonceL, annonceH);
            EXPECT_EQ(annonceL, l);
            EXPECT_EQ(annonceH, h);
            Sortie s = encoder(rep.fichier(c.nom), cl, ch);
            EXPECT_EQ(s.resultat, c.attendu);
            Decode d = decoder(s.jpeg);
            attendreJpegValide(d, l, h);
            attendreGris(d);
        }
        // Seul un en-tête lisible donne une taille propre.
        int l = -1, h = -1;
        EXPECT_EQ(tailleImage(rep.fichier(c.nom), l, h), c.largeurPropre > 1) << c.nom;
    }
}

// Une image coupée peut se décoder en partie : le résultat dépend de l'endroit de la coupe, mais
// le JPEG écrit est toujours complet et de la taille annoncée.
TEST(ImageJpeg, ImagesTronqueesDonnentToujoursUnJpegValide) {
    essai::RepertoireEssai rep;
    rep.ecrire("q.bmp", bmp(64, 48));
    Octets jpeg = encoder(rep.fichier("q.bmp"), 0, 0).jpeg;
    for (const Octets& entier : {jpeg, gif(64, 48), bmp(64, 48), pngTransparent(64, 48)}) {
        for (std::size_t garde :
             {entier.size() / 2, entier.size() - 2, std::size_t{200}, std::size_t{30}}) {
            SCOPED_TRACE(std::to_string(entier[0]) + " " + std::to_string(garde));
            rep.ecrire("t", Octets(entier.begin(), entier.begin() + static_cast<long>(garde)));
            for (auto [cl, ch] : {std::pair{0, 0}, {50, 20}}) {
                int l = cl, h = ch;
                tailleJpegProduite(rep.fichier("t"), l, h);
                Sortie s = encoder(rep.fichier("t"), cl, ch);
                EXPECT_NE(s.resultat, ResultatImage::ErreurOuverture);
                attendreJpegValide(decoder(s.jpeg), l, h);
            }
        }
    }
}

TEST(ImageJpeg, EnteteDemesureRefuseSansDecoderNiMemoire) {
    essai::RepertoireEssai rep;
    // 120 mégapixels annoncés par quelques octets : décodés, ils occuperaient 480 Mo.
    rep.ecrire("a.bmp", enteteBmp(12000, 10000));
    rep.ecrire("b.bmp", enteteBmp(100000, 100000));
    rep.ecrire("c.gif", enteteGif(20000, 6000));
    rep.ecrire("d.png", entetePng(12000, 10000));
    for (const char* nom : {"a.bmp", "b.bmp", "c.gif", "d.png"}) {
        SCOPED_TRACE(nom);
        const bool crete = remettreCrete();
        const double avant = creteMo();
        Sortie s = encoder(rep.fichier(nom), 40, 30);
        // Refusé sur l'en-tête : la mémoire de pointe le montre ; la vitesse se mesure dans
        // « make bench ».
        EXPECT_EQ(s.resultat, ResultatImage::ErreurLecture);
        if (crete) {
            EXPECT_LT(creteMo() - avant, 200.0);
        }
        attendreJpegValide(decoder(s.jpeg), 40, 30);
    }
}

TEST(ImageJpeg, CibleDemesureeBorneeParBandes) {
    essai::RepertoireEssai rep;
    rep.ecrire("q.bmp", bmp(8, 6));
    int l = 100000, h = 100000;
    tailleJpegProduite(rep.fichier("q.bmp"), l, h);
    EXPECT_EQ(l, 10000);
    EXPECT_EQ(h, 10000);
    const bool crete = remettreCrete();
    const double avant = creteMo();
    Sortie s = encoder(rep.fichier("q.bmp"), 100000, 100000);
    EXPECT_EQ(s.resultat, ResultatImage::Reussie);
    // Une image entière de 10000 × 10000 en RVB pèserait 300 Mo.
    if (crete) {
        EXPECT_LT(creteMo() - avant, 200.0);
    }
    Decode d = decoder(s.jpeg, 8);
    attendreJpegValide(d, 10000, 10000);
    EXPECT_EQ(d.largeurSortie, 1250);
    attendreQuarts(d);
}

TEST(ImageJpeg, BornesDeLaTaille) {
    struct Cas {
        int l, h, attenduL, attenduH;
    };
    const Cas cas[] = {
        {640, 480, 640, 480},
        {100000, 100000, 10000, 10000},
        {70000, 10, 65500, 9},
        {10, 70000, 9, 65500},
        {1, INT_MAX, 1, 65500},
        {INT_MAX, INT_MAX, 10000, 10000},
        {20000, 20000, 10000, 10000},
        {65500, 65500, 10000, 10000},
        {12000, 10000, 10954, 9128},
        {0, 0, 1, 1},
        {-3, 5, 1, 5},
    };
    for (const Cas& c : cas) {
        int l = c.l, h = c.h;
        bornerTailleJpeg(l, h);
        EXPECT_EQ(l, c.attenduL) << c.l << " x " << c.h;
        EXPECT_EQ(h, c.attenduH) << c.l << " x " << c.h;
        EXPECT_LE(int64_t{l} * h, kPixelsMaxImage);
        int l2 = l, h2 = h;
        bornerTailleJpeg(l2, h2); // une taille déjà bornée ne bouge plus
        EXPECT_EQ(l2, l);
        EXPECT_EQ(h2, h);
    }
}

TEST(ImageJpeg, ExceptionDeLEcrivainPropagee) {
    essai::RepertoireEssai rep;
    rep.ecrire("bruit.bmp", bmp(300, 300, bruit));
    for (const char* nom : {"bruit.bmp", "absent.bmp"}) {
        for (int cl : {0, 500}) {
            int appels = 0;
            EXPECT_THROW(encoderImageJpeg(rep.fichier(nom), cl, cl,
                                          [&](const uint8_t*, std::size_t) {
                                              ++appels;
                                              throw OperationImpossible("Disque plein");
                                          }),
                         OperationImpossible);
            EXPECT_EQ(appels, 1) << nom; // plus rien n'est écrit après l'échec
        }
    }
}

TEST(ImageJpeg, BandesIdentiquesAUnRedimensionnementEntier) {
    std::mt19937 alea(7);
    for (auto [l, h, cl, ch] :
         {std::array{50, 40, 13, 97}, {50, 40, 120, 9}, {7, 300, 7, 31}, {200, 150, 64, 48}}) {
        Octets source(static_cast<std::size_t>(l) * h * 3);
        for (auto& o : source)
            o = static_cast<uint8_t>(alea());
        Octets entier(static_cast<std::size_t>(cl) * ch * 3);
        // Mêmes filtres que l'encodeur : Mitchell en réduction, Catmull-Rom sinon.
        auto filtre = [](int de, int vers) {
            return vers < de ? STBIR_FILTER_MITCHELL : STBIR_FILTER_CATMULLROM;
        };
        ASSERT_TRUE(stbir_resize(source.data(), l, h, l * 3, entier.data(), cl, ch, cl * 3,
                                 STBIR_TYPE_UINT8, 3, STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP,
                                 STBIR_EDGE_CLAMP, filtre(l, cl), filtre(h, ch),
                                 STBIR_COLORSPACE_SRGB, nullptr));
        for (int bande : {1, 7, 16, 1000}) {
            SCOPED_TRACE(std::to_string(cl) + " x " + std::to_string(ch) + " par " +
                         std::to_string(bande));
            Octets parBandes;
            int attendue = 0;
            ASSERT_TRUE(reechantillonnerRvb(
                source.data(), l, h, l * 3, cl, ch, bande,
                [&](const uint8_t* lignes, int premiere, int nombre) {
                    EXPECT_EQ(premiere, attendue);
                    EXPECT_LE(nombre, bande);
                    attendue += nombre;
                    parBandes.insert(parBandes.end(), lignes,
                                     lignes + static_cast<std::size_t>(nombre) * cl * 3);
                    return true;
                }));
            EXPECT_EQ(parBandes, entier);
        }
    }
}

} // namespace
} // namespace veltrane
