#!/usr/bin/env bash
# Runs one Windows program (a test, a card, a tool) under wine64 the way our
# tests expect, and is CTest's CMAKE_CROSSCOMPILING_EMULATOR for the win64 tree.
#
#   scripts/wine-run.sh PROGRAM.exe [ARGS...]   run one program
#   scripts/wine-run.sh --start-session         start X (if needed) and a wineserver
#   scripts/wine-run.sh --stop-session          stop what --start-session started
#
# What a run gets:
#   - the Wine prefix build/wine/prefix, made once: virtual desktop 1024x768,
#     no Mono/Gecko prompts, the ALSA audio driver;
#   - a display: $DISPLAY, else the session's Xvfb, else an Xvfb of its own;
#   - one wave device whose every played byte lands in its own capture file,
#     named to the program by KZ8_CAPTURE_PCM (Unix path) and
#     KZ8_CAPTURE_PCM_WIN (the same file as a Windows path);
#   - KZ8_NO_AUDIO=1 instead gives a machine without any wave device;
#   - KZ8_SCREENSHOT: a Windows-side command line that writes a screenshot of
#     the whole display as a binary PPM to the path appended to it.
# Environment: KZ8_WINE_DIR (default build/wine), KZ8_KEEP_RUN=1 keeps the
# run folder with its capture file for inspection.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WINE_DIR="${KZ8_WINE_DIR:-$ROOT/build/wine}"
PREFIX="$WINE_DIR/prefix"
SESSION_DISPLAY_FILE="$WINE_DIR/session-display"
SESSION_XVFB_PID_FILE="$WINE_DIR/session-xvfb.pid"

export WINEPREFIX="$PREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
# A test may add overrides of its own (never Wine's MAPI, for one).
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
export WINEARCH=win64
# Wine takes the system language from the locale of its environment; tests
# expect English unless they ask for another (KZ8_LOCALE, a generated one).
export LANG="${KZ8_LOCALE:-C.UTF-8}" LC_ALL="${KZ8_LOCALE:-C.UTF-8}"

log() { echo "wine-run: $*" >&2; }

# Starts Xvfb on a free display; prints "DISPLAY PID".
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    local pid=$!
    local i
    for i in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { echo ":$n $pid"; return 0; }
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
  done
  log "could not start Xvfb"
  return 1
}

ensure_prefix() {
  mkdir -p "$WINE_DIR"
  exec 9>"$WINE_DIR/prefix.lock"
  flock 9
  if [ ! -f "$PREFIX/.kz8-ready" ]; then
    log "creating the Wine prefix in $PREFIX (once)"
    rm -rf "$PREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
    wineserver -w
    touch "$PREFIX/.kz8-ready"
  fi
  # Debian's Wine does not find its own fonts (fonts-wine) where they are
  # installed, so a Tahoma asked for comes out as another face; in the
  # prefix's Fonts folder it finds them.
  local fonts="$PREFIX/drive_c/windows/Fonts" font
  for font in /usr/share/wine/fonts/*.ttf; do
    if [ -e "$font" ] && [ ! -e "$fonts/${font##*/}" ]; then cp "$font" "$fonts/"; fi
  done
  flock -u 9
  exec 9>&-
}

ensure_display() {  # sets DISPLAY; sets OWN_XVFB_PID when it started one
  OWN_XVFB_PID=""
  [ -n "${DISPLAY:-}" ] && return 0
  if [ -f "$SESSION_DISPLAY_FILE" ] && [ -f "$SESSION_XVFB_PID_FILE" ] &&
     kill -0 "$(cat "$SESSION_XVFB_PID_FILE")" 2>/dev/null; then
    export DISPLAY="$(cat "$SESSION_DISPLAY_FILE")"
    return 0
  fi
  local started
  started="$(start_xvfb)"
  export DISPLAY="${started% *}"
  OWN_XVFB_PID="${started#* }"
}

start_session() {
  ensure_prefix
  if [ -z "${DISPLAY:-}" ]; then
    local started
    started="$(start_xvfb)"
    echo "${started% *}" >"$SESSION_DISPLAY_FILE"
    echo "${started#* }" >"$SESSION_XVFB_PID_FILE"
    export DISPLAY="${started% *}"
  fi
  # A resident wineserver makes each later Wine start take milliseconds.
  wineserver -p </dev/null >/dev/null 2>&1 9>&- || true  # one may already run
  # The first Wine program of a server starts its services and the desktop,
  # which live as long as the server and keep the standard streams they were
  # given; give them none, or CTest would wait on them forever.
  wine cmd /c exit </dev/null >/dev/null 2>&1 9>&-
  log "session ready (DISPLAY=${DISPLAY})"
}

stop_session() {
  wineserver -k 2>/dev/null || true
  if [ -f "$SESSION_XVFB_PID_FILE" ]; then
    kill "$(cat "$SESSION_XVFB_PID_FILE")" 2>/dev/null || true
  fi
  rm -f "$SESSION_DISPLAY_FILE" "$SESSION_XVFB_PID_FILE"
  log "session stopped"
}

run_program() {
  ensure_prefix
  ensure_display

  # Each run has its own HOME, hence its own ALSA configuration and capture
  # file, so that concurrent tests never mix their sound.
  mkdir -p "$WINE_DIR/runs"
  RUN_DIR="$(mktemp -d "$WINE_DIR/runs/run.XXXXXX")"
  cleanup() {
    [ -n "$OWN_XVFB_PID" ] && { wineserver -k 2>/dev/null || true; kill "$OWN_XVFB_PID" 2>/dev/null || true; }
    [ "${KZ8_KEEP_RUN:-0}" = 1 ] && log "run folder kept: $RUN_DIR" || rm -rf "$RUN_DIR"
  }
  trap cleanup EXIT

  export KZ8_CAPTURE_PCM="$RUN_DIR/capture.raw"
  export KZ8_CAPTURE_PCM_WIN="Z:${KZ8_CAPTURE_PCM//\//\\}"
  export KZ8_RUN_DIR="$RUN_DIR"
  export KZ8_RUN_DIR_WIN="Z:${RUN_DIR//\//\\}"
  if [ "${KZ8_NO_AUDIO:-0}" != 1 ]; then
    cat >"$RUN_DIR/.asoundrc" <<ALSA
pcm.!default { type file slave.pcm "null" file "$KZ8_CAPTURE_PCM" format "raw" }
ALSA
  fi
  export KZ8_SCREENSHOT="/bin/sh $ROOT/scripts/screenshot.sh"
  export KZ8_SOURCE_ROOT_WIN="Z:${ROOT//\//\\}"
  # Without a sound card ALSA complains on stderr about the default device.
  HOME="$RUN_DIR" wine "$@" 2> >(grep -v '^ALSA lib' >&2)
}

case "${1:-}" in
  --start-session) start_session ;;
  --stop-session) stop_session ;;
  "" | -h | --help) sed -n '2,22p' "$0" | sed 's/^# \{0,1\}//' ;;
  *) run_program "$@" ;;
esac
