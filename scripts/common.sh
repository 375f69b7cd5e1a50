# Shared by test-win32 and test-packages (sourced, with $root the checkout):
# Debian packages installed on demand, and a wine prefix to run the Windows
# programs in.

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
apt_install() {
  local missing=()
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run this script as root)" >&2
    return 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
apt_updated=no
apt_update_once() {
  if [ "$apt_updated" = no ] && [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq
    apt_updated=yes
  fi
}
# Installs the packages, updating the package lists first when one is missing.
apt_install_updated() {
  for p in "$@"; do installed "$p" || { apt_update_once; break; }; done
  apt_install "$@"
}

can_run_wine32() { [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Sets arch to i686 where wine runs 32-bit programs (installing wine32 where
# it can), else to x86_64; F90_WIN_ARCH chooses without asking.
choose_wine_arch() {
  arch=${F90_WIN_ARCH:-}
  [ -n "$arch" ] && return 0
  if ! installed wine32:i386 && [ "$(id -u)" -eq 0 ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      dpkg --add-architecture i386
      apt_updated=no
    fi
    apt_update_once
    apt_install wine32:i386 || echo "wine32 could not be installed" >&2
  fi
  if can_run_wine32; then arch=i686; else arch=x86_64; fi
}

# start_wine <build dir> <wine loader>: a wine prefix of the build's own in
# <build dir>/wine-prefix, made once, and one wine server for the rest of the
# script (WINEARCH must be set). The prefix's temporary path follows
# F90_WINE_TEMP, so that each test can give the driver a temporary path of
# its own.
start_wine() {
  local build=$1 wine_loader=$2
  export WINEPREFIX=$build/wine-prefix
  export WINELOADER=$wine_loader
  export WINEDEBUG=-all
  local wine_user=${USER:-$(id -un)}
  export F90_WINE_TEMP="C:\\users\\$wine_user\\Temp"
  mkdir -p "$build"
  if [ ! -f "$WINEPREFIX/.f90-ready" ]; then
    rm -rf "$WINEPREFIX"
    "$wine_loader" wineboot -i >/dev/null 2>&1 || true
    for v in TEMP TMP; do
      "$wine_loader" reg add 'HKCU\Environment' /v "$v" /t REG_EXPAND_SZ /d '%F90_WINE_TEMP%' /f \
        >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/.f90-ready"
  fi
  # One wine server for the whole run: started per program, it would start
  # the prefix's services each time and could go away under a starting
  # program.
  wineserver -p
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
  "$wine_loader" cmd /c exit >/dev/null 2>&1 || true
}
