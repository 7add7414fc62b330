#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest and build steps. The prefix and
# display come from the environment the `quill` script sets up; on its own it
# falls back to a prefix beside this build tree.
: "${WINEPREFIX:=${QUILL_WINEPREFIX:-$PWD/wineprefix}}"
export WINEPREFIX WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
