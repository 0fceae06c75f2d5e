#!/usr/bin/env bash
# The one way into the Wine session: runs a command with a display, sound
# and the project's Wine prefix ready. It starts an Xvfb server (when no
# DISPLAY is set) and a PulseAudio daemon with a null sink, which gives
# Wine's MCI a real audio clock (ORVIK_NO_AUDIO=1 leaves this machine's own
# sound), and prepares the prefix; all end with the command. Inside a
# session (ORVIK_SESSION set) it only runs the command, so a script that
# needs the session re-runs itself through it:
#   [ -n "${ORVIK_SESSION:-}" ] || exec "$root/scripts/session.sh" "$0" "$@"
#   scripts/session.sh COMMAND...
if [ -n "${ORVIK_SESSION:-}" ]; then exec "$@"; fi
set -u
cleanup() {
  # Wine's server outlives its programs; end it with the display it uses.
  if [ -n "${SESSION_DIR:-}" ]; then
    ( source "$(dirname "$0")/wine-env.sh" 2>/dev/null; wineserver -k 2>/dev/null ) || true
  fi
  [ -n "${PULSE_PID:-}" ] && kill "$PULSE_PID" 2>/dev/null && wait "$PULSE_PID"
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  [ -n "${SESSION_DIR:-}" ] && rm -rf "$SESSION_DIR"
}
trap cleanup EXIT

SESSION_DIR=$(mktemp -d /tmp/orvik-session.XXXXXX)
chmod 700 "$SESSION_DIR"

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$SESSION_DIR/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.05
    done
    if kill -0 "$XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"
      break
    fi
    XVFB_PID=
  done
  [ -n "${DISPLAY:-}" ] || { echo "session.sh: could not start Xvfb" >&2; exit 1; }
fi

if [ -z "${ORVIK_NO_AUDIO:-}" ] && command -v pulseaudio >/dev/null; then
  export XDG_RUNTIME_DIR="$SESSION_DIR"
  export PULSE_RUNTIME_PATH="$SESSION_DIR/pulse"
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=null" \
    --load=module-native-protocol-unix >"$SESSION_DIR/pulse.log" 2>&1 &
  PULSE_PID=$!
  for _ in $(seq 100); do
    [ -S "$SESSION_DIR/pulse/native" ] && break
    sleep 0.05
  done
  export PULSE_SERVER="unix:$SESSION_DIR/pulse/native"
fi

export ORVIK_SESSION=$SESSION_DIR
source "$(dirname "$0")/wine-env.sh"
wine_env_prepare || exit 1
# A program of the prefix waits (for input that never comes) as long as the
# session lasts: when no program of the prefix runs, Wine ends the desktop
# and services, and the next program, such as the next test, would wait
# about two seconds for them to start again.
mkfifo "$SESSION_DIR/idle"
exec 8<>"$SESSION_DIR/idle"
"$ORVIK_WINE" cmd /c pause <&8 >/dev/null 2>&1 &
exec 8>&-
"$@"
