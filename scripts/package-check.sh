#!/usr/bin/env bash
# Builds the Debian package as the README says (scripts/build-deb.sh: Release,
# no tests, Debian's hardening flags) and checks it, the desktop files and the
# command line of the installed program against the fixture projects.
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

echo "== package (built as the README says: scripts/build-deb.sh)"
DEB=$("$ROOT/scripts/build-deb.sh" "$PKG" | tail -n 1)
echo "$DEB"
grep -qxF CMAKE_BUILD_TYPE:STRING=Release "$PKG/CMakeCache.txt" || fail "$PKG is not a Release build"
grep -qxF BUILD_TESTING:BOOL=OFF "$PKG/CMakeCache.txt" || fail "$PKG builds the tests"
dpkg -x "$DEB" "$TMP/root"
SHARE=$TMP/root/usr/share
APP_ID=io.github.miravel.miravel

echo "== dpkg-deb --contents"
dpkg-deb --contents "$DEB" | awk '{print $6}' > "$TMP/contents"
expected=(./usr/bin/miravel ./usr/share/applications/$APP_ID.desktop
  ./usr/share/metainfo/$APP_ID.metainfo.xml ./usr/share/mime/packages/miravel.xml
  ./usr/share/man/man1/miravel.1.gz ./usr/share/man/ja/man1/miravel.1.gz
  ./usr/share/doc/miravel/copyright ./usr/share/doc/miravel/README.md)
for icon in apps/miravel mimetypes/application-x-miravel-project mimetypes/application-x-miravel-network; do
  expected+=("./usr/share/icons/hicolor/scalable/$icon.svg")
  for size in 16 48 256; do expected+=("./usr/share/icons/hicolor/${size}x$size/$icon.png"); done
done
# Every picture the README shows, and the user guide once it is written, under
# the same relative paths so that their links work.
docs=$(grep -o 'docs/[^)]*\.png' "$ROOT/README.md")
[[ -f $ROOT/docs/guide/guide-ja.html ]] && docs+=" docs/guide/guide-ja.html"
for doc in $docs; do expected+=("./usr/share/doc/miravel/$doc"); done
for f in "${expected[@]}"; do
  grep -qxF "$f" "$TMP/contents" || fail "$f is not in the package"
done
depends=$(dpkg-deb --field "$DEB" Depends)
echo "Depends: $depends"
for d in fonts-ipafont-mincho libqt6widgets6 libqt6printsupport6 libc6; do
  [[ $depends == *"$d"* ]] || fail "Depends lacks $d"
done
# Continuation lines are indented by one space: two would show as preformatted.
[[ $(dpkg-deb --field "$DEB" Description | tail -n +2 | grep -c '^  ') == 0 ]] ||
  fail "preformatted description lines"
[[ -z $(dpkg-deb --field "$DEB" Homepage) ]] || fail "a Homepage field"

echo "== no placeholder domains, a licence"
if dpkg-deb --field "$DEB" | grep -iE '[a-z0-9]\.example([^a-z]|$)|example\.(com|org|net)'; then
  fail "a placeholder domain in the control fields"
fi
find "$TMP/root" -type f -exec zgrep -liE '[a-z0-9]\.example([^a-z]|$)|example\.(com|org|net)' {} + \
  && fail "a placeholder domain in the files above"
