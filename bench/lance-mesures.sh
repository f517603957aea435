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

# Chargeur GEDCOM de bout en bout : 100 000 puis 1 000 000 de personnes, sur un fil puis sur
# deux, côte à côte (durée de chaque phase, rapport à un simple parcours des lignes).
cent_mille="$donnees/cent-mille.ged"
engendre 100000 "$cent_mille"
for fils in 1 2; do
    echo "Chargeur sur $fils fil(s) :"
    VELTRANE_FILS=$fils "$construction/bench/mesure_chargeur" "$cent_mille" 3
    VELTRANE_FILS=$fils "$construction/bench/mesure_chargeur" "$million" 1
done

# Temps de bout en bout de la console (« info ») et mémoire maximale, meilleur de trois :
# objectifs 0,25 s pour 100 000 personnes, 2,5 s et 200 Mo pour un million. Une console plus
# ancienne (VELTRANE_CLI_AVANT) est mesurée à côté quand elle est donnée.
info_console() { # NOM CONSOLE FICHIER OBJECTIF_S [OBJECTIF_MO]
    local nom=$1 console=$2 fichier=$3 objectif=$4 objectif_mo=${5:-}
    local meilleur="" memoire=0 mesure
    for _ in 1 2 3; do
        mesure=$( { /usr/bin/time -f "%e %M" "$console" "$fichier" info >/dev/null; } 2>&1 |
            tail -n 1)
        read -r secondes ko <<<"$mesure"
        if [ -z "$meilleur" ] || awk "BEGIN { exit !($secondes < $meilleur) }"; then
            meilleur=$secondes
        fi
        [ "$ko" -gt "$memoire" ] && memoire=$ko
    done
    local verdict
    verdict=$(awk "BEGIN { print ($meilleur <= $objectif) ? \"tenu\" : \"MANQUÉ\" }")
    local ligne="console info $(basename "$fichier") ($nom) : meilleur de 3 $meilleur s"
    ligne+=" (objectif $objectif s : $verdict), mémoire maximale $((memoire / 1024)) Mo"
    if [ -n "$objectif_mo" ]; then
        ligne+=" (objectif $objectif_mo Mo : "
        ligne+=$( [ $((memoire / 1024)) -le "$objectif_mo" ] && echo tenu || echo MANQUÉ)")"
    fi
    echo "$ligne"
}
for fils in 1 2; do
    VELTRANE_FILS=$fils info_console "$fils fil(s)" "$construction/veltrane-cli" "$cent_mille" 0.25
    VELTRANE_FILS=$fils info_console "$fils fil(s)" "$construction/veltrane-cli" "$million" 2.5 200
done
if [ -n "${VELTRANE_CLI_AVANT:-}" ]; then
    info_console "avant" "$VELTRANE_CLI_AVANT" "$cent_mille" 0.25
    info_console "avant" "$VELTRANE_CLI_AVANT" "$million" 2.5 200
fi

# Mêmes résultats qu'avant sur des fichiers engendrés de toutes sortes : empreintes des sorties
# de la console (info, journal, consulte --tout) comparées à celles gardées.
engendre 10000 "$donnees/dix-mille-fautes.ged" --faults
for jeu in ANSI UTF-8 ANSEL MACINTOSH; do
    engendre 10000 "$donnees/dix-mille-$jeu.ged" --charset "$jeu"
done
engendre 100000 "$donnees/cent-mille-fautes.ged" --faults --crlf
"$racine/bench/empreintes-sorties.sh" "$construction/veltrane-cli" "$donnees" \
    >"$construction/empreintes-sorties.txt"
if diff "$racine/bench/empreintes-sorties.txt" "$construction/empreintes-sorties.txt"; then
    echo "Sorties de la console : identiques aux empreintes gardées"
else
    echo "Sorties de la console : DIFFÉRENTES des empreintes gardées" >&2
    exit 1
fi

# Estimation des naissances (moins de 3 s) et index des noms (moins de 2 s), chargement exclu.
"$construction/bench/mesure_estimation" "$million" 1

