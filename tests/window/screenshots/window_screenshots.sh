#!/usr/bin/env bash
# Starts the real zov on a sample project in one edition of each family under
# a private X server, saves a screenshot of each into OUT, and checks that each
# shows a drawn window (many colours, not a blank screen).
#   window_screenshots.sh ZOV MAKE_SAMPLE_PROJECT OUT
set -uo pipefail
zov=${1:?zov}; maker=${2:?make_sample_project}; out=${3:?output folder}
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb import convert xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (apt-get install xvfb imagemagick xdotool)"; exit 1; }
done
editions=(
  "website:HTML Zov Pro"
  "responsive:Mirvel Responsive Website Designer"
  "email:Glentor Mails Pro 2"
  "form:Trelko Forms Pro"
  "labels:Tarnaby Pro"
  "cards:Mollivan Brennix"
  "greeting-card:Tovra Greeting Card Designer"
  "pdf-manual:Tovra PDF Author"
  "markup:Tovra Markup"
  "chart:Tovra Family Tree Maker"
  "records:Pellamy"
  "recipes:Marrowby Recipe Manager"
  "photos:Wemba Image Notes"
  "viewer:Pellamy Viewer"
)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data"
failed=0; passed=0
for entry in "${editions[@]}"; do
  family=${entry%%:*}; edition=${entry#*:}
  project="$work/$family/Sample Project"
  png="$out/$family.png"
  rm -f "$png"
  if ! QT_QPA_PLATFORM=offscreen "$maker" --edition "$edition" "$project" >/dev/null 2>"$work/$family.maker.log"; then
    echo "FAIL $family ($edition): the sample project could not be written"; cat "$work/$family.maker.log"
    failed=$((failed + 1)); continue
  fi
  LOOK_OUT="$png" "$here/../../support/with-xvfb.sh" bash -c '
    unset QT_QPA_PLATFORM
    "$@" >"$LOOK_OUT.log" 2>&1 & pid=$!
    # The document window of the project is titled after its folder; once it
    # is there it gets a moment to draw.
    : >"$LOOK_OUT.windows"
    for i in $(seq 1 60); do
      sleep 0.25
      kill -0 "$pid" 2>/dev/null || break
      if xdotool search --onlyvisible --name "^Sample Project" >"$LOOK_OUT.windows" 2>/dev/null; then sleep 1.5; break; fi
    done
    # A window still busy laying out its pages draws late: shots are taken
    # until one shows a drawn window, for up to ten seconds.
    for i in $(seq 1 10); do
      import -window root "$LOOK_OUT"
      [ "$(convert "$LOOK_OUT" -format %k info: 2>/dev/null || echo 0)" -gt 40 ] && break
      sleep 1
    done
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
  ' shot "$zov" --edition "$edition" "$project"
  colours=$(convert "$png" -format %k info: 2>/dev/null || echo 0)
  windows=$(wc -l <"$png.windows" 2>/dev/null || echo 0)
  if [[ -s $png && $colours -gt 40 && $windows -ge 1 ]]; then
    echo "ok   $family ($edition): $png, $colours colours"; passed=$((passed + 1))
  else
    echo "FAIL $family ($edition): no document window drawn in $png ($colours colours, $windows project windows)"; cat "$png.log" 2>/dev/null
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
(( failed == 0 ))
