#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a desktop and a terminal get:
# both programs, the launcher and the metainfo valid, the icon, and the editor's answers
# to --version, --help and a bad option without a display.
#   check-install.sh BUILD-FOLDER STAGING-FOLDER
set -euo pipefail
build=$1 stage=$2
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
for file in bin/tamsic bin/tamsic-ini share/icons/hicolor/scalable/apps/tamsic.svg; do
  [ -s "$stage/$file" ] || { echo "not installed: $file"; exit 1; }
done
desktop-file-validate "$stage"/share/applications/tamsic.desktop
grep -qx 'Exec=tamsic %f' "$stage"/share/applications/tamsic.desktop
appstreamcli validate --no-net "$stage"/share/metainfo/*.metainfo.xml
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$stage/bin/tamsic" --version)" = "Tamsic 1.1b" ]
env -u DISPLAY -u WAYLAND_DISPLAY "$stage/bin/tamsic" --help | grep -q 'FILE *the velmoran.ini to open'
status=0
said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$stage/bin/tamsic" --bogus 2>&1 >/dev/null) || status=$?
[ "$status" = 64 ] && [[ $said == *"unknown option 'bogus'"* ]] || { echo "tamsic --bogus: exit $status, $said"; exit 1; }
echo "install tree valid"
