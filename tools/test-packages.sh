#!/usr/bin/env bash
# Checks the release files the way a user meets them. Builds them with tools/package.sh (pass
# --no-build to package what build/, build-win32/ and build-win64/ hold), then:
# - the .deb's fields and file list, lintian's verdict on it (no error, no warning), its changelog,
#   and the .tar.gz holding the same program files;
# - the archive installed in a scratch home as the README says, and `cmake --install` into a scratch
#   prefix, the renderer run from each;
# - the .deb installed on this machine: the module and the LV2 bundle loaded from /usr/lib (lilv's
#   lv2info and lv2apply), the installed renderer rendering its demo outside the checkout, its manual
#   page; then the package removed again (also when a check fails), with any package the install
#   pulled in;
# - the zip's licence, its two DLLs loaded under Wine through VSTPluginMain, and its VST 3 bundle's
#   two modules.
# Checks read "test && pass ... || fail ...": pass always succeeds, so fail runs only on a failed test.
# shellcheck disable=SC2015
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tools/package.sh "$@"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb=$root/dist/orbitone_${version}_amd64.deb
archive=$root/dist/orbitone-$version-linux-x86_64.tar.gz
zip=$root/dist/orbitone-$version-windows.zip
lv2_uri=urn:velmora:orbitone

# The lock timeout waits for another apt or dpkg run on the machine to finish.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=120)
[ "$(id -u)" -ne 0 ] && apt=(sudo "${apt[@]}")
scratch=$(mktemp -d /tmp/orbitone-packages.XXXXXX)
installed=no
# What apt installs besides orbitone to satisfy its Depends (normally nothing: the tests' build
# dependencies bring the libraries). Only these are removed again, never anything else: other
# programs may install packages on the machine meanwhile.
pulled_in=()
wine_prefix=""

