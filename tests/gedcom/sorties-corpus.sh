#!/bin/sh
# Ce que la console dit de chaque fichier du corpus (info, journal, consulte --tout) est
# comparé octet pour octet aux sorties gardées : un changement du chargeur qui modifie un
# résultat se voit ici. --ecrire range les sorties actuelles comme nouvelles références.
# usage : sorties-corpus.sh VELTRANE_CLI DOSSIER_CORPUS DOSSIER_ATTENDUS [--ecrire]
set -u
cli=$1 corpus=$2 attendus=$3 ecrire=${4:-}
temporaire=$(mktemp -d) || exit 2
trap 'rm -rf "$temporaire"' EXIT
echecs=0
cd "$corpus" || exit 2
# Sur un fil puis sur deux : le résultat ne dépend pas du nombre de fils.
for fils in 1 2; do
    for fichier in *.ged; do
        sortie="$temporaire/$fichier.txt"
        for commande in info journal "consulte --tout"; do
            echo "== $commande"
            # Chemin relatif : les sorties ne dépendent pas de l'endroit du dépôt.
            # shellcheck disable=SC2086
            VELTRANE_FILS=$fils "$cli" "$fichier" $commande 2>&1
            echo "== statut $?"
        done >"$sortie"
        if [ "$ecrire" = "--ecrire" ]; then
            cp "$sortie" "$attendus/$fichier.txt"
        elif ! cmp -s "$sortie" "$attendus/$fichier.txt"; then
            echo "Sorties différentes pour $fichier ($fils fils) :"
            diff "$attendus/$fichier.txt" "$sortie" | head -20
            echecs=$((echecs + 1))
        fi
    done
done
[ "$echecs" -eq 0 ] || { echo "$echecs fichiers du corpus donnent d'autres sorties"; exit 1; }
