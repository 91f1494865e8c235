#!/usr/bin/env bash
# Installs what is needed, builds a release of Kestrava, makes its Debian
# package (build-package/kestrava_<version>_<arch>.deb), checks it with
# lintian and, with --install, installs it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends lintian
# The hardening Debian builds its own packages with.
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRAVA_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now"
cmake --build build-package
rm -f build-package/kestrava_*.deb
(cd build-package && cpack -G DEB)
deb=$(ls build-package/kestrava_*.deb)
lintian --fail-on error "$deb"
echo "$deb"
if [ "${1:-}" = "--install" ]; then
  $SUDO apt-get install -y "./$deb"
fi
