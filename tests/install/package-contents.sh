#!/usr/bin/env bash
# package-contents.sh BUILD: makes the Debian package of the build with CPack and checks with
# dpkg-deb that it carries the program, its menu entry, icons, package type and defaults.
set -euo pipefail
build=$1
for tool in dpkg-deb dpkg-shlibdeps file; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is missing, so the Debian package cannot be made and listed"
        exit 77
    fi
done

# Template names carry accents (tó.jpg); CPack's archive writer stores them only under a UTF-8
# locale, which a bare environment (LANG unset) does not give.
export LC_ALL=C.UTF-8
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" ||
    { cat "$out/cpack.log"; exit 1; }
deb=$(echo "$out"/zolvera_*.deb)
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')

status=0
for path in ./usr/bin/zolvera ./usr/bin/zolvera-wallpaper \
    ./usr/share/applications/zolvera.desktop ./etc/xdg/autostart/zolvera-wallpaper-restore.desktop \
    ./usr/share/mime/packages/zolvera.xml ./usr/share/icons/hicolor/scalable/apps/zolvera.svg \
    ./usr/share/icons/hicolor/16x16/apps/zolvera.png ./usr/share/icons/hicolor/256x256/apps/zolvera.png \
    ./usr/share/zolvera/zolvera.pdf ./usr/share/zolvera/Template/hegyek.jpg; do
    grep -qxF "$path" <<<"$listing" || { echo "missing from the package: $path"; status=1; }
done
# The build's own tools, the demo, the tests and the benchmarks stay out.
if grep -E 'zolvera-(demo|render)|_tests|_bench|Hatterek|Zolvera\.lst' <<<"$listing"; then
    echo "not meant for the package: the lines above"
    status=1
fi
desktop=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/zolvera.desktop)
grep -qx 'Exec=zolvera %f' <<<"$desktop" || { echo "the menu entry passes no file"; status=1; }
grep -qx 'MimeType=application/x-zolvera-package;' <<<"$desktop" ||
    { echo "the menu entry is not bound to the package type"; status=1; }
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' ||
    { echo "no dependencies from the shared libraries"; status=1; }
exit $status
