#!/bin/sh
# The main job: the library's tools on the bundled example data.
set -eu
cd "$(dirname "$0")/.."
[ -x build/release/veltra-info ] || scripts/build.sh release
build/release/veltra-info
