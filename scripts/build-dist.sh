#!/usr/bin/env bash
# Builds the mod folder dist/VessaAltCostume/ (VessaAltCostume.dll, config.ini, README.txt),
# dist/tools/vessa-config.exe and the release zip dist/VessaAltCostume-<version>.zip, then
# runs the real plug-in code in the simulated game with that folder (vessa-sim under
# qemu-i386). Installs what it needs first (Debian 12, root).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 --target VessaAltCostume vessa-config
cmake --preset linux-x86 >/dev/null
cmake --build --preset linux-x86 --target vessa-sim

# What a player gets, from the build's install rules: the mod folder, the checker beside it
# (it does not go in the mods folder), and the same files zipped by cpack.
dist=dist/VessaAltCostume
rm -rf "${dist}" dist/tools dist/VessaAltCostume-*.zip build/windows-x86/cpack
cmake --install build/windows-x86 --prefix dist
cpack --config build/windows-x86/CPackConfig.cmake -G ZIP -B build/windows-x86/cpack >/dev/null
mv build/windows-x86/cpack/VessaAltCostume-*.zip dist/
echo "Built ${dist} (the mod folder), dist/tools/vessa-config.exe and the release zip:"
ls -l "${dist}" dist/tools dist/VessaAltCostume-*.zip
echo
echo "=== vessa-sim ${dist}"
qemu-i386-static build/linux-x86/sim/vessa-sim "${dist}"
