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
