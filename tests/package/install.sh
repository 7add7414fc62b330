#!/usr/bin/env bash
# The package as a user gets it: `./quill package` for this build's target,
# unpacked into a folder of its own with its checksums right, registered
# with its own script in a fresh Wine prefix (per user: the keys are
# written; machine-wide: a script creates the control through its ProgID,
# as Wine's COM reads machine-wide classes only), then unregistered the same
# two ways, leaving no key.
#   install.sh SOURCE_TREE TARGET BUILD_TREE
set -euo pipefail
root=$1 target=$2 build=$3
case "$target" in i686) platform=win32 ;; *) platform=win64 ;; esac
version=$(sed -n 's/^#define QUILLON_VERSION_TEXT "\(.*\)"$/\1/p' "$build/version/QuillonVersion.h")
name="Quillon-$version-$platform"
work="$build/package-test"
export WINEPREFIX="$work/prefix"
rm -rf "$work"
mkdir -p "$work"
finish() { wineserver -k >/dev/null 2>&1 || true; }
trap finish EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The display of the test run; the fresh prefix is made by the packaging.
QUILL_BUILD=$(dirname "$build") QUILL_PREFIX="$WINEPREFIX" QUILL_KEEP_DISPLAY=1 \
  bash "$root/quill" package "$target" >"$work/package.log" 2>&1 || { tail -20 "$work/package.log"; fail "quill package"; }
zip="$root/dist/$name.zip"
[ -f "$zip" ] || fail "no $zip"
(cd "$work" && cmake -E tar xf "$zip")
folder="$work/$name"
for f in QuillonLib.dll QuillonRes.dll DemoHost.exe README.md LICENSE register.cmd unregister.cmd docs/reference.md; do
  [ -f "$folder/$f" ] || fail "the package has no $f"
done
(cd "$folder" && sha256sum --quiet -c SHA256SUMS) || fail "checksums"
echo "PASS: $name unpacked, checksums right"

key() { wine reg query "$1" >/dev/null 2>&1; }
windows() { printf 'Z:%s' "${1//\//\\}"; }
classes='Software\Classes\QuillonLib.Quillon'
wine cmd /c "$(windows "$folder/register.cmd")" /n /i:user | tr -d '\r' || fail "register.cmd /n /i:user"
key "HKCU\\$classes" || fail "no per-user ProgID"
wine cmd /c "$(windows "$folder/register.cmd")" | tr -d '\r' || fail "register.cmd"
printf 'Set q = CreateObject("QuillonLib.Quillon")\r\nWScript.Echo q.GetCleanCaption("&Open..." & vbTab & "Ctrl+O")\r\n' \
  >"$work/create.vbs"
made=$(wine cscript //nologo "$(windows "$work/create.vbs")" 2>/dev/null | tr -d '\r')
[ "$made" = "OPEN" ] || fail "the control created through its ProgID answered '$made'"
echo "PASS: registered by its script, created through its ProgID"
wine cmd /c "$(windows "$folder/unregister.cmd")" | tr -d '\r' || fail "unregister.cmd"
wine cmd /c "$(windows "$folder/unregister.cmd")" /n /i:user | tr -d '\r' || fail "unregister.cmd /n /i:user"
clsid='Software\Classes\CLSID\{FDAF69A3-7751-4E80-A97B-A0C5D40B0598}'
for k in "HKCU\\$classes" "HKLM\\$classes" "HKCU\\$clsid" "HKLM\\$clsid"; do
  ! key "$k" || fail "$k is left"
done
echo "PASS: unregistered, no key left"
