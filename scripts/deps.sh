#!/usr/bin/env bash
# Installs the Debian packages Snapsentry needs to build, run and test,
# but only those that are missing, so a second run costs nothing.
set -euo pipefail

build_pkgs=(cmake ninja-build g++ make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
            libturbojpeg0-dev libx11-dev libxext-dev libxrandr-dev
            libwayland-dev wayland-protocols librust-wayland-protocols-dev libpipewire-0.3-dev
            dpkg-dev file)
run_pkgs=(qt6-qpa-plugins qt6-translations-l10n fonts-ipafont-gothic xdg-utils libwayland-client0
          libpipewire-0.3-0)
test_pkgs=(xvfb xauth xdotool trayer openbox x11-utils imagemagick scrot
           sway swaybg xwayland grim xdg-desktop-portal xdg-desktop-portal-wlr
           xdg-desktop-portal-gtk pipewire wireplumber dbus
           faketime clang-format desktop-file-utils appstream lintian dex)

want=("${build_pkgs[@]}" "${run_pkgs[@]}")
if [ "${1:-}" = "--test" ]; then
    want+=("${test_pkgs[@]}")
fi

missing=()
for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
