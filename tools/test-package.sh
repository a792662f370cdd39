#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Vantor for /usr in build-package/, checks what `cmake --install` puts
# in a staging tree, validates the launcher and the metainfo, makes the Debian
# package, unpacks it and starts the unpacked program headless from its data
# directory to see that it runs and reads its catalogue and banner there.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh dpkg-dev file desktop-file-utils appstream strace
export QT_QPA_PLATFORM=offscreen
build=build-package
app_id=com.example.vantor
sizes=(256 128 64 48 32 16)
fail() { echo "test-package: $*" >&2; exit 1; }
# The one version number, set in project() and nowhere else.
version=$(sed -n 's/^project(Vantor VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no version in CMakeLists.txt"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
cmake --build "$build" --parallel "$(nproc)"

stage="$PWD/$build/stage"
rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build"

expected=(
    usr/bin/vantor
    usr/share/applications/$app_id.desktop
    usr/share/doc/vantor/copyright
    usr/share/metainfo/$app_id.metainfo.xml
    usr/share/vantor/Orlena-Audio-logo-60px.png
    usr/share/vantor/Orlena-Audio-logo-60px@2x.png
    usr/share/vantor/banner3.png
    usr/share/vantor/banner3@2x.png
    usr/share/vantor/data_amplis.txt
    usr/share/vantor/data_spk.txt
)
for size in "${sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x$size/apps/$app_id.png")
done
diff -u <(printf '%s\n' "${expected[@]}" | sort) <(cd "$stage" && find . -type f | sed 's|^\./||' | sort) \
    || fail "the install tree differs from the list above"
for file in resources/data_spk.txt resources/data_amplis.txt resources/banner3.png; do
    cmp "$file" "$stage/usr/share/vantor/$(basename "$file")" || fail "$file installed changed"
done
for size in "${sizes[@]}"; do
    icon="$stage/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    file -b "$icon" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" \
        || fail "$icon is not a $size x $size RGBA image: $(file -b "$icon")"
done
[ -x "$stage/usr/bin/vantor" ] || fail "vantor is not executable"
# The program names its launcher to the desktop (a UTF-16 string literal).
# grep reads all of it: with -q it would stop at the match, and strings, cut
# off, would fail the pipeline.
strings -el "$stage/usr/bin/vantor" | grep -x "$app_id" >/dev/null \
    || fail "vantor does not name $app_id"

desktop="$stage/usr/share/applications/$app_id.desktop"
metainfo="$stage/usr/share/metainfo/$app_id.metainfo.xml"
desktop-file-validate "$desktop"
appstreamcli validate --no-net --pedantic "$metainfo"
grep -qx 'Path=/usr/share/vantor' "$desktop" || fail "the launcher does not start in /usr/share/vantor"
grep -qx 'Exec=vantor' "$desktop" || fail "the launcher does not run vantor"
grep -qx "Icon=$app_id" "$desktop" || fail "the launcher does not name the icon $app_id"
grep -qx "StartupWMClass=vantor" "$desktop" || fail "the launcher does not name the windows' class"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
    || fail "the metainfo does not name the launcher"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

# A machine-readable copyright file: all files under the GPL, whose notice has
# a paragraph of its own.
copyright="$stage/usr/share/doc/vantor/copyright"
cmp packaging/copyright "$copyright" || fail "the copyright file installed changed"
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    || fail "the copyright file does not name its format"
grep -qx 'Upstream-Name: Vantor' "$copyright" || fail "the copyright file does not name Vantor"
awk -v RS= '/(^|\n)Files: \*\n/ && /\nCopyright: 2019-2026 Orlena Audio\n/ && /\nLicense: GPL-3.0-or-later$/ { files = 1 }
    /^License: GPL-3.0-or-later\n .*GNU General Public License/ { notice = 1 }
    END { exit !(files && notice) }' "$copyright" \
    || fail "the copyright file does not put all files under GPL-3.0-or-later"

rm -f "$build"/vantor_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/vantor_"$version"_*.deb)
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not version $version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libc6 libstdc++6 libqt5core5a libqt5gui5 libqt5widgets5; do
    grep -q "\b$library\b" <<<"$depends" || fail "the package does not depend on $library"
done
unpacked="$PWD/$build/unpacked"
rm -rf "$unpacked"
dpkg-deb -x "$deb" "$unpacked"
diff -u <(cd "$stage" && find . -type f | sort) <(cd "$unpacked" && find . -type f | sort) \
    || fail "the package holds other files than the install tree"
cmp packaging/copyright "$unpacked/usr/share/doc/vantor/copyright" \
    || fail "the package does not hold the copyright file"

# Started from the menu, the program runs in Path=; do the same here, with a
# home of its own, so that no catalogue folder the window remembers on this
# machine is read instead. A program still running when timeout stops it
# exits with 124.
trace="$PWD/$build/vantor.strace"
home="$PWD/$build/home"
rm -rf "$home"
mkdir -p "$home"
status=0
(cd "$unpacked/usr/share/vantor" && HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    timeout 3 strace -f -e trace=openat -o "$trace" ../../bin/vantor) || status=$?
[ "$status" -eq 124 ] || fail "the installed vantor stopped with status $status within 3 seconds"
# The banner, or its twice-as-large twin where the screen's scale asks for it.
for name in data_spk.txt data_amplis.txt 'banner3(@2x)?.png'; do
    grep -Eq "openat\(AT_FDCWD, \"([^\"]*/usr/share/vantor/)?$name\", O_RDONLY[^)]*\) = [0-9]+$" "$trace" \
        || fail "the installed vantor did not open $name in its data directory"
done
echo "test-package: install tree, launcher, metainfo and package are right; vantor runs"
