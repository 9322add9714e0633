#!/usr/bin/env bash
# Installation and Debian package: `cmake --install` into an empty folder and the package
# made by cpack, unpacked into another, must both hold every file a desktop needs; the
# desktop entry and the AppStream file pass their validators, the MIME type is accepted by
# update-mime-database, and the packaged programs find all their libraries and run.
# Arguments: the build folder, the project version, an example project.
set -euo pipefail

build=$(cd "$1" && pwd)
version=$2
example=$3

for tool in desktop-file-validate appstreamcli update-mime-database cpack dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

expected=(
  bin/kraftbild
  bin/kraftbild-render
  share/applications/de.kraftbild.Kraftbild.desktop
  share/metainfo/de.kraftbild.Kraftbild.metainfo.xml
  share/mime/packages/kraftbild.xml
  share/icons/hicolor/scalable/apps/kraftbild.svg
)

# Checks the tree under a prefix; the second argument is its name in messages.
check_tree() {
  local prefix=$1 name=$2 f
  for f in "${expected[@]}"; do
    [ -f "$prefix/$f" ] || { echo "not ok: $name lacks $f"; exit 1; }
  done
  if [ ! -x "$prefix/bin/kraftbild" ] || [ ! -x "$prefix/bin/kraftbild-render" ]; then
    echo "not ok: $name: programs not executable"
    exit 1
  fi

  desktop-file-validate "$prefix/share/applications/de.kraftbild.Kraftbild.desktop"
  grep -qx 'Exec=kraftbild %f' "$prefix/share/applications/de.kraftbild.Kraftbild.desktop" ||
    { echo "not ok: $name: the desktop entry does not pass the file to the program"; exit 1; }
  appstreamcli validate --no-net "$prefix/share/metainfo/de.kraftbild.Kraftbild.metainfo.xml"
  grep -q "<release version=\"$version\"" "$prefix/share/metainfo/de.kraftbild.Kraftbild.metainfo.xml" ||
    { echo "not ok: $name: the AppStream file has no release $version"; exit 1; }

  # The MIME type as the desktop's database sees it: a copy, the tree itself stays as installed.
  local data=$work/data-$name
  mkdir -p "$data/mime"
  cp -r "$prefix/share/mime/packages" "$data/mime/"
  XDG_DATA_DIRS=$data update-mime-database "$data/mime"
  local mime=$data/mime
  grep -qx 'application/x-kraftbild:\*\.kbf' "$mime/globs" ||
    { echo "not ok: $name: *.kbf is not application/x-kraftbild"; exit 1; }
  echo "ok: $name holds every file"
}

cmake --install "$build" --prefix "$work/install" >/dev/null
check_tree "$work/install" install

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/kraftbild_*.deb)
dpkg-deb -x "$deb" "$work/root"
check_tree "$work/root/usr" package

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kraftbild ] || { echo "not ok: package name $(field Package)"; exit 1; }
[ "$(field Version)" = "$version" ] || { echo "not ok: version $(field Version)"; exit 1; }
[ -n "$(field Maintainer)" ] || { echo "not ok: no maintainer"; exit 1; }
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
  field Depends | grep -q "\b$lib\b" || { echo "not ok: Depends lacks $lib: $(field Depends)"; exit 1; }
done
field Recommends | grep -q qt6-translations-l10n || { echo "not ok: Recommends: $(field Recommends)"; exit 1; }

for program in kraftbild kraftbild-render; do
  file -b "$work/root/usr/bin/$program" | grep -q ', stripped' ||
    { echo "not ok: $program is not stripped"; exit 1; }
  if ldd "$work/root/usr/bin/$program" | grep 'not found'; then
    echo "not ok: $program misses libraries"
    exit 1
  fi
done
# The packaged renderer draws the example project.
QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/kraftbild-render" "$example" --png "$work/example.png"
[ -s "$work/example.png" ] || { echo "not ok: the packaged renderer drew nothing"; exit 1; }
echo "ok: package $(basename "$deb")"
