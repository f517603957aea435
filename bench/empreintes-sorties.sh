#!/usr/bin/env bash
# Empreintes des sorties de la console (info, journal, consulte --tout) pour les fichiers
# engendrés des mesures ; chemins relatifs, pour ne pas dépendre de l'arbre de construction.
# usage : empreintes-sorties.sh VELTRANE_CLI DOSSIER_DONNEES
set -euo pipefail
cli=$1
cd "$2"
for fichier in dix-mille-fautes.ged dix-mille-ANSI.ged dix-mille-UTF-8.ged dix-mille-ANSEL.ged \
    dix-mille-MACINTOSH.ged cent-mille.ged cent-mille-fautes.ged million.ged; do
    for commande in info journal "consulte --tout"; do
        # shellcheck disable=SC2086
        # Sur un fil puis sur deux : les deux empreintes doivent être les mêmes.
        for fils in 1 2; do
            empreinte=$(VELTRANE_FILS=$fils "$cli" "$fichier" $commande 2>&1 | sha256sum |
                cut -c1-64)
            echo "$empreinte $fichier $commande"
        done
    done
done
