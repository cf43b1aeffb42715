# Shared by the project's scripts: sourced, not run.

# paketleri_kur PAKET...: installs the given Debian packages with apt-get (as root, or
# through sudo); nothing to do without arguments. Ends the script when it fails.
paketleri_kur() {
  [ $# -gt 0 ] || return 0
  local sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "installing: $*" >&2
  $sudo_cmd apt-get update >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "$@" >/dev/null \
    || { echo "could not install: $*" >&2; exit 1; }
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
