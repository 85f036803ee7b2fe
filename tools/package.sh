#!/usr/bin/env bash
# Builds Orbitone and writes the release files into dist/:
#   orbitone_<version>_amd64.deb              the Debian package (CPack, from build/)
#   orbitone-<version>-linux-x86_64.tar.gz    the same files in the same folders, under one top folder
#   orbitone-<version>-windows.zip            Orbitone.dll and Orbitone.clap for 32-bit and for 64-bit
#                                             hosts, a README and the licence
# The build folders and their settings are those of tools/test.sh and tools/test-windows.sh, so after
# the tests nothing is built again. --no-build packages what those folders already hold.
# The i686 DLL is packaged from its build whether or not this machine can run 32-bit programs; its
# checks are those of tools/test-windows.sh (run there, or static only where they cannot run).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=yes
case "${1:-}" in
  --no-build) build=no ;;
  "") ;;
  *)
    echo "usage: tools/package.sh [--no-build]" >&2
    exit 1
    ;;
esac

if [ "$build" = yes ]; then
  tools/install-deps.sh
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  # Everything: CPack's install step asks for the whole build anyway.
  cmake --build build -j"$(nproc)"
  for arch in win32:i686 win64:x86_64; do
    dir=build-${arch%%:*}
    # The plain cross build, with the test programs' option as tools/test-windows.sh sets it.
    cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-${arch##*:}.cmake -DORBITONE_WINDOWS_TESTS=ON >/dev/null
    cmake --build "$dir" -j"$(nproc)" --target Orbitone orbitone_clap_module
  done
fi
for file in build/CPackConfig.cmake build-win32/bin/Orbitone.dll build-win64/bin/Orbitone.dll \
  build-win32/clap/Orbitone.clap build-win64/clap/Orbitone.clap; do
  [ -f "$file" ] || { echo "package: $file is missing (run without --no-build)" >&2; exit 1; }
done

# The version is the CMake project's.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
[ -n "$version" ] || { echo "package: no project version in build/CMakeCache.txt" >&2; exit 1; }
linux_archive=orbitone-$version-linux-x86_64
windows=orbitone-$version-windows

stage=$(mktemp -d /tmp/orbitone-package.XXXXXX)
trap 'rm -rf "$stage"' EXIT
mkdir -p dist
rm -f dist/orbitone_"$version"_*.deb "dist/$linux_archive.tar.gz" "dist/$windows.zip"

cpack --config build/CPackConfig.cmake -B "$stage/cpack" >"$stage/cpack.log" 2>&1 ||
  { cat "$stage/cpack.log" >&2; exit 1; }
mv "$stage"/cpack/orbitone_"$version"_amd64.deb "$stage/cpack/$linux_archive.tar.gz" dist/

# The zip: one folder per host kind, stripped DLLs, the README with Windows line ends.
for arch in 32:win32:i686 64:win64:x86_64; do
  IFS=: read -r bits dir triple <<<"$arch"
  folder="$stage/zip/$windows/$bits-bit hosts"
  mkdir -p "$folder"
  "$triple-w64-mingw32-strip" -o "$folder/Orbitone.dll" "build-$dir/bin/Orbitone.dll"
  "$triple-w64-mingw32-strip" -o "$folder/Orbitone.clap" "build-$dir/clap/Orbitone.clap"
done
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' tools/package/windows-readme.txt >"$stage/zip/$windows/README.txt"
# The licence beside the README, with Windows line ends too.
sed -e 's/$/\r/' LICENSE >"$stage/zip/$windows/LICENSE.txt"
(cd "$stage/zip" && cmake -E tar cf "$root/dist/$windows.zip" --format=zip "$windows")

ls -l dist/orbitone_"$version"_amd64.deb "dist/$linux_archive.tar.gz" "dist/$windows.zip"
