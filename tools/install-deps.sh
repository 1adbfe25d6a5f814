#!/bin/sh
# Installs the Debian packages of the named lists that are not installed yet: "run" is
# debian-packages.txt, any other name debian-packages-<name>.txt (test, deb). Runs apt-get update
# only when something is missing, and goes through sudo when not run as root.
set -eu
folder="$(dirname "$0")"
missing=""
for name in "$@"; do
  case "$name" in
    run) list="$folder/debian-packages.txt" ;;
    *) list="$folder/debian-packages-$name.txt" ;;
  esac
  for pkg in $(grep -v '^#' "$list"); do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    case "$status" in
      *"ok installed") ;;
      *) missing="$missing $pkg" ;;
    esac
  done
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -q
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
