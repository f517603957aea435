#!/usr/bin/env python3
"""Dessine les images des boutons de la barre d'outils (donnees/Menu/*.gif) et leurs masques.

Chaque image fait 60 x 38 pixels ; son masque « -m » est noir là où l'image est opaque et blanc
là où elle est transparente. Écrit en Python pur : GIF87a et compression LZW faits ici, avec un
décodeur indépendant qui relit chaque fichier pour le vérifier.

    python3 outils/dessine_menus.py [répertoire]     # par défaut donnees/Menu
"""
import math
import os
import sys

LARGEUR, HAUTEUR = 60, 38

# Palette de 16 couleurs ; l'indice 0 est le fond transparent.
PALETTE = [
    (255, 0, 255),  # 0 fond (transparent)
    (20, 20, 20),  # 1 noir
    (90, 90, 90),  # 2 gris foncé
    (190, 190, 190),  # 3 gris clair
    (30, 60, 150),  # 4 bleu foncé
    (150, 190, 240),  # 5 bleu clair
    (20, 110, 40),  # 6 vert foncé
    (130, 200, 120),  # 7 vert clair
    (200, 30, 30),  # 8 rouge
    (240, 140, 30),  # 9 orange
    (245, 205, 40),  # 10 or
    (130, 80, 30),  # 11 brun
    (245, 230, 195),  # 12 beige
    (140, 60, 160),  # 13 violet
    (240, 160, 190),  # 14 rose
    (255, 255, 255),  # 15 blanc
]
FOND, NOIR, GRIS_F, GRIS_C, BLEU_F, BLEU_C, VERT_F, VERT_C = range(8)
ROUGE, ORANGE, OR, BRUN, BEIGE, VIOLET, ROSE, BLANC = range(8, 16)


