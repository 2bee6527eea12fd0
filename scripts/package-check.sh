#!/usr/bin/env bash
# Builds the Debian package and checks it, the desktop files and the command
# line of the installed program against the fixture projects.
#
#   scripts/package-check.sh [BUILD_DIR]     (default: build-pkg)
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$(pwd)
PKG=${1:-$ROOT/build-pkg}
FIXTURES=$ROOT/tests/fixtures
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
# The program remembers nothing into the real home while it is checked.
export XDG_CONFIG_HOME=$TMP/config HOME=$TMP/home
mkdir -p "$HOME"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

echo "== package"
if [[ ! -f "$PKG/build.ninja" ]]; then
  cmake -S "$ROOT" -B "$PKG" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER}
fi
cmake --build "$PKG" -j "$(nproc)"
rm -f "$PKG"/miravel_*.deb
(cd "$PKG" && cpack -G DEB > "$TMP/cpack.log") || { cat "$TMP/cpack.log"; fail "cpack"; }
DEB=$(ls "$PKG"/miravel_*.deb)
echo "$DEB"

echo "== dpkg-deb --contents"
dpkg-deb --contents "$DEB" | awk '{print $6}' > "$TMP/contents"
for f in ./usr/bin/miravel ./usr/share/applications/miravel.desktop \
  ./usr/share/metainfo/example.miravel.Miravel.metainfo.xml \
  ./usr/share/mime/packages/miravel.xml ./usr/share/icons/hicolor/scalable/apps/miravel.svg \
  ./usr/share/icons/hicolor/48x48/apps/miravel.png ./usr/share/icons/hicolor/256x256/apps/miravel.png \
  ./usr/share/man/man1/miravel.1.gz ./usr/share/doc/miravel/copyright; do
  grep -qxF "$f" "$TMP/contents" || fail "$f is not in the package"
done
depends=$(dpkg-deb --field "$DEB" Depends)
echo "Depends: $depends"
for d in fonts-ipafont-mincho libqt6widgets6 libqt6printsupport6 libc6; do
  [[ $depends == *"$d"* ]] || fail "Depends lacks $d"
done

echo "== lintian"
lintian --fail-on error "$DEB"

echo "== desktop entry, metainfo, file type"
desktop-file-validate "$ROOT/packaging/miravel.desktop"
appstreamcli validate --no-net "$ROOT/packaging/example.miravel.Miravel.metainfo.xml"
mkdir -p "$TMP/share/mime/packages"
cp "$ROOT/packaging/miravel-mime.xml" "$TMP/share/mime/packages/miravel.xml"
update-mime-database "$TMP/share/mime"
cp "$FIXTURES/worked-example.tvd" "$TMP/plan.tvd"
type=$(XDG_DATA_HOME=$TMP/share XDG_DATA_DIRS=$TMP/share:/usr/share gio info -a standard::content-type "$TMP/plan.tvd" | awk '/content-type/ {print $2}')
[[ $type == application/x-miravel-project ]] || fail "a .tvd file is $type"

echo "== installed into a temporary root"
dpkg -x "$DEB" "$TMP/root"
MIRAVEL=$TMP/root/usr/bin/miravel
[[ $("$MIRAVEL" --version) == "Miravel 2.0" ]] || fail "--version"

# run STATUS ARGS...: runs the installed program, output in $TMP/out and $TMP/err.
run() {
  local want=$1 got=0
  shift
  # The command line's messages are Japanese under a Japanese locale (English otherwise).
  LC_ALL=ja_JP.UTF-8 timeout 60 "$MIRAVEL" "$@" > "$TMP/out" 2> "$TMP/err" || got=$?
  [[ $got == "$want" ]] || { cat "$TMP/err"; fail "miravel $* ended with $got, not $want"; }
}

