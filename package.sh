#!/usr/bin/env bash
# Builds the Debian package zelmora_<version>-<revision>_<arch>.deb in
# build-package/, with the distribution's hardening flags (dpkg-buildflags),
# and checks it with lintian when lintian is installed.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DZELMORA_BUILD_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build build-package -j "$(nproc)" --target zelmora zelmora-cli data_files
rm -f build-package/*.deb
(cd build-package && cpack -G DEB)
ls build-package/*.deb
if command -v lintian >/dev/null; then
  lintian --fail-on warning build-package/*.deb
fi