class Image:
    def __init__(self):
        self.pixels = [[FOND] * LARGEUR for _ in range(HAUTEUR)]

    def point(self, x, y, c):
        if 0 <= x < LARGEUR and 0 <= y < HAUTEUR:
            self.pixels[y][x] = c

    def rectangle(self, x0, y0, x1, y1, fond=None, bord=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                au_bord = x in (x0, x1) or y in (y0, y1)
                if au_bord and bord is not None:
                    self.point(x, y, bord)
                elif fond is not None:
                    self.point(x, y, fond)

    def ligne(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.point(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygone(self, sommets, c):
        # Remplissage pair-impair, ligne par ligne, au centre des pixels.
        for y in range(HAUTEUR):
            yc = y + 0.5
            xs = []
            for (xa, ya), (xb, yb) in zip(sommets, sommets[1:] + sommets[:1]):
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(math.ceil(a - 0.5), math.floor(b - 0.5) + 1):
                    self.point(x, y, c)

    def contour(self, sommets, c):
        for (xa, ya), (xb, yb) in zip(sommets, sommets[1:] + sommets[:1]):
            self.ligne(round(xa), round(ya), round(xb), round(yb), c)

    def disque(self, cx, cy, r, c):
        for y in range(HAUTEUR):
            for x in range(LARGEUR):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.point(x, y, c)


def case_personne(im, x0, y0, x1, y1, couleur):
    im.rectangle(x0, y0, x1, y1, fond=BLANC, bord=couleur)
    im.ligne(x0 + 3, y0 + 3, x1 - 3, y0 + 3, couleur)
    im.ligne(x0 + 4, y0 + 5, x1 - 5, y0 + 5, GRIS_C)


def arbre():
    im = Image()
    # Deux grands-parents en haut, le couple au milieu, l'enfant en bas : un arbre ascendant.
    im.ligne(15, 10, 15, 16, VERT_F)
    im.ligne(44, 10, 44, 16, VERT_F)
    im.ligne(15, 16, 44, 16, VERT_F)
    im.ligne(29, 16, 29, 27, VERT_F)
    case_personne(im, 3, 2, 27, 10, BLEU_F)
    case_personne(im, 32, 2, 56, 10, ROUGE)
    case_personne(im, 17, 27, 42, 35, BLEU_F)
    return im


def liste():
    im = Image()
    im.polygone([(12, 1), (42, 1), (48, 7), (48, 36), (12, 36)], BLANC)
    im.contour([(12, 1), (42, 1), (48, 7), (48, 36), (12, 36)], GRIS_F)
    im.ligne(42, 1, 42, 7, GRIS_F)
    im.ligne(42, 7, 48, 7, GRIS_F)
    couleurs = [BLEU_F, ROUGE, BLEU_F, ROUGE, BLEU_F]
    for i, c in enumerate(couleurs):
        y = 10 + i * 5
        im.rectangle(16, y, 18, y + 2, fond=c)
        im.ligne(21, y + 1, 43 - (i % 3) * 4, y + 1, GRIS_F)
    return im


def frise():
    im = Image()
    im.ligne(3, 31, 55, 31, NOIR)
    im.polygone([(55, 28), (59, 31), (55, 34)], NOIR)
    for x in range(6, 55, 8):
        im.ligne(x, 30, x, 33, NOIR)
    barres = [(4, 30, 4, BLEU_C, BLEU_F), (14, 46, 11, ROSE, ROUGE), (24, 54, 18, VERT_C, VERT_F)]
    for x0, x1, y, fond, bord in barres:
        im.rectangle(x0, y, x1, y + 5, fond=fond, bord=bord)
    im.rectangle(36, 4, 52, 9, fond=BEIGE, bord=BRUN)
    return im


def roue():
    im = Image()
    cx, cy = 30, 36
    couleurs = [[BLEU_C, ROSE], [BLEU_C, ROSE, BLEU_C, ROSE], [VERT_C, OR, VERT_C, OR, VERT_C,
                                                                OR, VERT_C, OR]]
    anneaux = [(0, 11), (11, 22), (22, 34)]
    for y in range(HAUTEUR):
        for x in range(LARGEUR):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            r = math.hypot(dx, dy)
            if dy > 0 or r > 34:
                continue
            angle = math.atan2(-dy, dx)  # 0 à droite, pi à gauche
            for niveau, (r0, r1) in enumerate(anneaux):
                if r0 <= r < r1:
                    n = len(couleurs[niveau])
                    secteur = min(int((math.pi - angle) / math.pi * n), n - 1)
                    bord = (r1 - r < 1.1 or abs(((math.pi - angle) / math.pi * n) - round(
                        (math.pi - angle) / math.pi * n)) * r < 0.9 * n / 3)
                    im.point(x, y, GRIS_F if bord else couleurs[niveau][secteur])
    return im


def tableau():
    im = Image()
    x0, y0, x1, y1 = 4, 3, 55, 34
    im.rectangle(x0, y0, x1, y1, fond=BLANC, bord=NOIR)
    im.rectangle(x0 + 1, y0 + 1, x1 - 1, y0 + 7, fond=BLEU_C)
    for y in range(y0 + 8, y1, 6):
        im.ligne(x0, y, x1, y, GRIS_F)
    for x in (21, 38):
        im.ligne(x, y0, x, y1, GRIS_F)
    im.ligne(x0, y0 + 8, x1, y0 + 8, NOIR)
    return im


def carte():
    im = Image()
    # Un hexagone à la manière d'un pays, et une épingle.
    pays = [(22, 2), (36, 4), (48, 12), (45, 26), (38, 35), (22, 35), (12, 28), (10, 16), (14, 7)]
    im.polygone(pays, VERT_C)
    im.contour(pays, VERT_F)
    im.ligne(24, 20, 33, 16, BLEU_F)
    im.ligne(33, 16, 41, 22, BLEU_F)
    im.disque(31, 12, 4.5, ROUGE)
    im.polygone([(27.5, 14), (34.5, 14), (31, 22)], ROUGE)
    im.disque(30, 11, 1.5, BLANC)
    return im


def statistiques():
    im = Image()
    im.ligne(7, 2, 7, 34, NOIR)
    im.ligne(7, 34, 56, 34, NOIR)
    hauteurs = [(BLEU_C, BLEU_F, 12), (ORANGE, BRUN, 22), (VERT_C, VERT_F, 28),
                (ROSE, ROUGE, 17), (BLEU_C, BLEU_F, 8)]
    for i, (fond, bord, h) in enumerate(hauteurs):
        x = 11 + i * 9
        im.rectangle(x, 33 - h, x + 6, 33, fond=fond, bord=bord)
    return im


def favori():
    im = Image()
    cx, cy = 30, 20
    sommets = []
    for i in range(10):
        r = 17 if i % 2 == 0 else 7
        a = -math.pi / 2 + i * math.pi / 5
        sommets.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    im.polygone(sommets, OR)
    im.contour(sommets, ORANGE)
    return im


IMAGES = {
    "MenuArbre": arbre,
    "MenuListe": liste,
    "MenuFrise": frise,
    "MenuRoue": roue,
    "MenuTableau": tableau,
    "MenuCarte": carte,
    "MenuStat": statistiques,
    "MenuFavori": favori,
}


def compresse_lzw(indices, taille_min):
    """Codes LZW à largeur variable, rangés bit de poids faible d'abord (norme GIF)."""
    efface, fin = 1 << taille_min, (1 << taille_min) + 1
    sortie, accumulateur, nb_bits = bytearray(), 0, 0

    def emet(code, largeur):
        nonlocal accumulateur, nb_bits
        accumulateur |= code << nb_bits
        nb_bits += largeur
        while nb_bits >= 8:
            sortie.append(accumulateur & 0xFF)
            accumulateur >>= 8
            nb_bits -= 8

    def neuf():
        return {(i,): i for i in range(efface)}, fin + 1, taille_min + 1

    table, prochain, largeur = neuf()
    emet(efface, largeur)
    w = ()
    for k in indices:
        wk = w + (k,)
        if wk in table:
            w = wk
            continue
        emet(table[w], largeur)
        if prochain < 4096:
            table[wk] = prochain
            # Le décodeur, en retard d'une entrée, élargit ses codes quand la sienne atteint
            # 2^largeur : c'est le cas pour le code qui suit celui-ci.
            if prochain == (1 << largeur) and largeur < 12:
                largeur += 1
            prochain += 1
        else:
            emet(efface, largeur)
            table, prochain, largeur = neuf()
        w = (k,)
    if w:
        emet(table[w], largeur)
    emet(fin, largeur)
    if nb_bits:
        sortie.append(accumulateur & 0xFF)
    return bytes(sortie)


def decompresse_lzw(donnees, taille_min):
    efface, fin = 1 << taille_min, (1 << taille_min) + 1
    position, resultat = 0, []
    table, largeur, precedent = None, taille_min + 1, None

    def lit(largeur):
        nonlocal position
        code = 0
        for i in range(largeur):
            octet = donnees[(position + i) // 8]
            code |= ((octet >> ((position + i) % 8)) & 1) << i
        position += largeur
        return code

    while True:
        code = lit(largeur)
        if code == efface:
            table = [[i] for i in range(efface)] + [None, None]
            largeur, precedent = taille_min + 1, None
            continue
        if code == fin:
            return resultat
        if precedent is None:
            entree = table[code]
        else:
            if code < len(table):
                entree = table[code]
                nouvelle = table[precedent] + [entree[0]]
            else:
                nouvelle = table[precedent] + [table[precedent][0]]
                entree = nouvelle
            if len(table) < 4096:
                table.append(nouvelle)
                if len(table) == (1 << largeur) and largeur < 12:
                    largeur += 1
        resultat.extend(entree)
        precedent = code


def gif87a(pixels, palette):
    bits = max(1, (len(palette) - 1).bit_length())
    palette = palette + [(0, 0, 0)] * ((1 << bits) - len(palette))
    hauteur, largeur = len(pixels), len(pixels[0])
    taille_min = max(2, bits)
    donnees = compresse_lzw([c for ligne in pixels for c in ligne], taille_min)
    sortie = bytearray(b"GIF87a")
    sortie += largeur.to_bytes(2, "little") + hauteur.to_bytes(2, "little")
    sortie += bytes([0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0])
    for r, v, b in palette:
        sortie += bytes([r, v, b])
    sortie += b"\x2c" + bytes(4) + largeur.to_bytes(2, "little") + hauteur.to_bytes(2, "little")
    sortie += b"\x00" + bytes([taille_min])
    for i in range(0, len(donnees), 255):
        bloc = donnees[i:i + 255]
        sortie += bytes([len(bloc)]) + bloc
    sortie += b"\x00\x3b"
    return bytes(sortie)


def relit_gif(octets):
    """Décode un GIF écrit par gif87a : (largeur, hauteur, palette, pixels)."""
    assert octets[:6] == b"GIF87a" and octets[-1] == 0x3B
    largeur = int.from_bytes(octets[6:8], "little")
    hauteur = int.from_bytes(octets[8:10], "little")
    n = 1 << ((octets[10] & 7) + 1)
    palette = [tuple(octets[13 + 3 * i:16 + 3 * i]) for i in range(n)]
    p = 13 + 3 * n
    assert octets[p] == 0x2C
    p += 10
    taille_min = octets[p]
    p += 1
    donnees = bytearray()
    while octets[p]:
        donnees += octets[p + 1:p + 1 + octets[p]]
        p += 1 + octets[p]
    indices = decompresse_lzw(bytes(donnees), taille_min)
    assert len(indices) == largeur * hauteur
    return largeur, hauteur, palette, [indices[y * largeur:(y + 1) * largeur]
                                       for y in range(hauteur)]


def ecrit_verifie(chemin, pixels, palette):
    octets = gif87a(pixels, palette)
    l, h, _, relus = relit_gif(octets)
    assert (l, h) == (len(pixels[0]), len(pixels)) and relus == pixels, chemin
    with open(chemin, "wb") as f:
        f.write(octets)


def essai_lzw():
    # Des suites longues et variées remplissent la table jusqu'à 4096 entrées.
    import random
    alea = random.Random(7)
    for taille_min, n in ((2, 20000), (4, 30000), (8, 60000)):
        suite = [alea.randrange(1 << taille_min) if alea.random() < 0.7 else 0 for _ in range(n)]
        assert decompresse_lzw(compresse_lzw(suite, taille_min), taille_min) == suite


def main():
    essai_lzw()
    racine = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    dossier = sys.argv[1] if len(sys.argv) > 1 else os.path.join(racine, "donnees", "Menu")
    os.makedirs(dossier, exist_ok=True)
    for nom, dessin in IMAGES.items():
        im = dessin()
        ecrit_verifie(os.path.join(dossier, nom + ".gif"), im.pixels, PALETTE)
        masque = [[1 if c == FOND else 0 for c in ligne] for ligne in im.pixels]
        ecrit_verifie(os.path.join(dossier, nom + "-m.gif"), masque,
                      [(0, 0, 0), (255, 255, 255)])
        print(os.path.join(dossier, nom + ".gif"))


if __name__ == "__main__":
    main()
