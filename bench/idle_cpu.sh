#!/usr/bin/env bash
# Processor time of the game and the launcher while nothing happens, under Xvfb
# at 1280 x 1024 (no window manager, SDL on whatever GL Mesa offers there).
# Each case is started afresh, left to settle, then measured from /proc/PID/stat
# over MEASURE seconds; the lowest of REPEAT runs is printed, as per cent of one
# core, with the X server's share beside it (it copies what the program shows).
#
#   bench/idle_cpu.sh [GAME_DIR]     GAME_DIR: the program folder (build/game)
#   REPEAT=3 SETTLE=4 MEASURE=10 SIZE=1280x1024x24 bench/idle_cpu.sh
set -euo pipefail

GAME_DIR=${1:-$(dirname "$0")/../build/game}
GAME=$GAME_DIR/galaputt
REPEAT=${REPEAT:-3}
SETTLE=${SETTLE:-4}
MEASURE=${MEASURE:-10}
SIZE=${SIZE:-1280x1024x24}
HZ=$(getconf CLK_TCK)

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "idle_cpu: $tool is not installed" >&2; exit 1; }
done
[ -x "$GAME" ] || { echo "idle_cpu: no $GAME (make build first)" >&2; exit 1; }

WORK=$(mktemp -d)
XPID=""
GPID=""
cleanup() {
  [ -n "$GPID" ] && kill "$GPID" 2>/dev/null && wait "$GPID" 2>/dev/null || true
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null && wait "$XPID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# A display number no other server holds.
N=$((170 + $$ % 60))
while [ -e /tmp/.X$N-lock ]; do N=$((N + 1)); done
export DISPLAY=:$N
Xvfb "$DISPLAY" -screen 0 "$SIZE" -nolisten tcp >/dev/null 2>&1 &
XPID=$!
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# Settings of a player who has seen the intro (so the launcher idles at once).
mkdir -p "$WORK/config/galaputt"
printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n"RunOnce"=dword:00000001\r\n\r\n%s\r\n"Skip Intro"=dword:00000001\r\n' \
  '[HKEY_CURRENT_USER\Software\zorbel games\Galaputt SE v1.1\RunOnce]' \
  '[HKEY_CURRENT_USER\Software\zorbel games\Galaputt SE v1.1\Skip Intro]' \
  >"$WORK/config/galaputt/user.reg"

# utime + stime of a process, in clock ticks.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Per cent of one core used by the game and by the X server over MEASURE seconds.
measure() {
  local g0 x0 g1 x1
  g0=$(ticks "$GPID")
  x0=$(ticks "$XPID")
  sleep "$MEASURE"
  g1=$(ticks "$GPID")
  x1=$(ticks "$XPID")
  echo "$(((g1 - g0) * 1000 / (HZ * MEASURE))) $(((x1 - x0) * 1000 / (HZ * MEASURE)))"
}

# One run of a case: start, settle, act (ACTION), measure; prints "game x" in tenths of a per cent.
run_case() {
  local action=$1
  shift
  HOME=$WORK XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data XDG_STATE_HOME=$WORK/state \
    SDL_AUDIODRIVER=dummy "$GAME" "$@" >"$WORK/log" 2>&1 &
  GPID=$!
  local win=""
  for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name '^Galaputt' 2>/dev/null | head -1) && [ -n "$win" ] && break
    sleep 0.1
  done
  sleep "$SETTLE"
  case $action in
    play) xdotool key space; sleep 1 ;;  # the hole card away: waiting for a stroke
    hide) xdotool windowunmap "$win"; sleep 1 ;;
    *) ;;
  esac
  measure
  kill "$GPID" 2>/dev/null || true
  wait "$GPID" 2>/dev/null || true
  GPID=""
}

# Lowest of REPEAT runs, as "12.3 %".
lowest() {
  local best="" bestx=""
  for _ in $(seq "$REPEAT"); do
    read -r g x < <(run_case "$@")
    if [ -z "$best" ] || [ "$g" -lt "$best" ]; then best=$g; bestx=$x; fi
  done
  printf '%5d.%d %%   (X server %d.%d %%)' $((best / 10)) $((best % 10)) $((bestx / 10)) $((bestx % 10))
}

echo "Idle processor time, per cent of one core, lowest of $REPEAT runs of ${MEASURE} s, Xvfb $SIZE"
echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores"
printf '%-58s %s\n' "launcher, main menu, full screen" "$(lowest idle)"
printf '%-58s %s\n' "launcher, main menu, hidden window" "$(lowest hide)"
printf '%-58s %s\n' "game, hole card, 640x480 full screen" "$(lowest idle --play course1hole1)"
printf '%-58s %s\n' "game, waiting for a stroke, 640x480 full screen" "$(lowest play --play course1hole1)"
printf '%-58s %s\n' "game, waiting for a stroke, 640x480 window" "$(lowest play --play course1hole1 --windowed)"
printf '%-58s %s\n' "game, waiting for a stroke, hidden window" "$(lowest hide --play course1hole1 --windowed)"
