#!/bin/sh
# Les statistiques en console par leurs noms communs : population choisie par --racine ou
# par l'option, refus d'usage (statut 2), catégories d'un fichier pour ce document seulement
# (rien chez l'utilisateur), fichier de catégories absent (statut 1).
cli=${1:?usage : console-statistiques.sh VELTRANE-CLI FICHIER.ged}
ged=${2:?}
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
export VELTRANE_CONFIG="$t/config"
s() {
    "$cli" "$ged" graphique "$@" --sortie "$t" 2>&1
    echo "statut $?"
}
s statistiques-professions
s statistiques-ages --racine @I44@ --option evenement=deces
s statistiques-ascendance --racine @I44@
s statistiques-naissances --option intervalle=0
s statistiques-ages --option population=ascendance
s statistiques-sources --racine @I44@ --option population=complete
printf 'Métiers du textile\n  tisserand\n  laboureur\nChamps\n  laboureur\n' >"$t/d.txt"
s statistiques-professions --option categories="$t/d.txt" --option liste=oui
s statistiques-sources --option categories="$t/absent.txt"
for f in Metiers.txt Metiers.dxr Sources.txt Sources.dxr; do
    [ ! -e "$VELTRANE_CONFIG/$f" ] || echo "écrit chez l'utilisateur : $f"
done
for pdf in "$t"/S*.pdf; do
    qpdf --check "$pdf" >/dev/null || echo "qpdf : $pdf"
done
pdftotext "$t/SP_Ensemble1.pdf" - 2>/dev/null | grep -c -e "^Métiers du textile$" -e "^tisserand : 4$"
