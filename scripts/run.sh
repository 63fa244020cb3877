#!/usr/bin/env bash
# Installs what is needed, builds the viewer, generates the default city once into city/
# and starts the viewer there.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVINSK_TESTS=OFF
cmake --build build -j"$(nproc)"

if [ ! -x build/tools/plan-generate/plan-generate ]; then
  echo "Built. The city generator does not exist yet, so there is no city to show."
  exit 0
fi
if [ ! -d city ]; then
  build/tools/plan-generate/plan-generate --out city
fi
if [ ! -x build/src/korvinsk-plan ]; then
  echo "Built, and the default city is in city/. The viewer does not exist yet."
  exit 0
fi
cd city
exec ../build/src/korvinsk-plan
