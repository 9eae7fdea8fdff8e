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

# Settings of a player who has seen the intro (so the launcher idles at once), with the
# full-screen interface (the launcher on a 640 x 480 canvas scaled up) or without (the
# canvas is the screen's size).
hive() {
  mkdir -p "$WORK/$1/galaputt"
  local key='[HKEY_CURRENT_USER\Software\zorbel games\Galaputt SE v1.1'
  printf 'Windows Registry Editor Version 5.00\r\n' >"$WORK/$1/galaputt/user.reg"
  for pair in "RunOnce=1" "Skip Intro=1" "Full Screen Interface=$2"; do
    printf '\r\n%s\\%s]\r\n"%s"=dword:0000000%s\r\n' "$key" "${pair%=*}" "${pair%=*}" "${pair#*=}" \
      >>"$WORK/$1/galaputt/user.reg"
  done
}
hive config 1
hive config-desktop 0

# utime + stime of a process, in clock ticks.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null; }

# Per mille of one core used by the game and by the X server over MEASURE seconds; the
# game must still run at the end.
measure() {
  local g0 x0 g1 x1
  g0=$(ticks "$GPID")
  x0=$(ticks "$XPID")
  sleep "$MEASURE"
  g1=$(ticks "$GPID")
  x1=$(ticks "$XPID")
  if [ -z "$g0" ] || [ -z "$g1" ]; then
    echo "idle_cpu: the game ended during the measurement:" >&2
    cat "$WORK/log" >&2
    exit 1
  fi
  echo "$(((g1 - g0) * 1000 / (HZ * MEASURE))) $(((x1 - x0) * 1000 / (HZ * MEASURE)))"
}

# One run of a case: start, settle, act (ACTION), measure; prints "game x" in tenths of a
# per cent. CONFIG: the settings folder under WORK.
run_case() {
  local action=$1 config=$2
  shift 2
  HOME=$WORK XDG_CONFIG_HOME=$WORK/$config XDG_DATA_HOME=$WORK/data XDG_STATE_HOME=$WORK/state \
    SDL_AUDIODRIVER=dummy "$GAME" "$@" >"$WORK/log" 2>&1 &
  GPID=$!
  sleep "$SETTLE"
  # The window once it has settled (SDL may make it again when it picks its renderer).
  local win=""
  for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --pid "$GPID" 2>/dev/null | tail -1) && [ -n "$win" ] && break
    sleep 0.1
  done
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
    read -r g x < <(run_case "$@") || true
    [ -n "${g:-}" ] || { echo "failed (see above)"; return; }
    if [ -z "$best" ] || [ "$g" -lt "$best" ]; then best=$g; bestx=$x; fi
  done
  printf '%5d.%d %%   (X server %d.%d %%)' $((best / 10)) $((best % 10)) $((bestx / 10)) $((bestx % 10))
}

echo "Idle processor time, per cent of one core, lowest of $REPEAT runs of ${MEASURE} s, Xvfb $SIZE"
echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores"
printf '%-62s %s\n' "launcher, main menu (full-screen interface, 640x480 scaled)" "$(lowest idle config)"
printf '%-62s %s\n' "launcher, main menu (interface at the screen's size)" "$(lowest idle config-desktop)"
printf '%-62s %s\n' "launcher, hidden window" "$(lowest hide config)"
printf '%-62s %s\n' "game, hole card, 640x480 full screen" "$(lowest idle config --play course1hole1)"
printf '%-62s %s\n' "game, waiting for a stroke, 640x480 full screen" "$(lowest play config --play course1hole1)"
printf '%-62s %s\n' "game, waiting for a stroke, 640x480 window" "$(lowest play config --play course1hole1 --windowed)"
printf '%-62s %s\n' "game, hidden window" "$(lowest hide config --play course1hole1 --windowed)"