echo "== --levels and --print-pdf on the fixtures"
# The expected files hold what the screens show for each fixture (the test
# suite checks them against the screens): the program must print exactly them.
for f in worked-example antenna-data coax-warning; do
  for format in text csv json; do
    run 0 --levels --format "$format" "$FIXTURES/$f.tvd"
    sed "s|@FILE@|$FIXTURES/$f.tvd|" "$FIXTURES/$f.levels.$format" | diff -u - "$TMP/out" ||
      fail "--levels --format $format $f.tvd"
  done
  run 0 --print-pdf "$TMP/$f.pdf" "$FIXTURES/$f.tvd"
  pdftotext -layout "$TMP/$f.pdf" "$TMP/$f.txt"
  grep -q "端 末 レ ベ ル" "$TMP/$f.txt" || fail "$f.pdf has no terminal level row"
  grep -qF "$f.tvd" "$TMP/$f.txt" || fail "$f.pdf does not name its file"
done
# The worked example's report shows the screen's losses and terminal levels
# (the suite compares every report with the screen's own PDF page by page).
for level in $(tail -n +2 "$FIXTURES/worked-example.levels.csv" | cut -d, -f4,5 | tr ',' ' '); do
  grep -qF -- "$(printf '%.2f' "$level")" "$TMP/worked-example.txt" || fail "report lacks $level"
done
run 0 --levels "$FIXTURES/coax-warning.tvd"
grep -q "は計算できません" "$TMP/err" || fail "coax warning missing"

echo "== refused files"
mkfifo "$TMP/pipe.tvd"
head -c 200 "$FIXTURES/worked-example.tvd" > "$TMP/short.tvd"
head -c 4096 "$MIRAVEL" > "$TMP/binary.tvd"
mkdir "$TMP/folder.tvd"
check_refusal() {
  local file=$1 saying=$2
  run 1 --levels "$file"
  grep -qF "$saying" "$TMP/err" || { cat "$TMP/err"; fail "--levels $file: no '$saying'"; }
  [[ ! -s $TMP/out ]] || fail "--levels $file printed levels"
  run 1 --print-pdf "$TMP/refused.pdf" "$file"
  grep -qF "$saying" "$TMP/err" || fail "--print-pdf $file: no '$saying'"
  [[ ! -e $TMP/refused.pdf ]] || fail "--print-pdf $file wrote a PDF"
}
check_refusal "$TMP/missing.tvd" "が見つかりません"
check_refusal "$TMP/pipe.tvd" "通常のファイルではない"
check_refusal "$TMP/folder.tvd" "はフォルダーです"
check_refusal "$TMP/short.tvd" "しかありません"
check_refusal "$TMP/binary.tvd" "Shift-JIS として読めない"

echo "== outputs that must not be written"
cp "$FIXTURES/worked-example.tvd" "$TMP/same.tvd"
run 1 --print-pdf "$TMP/./same.tvd" "$TMP/same.tvd"
cmp -s "$FIXTURES/worked-example.tvd" "$TMP/same.tvd" || fail "--print-pdf replaced its project"
run 1 --print-pdf "$TMP/n.pdf" "$ROOT/examples/apartment-12.tvdn"
grep -qF "計算データ（.tvd）だけ" "$TMP/err" || fail "--print-pdf on a network file"
got=0
timeout 60 "$MIRAVEL" --levels "$FIXTURES/worked-example.tvd" > /dev/full 2> "$TMP/err" || got=$?
[[ $got == 1 ]] || fail "--levels > /dev/full ended with $got, not 1"

echo "== usage errors"
run 2 --levels
run 2 --levels --format xml "$FIXTURES/worked-example.tvd"
grep -qF "text、csv、json" "$TMP/err" || fail "format message"
run 2 --print-pdf
run 2 --nonsense
run 0 --help
grep -qF -- "--print-pdf" "$TMP/out" || fail "--help"
LC_ALL=C.UTF-8 "$MIRAVEL" --help | grep -q "^Usage: miravel" || fail "--help in English"
run 0 -style fusion -session 1a2b --levels "$FIXTURES/worked-example.tvd"

echo "== package checks passed"
