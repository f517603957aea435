#!/usr/bin/env bash
# Lance les mesures sur des fichiers engendrés dans l'arbre de construction.
set -euo pipefail
construction=${1:?usage : lance-mesures.sh DOSSIER_CONSTRUCTION}
racine=$(cd "$(dirname "$0")/.." && pwd)
donnees="$construction/donnees-mesures"
mkdir -p "$donnees"

engendre() { # PERSONNES FICHIER [options]
    local personnes=$1 fichier=$2; shift 2
    if [ ! -s "$fichier" ]; then
        echo "Génération de $fichier ($personnes personnes)..." >&2
        python3 "$racine/outils/genere_gedcom.py" "$personnes" "$fichier" --seed 7 "$@" >&2
    fi
}

million="$donnees/million.ged"
engendre 1000000 "$million"

# Un seul cœur : le lecteur est séquentiel.
taskset -c 0 "$construction/bench/mesure_lecteur" "$million" 3

# Lieux : un million de valeurs PLAC au moins par seconde.
taskset -c 0 "$construction/bench/mesure_lieux" "$million" 2000000

# PDF : 200 000 textes et 200 000 segments sur une grille de 20 × 20 pages.
pdf="$construction/mesure_pdf.pdf"
"$construction/bench/mesure_pdf" "$pdf"
qpdf --check "$pdf" >/dev/null && echo "PDF : qpdf --check réussi"

# Polices et images ; zone de textes partagés du fichier de données.
"$construction/bench/mesure_polices" Arial 200
"$construction/bench/mesure_pool"
"$construction/bench/mesure_images"

# Surface de dessin : un million de segments et 200 000 textes sur une grille de 50 × 50 pages.
dessin="$construction/mesure_dessin.pdf"
"$construction/bench/mesure_dessin" "$dessin"
qpdf --check "$dessin" >/dev/null && echo "Dessin : qpdf --check réussi"

# Dates : au moins deux millions de valeurs par seconde.
taskset -c 0 "$construction/bench/mesure_dates"

# Chargeur GEDCOM de bout en bout : 100 000 puis 1 000 000 de personnes.
cent_mille="$donnees/cent-mille.ged"
engendre 100000 "$cent_mille"
"$construction/bench/mesure_chargeur" "$cent_mille" 3
"$construction/bench/mesure_chargeur" "$million" 1

# Estimation des naissances (moins de 3 s) et index des noms (moins de 2 s), chargement exclu.
"$construction/bench/mesure_estimation" "$million" 1

# Choix d'une personne parmi un million : ouverture du dialogue et frappe (bien moins d'une seconde).
VELTRANE_FICHIER_MESURE="$million" QT_QPA_PLATFORM=offscreen \
    "$construction/tests/interface/tests-interface" MesureDialoguePersonne 2>&1 | grep -E "ms|PASS|FAIL"

# Liste ascendante de la personne la plus riche en ancêtres, dans les quatre formats (moins
# d'une seconde chacun), puis le pire cas : un arbre complet de 17 générations.
"$construction/bench/mesure_liste_ascendante" "$million" 3
"$construction/bench/mesure_liste_ascendante" --arbre-complet 17 1
# Polices incorporées au PDF du même arbre : au plus 15 % plus lent, 60 Ko de plus par face.
"$construction/bench/mesure_liste_ascendante" --arbre-complet 17 3 --incorporation
