#!/usr/bin/env bash
# Install and packages: makes the .deb and the .tar.gz, checks the manual page, installs
# the .deb, runs vintrel from PATH and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive

if ! command -v man >/dev/null || ! command -v groff >/dev/null; then
  apt-get install -y -qq --no-install-recommends man-db groff-base >/dev/null
fi

echo "== packages: build the release executable and make the .deb and the .tar.gz"
cmake --workflow --preset package

echo "== packages: the manual page renders without a warning"
warnings=$(groff -man -Tutf8 -ww -z build/package/docs/vintrel.1 2>&1)
if [[ -n $warnings ]]; then
  echo "$warnings"
  exit 1
fi
man -l build/package/docs/vintrel.1 >/dev/null

echo "== packages: the .tar.gz holds the program, the manual page and the documents"
tgz=$(echo build/package/vintrel-*-Linux.tar.gz)
listing=$(tar -tzf "$tgz")
for file in bin/vintrel share/man/man1/vintrel.1 share/doc/vintrel/README.md share/doc/vintrel/LICENSE \
  share/doc/vintrel/CHANGELOG.md; do
  grep -q "/$file\$" <<<"$listing" || { echo "missing from $tgz: $file"; exit 1; }
done

if [[ $(id -u) -ne 0 ]] || dpkg -s vintrel >/dev/null 2>&1; then
  echo "packages: not root, or vintrel already installed: the .deb is not tried here"
  exit 0
fi
echo "== packages: install the .deb, run vintrel from PATH, remove it"
deb=$(echo build/package/vintrel_*.deb)
dpkg -i "$deb" >/dev/null
trap 'dpkg -r vintrel >/dev/null' EXIT
status=0
line=$(cd / && vintrel + 7 5) || status=$?
echo "vintrel + 7 5 -> '$line' [$status]"
[[ $line == "result=12&copyright=Brellwin" && $status -eq 0 ]]
[[ $(man -w vintrel) == /usr/share/man/man1/vintrel.1* ]]
[[ -f /usr/share/doc/vintrel/LICENSE ]]
