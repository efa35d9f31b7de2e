# Shared by the build, run and test scripts: installs what is missing from Debian's
# packages, configures the cross build, and manages the virtual display and Wine.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${TWINSEEK_BUILD:-$ROOT/build}
LOGS=$BUILD/logs
WINE=/usr/lib/wine/wine64
export WINEPREFIX=${WINEPREFIX:-$BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

PACKAGES=(
  cmake make
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64
  xvfb x11-utils imagemagick
  googletest
  clang libclang-rt-14-dev
)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    mkdir -p "$LOGS"
    apt-get update >"$LOGS/apt-update.log" 2>&1
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" \
      >"$LOGS/apt-install.log" 2>&1 || { tail -20 "$LOGS/apt-install.log"; exit 1; }
  fi
}

configure_and_build() {
  mkdir -p "$LOGS"
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >"$LOGS/configure.log" 2>&1 || { cat "$LOGS/configure.log"; exit 1; }
  echo "Building in $BUILD (log: $LOGS/build.log)"
  cmake --build "$BUILD" -j"$(nproc)" "$@" >"$LOGS/build.log" 2>&1 ||
    { grep -E -B2 -A6 'error|Error' "$LOGS/build.log" | head -80; exit 1; }
}

# Creates the private Wine prefix once; its output goes to a log, not to the terminal.
# Windows there are not handed to a window manager (the virtual display has none, and Wine
# would wait two seconds for one at every window it hides), and drive T: is a folder of the
# build, for the tests that need a drive's root.
prepare_wine() {
  mkdir -p "$LOGS"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE" wineboot -i >"$LOGS/wineboot.log" 2>&1 || true
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$LOGS/wineboot.log" 2>&1 || true
    /usr/lib/wine/wineserver -w >>"$LOGS/wineboot.log" 2>&1 || true
  fi
  mkdir -p "$BUILD/test-drive"
  ln -sfn "$BUILD/test-drive" "$WINEPREFIX/dosdevices/t:"
  # One Wine server for the whole run, and Wine's own services started along with it, all
  # writing to logs rather than to this script's output (a test's output pipe would otherwise
  # stay open in them); cleanup stops them.
  /usr/lib/wine/wineserver -p >>"$LOGS/wineserver.log" 2>&1 || true
  "$WINE" wineboot >>"$LOGS/wineboot.log" 2>&1 || true
}

XVFB_PID=
# Starts a virtual display when there is none.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  local n=99
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  mkdir -p "$LOGS"
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >"$LOGS/xvfb.log" 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return
    sleep 0.1
  done
  echo "Xvfb did not start; see $LOGS/xvfb.log" >&2
  exit 1
}

# Stops what this script started: Wine's server for the prefix, then the display.
cleanup() {
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" >/dev/null 2>&1 || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
}