copyright=$SHARE/doc/miravel/copyright
[[ $(head -n 1 "$copyright") == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] ||
  fail "the copyright file is not machine-readable"
grep -qxF "License: MIT" "$copyright" || fail "the copyright file does not name the MIT licence"
# The copyright file's licence text is the LICENSE file's, word for word.
awk 'on; prev == "" && /^License: MIT$/ {on = 1} {prev = $0}' "$copyright" |
  sed 's/^ //; s/^\.$//' > "$TMP/licence"
sed -n '/^Permission/,$p' "$ROOT/LICENSE" | diff -u - "$TMP/licence" || fail "licence texts differ"

echo "== lintian: no tag at all, informational, pedantic and experimental included"
# --info only explains tags; --display-info shows the informational ones
# (hardening-no-bindnow, hardening-no-fortify-functions, ...).
lintian --pedantic --display-info --display-experimental --info \
  --fail-on error,warning,info,pedantic,experimental "$DEB" > "$TMP/lintian" 2> "$TMP/lintian.err" ||
  { cat "$TMP/lintian" "$TMP/lintian.err"; fail "lintian"; }
[[ ! -s $TMP/lintian ]] || { cat "$TMP/lintian"; fail "lintian tags"; }
# Debian's hardening flags reached the binary: stack protector, bind now.
{ readelf -d "$TMP/root/usr/bin/miravel" && readelf -W --dyn-syms "$TMP/root/usr/bin/miravel"; } > "$TMP/elf"
grep -q __stack_chk_fail "$TMP/elf" || fail "no stack protector"
grep -q 'FLAGS.*BIND_NOW' "$TMP/elf" || fail "not linked with -z now"

echo "== desktop entry, metainfo, file types (as installed)"
desktop=$SHARE/applications/$APP_ID.desktop
metainfo=$SHARE/metainfo/$APP_ID.metainfo.xml
desktop-file-validate "$desktop" > "$TMP/validate" 2>&1 || true
[[ ! -s $TMP/validate ]] || { cat "$TMP/validate"; fail "desktop-file-validate"; }
appstreamcli validate --pedantic --no-net "$metainfo" > "$TMP/validate" 2>&1 || true
grep -qE '^[EWIP]:' "$TMP/validate" && { cat "$TMP/validate"; fail "appstreamcli validate --pedantic"; }
grep -qxF StartupNotify=true "$desktop" || fail "StartupNotify"
grep -qF "<id>$APP_ID</id>" "$metainfo" || fail "the metainfo id is not $APP_ID"
grep -qF "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" || fail "launchable"
grep -qF "<project_license>MIT</project_license>" "$metainfo" || fail "project_license"
for version in $(dpkg-parsechangelog -l "$ROOT/packaging/changelog" --all -S Version); do
  grep -qF "<release version=\"$version\"" "$metainfo" || fail "no metainfo release $version"
done
mime=$SHARE/mime/packages/miravel.xml
for type in $(grep -o 'mime-type type="[^"]*"' "$mime" | cut -d'"' -f2); do
  grep -q "^MimeType=.*$type;" "$desktop" || fail "the desktop entry does not open $type"
  grep -qF "<mediatype>$type</mediatype>" "$metainfo" || fail "the metainfo does not provide $type"
  [[ -f $SHARE/icons/hicolor/scalable/mimetypes/${type/\//-}.svg ]] || fail "no icon for $type"
done
[[ $(grep -c '<generic-icon ' "$mime") == $(grep -c '<mime-type ' "$mime") ]] || fail "generic-icon"
mkdir -p "$TMP/share/mime/packages"
cp "$mime" "$TMP/share/mime/packages/miravel.xml"
XDG_DATA_HOME=$TMP/share update-mime-database "$TMP/share/mime"
cp "$FIXTURES/worked-example.tvd" "$TMP/plan.tvd"
cp "$ROOT/examples/apartment-12.tvdn" "$TMP/plan.tvdn"
content_type() {
  XDG_DATA_HOME=$TMP/share XDG_DATA_DIRS=$TMP/share:/usr/share gio info -a standard::content-type "$1" |
    awk '/content-type/ {print $2}'
}
[[ $(content_type "$TMP/plan.tvd") == application/x-miravel-project ]] || fail "a .tvd file is not a project"
[[ $(content_type "$TMP/plan.tvdn") == application/x-miravel-network ]] || fail "a .tvdn file is not a network"

echo "== installed into a temporary root"
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

echo "== --parts on the 12-outlet example"
run 0 --parts --format csv "$ROOT/examples/apartment-12.tvdn"
grep -qxF "接栓,F形接栓,30,個,," "$TMP/out" || fail "--parts counts"
run 1 --parts "$TMP/missing.tvdn"
run 2 --parts "$FIXTURES/worked-example.tvd"

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
