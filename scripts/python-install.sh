#!/bin/sh
# Builds the Python package `veltra` and installs it into a virtual
# environment that also sees Debian's Python packages (numpy, pandas, dask):
#   scripts/python-install.sh [VENV]     (default build/venv)
# The package is built for /usr/bin/python3, the interpreter Debian's
# packages are installed for (a python3 earlier on PATH may be another one).
set -eu
cd "$(dirname "$0")/.."
venv=${1:-$PWD/build/venv}
[ -x "$venv/bin/python" ] || /usr/bin/python3 -m venv --system-site-packages --without-pip "$venv"
site=$("$venv/bin/python" -c 'import sysconfig; print(sysconfig.get_paths()["purelib"])')
cmake -S python -B build/python -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DPython3_EXECUTABLE=/usr/bin/python3 -DVELTRA_PYTHON_SITE="$site" >/dev/null
cmake --build build/python -j "$(nproc)"
cmake --install build/python --component python >/dev/null
"$venv/bin/python" -c 'import veltra; print("veltra installed for", __import__("sys").executable)'
