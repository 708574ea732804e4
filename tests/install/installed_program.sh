#!/usr/bin/env bash
# Installs the build to a fresh prefix and checks the tree it makes; then
# starts the installed program, which must find its picture and quit with 0.
#   installed_program.sh CMAKE BUILD_DIR DRIVER
set -euo pipefail
cmake=$1 build=$2 driver=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/installed_tree.sh"
prefix=$work/prefix

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
check_installed_tree "$prefix"
run_installed_program "$prefix" "$driver"
echo "installed program: layout, entry, description and icons in place; found its picture; quit with 0"
