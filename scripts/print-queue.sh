#!/usr/bin/env bash
# A CUPS printer whose jobs land as files, for the print tests under Wine.
#
#   scripts/print-queue.sh start FOLDER   start cupsd if needed, install the
#                                         capture backend, add queue KZ8Capture
#                                         writing each job to FOLDER, make it
#                                         the default
#   scripts/print-queue.sh stop           remove the queue (cupsd keeps running
#                                         when it was running before)
#   scripts/print-queue.sh render IN OUT [DPI]
#                                         render a captured PostScript job to a
#                                         binary PPM (default 100 dpi; written
#                                         under a temporary name, then renamed)
#
# Both start and stop may be run any number of times. Needs root for cupsd and
# lpadmin, as the machines running the Windows tests have.
set -euo pipefail

QUEUE=KZ8Capture
BACKEND_NAME=kz8capture
BACKEND=/usr/lib/cups/backend/$BACKEND_NAME
STATE_DIR=/tmp/kz8-print-queue

log() { echo "print-queue: $*" >&2; }

install_backend() {
  local tmp
  tmp="$(mktemp)"
  cat >"$tmp" <<'BACKEND'
#!/bin/sh
# CUPS backend: stores each job in the folder of its device URI
# (kz8capture:/folder) as job-N.ps, complete before it appears.
if [ $# -eq 0 ]; then
  echo 'direct kz8capture "KZ8 capture" "Stores print jobs as files"'
  exit 0
fi
folder="${DEVICE_URI#*:}"
mkdir -p "$folder"
out="$folder/job-$1.ps"
if [ -n "${6:-}" ]; then cat "$6" >"$out.tmp"; else cat >"$out.tmp"; fi
chmod 644 "$out.tmp"
mv "$out.tmp" "$out"
exit 0
BACKEND
  install -m 0700 "$tmp" "$BACKEND"
  rm -f "$tmp"
}

scheduler_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

start_cupsd() {
  scheduler_running && return 0
  mkdir -p "$STATE_DIR" /run/cups
  cupsd </dev/null >/dev/null 2>&1   # goes into the background by itself
  touch "$STATE_DIR/started-cupsd"
  local i
  for i in $(seq 100); do
    scheduler_running && return 0
    sleep 0.1
  done
  log "cupsd did not start"
  return 1
}

start() {
  local folder="${1:?usage: print-queue.sh start FOLDER}"
  mkdir -p "$folder"
  folder="$(cd "$folder" && pwd)"
  install_backend
  start_cupsd
  lpadmin -p "$QUEUE" -E -v "$BACKEND_NAME:$folder"
  lpadmin -d "$QUEUE"
  log "queue $QUEUE ready, jobs go to $folder"
}

stop() {
  if scheduler_running && lpstat -p "$QUEUE" >/dev/null 2>&1; then
    lpadmin -x "$QUEUE" || true
  fi
  log "queue $QUEUE removed"
}

render() {
  local in="${1:?usage: print-queue.sh render IN OUT [DPI]}" out="${2:?}" dpi="${3:-100}"
  gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=ppmraw -r"$dpi" -sOutputFile="$out.tmp" "$in"
  mv "$out.tmp" "$out"
}

case "${1:-}" in
  start) start "${2:-}" ;;
  stop) stop ;;
  render) render "${2:-}" "${3:-}" "${4:-}" ;;
  *) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
esac
