#!/usr/bin/env bash
# Runs every test of all three builds after the format check: one workflow preset per build
# (configure, build, test; CMakePresets.json). Installs what it needs first (Debian 12, as
# root). A build passes when its workflow exits 0; the counts come from the JUnit file its test
# preset writes, build/PRESET/test-results.xml.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-format.sh

# Prints "PASSED FAILED SKIPPED" for one of ctest's JUnit files. ctest marks a test "notrun"
# both when it skips on purpose (SKIP_RETURN_CODE, SKIP_REGULAR_EXPRESSION) and when it cannot
# start at all (a missing executable); ctest fails the latter, and so do we.
junit_totals() {
    python3 - "$1" <<'EOF'
import sys
import xml.etree.ElementTree as ElementTree

suite = ElementTree.parse(sys.argv[1]).getroot()
passed = failed = skipped = 0
for case in suite.iter("testcase"):
    status = case.get("status")
    skip = case.find("skipped")
    if status == "run":
        passed += 1
    elif status == "disabled":
        skipped += 1
    elif status == "notrun" and skip is not None and skip.get("message", "").startswith(
        ("SKIP_RETURN_CODE", "SKIP_REGULAR_EXPRESSION")
    ):
        skipped += 1
    else:
        failed += 1
if passed + failed + skipped != int(suite.get("tests", "-1")):
    sys.exit(f"{sys.argv[1]}: {passed + failed + skipped} test cases, but tests={suite.get('tests')}")
print(passed, failed, skipped)
EOF
}

# windows-x86 comes first: the linux-x86 tests read the DLL it builds.
presets=(windows-x86 linux-x86 native)
passed=0
failed=0
skipped=0
status=0
for preset in "${presets[@]}"; do
    echo "=== ${preset}"
    results="build/${preset}/test-results.xml"
    rm -f "${results}"
    if ! cmake --workflow --preset "${preset}"; then
        status=1
    fi
    if [ ! -f "${results}" ]; then
        echo "${preset}: no test results in ${results}; configuring or building failed" >&2
        status=1
        continue
    fi
    totals=$(junit_totals "${results}")
    read -r good bad skip <<<"${totals}"
    [ "${bad}" -eq 0 ] || status=1
    echo "${preset}: ${good} passed, ${bad} failed, ${skip} skipped"
    passed=$((passed + good))
    failed=$((failed + bad))
    skipped=$((skipped + skip))
done

echo "all builds: ${passed} passed, ${failed} failed, ${skipped} skipped"
exit "${status}"
