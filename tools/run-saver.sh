#!/usr/bin/env bash
# Runs the saver as Windows would (Orvanne.scr /s, Orvanne.dll beside it) in Wine: on
# $DISPLAY when there is one (Esc ends it), else on a private Xvfb for a few seconds,
# leaving a screenshot. Installs what is missing and builds first (in ORVANNE_BUILD_DIR,
# default build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${ORVANNE_BUILD_DIR:-build}")
bash tools/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Wine here runs 64-bit programs only, so the x86_64 build is the one run.
cmake --build "$build" --target windows-x86_64 -j"$(nproc)"

work=$build/run-saver
saver=$work/saver
mkdir -p "$saver"
cp "$build"/windows-x86_64/dist/Orvanne.scr "$build"/windows-x86_64/dist/Orvanne.dll "$saver/"

export WINEPREFIX=$work/prefix WINEDEBUG=-all XDG_CACHE_HOME=$work/cache
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
if [ ! -f "$WINEPREFIX/.ready" ]; then
    echo "preparing a Wine prefix in $WINEPREFIX"
    DISPLAY= "$wine" wineboot -i >/dev/null 2>&1
    # Without a window manager Wine would wait on every hide for one to answer.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    "$wineserver" -w
    touch "$WINEPREFIX/.ready"
fi

if [ -n "${DISPLAY:-}" ]; then
    echo "running the saver on $DISPLAY; release Esc to end it"
    "$wine" "$saver/Orvanne.scr" /s
    "$wineserver" -w
    exit 0
fi

fifo=$work/display
rm -f "$fifo"
mkfifo "$fifo"
# -noreset: a reset when the last client leaves would drop Wine's connection.
Xvfb -displayfd 4 -screen 0 1280x1024x24 +extension GLX -nolisten tcp -noreset 4>"$fifo" \
    >/dev/null 2>&1 &
xvfb=$!
read -r number <"$fifo"
rm -f "$fifo"
export DISPLAY=:$number
finish() {
    "$wineserver" -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap finish EXIT

echo "no display: running the saver on a private Xvfb ($DISPLAY) for a few seconds"
"$wine" "$saver/Orvanne.scr" /s &
scr=$!
sleep 8
shot=$work/saver.png
import -window root "$shot"
# Ends the run as a user would: Esc in the renderer, which has the focus by itself.
xdotool key Escape || true
for _ in $(seq 50); do
    kill -0 "$scr" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$scr" 2>/dev/null; then
    echo "the saver was still running after Esc; ended it"
else
    echo "the saver ended after Esc"
fi
echo "screenshot saved to $shot"
