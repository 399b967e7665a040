#!/usr/bin/env bash
# Builds the package, checks the files it installs and the packages it depends on, unpacks it into
# a temporary root and runs the programs from there on the shipped sample.
set -euo pipefail
build=$1
cpack=${2:-cpack}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/dravo_*.deb)
echo "package: $(basename "$deb") $(stat -c %s "$deb") bytes"

dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//; s/ -> .*//' >"$work/files"
sample="./usr/share/dravo/Templates/Договор купли-продажи.adf"
for f in ./usr/bin/dravo ./usr/bin/dravo-cli ./usr/lib/libdravo20.so \
  ./usr/share/dravo/Data/tips.txt ./usr/share/dravo/Data/ltr.dat ./usr/share/dravo/Data/usr.dat \
  ./usr/share/dravo/Data/buff.dat "$sample" \
  ./usr/share/applications/dravo.desktop ./usr/share/mime/packages/dravo-adf.xml \
  ./usr/share/icons/hicolor/scalable/apps/dravo.svg \
  ./usr/share/icons/hicolor/scalable/mimetypes/application-x-dravo-template.svg; do
  grep -qxF "$f" "$work/files" || fail "the package lacks $f"
done
# Nothing outside /usr: a user's data folder is never the package's.
if grep -v -e '^\./$' -e '^\./usr/' "$work/files"; then fail "files outside /usr"; fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for p in libc6 libqt6core6 libqt6widgets6 libqt6webenginewidgets6 libqt6webenginecore6-bin \
  libqt6sql6-sqlite qt6-qpa-plugins fonts-liberation fonts-dejavu-core qt6-translations-l10n; do
  grep -qE "(^|, )$p( |,|$)" <<<"$depends" || fail "no dependency on $p"
done

# The PostgreSQL driver is recommended (an office's database server), not required.
grep -q "libqt6sql6-psql" <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "libqt6sql6-psql not recommended"

root="$work/root"
dpkg -x "$deb" "$root"
# The binaries look for nothing in this build tree.
if readelf -d "$root/usr/bin/dravo" "$root/usr/bin/dravo-cli" | grep -q "$build"; then
  fail "a run path into the build tree"
fi
ldd "$root/usr/bin/dravo" "$root/usr/bin/dravo-cli" | grep "not found" && fail "missing libraries"
grep -q '^Exec=dravo %f$' "$root/usr/share/applications/dravo.desktop" || fail "menu entry"
# (Converted whole first: "grep -q" leaves a pipe early, and with pipefail a long file's iconv
# dying of SIGPIPE would fail the check.)
iconv -f WINDOWS-1251 -t UTF-8 "$root/usr/share/dravo/Data/tips.txt" >"$work/tips.utf8" ||
  fail "tips.txt is not in windows-1251"
grep -q '^Щёлкните по любой части договора' "$work/tips.utf8" || fail "tips.txt is not in windows-1251"

cli="$root/usr/bin/dravo-cli"
"$cli" render "$root/$sample" --utf8 -o "$work/page.html"
grep -q 'ДОГОВОР' "$work/page.html" || fail "the sample's page"
"$cli" words 21 | grep -qx 'двадцать один' || fail "dravo-cli words"

# The window program from the unpacked root, as the menu entry starts it (with a picture taken
# instead of waiting for a user): a new user's data folder is filled from /usr/share/dravo.
home="$work/home"
mkdir -p "$home"
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$home" \
  timeout 90 "$root/usr/bin/dravo" --grab "$work/window.png" >"$work/dravo.log" 2>&1 ||
  { cat "$work/dravo.log"; fail "the installed program did not start"; }
data="$home/.local/share/DRAVO/ДРАВО Договор"
cmp "$data/Data/tips.txt" "$root/usr/share/dravo/Data/tips.txt" || fail "data folder not filled"
[ -f "$data/Templates/Договор купли-продажи.adf" ] || fail "no sample in the data folder"
[ -s "$work/window.png" ] || fail "no window picture"
echo "package ok"
