#!/usr/bin/env bash
# Installe dans un dossier temporaire (DESTDIR) puis vérifie ce qu'un utilisateur trouvera :
# programmes lancés d'un dossier quelconque, données trouvées, entrée de bureau, métadonnées,
# pages de manuel et complètement.
set -euo pipefail
construction=${1:?usage : verifie-installation.sh DOSSIER_CONSTRUCTION EXEMPLE}
exemple=${2:?}
racine=$(mktemp -d)
trap 'rm -rf "$racine"' EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }

DESTDIR="$racine/dest" cmake --install "$construction" --prefix /usr >/dev/null
usr="$racine/dest/usr"
for f in bin/veltrane bin/veltrane-cli share/veltrane/Vide.pdf share/veltrane/Aide/index.html \
         share/applications/veltrane.desktop share/mime/packages/veltrane.xml \
         share/icons/hicolor/scalable/apps/veltrane.svg share/icons/hicolor/128x128/apps/veltrane.png \
         share/metainfo/fr.veltrane.veltrane.metainfo.xml share/man/man1/veltrane.1 \
         share/man/man1/veltrane-cli.1 share/bash-completion/completions/veltrane-cli; do
    [ -s "$usr/$f" ] || echec "$f manque"
done

# Depuis un dossier sans rapport, sans les données de l'arbre des sources.
mkdir -p "$racine/ailleurs" "$racine/config" "$racine/sortie"
cp "$exemple" "$racine/ailleurs/Famille à l'été.ged"
cd "$racine/ailleurs"
export VELTRANE_CONFIG="$racine/config" TMPDIR="$racine" VELTRANE_DONNEES=/nexiste/pas
"$usr/bin/veltrane-cli" "Famille à l'été.ged" info | grep -q "Individus" || echec "info"
pdf=$("$usr/bin/veltrane-cli" "Famille à l'été.ged" graphique liste-ascendante --racine @I44@ \
      --sortie "$racine/sortie")
qpdf --check "$pdf" >/dev/null || echec "qpdf $pdf"
pdffonts "$pdf" | awk 'NR > 2 && ($(NF-4) != "yes" || $(NF-3) != "yes") { exit 1 }' \
    || echec "police non incorporée dans $pdf"
# Le programme de bureau trouve ses données (Vide.pdf) : sinon il s'arrête dès le départ et
# aucune fenêtre n'est capturée. Un afficheur PDF associé (xdg-mime simulé) évite la question
# du premier démarrage.
mkdir -p "$racine/bin"
printf '#!/bin/sh\necho afficheur.desktop\n' >"$racine/bin/xdg-mime"
chmod +x "$racine/bin/xdg-mime"
demarre() {
    rm -f "$racine/capture.png"
    PATH="$racine/bin:$PATH" QT_QPA_PLATFORM=offscreen VELTRANE_CAPTURE="$racine/capture.png" \
        VELTRANE_CAPTURE_DELAI=300 "$usr/bin/veltrane" >/dev/null 2>&1 && [ -s "$racine/capture.png" ]
}
demarre || echec "veltrane installé ne démarre pas"
mv "$usr/share/veltrane/Vide.pdf" "$racine/Vide.pdf"
! demarre || echec "veltrane démarre sans ses données"
mv "$racine/Vide.pdf" "$usr/share/veltrane/Vide.pdf"

desktop-file-validate "$usr/share/applications/veltrane.desktop" || echec "entrée de bureau"
appstreamcli validate --no-net "$usr/share/metainfo/fr.veltrane.veltrane.metainfo.xml" >/dev/null \
    || echec "métadonnées AppStream"
for page in veltrane veltrane-cli; do
    avertissements=$(LANG=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/man1/$page.1" 2>&1 >/dev/null)
    [ -z "$avertissements" ] || echec "man $page : $avertissements"
    LANG=C.UTF-8 man -l "$usr/share/man/man1/$page.1" 2>/dev/null | grep -q "^NOM" || echec "man $page"
done
LANG=C.UTF-8 man -l "$usr/share/man/man1/veltrane-cli.1" 2>/dev/null | grep -q "liste-ascendante (6201)" \
    || echec "la page de veltrane-cli ne liste pas les graphiques"

# Complètement : commandes, graphiques, clés d'option du graphique nommé.
complete() { :; }
compopt() { :; }
shopt -s extglob
source "$usr/share/bash-completion/completions/veltrane-cli"
propose() { # MOT_COURANT MOTS...
    COMP_WORDS=(veltrane-cli "$@"); COMP_CWORD=$(( $# )); _veltrane_cli; echo "${COMPREPLY[*]}"
}
[[ " $(propose f.ged gra) " == *" graphique "* ]] || echec "complètement des commandes"
[[ " $(propose f.ged graphique liste-a) " == *" liste-ascendante "* ]] || echec "complètement des graphiques"
[[ " $(propose f.ged graphique liste-ascendante --option re) " == *" renvois= "* ]] \
    || echec "complètement des options"
[[ " $(propose f.ged graphique 6201 --option g) " == *" generations= "* ]] \
    || echec "complètement des options par numéro"
[[ " $(propose f.ged graphique statistiques-a) " == *" statistiques-ages "* ]] \
    || echec "complètement des noms communs"
[[ " $(propose f.ged graphique statistiques-ages --option p) " == *" population= "* ]] \
    || echec "complètement de l'option d'un nom commun"
LANG=C.UTF-8 man -l "$usr/share/man/man1/veltrane-cli.1" 2>/dev/null | grep -q "statistiques-ages (6721, 6722, 6723)" \
    || echec "la page de veltrane-cli ne liste pas les noms communs"
[[ " $(propose f.ged graphique liste-ascendante --papier a4-p) " == *" a4-portrait "* ]] \
    || echec "complètement des papiers"
echo "installation vérifiée"
