# Shared by the project's scripts: sourced, not run.

# Exit status of a check that cannot run on this machine (it needs root, say): CTest
# counts it as skipped. Under CI (CI=true) such a check fails instead.
ATLANDI=77

# calistirilamaz REASON: says why this check cannot run here and ends the script, as a
# failure under CI and as skipped (ATLANDI) elsewhere.
calistirilamaz() {
  if [ "${CI:-}" = true ]; then
    echo "FAILED: this check cannot run here: $*" >&2
    exit 1
  fi
  echo "NOT RUN: $*" >&2
  exit "$ATLANDI"
}

# eksikleri_bildir PAKET...: when given the Debian packages of tools found missing, names
# them and ends the script with a failure; scripts/kur.sh installs every one of them.
eksikleri_bildir() {
  [ $# -gt 0 ] || return 0
  echo "FAILED: tools missing; install their packages with scripts/kur.sh: $*" >&2
  exit 1
}

# sureci_durdur PID_FILE: stops the process the file names (TERM, up to 10 s, then KILL)
# and removes the file; nothing when there is no file.
sureci_durdur() {
  [ -f "$1" ] || return 0
  local pid
  pid=$(cat "$1")
  kill "$pid" 2>/dev/null
  for ((i = 0; i < 40; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.25
  done
  kill -9 "$pid" 2>/dev/null
  rm -f "$1"
}

# masa_hazirla BUILD_DIR FOLDER: a desk of its own under FOLDER for an end-to-end run:
# the program and its own files in FOLDER/program, a home in FOLDER/ev whose data folder
# holds a database made from the template, and FOLDER/tmp. Sets veri to the data folder.
masa_hazirla() {
  local yapi=$1 kok=$2
  mkdir -p "$kok/program" "$kok/ev/.config" "$kok/ev/.local/share" "$kok/tmp"
  cp "$yapi/zelvora" "$yapi/sablon/Vok.vtb" "$kok/program/"
  [ -f "$yapi/Alarm.wav" ] && cp "$yapi/Alarm.wav" "$kok/program/"
  veri="$kok/ev/.local/share/Tavrek/Zelvora"
  mkdir -p -m 0700 "$kok/ev/.local/share/Tavrek" "$veri"
  install -m 0600 "$yapi/sablon/Vok.vtb" "$veri/Vok.vtb"
}

# yapi_ve_resim BUILD_DIR SCREENSHOT.png: the two arguments of a check on a build folder;
# sets yapi (the build folder, absolute) and ekran_resmi, and ends the script when the
# folder has no program or template.
yapi_ve_resim() {
  if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR SCREENSHOT.png" >&2
    exit 1
  fi
  yapi=$(cd "$1" 2>/dev/null && pwd) || { echo "no such build folder: $1" >&2; exit 1; }
  ekran_resmi=$(realpath -m "$2")
  local f
  for f in zelvora sablon/Vok.vtb; do
    [ -f "$yapi/$f" ] || { echo "$yapi/$f is missing: build the program first" >&2; exit 1; }
  done
}

# masa_ortami FOLDER: the program's HOME, settings, data and socket folders are those of
# the desk masa_hazirla laid out in FOLDER, so nothing of the user's is touched and no
# other running instance is found; the real display, not the offscreen platform.
masa_ortami() {
  export HOME="$1/ev"
  export XDG_CONFIG_HOME="$1/ev/.config"
  export XDG_DATA_HOME="$1/ev/.local/share"
  export TMPDIR="$1/tmp"
  export LC_ALL=C.UTF-8
  unset QT_QPA_PLATFORM
}

# gorunur_pencere PATTERN SECONDS: the id of the last shown window whose name matches the
# xdotool regex PATTERN, on stdout, waiting up to SECONDS for it; fails when none comes.
gorunur_pencere() {
  local desen="$1" sure="$2" id j
  for ((j = 0; j < sure * 4; j++)); do
    id=$(xdotool search --onlyvisible --name "$desen" 2>/dev/null | tail -1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.25
  done
  return 1
}

# pencereye_tus ID KEY...: focuses the window and types the keys, as a user does, with the
# pauses a window needs to take them.
pencereye_tus() {
  local id="$1"
  shift
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  sleep 0.3
  xdotool key --clearmodifiers "$@"
  sleep 0.6
}

# The virtual display's own failure is not the check's: an X server that does not answer,
# or a window manager that cannot open it, ends the part run on the display with EKRAN_YOK,
# and sanal_ekranda starts that part again on a new display (three tries in all).
EKRAN_YOK=75

# sanal_ekranda COMMAND...: runs the command under xvfb-run on a 1280x1024 display,
# searched for from a random number (xvfb-run does not wait for the X server it ends, so
# the next check must not take the same number).
sanal_ekranda() {
  local deneme sonuc
  for deneme in 1 2 3; do
    xvfb-run -n "$((100 + RANDOM % 800))" -a -s "-screen 0 1280x1024x24" "$@"
    sonuc=$?
    [ "$sonuc" -eq "$EKRAN_YOK" ] || return "$sonuc"
    echo "the virtual display failed (try $deneme of 3); starting the check on a new one" >&2
  done
  return "$sonuc"
}

# ekran_bekle: on the display, waits up to 10 s for it to answer; the script ends with
# EKRAN_YOK when it does not.
ekran_bekle() {
  local i
  for ((i = 0; i < 40; i++)); do
    xprop -root >/dev/null 2>&1 && return 0
    sleep 0.25
  done
  echo "the virtual display $DISPLAY does not answer" >&2
  exit "$EKRAN_YOK"
}

# pencere_yoneticisi LOG: on the display, openbox started and waited for; the script ends
# with EKRAN_YOK when the display does not answer or the window manager cannot start.
# Its process id is left in PENCERE_YONETICISI.
pencere_yoneticisi() {
  local i
  ekran_bekle
  openbox >"$1" 2>&1 &
  PENCERE_YONETICISI=$!
  for ((i = 0; i < 120; i++)); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$PENCERE_YONETICISI" 2>/dev/null || break
    sleep 0.25
  done
  echo "the window manager did not start: $(cat "$1")" >&2
  exit "$EKRAN_YOK"
}