is_installed() {
  dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null | grep -q '^ii'
}
# Purges the orbitone package (a plain remove leaves its record in dpkg's database), and what its
# install pulled in when apt's plan for that removes exactly those packages.
remove_package() {
  [ "$installed" = yes ] || return 0
  installed=no
  local remove=(orbitone) package
  for package in "${pulled_in[@]}"; do
    if is_installed "$package"; then remove+=("$package"); fi
  done
  if [ ${#remove[@]} -gt 1 ]; then
    local plan wanted
    plan=$("${apt[@]}" -s purge "${remove[@]}" | awk '/^Purg / {print $2}' | sort | tr '\n' ' ')
    wanted=$(printf '%s\n' "${remove[@]}" | sort | tr '\n' ' ')
    if [ "$plan" != "$wanted" ]; then
      echo "NOTE - leaving ${remove[*]:1} installed: removing them would also remove other packages"
      remove=(orbitone)
    fi
  fi
  "${apt[@]}" purge "${remove[@]}" >/dev/null || echo "FAIL - removing ${remove[*]}" >&2
}
finished=no
cleanup() {
  local status=$?
  [ "$finished" = yes ] || [ "$status" -eq 0 ] || echo "Package tests: stopped by a failing command (exit status $status)"
  remove_package
  [ -z "$wine_prefix" ] || WINEPREFIX=$wine_prefix wineserver -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

failures=0
pass() { echo "ok - $1"; }
fail() {
  echo "FAIL - $1"
  failures=$((failures + 1))
}
# check <description> <command...>: passes when the command succeeds.
check() {
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then pass "$what"; else fail "$what"; fi
}

# The channel count of a WAV file, from its "fmt " chunk (the first chunk libsndfile writes).
wav_channels() {
  [ "$(head -c 4 "$1")" = RIFF ] && [ "$(dd if="$1" bs=1 skip=8 count=8 2>/dev/null)" = "WAVEfmt " ] &&
    od -An -tu2 -j22 -N2 "$1" | tr -d ' '
}
# A tenth of a second of stereo silence, 16-bit at 48 kHz, for lv2apply.
stereo_silence() {
  printf 'RIFF\x24\x4b\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x02\x00\x80\xbb\x00\x00\x00\xee\x02\x00\x04\x00\x10\x00data\x00\x4b\x00\x00'
  head -c 19200 /dev/zero
}
# check_render <description> <folder> <command...>: runs the renderer in folder with the demo
# settings (no input file) and --snapshot, then looks at the files it wrote there.
check_render() {
  local what=$1 folder=$2
  shift 2
  mkdir -p "$folder"
  if ! (cd "$folder" && "$@" --seconds 2 --snapshot panel.png) >"$scratch/render.log" 2>&1; then
    fail "$what: the renderer failed"
    cat "$scratch/render.log"
    return
  fi
  local channels
  channels=$(wav_channels "$folder/demo-5.1.wav" || true)
  if [ "$channels" = 6 ]; then pass "$what: demo-5.1.wav has 6 channels"; else
    fail "$what: demo-5.1.wav has '${channels}' channels, expected 6"
  fi
  if [ "$(head -c 4 "$folder/panel.png" 2>/dev/null | tail -c 3)" = PNG ]; then
    pass "$what: orbitone-snapshot drew panel.png"
  else
    fail "$what: no panel.png from orbitone-snapshot"
  fi
}

echo "== the Debian package"
info=$(dpkg-deb --info "$deb")
field() { echo "$info" | sed -n "s/^ $1: //p"; }
[ "$(field Package)" = orbitone ] && pass "Package: orbitone" || fail "Package: '$(field Package)'"
[ "$(field Version)" = "$version" ] && pass "Version: $version" || fail "Version: '$(field Version)'"
[ "$(field Architecture)" = amd64 ] && pass "Architecture: amd64" || fail "Architecture: '$(field Architecture)'"
[ "$(field Section)" = sound ] && pass "Section: sound" || fail "Section: '$(field Section)'"
field Maintainer | grep -qE '^.+ <.+@.+>$' && pass "Maintainer: $(field Maintainer)" || fail "no Maintainer"
# Computed by dpkg-shlibdeps: versioned entries for the libraries the binaries link.
depends=$(field Depends)
for library in libc6 libstdc++6 libcairo2 libx11-6 libsndfile1; do
  echo "$depends" | tr ',' '\n' | awk '{print $1}' | grep -qxF "$library" && pass "Depends on $library" ||
    fail "Depends lacks $library: '$depends'"
done
echo "$depends" | grep -q '(>= ' && pass "Depends carries versions from the libraries' symbols" ||
  fail "Depends carries no versions: '$depends'"

# File lists without the leading "./usr/" (the .deb) or top folder (the archive), directories left out.
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort >"$scratch/deb-files"
tar -tzf "$archive" | grep -v '/$' | sed 's|^[^/]*/||' | sort >"$scratch/archive-files"
expected=(lib/vst/Orbitone.so lib/clap/Orbitone.clap lib/vst3/Orbitone.vst3/Contents/x86_64-linux/Orbitone.so
  lib/vst3/Orbitone.vst3/Contents/Resources/moduleinfo.json lib/lv2/Orbitone.lv2/manifest.ttl lib/lv2/Orbitone.lv2/orbitone.ttl
  lib/lv2/Orbitone.lv2/orbitone_dsp.so lib/lv2/Orbitone.lv2/orbitone_ui.so
  bin/orbitone-render bin/orbitone-snapshot share/doc/orbitone/README.md
  share/man/man1/orbitone-render.1.gz share/man/man1/orbitone-snapshot.1.gz)
# Debian's documents are the .deb's own; the archive and `cmake --install` carry LICENSE instead.
deb_only=(share/doc/orbitone/copyright share/doc/orbitone/changelog.gz)
archive_only=(share/doc/orbitone/LICENSE)
for file in "${expected[@]}" "${deb_only[@]}"; do
  grep -qx "$file" "$scratch/deb-files" && pass "the .deb holds /usr/$file" || fail "the .deb lacks /usr/$file"
done
outside=$(dpkg-deb --contents "$deb" | awk '{print $6}' |
  grep -vE '^\./(usr/)?$|^\./usr/(bin|lib|share|share/doc|share/man)/$|^\./usr/(bin|lib/vst|lib/vst3|lib/clap|lib/lv2|share/doc/orbitone|share/man/man1)/' || true)
[ -z "$outside" ] &&
  pass "the .deb holds files only under /usr/bin, /usr/lib/vst, /usr/lib/vst3, /usr/lib/clap, /usr/lib/lv2, /usr/share/doc/orbitone, /usr/share/man/man1" ||
  fail "the .deb has files elsewhere: $outside"
# lintian as a Debian archive would run it: every error and warning fails, and is printed.
if lintian --fail-on none "$deb" >"$scratch/lintian" 2>&1; then
  grep -E '^[EW]: ' "$scratch/lintian" >"$scratch/lintian-tags" || true
  if [ -s "$scratch/lintian-tags" ]; then
    fail "lintian: $(grep -c '^E' "$scratch/lintian-tags") error(s), $(grep -c '^W' "$scratch/lintian-tags") warning(s):"
    cat "$scratch/lintian-tags"
  else
    pass "lintian $(lintian --print-version): no error, no warning"
  fi
else
  fail "lintian did not run:"
  cat "$scratch/lintian"
fi
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/orbitone/changelog.gz | gunzip >"$scratch/changelog" || true
newest=$(dpkg-parsechangelog -l "$scratch/changelog" -S Version 2>/dev/null || true)
[ "$newest" = "$version" ] && pass "changelog.gz: the newest entry is $version" ||
  fail "changelog.gz: the newest entry is '$newest', expected $version"
printf '%s\n' "${deb_only[@]}" | sort >"$scratch/deb-only"
printf '%s\n' "${archive_only[@]}" | sort >"$scratch/archive-only"
comm -23 "$scratch/deb-files" "$scratch/deb-only" | sort - "$scratch/archive-only" >"$scratch/deb-as-archive"
diff "$scratch/deb-as-archive" "$scratch/archive-files" >"$scratch/diff" &&
  pass "the .tar.gz holds the .deb's program files in the same folders, and LICENSE ($(wc -l <"$scratch/archive-files") files)" ||
  { fail "the .tar.gz and the .deb differ (beside Debian's documents and LICENSE):"; cat "$scratch/diff"; }

echo "== the archive installed for one user as the README says, and cmake --install"
# A scratch home: the README's commands, then the renderer from ~/.local/bin and the links.
home=$scratch/home
mkdir -p "$home"
(
  cd "$root"
  HOME=$home
  mkdir -p ~/.local ~/.vst3 ~/.vst ~/.lv2
  tar -xzf "$archive" -C ~/.local --strip-components=1
  ln -sfn ~/.local/lib/vst3/Orbitone.vst3 ~/.vst3/
  ln -sf ~/.local/lib/vst/Orbitone.so ~/.vst/
  ln -sfn ~/.local/lib/lv2/Orbitone.lv2 ~/.lv2/
)
check_render "archive in ~/.local" "$scratch/archive-run" "$home/.local/bin/orbitone-render"
module=$(sed -n 's/^plug-in module: //p' "$scratch/render.log")
[ "$module" = "$home/.local/lib/vst/Orbitone.so" ] && pass "archive in ~/.local: the renderer uses ~/.local/lib/vst" ||
  fail "archive in ~/.local: the renderer uses '$module'"
count=$(build/bin/orbitone-render -m "$home/.vst/Orbitone.so" --list-params 2>&1 | grep -cE '^ +[0-9]+ ' || true)
[ "$count" = 23 ] && pass "a host loads ~/.vst/Orbitone.so: 23 parameters" ||
  fail "loading ~/.vst/Orbitone.so listed $count parameters, expected 23"
LV2_PATH=$home/.lv2 lv2info "$lv2_uri" >/dev/null 2>&1 && pass "lilv finds $lv2_uri in ~/.lv2" ||
  fail "lilv does not find $lv2_uri in ~/.lv2"
cmake --install build --prefix "$scratch/prefix" >/dev/null
for file in "${expected[@]}" "${archive_only[@]}"; do
  [ -f "$scratch/prefix/$file" ] && pass "cmake --install: PREFIX/$file" || fail "cmake --install: no PREFIX/$file"
done
check_render "cmake --install" "$scratch/prefix-run" "$scratch/prefix/bin/orbitone-render"

echo "== the .deb installed on this machine"
if dpkg-query -W -f='${Status}' orbitone 2>/dev/null | grep -q 'install ok installed'; then
  fail "orbitone is installed on this machine already: remove it (dpkg -r orbitone) to test the package"
else
  mapfile -t pulled_in < <("${apt[@]}" -s install "$deb" 2>/dev/null | awk '/^Inst / && $2 != "orbitone" {print $2}')
  [ ${#pulled_in[@]} -eq 0 ] || echo "NOTE - the install pulls in ${pulled_in[*]}"
  installed=yes
  # apt rather than dpkg -i, so that Depends are installed when missing.
  if "${apt[@]}" install "$deb" >"$scratch/install.log" 2>&1; then
    pass "apt-get install $(basename "$deb")"
  else
    fail "apt-get install $(basename "$deb")"
    cat "$scratch/install.log"
  fi
  check "the module is at /usr/lib/vst/Orbitone.so" test -f /usr/lib/vst/Orbitone.so
  check "the VST 3 bundle is at /usr/lib/vst3/Orbitone.vst3" \
    test -f /usr/lib/vst3/Orbitone.vst3/Contents/x86_64-linux/Orbitone.so
  symbols=$(nm -D --defined-only /usr/lib/vst/Orbitone.so 2>/dev/null | awk '{print $3}' | sort | tr '\n' ' ')
  [ "$symbols" = "MAIN VSTPluginMain main " ] && pass "the installed module exports VSTPluginMain, main, MAIN only" ||
    fail "the installed module exports: $symbols"
  # A host's view: the build's renderer dlopens the installed module and lists its parameters.
  count=$(build/bin/orbitone-render -m /usr/lib/vst/Orbitone.so --list-params 2>&1 | grep -cE '^ +[0-9]+ ' || true)
  [ "$count" = 23 ] && pass "a host loads /usr/lib/vst/Orbitone.so: 23 parameters" ||
    fail "loading /usr/lib/vst/Orbitone.so listed $count parameters, expected 23"
  check "orbitone-render is on PATH in /usr/bin" test "$(command -v orbitone-render)" = /usr/bin/orbitone-render
  for program in orbitone-render orbitone-snapshot; do
    # The page's name line, and an option of the program's own --help.
    page=$(MANWIDTH=100 LC_ALL=C man "$program" 2>&1 || true)
    echo "$page" | grep -q "^ *$program - " && echo "$page" | grep -q -- '--help' &&
      pass "man $program shows its manual page" || { fail "man $program:"; echo "$page" | head -5; }
  done
  check_render "installed" "$scratch/installed-run" orbitone-render
  module=$(sed -n 's/^plug-in module: //p' "$scratch/render.log")
  [ "$module" = /usr/lib/vst/Orbitone.so ] && pass "the installed renderer uses /usr/lib/vst/Orbitone.so" ||
    fail "the installed renderer uses '$module'"
  if LV2_PATH=/usr/lib/lv2 lv2info "$lv2_uri" >"$scratch/lv2info" 2>&1 &&
    grep -q "/usr/lib/lv2/Orbitone.lv2/" "$scratch/lv2info"; then
    pass "lilv finds $lv2_uri in /usr/lib/lv2/Orbitone.lv2"
  else
    fail "lilv does not find $lv2_uri in /usr/lib/lv2"
    head -20 "$scratch/lv2info"
  fi
  # lv2apply loads the installed DSP binary and runs it.
  stereo_silence >"$scratch/stereo.wav"
  rm -f "$scratch/lv2-5.1.wav"
  LV2_PATH=/usr/lib/lv2 lv2apply -i "$scratch/stereo.wav" -o "$scratch/lv2-5.1.wav" "$lv2_uri" \
    >"$scratch/lv2apply.log" 2>&1 || true
  channels=$(wav_channels "$scratch/lv2-5.1.wav" 2>/dev/null || true)
  [ "$channels" = 6 ] && pass "lv2apply runs the installed bundle: 6 output channels" ||
    { fail "lv2apply with the installed bundle wrote '${channels}' channels, expected 6"; head -5 "$scratch/lv2apply.log"; }
  remove_package
  check "removing the package removes /usr/lib/vst/Orbitone.so and /usr/bin/orbitone-render" \
    test ! -e /usr/lib/vst/Orbitone.so -a ! -e /usr/bin/orbitone-render
  left=$(sed 's|^|/usr/|' "$scratch/deb-files" | while read -r file; do [ ! -e "$file" ] || echo "$file"; done)
  [ -z "$left" ] && pass "none of the package's files is left" || fail "files left behind: $left"
  for package in "${pulled_in[@]}"; do
    is_installed "$package" && fail "$package, pulled in by the install, is still installed" ||
      pass "$package, pulled in by the install, is removed again"
  done
  dpkg-query -W orbitone >/dev/null 2>&1 && fail "dpkg still knows orbitone: $(dpkg-query -W -f='${Status}' orbitone)" ||
    pass "dpkg has no record of orbitone left"
fi

echo "== the Windows zip under Wine"
mkdir -p "$scratch/zip"
(cd "$scratch/zip" && cmake -E tar xf "$zip")
windows=$scratch/zip/orbitone-$version-windows
check "the zip has README.txt" test -s "$windows/README.txt"
grep -q $'\r$' "$windows/README.txt" && pass "README.txt has Windows line ends" || fail "README.txt has Unix line ends"
[ -s "$windows/LICENSE.txt" ] && [ "$(grep -c $'\r$' "$windows/LICENSE.txt")" = "$(wc -l <"$windows/LICENSE.txt")" ] &&
  tr -d '\r' <"$windows/LICENSE.txt" | cmp -s - LICENSE &&
  pass "the zip has LICENSE.txt beside README.txt: LICENSE with Windows line ends" ||
  fail "the zip's LICENSE.txt is missing or not LICENSE with Windows line ends"
for dir in build-win32 build-win64; do
  [ "${1:-}" = --no-build ] || cmake --build "$dir" -j"$(nproc)" --target BoundaryCheck Vst3Check >/dev/null
done
export PATH="$PATH:/usr/lib/wine"
source tools/windows/wine-checks.sh
wine32_runnable || echo "[win32] not run: this machine cannot start 32-bit x86 programs ($ORBITONE_WINE32_PROBE: $wine32_reason); the zip's 32-bit DLL is checked statically only"
wine_prefix=$scratch/wine
export WINEPREFIX=$wine_prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine64 wineboot --init >/dev/null 2>&1
wineserver -w
for arch in 32:win32:i686:pei-i386 64:win64:x86_64:pei-x86-64; do
  IFS=: read -r bits dir triple format <<<"$arch"
  dll="$windows/$bits-bit hosts/Orbitone.dll"
  "$triple-w64-mingw32-objdump" -f "$dll" 2>/dev/null | grep -q "file format $format" &&
    pass "\"$bits-bit hosts\\Orbitone.dll\" is a $format DLL" || fail "\"$bits-bit hosts\\Orbitone.dll\" is not $format"
  [ "$bits" = 32 ] && [ -n "${wine32_reason:-}" ] && continue
  wine=$(wine_for "$bits")
  # Wine's exit code proves nothing; the check program's own lines do.
  "$wine" "build-$dir/bin/BoundaryCheck.exe" "$dll" 2>&1 | tr -d '\r' >"$scratch/wine-$bits.log" || true
  wineserver -w
  # The entry points (VSTPluginMain, main, MAIN), and the record: 6 inputs, 6 outputs, 23 parameters.
  for name in Boundary.EntryPoints Boundary.InterfaceRecordAndNames; do
    grep -qx "ok - $name" "$scratch/wine-$bits.log" && pass "$bits-bit DLL under Wine: $name" ||
      fail "$bits-bit DLL under Wine: $name"
  done
  grep -qE '^BoundaryCheck: [0-9]+ passed, 0 failed$' "$scratch/wine-$bits.log" &&
    pass "$bits-bit DLL under Wine: $(grep -E '^BoundaryCheck: ' "$scratch/wine-$bits.log")" ||
    { fail "$bits-bit DLL under Wine: BoundaryCheck did not pass"; tail -20 "$scratch/wine-$bits.log"; }
  folder=x86_64-win
  [ "$bits" = 32 ] && folder=x86-win
  # No display here: the view's test is left out.
  "$wine" "build-$dir/bin/Vst3Check.exe" --gtest_filter=-*View* "$windows/Orbitone.vst3/Contents/$folder/Orbitone.vst3" \
    "$dll" 2>&1 |
    tr -d '\r' >"$scratch/wine-vst3-$bits.log" || true
  wineserver -w
  grep -qE '^Vst3Check: [0-9]+ passed, 0 failed$' "$scratch/wine-vst3-$bits.log" &&
    pass "the zip's $bits-bit VST 3 module under Wine: $(grep -E '^Vst3Check: ' "$scratch/wine-vst3-$bits.log")" ||
    { fail "the zip's $bits-bit VST 3 module under Wine: Vst3Check did not pass"; tail -20 "$scratch/wine-vst3-$bits.log"; }
done

finished=yes
if [ "$failures" -ne 0 ]; then
  echo "Package tests: $failures check(s) failed"
  exit 1
fi
echo "Package tests: all passed"
