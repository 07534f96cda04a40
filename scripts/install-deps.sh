#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Vexa Transfer needs.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config ninja-build git ccache
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
  libtinyxml-dev libsqlite3-dev libplist-dev libzip-dev zlib1g-dev libssl-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev libmpv-dev libheif-dev
  # run
  qt6-qpa-plugins qt6-image-formats-plugins qt6-translations-l10n p7zip-full sqlite3
  fonts-dejavu-core fonts-noto-cjk
  # tests, screenshots and independent readers of the files we write
  xvfb xauth imagemagick ffmpeg libxml2-utils
  python3 python3-vobject python3-lxml python3-xlrd
  python3-cryptography
  # the screenshots show the messages' web page export as a browser draws it
  chromium
  # the HEIC to JPEG benchmark measures against Debian's converter
  libheif-examples
  # the usb backend (real devices through usbmuxd); the device emulator is checked against Debian's tools
  libimobiledevice-utils ideviceinstaller libimobiledevice-dev libusbmuxd-dev usbmuxd
  # fuzzing (libFuzzer ships in clang-14's runtime package) and install checks
  clang libclang-rt-14-dev desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
