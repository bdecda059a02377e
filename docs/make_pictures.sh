#!/usr/bin/env bash
# Makes the screenshots of docs/editors.md in docs/pictures/: it starts each
# editor in a temporary game folder on a virtual X screen (Xvfb), drives it
# with xdotool the way docs/editors.md tells a reader to, and captures the
# window with ImageMagick.
#
# Usage: docs/make_pictures.sh ENGINE [OUTDIR]
#   ENGINE  the engine program, e.g. build/release/engine after
#           `./build.sh build` (this script builds nothing)
#   OUTDIR  where the pictures go (default: docs/pictures beside this script)
#
# Needs Xvfb, xdotool, ImageMagick (import, convert) and the DejaVu Sans
# font; on Debian: apt-get install xvfb xdotool imagemagick fonts-dejavu-core
#
# Keys are sent one at a time with a pause after each, and a chord as
# modifier down, key, modifier up with pauses between: the editors read a
# modifier from the keyboard's state, so a chord pressed and released
# within one frame could be missed. PICTURES_STEP sets the pause in
# seconds (default 0.25); raise it on a slow or busy machine.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 ENGINE [OUTDIR]" >&2
    exit 2
fi
ENGINE=$(realpath "$1")
HERE=$(cd "$(dirname "$0")" && pwd)
OUT=$(realpath -m "${2:-$HERE/pictures}")
STEP=${PICTURES_STEP:-0.25}
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
CAPTION=EditorPictures

