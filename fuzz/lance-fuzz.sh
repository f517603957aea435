#!/usr/bin/env bash
# Lance chaque fuzzer pendant une durée bornée. Points de départ : les fichiers GEDCOM réels
# (tests/corpus, exemples, et ../shared/corpus ou $VELTRANE_CORPUS_PARTAGE s'il existe), des fichiers engendrés avec leurs
# défauts (jamais versionnés : ils naissent ici) et, pour les fichiers de configuration, les
# semences de fuzz/semences/. Un fuzzer qui trouve une faute fait échouer le script.
set -euo pipefail
construction=$(cd "${1:?usage : lance-fuzz.sh DOSSIER_CONSTRUCTION [SECONDES]}" && pwd)
secondes=${2:-60}
racine=$(cd "$(dirname "$0")/.." && pwd)
partage=${VELTRANE_CORPUS_PARTAGE:-$racine/../shared/corpus}

# Fichiers engendrés : petits, avec défauts, dans chaque jeu de caractères.
engendres="$construction/semences-engendrees"
if [ ! -d "$engendres" ]; then
    mkdir -p "$engendres.tmp"
    graine=1
    for options in "--charset ANSI" "--charset UTF-8 --bom --crlf" "--charset ANSEL" \
                   "--charset MACINTOSH --crlf"; do
        # shellcheck disable=SC2086
        python3 "$racine/outils/genere_gedcom.py" 60 "$engendres.tmp/defauts-$graine.ged" \
            --seed "$graine" --faults $options >/dev/null 2>&1
        graine=$((graine + 1))
    done
    mv "$engendres.tmp" "$engendres"
fi

echec=0
for fuzzer in "$construction"/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    nom=$(basename "$fuzzer")
    travail="$construction/corpus-$nom"
    mkdir -p "$travail"
    if [ -d "$racine/fuzz/semences/$nom" ]; then
        cp -n "$racine/fuzz/semences/$nom"/* "$travail"/
    else
        cp -n "$racine"/tests/corpus/*.ged "$racine"/exemples/*.ged "$engendres"/*.ged "$travail"/
        for f in "$partage"/*.ged "$partage"/*.GED; do
            if [ -f "$f" ]; then cp -n "$f" "$travail/partage-$(basename "$f")"; fi
        done
    fi
    echo "== $nom ($secondes s)"
    journal="$construction/$nom.journal"
    if ! (cd "$construction" && "$fuzzer" -max_total_time="$secondes" -max_len=65536 \
            -rss_limit_mb=4096 -print_final_stats=1 "$travail" >"$journal" 2>&1); then
        echec=1
        tail -n 40 "$journal"
        continue
    fi
    # Exécutions par seconde, couverture et taille du corpus à la fin du temps imparti.
    grep -E "^#[0-9]+.*(DONE|pulse)" "$journal" | tail -n 1
    grep -E "stat::(number_of_executed_units|average_exec_per_sec|new_units_added)" "$journal"
done
exit $echec
