#!/usr/bin/env bash
# package-contents.sh DEB: checks that the Debian package DEB (as dpkg-buildpackage makes it)
# carries the program, its menu and autostart entries, icons, package type, defaults, documents
# and software centre entry.
set -euo pipefail
deb=$(realpath "$1")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# tar lists names outside ASCII as octal escapes unless the locale is UTF-8.
listing=$(LC_ALL=C.UTF-8 dpkg-deb -c "$deb" | awk '{print $6}')
root=$out/root
dpkg-deb -x "$deb" "$root"

status=0
fail() { echo "$*"; status=1; }
manuals=(man1/zolvera.1.gz man1/zolvera-wallpaper.1.gz man1/zolvera-catalogue.1.gz
    hu/man1/zolvera.1.gz hu/man1/zolvera-wallpaper.1.gz hu/man1/zolvera-catalogue.1.gz)
for path in ./usr/bin/zolvera ./usr/bin/zolvera-wallpaper \
    ./usr/share/applications/example.ervolt.zolvera.desktop ./etc/xdg/autostart/zolvera-wallpaper-restore.desktop \
    ./usr/share/metainfo/example.ervolt.zolvera.metainfo.xml \
    ./usr/share/mime/packages/zolvera.xml ./usr/share/icons/hicolor/scalable/apps/zolvera.svg \
    ./usr/share/icons/hicolor/16x16/apps/zolvera.png ./usr/share/icons/hicolor/256x256/apps/zolvera.png \
    ./usr/share/zolvera/zolvera.pdf ./usr/share/zolvera/zolvera_en.pdf \
    ./usr/share/zolvera/Template/hegyek.jpg \
    ./usr/share/zolvera/Template/tó.jpg ./usr/share/doc/zolvera/changelog.gz \
    "${manuals[@]/#/./usr/share/man/}"; do
    grep -qxF "$path" <<<"$listing" || fail "missing from the package: $path"
done
# The build's own tools, the demo, the tests and the benchmarks stay out.
if grep -E 'zolvera-(demo|render)|_tests|_bench|Hatterek|Zolvera\.lst' <<<"$listing"; then
    fail "not meant for the package: the lines above"
fi
desktop=$root/usr/share/applications/example.ervolt.zolvera.desktop
grep -qx 'Exec=zolvera %f' "$desktop" || fail "the menu entry passes no file"
grep -qx 'GenericName=Wallpaper Manager' "$desktop" && grep -qx 'GenericName\[hu\]=Háttérkép-kezelő' "$desktop" ||
    fail "the menu entry is not in English with Hungarian beside it"
grep -qx 'MimeType=application/x-zolvera-package;' "$desktop" ||
    fail "the menu entry is not bound to the package type"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' ||
    fail "no dependencies from the shared libraries"
head -n1 "$root/usr/share/doc/zolvera/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not machine-readable"
readelf -d "$root/usr/bin/zolvera" | grep -q BIND_NOW || fail "zolvera is not bound at start"
grep -qx '/etc/xdg/autostart/zolvera-wallpaper-restore.desktop' < <(dpkg-deb -I "$deb" conffiles) ||
    fail "the autostart entry is not a conffile"

# Tools a bare machine may lack only skip their own check.
skip() { echo "not checked, $1 is missing: $2"; }
if command -v man >/dev/null; then
    for page in "${manuals[@]}"; do
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$page: $warnings"
    done
else skip man "the manual pages"; fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >"$out/appstream.log" 2>&1 ||
        { cat "$out/appstream.log"; fail "the software centre entry is not valid"; }
else skip appstreamcli "the software centre entry"; fi

# A package file is Zolvera's beside another program's *.dta type with content magic, and the
# other program's files stay its own.
if command -v update-mime-database >/dev/null && command -v gio >/dev/null; then
    mime=$out/mime
    mkdir -p "$mime/mime/packages"
    cp "$root/usr/share/mime/packages/zolvera.xml" "$mime/mime/packages"
    cat >"$mime/mime/packages/other.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-other-data">
    <glob pattern="*.dta"/>
    <magic priority="50"><match type="string" offset="0" value="&lt;data_dta&gt;"/></magic>
  </mime-type>
</mime-info>
XML
    XDG_DATA_DIRS=$mime update-mime-database "$mime/mime"
    printf '\x06\x00\x00\x00Tenger\x08\x00\x00\x00Init.jpg' >"$out/Tenger.dta"
    printf '<data_dta><header>' >"$out/survey.dta"
    for file in Tenger.dta:application/x-zolvera-package survey.dta:application/x-other-data; do
        type=$(XDG_DATA_HOME=$mime XDG_DATA_DIRS=$mime gio info -a standard::content-type \
            "$out/${file%%:*}" | sed -n 's/.*standard::content-type: //p')
        [ "$type" = "${file#*:}" ] || fail "${file%%:*} is taken for $type"
    done
else skip "update-mime-database or gio" "the package type's content magic"; fi
exit $status
