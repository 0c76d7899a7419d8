#!/usr/bin/env bash
# Installs everything the build, the tests, the installer and the help file need,
# from Debian 12's own packages. Safe to run again: apt-get skips what is there.
set -euo pipefail

packages=(
  cmake make g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64 wine xvfb xauth x11-utils imagemagick
  python3-pyftpdlib googletest libgtest-dev
  nsis fp-utils xdotool curl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# vsftpd is the tests' second real FTP server, started and stopped by test.sh
# itself: its package must not start it as a system service. A policy-rc.d
# that exits 101 forbids that while it installs (one already there is kept).
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if ! dpkg-query -W -f='${Status}' vsftpd 2>/dev/null | grep -q 'install ok installed'; then
  policy=/usr/sbin/policy-rc.d
  own_policy=""
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | $SUDO tee "$policy" >/dev/null
    $SUDO chmod 755 "$policy"
    own_policy=yes
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  status=0
  $SUDO apt-get install -y -q --no-install-recommends vsftpd || status=$?
  [ -n "$own_policy" ] && $SUDO rm -f "$policy"
  [ "$status" -eq 0 ] || exit "$status"
fi

# The login vsftpd serves in the tests: an account without a shell, whose
# home is "/" (vsftpd's configuration names its login directory), password
# "secret", checked through a PAM service of its own that asks nothing else
# and answers a wrong password at once.
if ! id ftpttest >/dev/null 2>&1; then
  $SUDO useradd --system --no-create-home --home-dir / --shell /usr/sbin/nologin ftpttest
fi
echo 'ftpttest:secret' | $SUDO chpasswd
printf 'auth required pam_unix.so nodelay\naccount required pam_unix.so\nsession required pam_permit.so\n' |
  $SUDO tee /etc/pam.d/ftpt-test >/dev/null
