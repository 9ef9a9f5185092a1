#!/usr/bin/env bash
# The Debian package, built by tools/build_deb.sh: what it holds (the
# manual pages in English and in French among it), what the validators say
# of it (lintian without errors, desktop-file-validate, appstreamcli
# validate), and, installed with apt-get, that its programs run (the area
# labels from an empty folder find their font) and that it removes cleanly. Needs root for apt-get (CI runs as root); leaves the
# machine as it found it: a tilings package installed before is left alone,
# and the one it installs is removed again.
#
# Where the tools cannot be installed it says so in one line and is skipped
# (status 0); any failure ends it with status 1.
set -euo pipefail
cd "$(dirname "$0")/../.."

tools=(lintian desktop-file-utils appstream xvfb xdotool)
if ! tools/install_deps.sh "${tools[@]}" >/dev/null 2>&1; then
  echo "package_test: skipped: cannot install ${tools[*]}"
  exit 0
fi

failures=0
fail() {
  echo "package_test: FAILED: $*" >&2
  failures=$((failures + 1))
}
check() { # description command...
  local what=$1
  shift
  "$@" || fail "$what"
}

package=$(tools/build_deb.sh 2>/dev/null | tail -n 1)
[ -f "$package" ] || { echo "package_test: FAILED: tools/build_deb.sh wrote no package" >&2; exit 1; }
echo "package_test: $package"

# --- What it holds -----------------------------------------------------
window_programs=()
for source in chair/*.cpp hexagon/*.cpp triangle/*.cpp fivesplit/*.cpp; do
  name=$(basename "$source" .cpp)
  ls "$(dirname "$source")/${name}"_[0-9][0-9].png >/dev/null 2>&1 && window_programs+=("$name")
done
programs=("${window_programs[@]}" tile_step_counts tile_area_classes)
check "eighteen programs, sixteen of them window programs" \
  test "${#window_programs[@]}" -eq 16 -a "${#programs[@]}" -eq 18

expected=$(mktemp)
held=$(mktemp)
trap 'rm -f "$expected" "$held"' EXIT
{
  for p in "${programs[@]}"; do
    echo "-rwxr-xr-x /usr/bin/$p"
    echo "-rw-r--r-- /usr/share/man/man6/$p.6.gz"
    echo "-rw-r--r-- /usr/share/man/fr/man6/$p.6.gz"
  done
  # The explorer: a program, its manual pages, menu entry and icons.
  echo "-rwxr-xr-x /usr/bin/tilings_explore"
  echo "-rw-r--r-- /usr/share/man/man6/tilings_explore.6.gz"
  echo "-rw-r--r-- /usr/share/man/fr/man6/tilings_explore.6.gz"
  for p in "${window_programs[@]}" tilings_explore; do
    echo "-rw-r--r-- /usr/share/applications/$p.desktop"
    for size in 64 128 256; do
      echo "-rw-r--r-- /usr/share/icons/hicolor/${size}x${size}/apps/$p.png"
    done
  done
  echo "-rw-r--r-- /usr/share/man/man7/tilings.7.gz"
  echo "-rw-r--r-- /usr/share/man/fr/man7/tilings.7.gz"
  echo "-rw-r--r-- /usr/share/doc/tilings/copyright"
  echo "-rw-r--r-- /usr/share/doc/tilings/changelog.Debian.gz"
} | LC_ALL=C sort >"$expected"
metainfo=$(dpkg-deb -c "$package" | awk '{print $6}' | grep '^\./usr/share/metainfo/.*\.metainfo\.xml$' || true)
metainfo=${metainfo#.}
check "one metainfo file" test "$(wc -w <<<"$metainfo")" -eq 1
# Every file, with its mode and owner; the metainfo aside (its name is the
# component's id).
dpkg-deb -c "$package" | awk '$1 !~ /^d/ {print $1, $2, $6}' | grep -v '/usr/share/metainfo/' |
  sed 's| \./| /|' >"$held.all"
check "every file owned by root" test -z "$(awk '$2 != "root/root"' "$held.all")"
awk '{print $1, $3}' "$held.all" | LC_ALL=C sort >"$held"
rm -f "$held.all"
if ! diff -u "$expected" "$held" >&2; then
  fail "the package holds exactly the expected files, with their modes (diff above)"
fi
fields=$(dpkg-deb -f "$package" Depends Section Priority Maintainer Installed-Size Description)
for dependency in fonts-liberation libsdl1.2debian libsdl-ttf2.0-0 libc6; do
  grep -q "^Depends:.*\b$dependency\b" <<<"$fields" || fail "depends on $dependency"
done
for field in Section Priority Maintainer Installed-Size Description; do
  grep -q "^$field: ." <<<"$fields" || fail "has a $field field"
done
unpacked=$(mktemp -d)
trap 'rm -f "$expected" "$held"; rm -rf "$unpacked"' EXIT
dpkg-deb -x "$package" "$unpacked"
dpkg-deb -e "$package" "$unpacked/DEBIAN"
check "md5sums match the files" \
  sh -c "cd '$unpacked' && md5sum --quiet -c DEBIAN/md5sums"
for p in "${programs[@]}"; do
  file -b "$unpacked/usr/bin/$p" | grep -q ', stripped' || fail "$p is stripped"
done

# --- The validators ----------------------------------------------------
lintian_status=0
lintian_output=$(lintian --fail-on error "$package" 2>&1) || lintian_status=$?
lintian_output=$(grep -v '^running with root privileges' <<<"$lintian_output" || true)
[ -z "$lintian_output" ] || echo "$lintian_output"
check "lintian reports no errors" test "$lintian_status" -eq 0
# Each remaining warning is explained in the README's packaging section.
for tag in $(sed -n 's/^W: [^ ]*: \([^ ]*\).*/\1/p' <<<"$lintian_output" | sort -u); do
  grep -q "$tag" README.md || fail "lintian's warning $tag is not explained in the README"
