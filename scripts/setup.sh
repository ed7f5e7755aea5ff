#!/usr/bin/env bash
# Installs every Debian package that building and running tavolin needs; with --tests also those
# that only the tests need (a print server of their own with a PDF printer driver), so that
# scripts/run.sh adds no printer to a desktop. Safe to run again: packages already present are
# skipped. A user who is not root and may not use sudo is told which packages are missing and
# the one command that installs them.
#   scripts/setup.sh [--tests]
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev libqt6serialport6 libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core fonts-dejavu-extra
  xvfb xauth openbox
  poppler-utils
)
test_packages=(
  cups-daemon cups-client printer-driver-cups-pdf
)
if [ "${1:-}" = "--tests" ]; then packages+=("${test_packages[@]}"); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

install="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
tell_how() {
  echo "setup: these Debian packages are missing: ${missing[*]}" >&2
  echo "setup: install them as root (su asks for root's password), then run this again:" >&2
  echo "  su -c '$install'" >&2
  exit 1
}

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  # sudo only for a user it lets in: one without a password, or of a group that sudo admits.
  if ! command -v sudo >/dev/null 2>&1; then tell_how; fi
  if ! sudo -n true 2>/dev/null && ! id -nG | grep -qwE 'sudo|admin|wheel'; then tell_how; fi
  SUDO=(sudo)
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! "${SUDO[@]}" apt-get update -qq || ! "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  if [ ${#SUDO[@]} -gt 0 ]; then tell_how; fi
  exit 1
fi
