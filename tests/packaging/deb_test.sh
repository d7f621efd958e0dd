#!/usr/bin/env bash
# Builds the Debian package, installs it with apt into a fresh minimal Debian 12 root and starts the
# installed program through its desktop launcher. Needs root (debootstrap, chroot) and the network
# to Debian's mirror. Not part of the default test run: it takes a few minutes.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
WORK=${WORK:-$ROOT/build/packaging}
MIRROR=${MIRROR:-http://deb.debian.org/debian}

need=()
for p in debootstrap dpkg-dev; do dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p"); done
if [ ${#need[@]} -gt 0 ]; then apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null; fi

echo "== building the package"
cmake -S "$ROOT" -B "$WORK/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORBON_TESTS=OFF >/dev/null
cmake --build "$WORK/build" -j"$(nproc)" >/dev/null
(cd "$WORK/build" && rm -f zorbon_*.deb && cpack >/dev/null)
deb=$(ls "$WORK"/build/zorbon_*.deb)

echo "== fresh Debian 12 root"
chroot_dir="$WORK/root"
cleanup() {
  for m in dev/pts dev proc; do umount "$chroot_dir/$m" 2>/dev/null || true; done
}
trap cleanup EXIT
cleanup
rm -rf "$chroot_dir"
debootstrap --variant=minbase bookworm "$chroot_dir" "$MIRROR" >/dev/null
cp /etc/resolv.conf "$chroot_dir/etc/resolv.conf"
mount -t proc proc "$chroot_dir/proc"
mount --bind /dev "$chroot_dir/dev"
cp "$deb" "$chroot_dir/tmp/"

echo "== apt install ./$(basename "$deb")"
chroot "$chroot_dir" /bin/bash -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/$(basename "$deb") >/dev/null 2>&1"

echo "== starting the installed program"
chroot "$chroot_dir" /bin/bash -c '
  set -e
  useradd -m obsluha
  su obsluha -c "cd /tmp && QT_QPA_PLATFORM=offscreen timeout 5 zorbon-start; test \$? -eq 124"
  data=/home/obsluha/.local/share/Zorbon
  test "$(stat -c %s "$data/data/setup/ulozeni.dta")" -eq 16
  test -f "$data/data/setup/Hráči.szn"
  test -d "$data/vysledky" && test -d "$data/export"
  test -f "$data/HELP/HELP.HLP"
  test -f /usr/share/applications/zorbon.desktop
  test -f /usr/share/icons/hicolor/scalable/apps/zorbon.svg
'
echo "1 passed, 0 failed"
