#!/usr/bin/env bash
# Builds the Debian package: a Release build installed under /usr, packed by CPack.
# The package lands in build-deb/ (tessera_<version>_<arch>.deb).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
# dpkg-shlibdeps (dpkg-dev) and file find the shared libraries the package depends on.
missing=()
for p in dpkg-dev file; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
build="$root/build-deb"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTESSERA_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j2
cd "$build"
cpack -G DEB
ls -1 "$build"/*.deb