# Choix d'une personne parmi un million : ouverture du dialogue et frappe (bien moins d'une seconde).
VELTRANE_FICHIER_MESURE="$million" QT_QPA_PLATFORM=offscreen \
    "$construction/tests/interface/tests-interface" MesureDialoguePersonne 2>&1 | grep -E "ms|PASS|FAIL"

# Catégories : la référence des professions compilée (moins de 50 ms), puis chaque profession
# du fichier d'un million de personnes classée (moins de 0,5 s).
"$construction/bench/mesure_categories" "$million" "$racine/donnees/MetiersRef.txt" 3

# Liste ascendante de la personne la plus riche en ancêtres, dans les quatre formats (moins
# d'une seconde chacun), puis le pire cas : un arbre complet de 17 générations.
"$construction/bench/mesure_liste_ascendante" "$million" 3
"$construction/bench/mesure_liste_ascendante" --arbre-complet 17 1

# Liste descendante de la personne la plus riche en descendants, en texte et en PDF (moins de
# 2 s chacun), puis la borne de 2 000 000 lignes atteinte avec les doubles branches (moins de 5 s).
"$construction/bench/mesure_liste_descendante" "$million" 3

# Arbre ascendant : 17 générations complètes (131 071 cases), moins de 1,5 s par style et 2 s en
# chronologique, moins de 300 Mo de plus ; la personne la plus ascendée du million, moins de 0,2 s.
# Documents : 17 générations en PDF en moins de 4 s et en page Web en moins de 3 s dans chaque
# style, moins de 600 Mo de plus ; la personne la plus ascendée du million, moins de 0,5 s par
# format.
"$construction/bench/mesure_arbre_ascendant" --arbre-complet 17
"$construction/bench/mesure_arbre_ascendant" "$million"

# Arbre descendant : la personne aux descendants les plus nombreux du million, moins de 3 s et
# moins de 500 Mo de plus ; l'arbre des cousins d'un de ses descendants de la dernière
# génération, moins de 3 s ; 8 générations de 4 enfants (87 381 descendants et leurs
# conjoints), moins de 6 s.
"$construction/bench/mesure_arbre_descendant" "$million"
"$construction/bench/mesure_arbre_descendant" --descendance-complete 8 4

# Coloration : les comptes d'apparitions de la personne la plus ascendée du million en moins de
# 0,5 s (l'arbre chromatique ci-dessus coûte moins de 0,3 s de plus que le classique) ; un fond
# de page lu en moins de 1 ms.
"$construction/bench/mesure_coloration" "$million" "$racine/donnees/Chrono/Papes.txt"

# Roue ascendante de 9 générations de la personne la plus ascendée du million : moins de 0,1 s.
roue=$("$construction/bench/mesure_roue_ascendante" "$million" | tail -n 1)
qpdf --check "$roue" >/dev/null && echo "Roue ascendante : qpdf --check réussi"

# Roue descendante de la personne la plus descendue du million : anneaux jusqu'à 150
# générations puis document au nombre par défaut, moins de 1 s et moins de 100 Mo de plus.
roue=$("$construction/bench/mesure_roue_descendante" "$million" | tail -n 1)
qpdf --check "$roue" >/dev/null && echo "Roue descendante : qpdf --check réussi"

# Parenté : tableau des consanguinités (texte) du million en moins de 5 s après le chargement,
# avec la longueur totale des cycles ; une lignée de 2 000 générations où deux familles se
# marient entre elles, en moins de 2 s.
"$construction/bench/mesure_parente" "$million" 2000

# Statistiques du million, chargement exclu : généalogie entière (moins de 1,5 s ; professions et
# sources moins de 2 s), descendance avec conjoints (0,5 s), ascendance (0,3 s), 150 Mo de plus.
"$construction/bench/mesure_statistiques" "$million" "$construction/donnees" 3

# Polices incorporées au PDF du même arbre : au plus 15 % plus lent, 60 Ko de plus par face.
"$construction/bench/mesure_liste_ascendante" --arbre-complet 17 3 --incorporation
