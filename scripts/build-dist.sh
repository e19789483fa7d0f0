#!/usr/bin/env bash
# Builds the mod folder dist/VessaAltCostume/ (VessaAltCostume.dll + config.ini) and
# dist/tools/vessa-config.exe, then runs the real plug-in code in the simulated game with
# that folder (vessa-sim under qemu-i386). Installs what it needs first (Debian 12, root).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 --target VessaAltCostume vessa-config
cmake --preset linux-x86 >/dev/null
cmake --build --preset linux-x86 --target vessa-sim

dist=dist/VessaAltCostume
rm -rf "${dist}"
mkdir -p "${dist}"
cp build/windows-x86/plugin/VessaAltCostume.dll "${dist}/"
cp package/config.ini "${dist}/"
# The checker is for the player's desk, not the mods folder.
mkdir -p dist/tools
cp build/windows-x86/tools/vessa_config/vessa-config.exe dist/tools/
echo "Built ${dist} (the mod folder) and dist/tools/vessa-config.exe:"
ls -l "${dist}" dist/tools

echo
echo "=== vessa-sim ${dist}"
qemu-i386-static build/linux-x86/sim/vessa-sim "${dist}"
