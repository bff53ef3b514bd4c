#!/usr/bin/env bash
# Runs the saver as Windows would (Orvanne.scr /s, Orvanne.dll beside it) in Wine: on
# $DISPLAY when there is one (Esc ends it), else on a private Xvfb for a few seconds,
# leaving a screenshot. With --linux it runs the native module for the X11 screen-saver
# daemon instead (in a window of its own on $DISPLAY). Installs what is missing and builds
# first (in ORVANNE_BUILD_DIR, default build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${ORVANNE_BUILD_DIR:-build}")
linux=false
[ "${1:-}" = --linux ] && linux=true
bash tools/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

# Starts a private Xvfb and sets DISPLAY; finish() ends it.
start_xvfb() {
    local fifo=$build/run-saver-display
    rm -f "$fifo"
    mkfifo "$fifo"
    # -noreset: a reset when the last client leaves would drop Wine's connection.
    Xvfb -displayfd 4 -screen 0 1280x1024x24 +extension GLX -nolisten tcp -noreset \
        4>"$fifo" >/dev/null 2>&1 &
    xvfb=$!
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=:$number
}

if $linux; then
    cmake --build "$build" --target orvanne -j"$(nproc)"
    module=$build/linux/orvanne
    if [ -n "${DISPLAY:-}" ]; then
        echo "running the module in its own window on $DISPLAY; Esc ends it"
        exec "$module"
    fi
    start_xvfb
    trap 'kill "$xvfb" 2>/dev/null || true' EXIT
    echo "no display: running the module on a private Xvfb ($DISPLAY) for a few seconds"
    "$module" --root --fps &
    pid=$!
    sleep 4
    shot=$build/run-saver-linux.png
    import -window root "$shot"
    kill -TERM "$pid"
    # It ends by the signal itself, as the daemon expects: status 128 + 15.
    code=0
    wait "$pid" || code=$?
    echo "screenshot saved to $shot"
    if [ "$code" -ne 143 ]; then
        echo "the module ended with code $code after SIGTERM, not by the signal" >&2
        exit 1
    fi
    echo "the module ended by SIGTERM"
    exit 0
fi
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

start_xvfb
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
