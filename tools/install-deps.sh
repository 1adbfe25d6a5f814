#!/bin/sh
# Installs the Debian packages listed in debian-packages.txt that are not
# installed yet. Runs apt-get update only when something is missing, and goes
# through sudo when not run as root.
set -eu
list="$(dirname "$0")/debian-packages.txt"
missing=""
for pkg in $(grep -v '^#' "$list"); do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  case "$status" in
    *"ok installed") ;;
    *) missing="$missing $pkg" ;;
  esac
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -q
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
