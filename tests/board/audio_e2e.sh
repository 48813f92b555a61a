#!/usr/bin/env bash
# End to end: the buzzer, played by the board's SoundPlayer, reaches a real sound server.
#
# Starts a private PulseAudio server with a null sink, records the sink's monitor while play_buzzer
# plays the sound, and checks that the recording is loud and long enough to be the horn. Fails when
# nothing was heard, when the player's completion notice did not come, or when a tool is missing.
#
# Usage: audio_e2e.sh <play_buzzer> <buzzer.wav>
set -euo pipefail

player=${1:?usage: audio_e2e.sh <play_buzzer> <buzzer.wav>}
sound=${2:?usage: audio_e2e.sh <play_buzzer> <buzzer.wav>}

for tool in pulseaudio pactl parec; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps.sh)"; exit 1; }
done
# Debian's own interpreter first: a python3 earlier on the PATH may be a different installation.
python=/usr/bin/python3
[ -x "$python" ] || python=$(command -v python3) || { echo "FAIL: python3 is not installed"; exit 1; }

work=$(mktemp -d)
server_pid=
recorder_pid=
player_pid=

stop_all() {
  if [ -n "$player_pid" ]; then
    kill "$player_pid" 2>/dev/null || true
    wait "$player_pid" 2>/dev/null || true
  fi
  if [ -n "$recorder_pid" ]; then
    kill "$recorder_pid" 2>/dev/null || true
    wait "$recorder_pid" 2>/dev/null || true
  fi
  if [ -n "$server_pid" ]; then
    pactl exit 2>/dev/null || true
    for _ in $(seq 30); do
      kill -0 "$server_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop_all EXIT

# Everything private: the server's socket, its state and the clients' configuration, so that neither
# a sound server of the user's session nor one started automatically can take part.
mkdir -m 700 "$work/runtime" "$work/home"
export XDG_RUNTIME_DIR=$work/runtime
export HOME=$work/home
unset PULSE_SERVER PULSE_RUNTIME_PATH PULSE_SINK PULSE_SOURCE DISPLAY
printf 'autospawn = no\n' >"$work/client.conf"
export PULSE_CLIENTCONFIG=$work/client.conf

pulseaudio --daemonize=no --exit-idle-time=-1 -n \
  --load="module-null-sink sink_name=test rate=44100 channels=2" \
  --load="module-native-protocol-unix auth-anonymous=1" \
  >"$work/server.log" 2>&1 &
server_pid=$!

ready=
for _ in $(seq 100); do
  if pactl info >/dev/null 2>&1; then ready=1; break; fi
  kill -0 "$server_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$ready" ]; then
  echo "FAIL: the sound server did not start"
  cat "$work/server.log"
  exit 1
fi
pactl set-default-sink test

# measure <wav> <fewest loud seconds>: prints the level of a recording and fails unless it holds at
# least that much horn. A 10 ms window counts as horn when its RMS is above 1000 of 32768; the idle
# monitor records nothing at all, so silence cannot pass.
measure() {
  "$python" - "$1" "$2" <<'EOF'
import array, math, sys, wave

LOUD_RMS = 1000
WINDOW_S = 0.01
LOWEST_PEAK = 8000
fewest_loud_s = float(sys.argv[2])

with wave.open(sys.argv[1]) as w:
    rate, channels, width = w.getframerate(), w.getnchannels(), w.getsampwidth()
    raw = w.readframes(w.getnframes())
if width != 2:
    sys.exit(f"FAIL: recorded {8 * width}-bit samples, expected 16-bit")
samples = array.array('h')
samples.frombytes(raw[:len(raw) // 2 * 2])
if sys.byteorder == 'big':
    samples.byteswap()
if not samples:
    sys.exit("FAIL: nothing was recorded from the sound server")

peak = max(abs(s) for s in samples)
rms = math.sqrt(sum(s * s for s in samples) / len(samples))
window = max(1, int(rate * WINDOW_S)) * channels
loud = sum(1 for start in range(0, len(samples) - window + 1, window)
           if math.sqrt(sum(s * s for s in samples[start:start + window]) / window) > LOUD_RMS)
loud_s = loud * WINDOW_S
length_s = len(samples) / channels / rate
dbfs = 20 * math.log10(peak / 32768) if peak else float('-inf')
print(f"captured {length_s:.2f} s: peak {peak} ({dbfs:.1f} dBFS), RMS {rms:.0f}, loud for {loud_s:.2f} s")
if peak < LOWEST_PEAK or loud_s < fewest_loud_s:
    sys.exit(f"FAIL: too little of the buzzer reached the sound server "
             f"(need peak >= {LOWEST_PEAK} and >= {fewest_loud_s} s of horn)")
EOF
}

# play_and_record <name> <fewest loud seconds> [restart]: records the monitor while play_buzzer
# plays, then measures the recording. With "restart", a second "Play" is sent once half a second of
# the sound has reached the recording.
play_and_record() {
  local name=$1 fewest=$2 restart=${3:-}
  echo "--- $name"
  parec -d test.monitor --file-format=wav --latency-msec=20 "$work/$name.wav" &
  recorder_pid=$!
  for _ in $(seq 50); do
    [ -n "$(pactl list short source-outputs)" ] && [ -s "$work/$name.wav" ] && break
    sleep 0.1
  done
  [ -n "$(pactl list short source-outputs)" ] || { echo "FAIL: the recorder did not connect"; exit 1; }

  local args=("$sound")
  [ -n "$restart" ] && args+=("$work/$name.restart")
  local before
  before=$(stat -c %s "$work/$name.wav")
  timeout 20 "$player" "${args[@]}" &
  player_pid=$!
  if [ -n "$restart" ]; then
    # Half a second of 16-bit stereo at 44100 Hz is 88200 bytes; the idle monitor adds none.
    for _ in $(seq 400); do
      [ "$(stat -c %s "$work/$name.wav")" -ge $((before + 88200)) ] && break
      kill -0 "$player_pid" 2>/dev/null || break
      sleep 0.02
    done
    touch "$work/$name.restart"
  fi
  local status=0
  wait "$player_pid" || status=$?
  player_pid=

  # Interrupted, the recorder completes the file's header and leaves.
  kill -INT "$recorder_pid"
  wait "$recorder_pid" || true
  recorder_pid=

  measure "$work/$name.wav" "$fewest"
  if [ "$status" -ne 0 ]; then
    echo "FAIL: play_buzzer exited with status $status"
    exit 1
  fi
}

# One blast: 1.5 s of horn of which the effect drops up to ~120 ms at the end.
play_and_record once 1.2
# A second "Play" half a second into the horn restarts it: about 2 s of horn in all, where carrying
# on with the first blast would give 1.5 s at most. Still a single completion notice.
play_and_record restart 1.8 restart

echo "PASS: the buzzer was heard, restarted on a second Play, and each playback raised Done once"
