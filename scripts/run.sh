#!/usr/bin/env bash
# Builds the release tools and talks to the mouse: a real one when its hidraw nodes are
# there, otherwise a simulated mouse started for the occasion.
#
# The skinned tray window (vexmo) is not built yet: until it is, this shows what the
# finished parts do: the mouse's status and the profile the program would send to it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/rel

"$root/scripts/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXMO_BENCH=OFF -DVEXMO_WERROR=OFF >/dev/null
cmake --build "$build" --target vexmoctl vexmo-mousesim -j"$(nproc)" >/dev/null
bin=$build/bin

if [ -x "$bin/vexmo" ]; then
  exec "$bin/vexmo" "$@"
fi
echo "vexmo: the tray window is not built yet; showing the mouse link with vexmoctl instead."

sim_dir=""
cleanup() {
  if [ -n "$sim_dir" ]; then
    "$bin/vexmo-mousesim" stop >/dev/null 2>&1 || true
    rm -rf "$sim_dir"
  fi
}
trap cleanup EXIT
if ! "$bin/vexmoctl" device status >/dev/null 2>&1; then
  # The simulator's socket lives in the runtime folder; a private one keeps this run apart.
  sim_dir=$(mktemp -d)
  export XDG_RUNTIME_DIR=$sim_dir
  echo "No mouse found: starting the simulated mouse (vexmo-mousesim)."
  "$bin/vexmo-mousesim" serve &
  for _ in $(seq 50); do [ -S "$sim_dir/vexmo-mousesim.sock" ] && break; sleep 0.1; done
fi

"$bin/vexmoctl" device status