done
for entry in "$unpacked"/usr/share/applications/*.desktop; do
  check "desktop-file-validate $(basename "$entry")" desktop-file-validate "$entry"
done
check "appstreamcli validate" appstreamcli validate --no-net "$unpacked$metainfo" >/dev/null

# --- Installed and removed ---------------------------------------------
if dpkg-query -W -f='${Status}' tilings 2>/dev/null | grep -q 'install ok installed'; then
  echo "package_test: tilings is installed on this machine already; not installing it again"
else
  trap 'rm -f "$expected" "$held"; rm -rf "$unpacked" "$empty";
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tilings >/dev/null 2>&1 || true' EXIT
  empty=$(mktemp -d)
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$package" >/dev/null ||
    { echo "package_test: FAILED: apt-get install ./$package" >&2; exit 1; }
  for p in "${programs[@]}"; do
    check "$p is on the PATH" test "$(command -v "$p")" = "/usr/bin/$p"
  done
  check "man finds tilings(7)" test -n "$(man -w 7 tilings 2>/dev/null)"
  check "man finds the French tilings(7)" \
    test "$(man -L fr -w 7 tilings 2>/dev/null)" = /usr/share/man/fr/man7/tilings.7.gz
  check "tile_step_counts runs" sh -c 'tile_step_counts </dev/null | grep -q "^etape 8 :"'

  # The area labels, started from an empty folder, find their font: the
  # program says so on standard error when it leaves them out.
  # The server is told not to reset when its last client leaves (a program
  # that connects while it resets is turned away), and says its display
  # number on a line of its own once it accepts clients.
  display_file=$(mktemp)
  xvfb_errors=$(mktemp)
  display=
  for attempt in $(seq 10); do
    : >"$display_file"
    Xvfb ":$((300 + (RANDOM + attempt) % 500))" -displayfd 3 -noreset -screen 0 800x600x24 \
      -nolisten tcp 3>"$display_file" 2>"$xvfb_errors" &
    server=$!
    for _ in $(seq 200); do
      [ "$(wc -l <"$display_file")" -ge 1 ] && break
      kill -0 "$server" 2>/dev/null || break
      sleep 0.1
    done
    if [ "$(wc -l <"$display_file")" -ge 1 ]; then
      display=:$(head -n 1 "$display_file")
      break
    fi
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  done
  rm -f "$display_file"
  [ -n "$display" ] || fail "Xvfb did not start: $(cat "$xvfb_errors")"
  (cd "$empty" && DISPLAY=$display fivesplit_area_labels 2>"$empty.errors") &
  program=$!
  # Once its window shows, two key presses (to the window under the
  # pointer: there is no window manager) end it.
  DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name '.*' >/dev/null 2>&1 || true
  for _ in 1 2; do
    sleep 0.5
    DISPLAY=$display xdotool key space 2>/dev/null || true
  done
  status=0
  if ! timeout 20 tail --pid="$program" -f /dev/null; then
    kill "$program" 2>/dev/null || true
    fail "fivesplit_area_labels did not end after two key presses"
  fi
  wait "$program" || status=$?
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  rm -f "$xvfb_errors"
  check "fivesplit_area_labels ends with status 0" test "$status" -eq 0
  if [ -s "$empty.errors" ]; then
    fail "fivesplit_area_labels, run from an empty folder, leaves out its labels: $(cat "$empty.errors")"
  fi
  check "fivesplit_area_labels writes nothing in its folder" test -z "$(ls -A "$empty")"
  rm -rf "$empty" "$empty.errors"

  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tilings >/dev/null ||
    fail "apt-get remove tilings"
  check "no tilings package is left" \
    sh -c "! dpkg-query -W -f='\${Status}' tilings 2>/dev/null | grep -q installed"
  while read -r _ file; do
    [ ! -e "$file" ] || fail "$file is left after removal"
  done <"$expected"
  [ ! -e "$metainfo" ] || fail "$metainfo is left after removal"
  [ ! -e /usr/share/doc/tilings ] || fail "/usr/share/doc/tilings is left after removal"
fi

if [ "$failures" -ne 0 ]; then
  echo "package_test: $failures failures" >&2
  exit 1
fi
echo "package_test: passed"