[ -x "$ENGINE" ] || { echo "$0: $ENGINE is not a program" >&2; exit 2; }
missing=()
for tool in Xvfb xdotool import convert; do command -v "$tool" >/dev/null || missing+=("$tool"); done
[ -f "$FONT" ] || missing+=("$FONT")
if [ ${#missing[@]} -gt 0 ]; then
    echo "$0: missing ${missing[*]}" >&2
    echo "on Debian: apt-get install xvfb xdotool imagemagick fonts-dejavu-core" >&2
    exit 2
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/editor_pictures.XXXXXX")
XVFB_PID=""
ENGINE_PID=""
# stop_engine: asks the engine to end (it takes SIGTERM as closing the
# window), and kills it when it has not ended within ten seconds. Done before
# the X server goes, which the engine would not outlive cleanly.
stop_engine() {
    [ -n "$ENGINE_PID" ] || return 0
    kill "$ENGINE_PID" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$ENGINE_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$ENGINE_PID" 2>/dev/null || true
    wait "$ENGINE_PID" 2>/dev/null || true
    ENGINE_PID=""
}
cleanup() {
    stop_engine
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# ---- the virtual screen: as large as the editors' window, so that the
# window covers it and keys go to it without a window manager
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
[ -s "$WORK/display" ] || { echo "$0: Xvfb did not start:" >&2; cat "$WORK/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$WORK/display")"

# ---- the game folder: configuration, font, pictures to work with
GAME=$WORK/game
mkdir -p "$GAME/configs/fonts" "$GAME/scripts" "$GAME/pics" "$WORK/runtime"
cp "$FONT" "$GAME/configs/fonts/normal.ttf"
echo main >"$GAME/scripts/game"
# Four poses of a small walking figure, 40 x 64 each.
for i in 1 2 3 4; do
    convert -size 40x64 xc:none -fill '#e0c080' -draw 'circle 20,12 20,4' \
        -fill '#3060c0' -draw 'rectangle 14,20 26,44' -stroke '#3060c0' -strokewidth 4 \
        -draw "line 18,44 $((26 - i * 3)),62" -draw "line 22,44 $((14 + i * 3)),62" \
        "$GAME/pics/walk$i.png"
done
# A room to draw a walk path over.
convert -size 640x480 xc:'#7d8fa3' -fill '#5a4a3a' -draw 'polygon 0,480 640,480 500,260 140,260' \
    -fill '#c8b89a' -draw 'rectangle 250,120 390,260' "$GAME/room.png"

pause() { sleep "${1:-$STEP}"; }
key() { for k in "$@"; do xdotool key "$k"; pause; done; }
chord() {  # modifier key
    xdotool keydown "$1"; pause; xdotool key "$2"; pause; xdotool keyup "$1"; pause
}
type_text() { xdotool type --delay 100 "$1"; pause; }
move() { xdotool mousemove "$1" "$2"; pause; }
click() {  # x y [button]
    move "$1" "$2"; xdotool mousedown "${3:-1}"; pause; xdotool mouseup "${3:-1}"; pause
}
drag() {  # x1 y1 x2 y2
    move "$1" "$2"; xdotool mousedown 1; pause
    move $(((${1} + ${3}) / 2)) $(((${2} + ${4}) / 2)); move "$3" "$4"
    xdotool mouseup 1; pause
}
# Answers a file prompt: empties the field, types the text, Enter.
answer() { key Delete; type_text "$1"; key Return; }

# same_as_manual FILE MARKER: FILE must hold what the first fenced block
# after MARKER in docs/editors.md shows (that block is indented as a list
# item).
same_as_manual() {
    awk -v marker="$2" 'index($0, marker) { found = 1 } found && /```/ { if (++fence == 2) exit; next }
        fence == 1 { sub(/^ +/, ""); print }' "$HERE/editors.md" >"$WORK/expected"
    if ! diff "$WORK/expected" "$1" >&2; then
        echo "$0: $(basename "$1") differs from what docs/editors.md shows" >&2
        exit 1
    fi
}

# capture NAME [GEOMETRY]: the screen, or the part WxH+X+Y of it, as a
# small PNG of at most 64 colours.
capture() {
    pause
    import -window root "$WORK/screen.png"
    local crop=()
    [ $# -ge 2 ] && crop=(-crop "$2" +repage)
    convert "$WORK/screen.png" "${crop[@]}" +dither -colors 64 -strip "PNG8:$OUT/$1.png"
    echo "$OUT/$1.png: $(stat -c %s "$OUT/$1.png") bytes"
}

# start_editor KIND: runs the engine in the game folder with that game kind
# and waits for its window.
start_editor() {
    printf '<config>\n\t<windebug> 640 480 32 0\n\t</windebug>\n\t<window> %s none\n\t</window>\n\t<activegame> %s\n\t</activegame>\n</config>\n' \
        "$CAPTION" "$1" >"$GAME/configs/zel_config"
    (cd "$GAME" && exec env SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$WORK/runtime" "$ENGINE") \
        >>"$WORK/engine.log" 2>&1 &
    ENGINE_PID=$!
    if ! timeout 60 xdotool search --sync --name "^$CAPTION\$" >/dev/null; then
        echo "$0: the $1 window did not appear; the engine said:" >&2
        cat "$WORK/engine.log" >&2
        exit 1
    fi
    move 400 200
    pause 1
}

# leave_editor: Alt + F4, then waits for the program to end.
leave_editor() {
    chord Alt_L F4
    for _ in $(seq 300); do kill -0 "$ENGINE_PID" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$ENGINE_PID" 2>/dev/null; then
        echo "$0: the editor did not end on Alt + F4" >&2
        exit 1
    fi
    ENGINE_PID=""
}

mkdir -p "$OUT"

# ---- the animation editor: four pictures opened, one action built from
# them, named, looped, saved as walk.lum, its frames spread out
start_editor lumo
for i in 1 2 3 4; do
    chord Control_L l
    answer pics/
    key Delete
    type_text "walk$i.png"
    [ "$i" = 1 ] && capture lumo-prompt 440x60+196+150
    key Return
done
# Rows are 16 pixels high under the 16-pixel header; each group opened
# before pushes the next one down by its one picture row.
for i in 1 2 3 4; do
    y=$((16 * (2 * i - 1) + 8))
    click 48 "$y"                # the group's name
    key Right                    # opens the group
    click 48 $((y + 16))         # its picture
    if [ "$i" = 1 ]; then key Return; else key space; fi
done
click 144 24                     # the new action's name
key space Delete                 # renames it
type_text walk
key Return
chord Shift_L l                  # loops it
chord Control_L d
answer 4                         # the delay
chord Control_L p                # plays it
key Escape                       # stops it
chord Control_L h                # the lists again
chord Control_L s
answer ""
answer walk.lum
click 144 40                     # its first frame
chord Control_L a                # every frame
xdotool keydown Shift_L; pause   # spread along a line in the draw window
drag 216 30 520 60
xdotool keyup Shift_L; pause
move 400 300
capture lumo-action
leave_editor
[ -f "$GAME/walk.z16" ] || { echo "$0: walk.z16 was not saved" >&2; exit 1; }
same_as_manual "$GAME/walk.lum" 'The editor writes `walk.lum`'

# ---- the walk-path editor: menu, background, a graph of four vertices,
# walking previews, depth given to the far two
start_editor ptbuilder
chord Control_L h                # shows the menu
click 45 9                       # "game"
capture ptbuilder-menu 190x170+0+0
click 45 135                     # "background"
answer room.png
key v
for point in "150 440" "250 320" "400 320" "500 440" "150 440"; do click $point; done
click 320 400 3                  # ends the chain
chord Control_L k
answer walk.lum
key z
drag 220 300 430 345             # selects the far two
drag 575 168 575 90              # the first knob to 50: their depth
move 320 200
capture ptbuilder-depth
chord Control_L s
answer room.ptf
cp "$GAME/room.ptf" "$WORK/first.ptf"
same_as_manual "$WORK/first.ptf" 'with the far two at 50, it reads:'
key p
click 250 320                    # the id field on that vertex
answer 7
chord Control_L s
key Return                       # the box still holds room.ptf
leave_editor
if ! grep -q '<v> 1 250 320 -0.606299 7$' "$GAME/room.ptf" 2>/dev/null; then
    echo "$0: room.ptf is not as docs/editors.md shows it:" >&2
    cat "$GAME/room.ptf" >&2 || true
    exit 1
fi
