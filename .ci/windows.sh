#!/usr/bin/env bash
# Windows: cross-compiles vintrel.exe with MinGW-w64 (warnings as errors) and runs its
# end-to-end tests under Wine. The build must always succeed; when Wine cannot run on
# this machine the tests are skipped and this step says so plainly.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive

if ! command -v x86_64-w64-mingw32-g++ >/dev/null; then
  apt-get install -y -qq --no-install-recommends g++-mingw-w64-x86-64 >/dev/null
fi
if ! command -v wine >/dev/null; then
  apt-get install -y -qq --no-install-recommends wine wine64 >/dev/null ||
    echo "windows: Wine could not be installed"
fi

echo "== windows: cross-compile with MinGW-w64"
cmake --preset windows
cmake --build --preset windows

# Statically linked: the executable may import system DLLs only, none of the compiler's.
dlls=$(x86_64-w64-mingw32-objdump -p build/windows/vintrel.exe | sed -n 's/^[[:space:]]*DLL Name: //p')
echo "windows: vintrel.exe imports" $dlls
for dll in $dlls; do
  case ${dll,,} in
    kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-*) ;;
    *) echo "windows: vintrel.exe needs $dll, which is not a system DLL"; exit 1 ;;
  esac
done

# One prefix for the probe and the tests; the first start of Wine sets it up (slow).
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT

probe=$WINEPREFIX/probe.out
# One persistent wine server for the probe and the tests.
if command -v wineserver >/dev/null; then
  wineserver --persistent=60 </dev/null >/dev/null 2>&1 || true
fi
if command -v wine >/dev/null &&
  timeout 600 wine build/windows/vintrel.exe + 7 5 </dev/null >"$probe" 2>/dev/null &&
  [[ $(cat "$probe") == "result=12&copyright=Brellwin" ]]; then
  echo "== windows: end-to-end tests under Wine"
  ctest --preset windows
else
  echo "windows: WINE CANNOT RUN vintrel.exe ON THIS MACHINE: the Windows tests were NOT run."
  echo "windows: the Windows build itself succeeded (build/windows/vintrel.exe)."
fi
