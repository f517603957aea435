#!/usr/bin/env python3
"""Écrit donnees/Themes/Degrade.jpg : le fond des cases des pages Web des arbres, 8 x 79 pixels,
gris 200 en haut jusqu'au blanc en bas (le dégradé des cases du PDF).

JPEG de base en niveaux de gris écrit en Python pur : DCT, quantification à 1 (le dégradé reste
exact à l'arrondi près) et tables de Huffman à longueur fixe construites pour les symboles
employés.

    python3 outils/dessine_degrade.py [fichier]     # par défaut donnees/Themes/Degrade.jpg
"""
import math
import os
import struct
import sys

LARGEUR, HAUTEUR = 8, 79
ZIGZAG = [0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34,
          27, 20, 13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44,
          51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63]


def gris(ligne):
    return 200 + round(55 * ligne / (HAUTEUR - 1))


def dct(bloc):
    """Coefficients entiers d'un bloc 8 x 8 (valeurs centrées sur 0), dans l'ordre zigzag."""
    sortie = [0] * 64
    for v in range(8):
        for u in range(8):
            s = 0.0
            for y in range(8):
                for x in range(8):
                    s += (bloc[y * 8 + x] * math.cos((2 * x + 1) * u * math.pi / 16)
                          * math.cos((2 * y + 1) * v * math.pi / 16))
            cu = 1 / math.sqrt(2) if u == 0 else 1
            cv = 1 / math.sqrt(2) if v == 0 else 1
            sortie[v * 8 + u] = round(s * cu * cv / 4)
    return [sortie[i] for i in ZIGZAG]


def categorie(n):
    return 0 if n == 0 else abs(n).bit_length()


def bits_valeur(n):
    c = categorie(n)
    return n if n >= 0 else n + (1 << c) - 1


def symboles(blocs):
    """Pour chaque bloc : (symbole DC, valeur) puis les (symbole AC, valeur)."""
    precedent = 0
    suite = []
    for coef in blocs:
        diff = coef[0] - precedent
        precedent = coef[0]
        dc = (categorie(diff), diff)
        ac = []
        zeros = 0
        for n in coef[1:]:
            if n == 0:
                zeros += 1
                continue
            while zeros > 15:
                ac.append((0xF0, None))
                zeros -= 16
            ac.append(((zeros << 4) | categorie(n), n))
            zeros = 0
        if zeros:
            ac.append((0x00, None))
        suite.append((dc, ac))
    return suite


def table(symboles_employes):
    """Codes de longueur fixe : n symboles sur L bits, 2^L > n (jamais le code tout à 1)."""
    valeurs = sorted(symboles_employes)
    longueur = max(1, len(valeurs).bit_length())
    compte = [0] * 16
    compte[longueur - 1] = len(valeurs)
    codes = {s: (i, longueur) for i, s in enumerate(valeurs)}
    return compte, valeurs, codes


class Bits:
    def __init__(self):
        self.octets = bytearray()
        self.courant = 0
        self.nombre = 0

    def ecrit(self, valeur, longueur):
        for i in range(longueur - 1, -1, -1):
            self.courant = (self.courant << 1) | ((valeur >> i) & 1)
            self.nombre += 1
            if self.nombre == 8:
                self.octets.append(self.courant)
                if self.courant == 0xFF:
                    self.octets.append(0)
                self.courant = self.nombre = 0

    def termine(self):
        if self.nombre:
            self.ecrit((1 << (8 - self.nombre)) - 1, 8 - self.nombre)
        return bytes(self.octets)


def segment(marqueur, donnees):
    return struct.pack(">HH", marqueur, len(donnees) + 2) + donnees


def jpeg():
    lignes = [gris(min(y, HAUTEUR - 1)) for y in range((HAUTEUR + 7) // 8 * 8)]
    blocs = [dct([lignes[b * 8 + y] - 128 for y in range(8) for _ in range(8)])
             for b in range(len(lignes) // 8)]
    suite = symboles(blocs)
    dc_compte, dc_valeurs, dc_codes = table({d[0] for d, _ in suite})
    ac_compte, ac_valeurs, ac_codes = table({s for _, ac in suite for s, _ in ac})
    bits = Bits()
    for (dc_symbole, diff), ac in suite:
        code, longueur = dc_codes[dc_symbole]
        bits.ecrit(code, longueur)
        bits.ecrit(bits_valeur(diff), dc_symbole)
        for symbole, n in ac:
            code, longueur = ac_codes[symbole]
            bits.ecrit(code, longueur)
            if n is not None:
                bits.ecrit(bits_valeur(n), symbole & 15)
    return (b"\xFF\xD8"
            + segment(0xFFE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
            + segment(0xFFDB, b"\x00" + bytes([1] * 64))
            + segment(0xFFC0, struct.pack(">BHHB", 8, HAUTEUR, LARGEUR, 1) + b"\x01\x11\x00")
            + segment(0xFFC4, b"\x00" + bytes(dc_compte) + bytes(dc_valeurs)
                      + b"\x10" + bytes(ac_compte) + bytes(ac_valeurs))
            + segment(0xFFDA, b"\x01\x01\x00\x00\x3F\x00")
            + bits.termine() + b"\xFF\xD9")


def main():
    chemin = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "donnees", "Themes", "Degrade.jpg")
    os.makedirs(os.path.dirname(os.path.abspath(chemin)), exist_ok=True)
    with open(chemin, "wb") as f:
        f.write(jpeg())


if __name__ == "__main__":
    main()
