#!/usr/bin/env bash
# The assistant as a user on today's Windows runs it: its install folder
# (C:\Program Files\Zelmorant10.1 in the test's prefix) holds the program,
# the material library and an administrator's settings, and nothing may be
# written there. The tests run as root, for whom mode bits do not count, so
# the folder and its files are made immutable (chattr +i). Runs the Wine
# case that changes and restarts, then checks that the folder is unchanged.
#
#   unwritable_install_folder.sh WINE_RUN TEST.exe OSTREVIA.exe ZMLib.txt WORK_DIR
set -euo pipefail

wine_run="$1" test_exe="$2" ostrevia="$3" library="$4" work="$5"
mkdir -p "$work"
prefix="$(mktemp -d "$work/prefix.XXXXXX")"
rmdir "$prefix"
folder="$prefix/drive_c/Program Files/Zelmorant10.1"
cleanup() {
  [ -d "$folder" ] && chattr -R -i "$folder" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

# The prefix, made from the template by a first run.
ZM_WINE_PREFIX="$prefix" "$wine_run" "$test_exe" --gtest_list_tests >/dev/null
mkdir -p "$folder"
cp "$ostrevia" "$library" "$folder/"
printf 'Density=7000\r\nFactor=1\r\nCaseSensitive=0\r\nLanguage=437\r\n' >"$folder/Ostrevia.ini"
chattr -R +i "$folder"
if touch "$folder/probe" 2>/dev/null; then
  echo "unwritable_install_folder: chattr +i does not keep files out of $folder on this filesystem" >&2
  exit 1
fi

listing() { (cd "$folder" && find . -printf '%p %s %T@\n' | sort && sha256sum ./* | sort); }
before="$(listing)"
status=0
(cd "$(dirname "$test_exe")" && ZM_WINE_PREFIX="$prefix" "$wine_run" "$test_exe" --gtest_filter='UnwritableInstallTest.*' \
  --gtest_output=xml:unwritable_install_folder.xml) || status=$?
after="$(listing)"
if [ "$before" != "$after" ]; then
  echo "unwritable_install_folder: the install folder changed:" >&2
  diff <(echo "$before") <(echo "$after") >&2 || true
  status=1
fi
exit "$status"
