#!/usr/bin/env bash
# Builds Twinseek and starts it under Wine. Without a display it runs the program on a
# virtual one, saves a screenshot of its window and prints the screenshot's path.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
configure_and_build --target Twinseek
EXE="$BUILD/app/Twinseek.exe"
prepare_wine

if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE" "$EXE"
fi

trap cleanup EXIT
ensure_display
"$WINE" "$EXE" >"$LOGS/twinseek.log" 2>&1 &
APP=$!
sleep "${TWINSEEK_SHOT_DELAY:-8}"
SHOT="$BUILD/artifacts/twinseek-start.png"
mkdir -p "$(dirname "$SHOT")"
import -display "$DISPLAY" -window root -trim +repage "$SHOT"
kill "$APP" >/dev/null 2>&1 || true
echo "Screenshot: $SHOT"
