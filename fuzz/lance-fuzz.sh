#!/usr/bin/env bash
# Lance chaque fuzzer pendant une durée bornée, avec le corpus GEDCOM réel comme point de départ.
set -euo pipefail
construction=${1:?usage : lance-fuzz.sh DOSSIER_CONSTRUCTION [SECONDES]}
secondes=${2:-60}
racine=$(cd "$(dirname "$0")/.." && pwd)
for fuzzer in "$construction"/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    nom=$(basename "$fuzzer")
    travail="$construction/corpus-$nom"
    mkdir -p "$travail"
    cp -n "$racine"/tests/corpus/*.ged "$racine"/exemples/*.ged "$travail"/ 2>/dev/null || true
    echo "== $nom ($secondes s)"
    "$fuzzer" -max_total_time="$secondes" -max_len=65536 -rss_limit_mb=4096 "$travail" 2>&1 | tail -n 3
done
