#!/usr/bin/env bash
# Runs every test of all three builds: configure, build, then ctest per preset, after the
# format check. Installs what it needs first (Debian 12, as root).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-format.sh

# windows-x86 comes first: the linux-x86 and native tests inspect the DLL it builds.
presets=(windows-x86 linux-x86 native)
for preset in "${presets[@]}"; do
    echo "=== build ${preset}"
    cmake --preset "${preset}" >/dev/null
    cmake --build --preset "${preset}"
done

passed=0
failed=0
skipped=0
status=0
for preset in "${presets[@]}"; do
    echo "=== test ${preset}"
    log=$(mktemp)
    if ! ctest --preset "${preset}" 2>&1 | tee "${log}"; then
        status=1
    fi
    # "100% tests passed, 0 tests failed out of 147"
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "${log}" | tail -1)
    if [ -z "${summary}" ]; then
        rm -f "${log}"
        echo "no ctest summary for ${preset}" >&2
        status=1
        continue
    fi
    read -r bad total < <(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1 \2/' <<<"${summary}")
    # ctest counts a skipped test among the passed ones; it lists each as "(Skipped)".
    skip=$(grep -cE '\(Skipped\)$' "${log}" || true)
    rm -f "${log}"
    echo "${preset}: $((total - bad - skip)) passed, ${bad} failed, ${skip} skipped"
    passed=$((passed + total - bad - skip))
    failed=$((failed + bad))
    skipped=$((skipped + skip))
done

echo "all builds: ${passed} passed, ${failed} failed, ${skipped} skipped"
exit "${status}"
