#!/usr/bin/env bash
# Builds everything and runs every test: the Windows tests under Wine on a virtual display,
# then the native fuzz targets of the text parsers for a bounded time.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
configure_and_build
trap cleanup EXIT
ensure_display
prepare_wine

status=0
(cd "$BUILD" && ctest --output-on-failure --timeout 600) || status=$?
if [ -f "$ROOT/fuzz/run.sh" ]; then
  bash "$ROOT/fuzz/run.sh" || status=$?
fi
echo "Screenshots and other test artifacts: $BUILD/artifacts"
exit $status
