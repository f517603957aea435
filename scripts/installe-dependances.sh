#!/usr/bin/env bash
# Installe ce qui manque pour construire et tester Veltrane (Debian 12).
# Idempotent : ne lance apt-get que si un paquet manque, et silencieux sinon.
set -euo pipefail

PAQUETS=(
    g++ cmake make pkg-config python3
    libgtest-dev libgmock-dev libbenchmark-dev
    libcli11-dev
    zlib1g-dev libjpeg62-turbo-dev libstb-dev libicu-dev
    libfontconfig-dev libfreetype-dev fonts-liberation2 fonts-dejavu-core
    # Polices de bureau courantes (OpenType CFF, noms de largeur et de style) : les essais des
    # polices voient ce que verra un utilisateur.
    fonts-dejavu fonts-urw-base35
    qpdf poppler-utils tidy unrtf
    qt6-base-dev qt6-translations-l10n xvfb xauth
    # Sous-ensembles des polices incorporées aux PDF.
    libharfbuzz-dev
    # Installation : vérification de l'entrée de bureau et des métadonnées, pages de manuel,
    # paquet Debian (dépendances calculées par dpkg-shlibdeps).
    desktop-file-utils appstream man-db dpkg-dev file librsvg2-bin
)
# Les fuzzers demandent clang et son moteur libFuzzer ; ccache garde leurs objets.
if [ "${1:-}" = "--fuzz" ]; then
    PAQUETS+=(clang libclang-rt-14-dev ccache)
fi

manquants=()
for p in "${PAQUETS[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        manquants+=("$p")
    fi
done

[ ${#manquants[@]} -eq 0 ] && exit 0

echo "Installation des paquets manquants : ${manquants[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${manquants[@]}" >/dev/null
