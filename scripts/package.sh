#!/usr/bin/env bash
# Builds the Debian package and checks it with lintian: scripts/package.sh [DIR]
# DIR (default build-package) is a build tree of its own; the .deb is left in it. Install it
# with: sudo apt-get install ./DIR/twtools_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}
bash scripts/setup.sh

# Debian's flags for packages: stack protector, fortified functions, full RELRO with
# immediate binding. The tests are not built; the package holds only what is installed.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$dir" --target twinstalled -j "$(nproc)"

rm -f "$dir"/twtools_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/twtools_*.deb)
echo "Built $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

echo "lintian $deb:"
lintian --display-info --fail-on error,warning "$deb"
echo "lintian: no error, no warning"
