#!/usr/bin/env bash
# Builds the Debian package zelmora_<version>_<arch>.deb in build-package/.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DZELMORA_BUILD_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build build-package -j "$(nproc)" --target zelmora zelmora-cli data_files
(cd build-package && cpack -G DEB)
ls build-package/*.deb
