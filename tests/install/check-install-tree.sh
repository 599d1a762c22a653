#!/usr/bin/env bash
# check-install-tree.sh CHECK BUILD PREFIX
#   layout                 install BUILD into a fresh PREFIX and check what a desktop needs there
#   DesktopEntryValidates  desktop-file-validate on the installed menu entry
#   MetainfoValidates      appstreamcli validate-tree and validate --strict on the installed tree
# A missing validator exits 77, which CTest reports as skipped.
set -euo pipefail
check=$1 build=$2 prefix=$3
fail() { echo "FAILED: $*" >&2; exit 1; }
skip() { echo "SKIPPED: $*"; exit 77; }

entry() {
  local entries=("$prefix"/share/applications/*.desktop)
  [ ${#entries[@]} -eq 1 ] && [ -f "${entries[0]}" ] || fail "expected one menu entry, found: ${entries[*]}"
  echo "${entries[0]}"
}
key() { sed -n "s/^$1=//p" "$2" | head -n 1; }

# 16 x 16 is what menus use, 256 x 256 what software centres show.
png_sizes_present() {
  local icon=$1 png size found=0
  for png in "$prefix"/share/icons/hicolor/*x*/apps/"$icon".png; do
    [ -f "$png" ] || fail "no PNG of icon $icon in the hicolor theme"
    size=$(basename "$(dirname "$(dirname "$png")")")
    file -b "$png" | grep -q "PNG image data, ${size/x/ x }," || fail "$png is not a $size PNG: $(file -b "$png")"
    case $size in 16x16 | 256x256) found=$((found + 1)) ;; esac
  done
  [ $found -eq 2 ] || fail "icon $icon lacks the 16x16 or the 256x256 rendering"
}

# Debian's place for them: a manual page per program that man renders without
# complaint, the copyright and the changelog.
manuals_present() {
  local program page doc=$prefix/share/doc/samplequote warnings
  for program in samplequote samplequote-db; do
    page=$prefix/share/man/man1/$program.1.gz
    [ -f "$page" ] || fail "no manual page for $program"
    warnings=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) ||
      fail "the manual page of $program: $warnings"
    [ -z "$warnings" ] || fail "the manual page of $program: $warnings"
  done
  grep -q '^Copyright: ' "$doc/copyright" 2>/dev/null || fail "no copyright file in $doc"
  zcat "$doc/changelog.gz" 2>/dev/null | head -n 1 | grep -q '^samplequote (' || fail "no changelog in $doc"
}

layout() {
  rm -rf "$prefix"
  cmake --install "$build" --prefix "$prefix" >/dev/null
  for program in samplequote samplequote-db; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
  done
  local desktop id icon
  desktop=$(entry)
  id=$(basename "$desktop" .desktop)
  [ "$(key Name "$desktop")" = "樣品報價系統" ] || fail "menu entry named '$(key Name "$desktop")'"
  [ -n "$(key 'Name\[en\]' "$desktop")" ] || fail "menu entry has no English name"
  [ -x "$prefix/bin/$(key Exec "$desktop" | cut -d' ' -f1)" ] || fail "Exec= names no installed program"
  icon=$(key Icon "$desktop")
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
  png_sizes_present "$icon"
  [ -f "$prefix/share/metainfo/$id.metainfo.xml" ] || fail "no AppStream file for $id"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "the AppStream file does not launch $id.desktop"
  manuals_present
  local db
  db=$(mktemp -d)
  trap 'rm -rf "$db"' RETURN
  "$prefix/bin/samplequote-db" init "$db/data.mdb" >/dev/null || fail "the installed samplequote-db cannot create a database"
  echo "installed tree in $prefix is complete"
}

case $check in
  layout) layout ;;
  DesktopEntryValidates)
    command -v desktop-file-validate >/dev/null || skip "desktop-file-validate is not installed (package desktop-file-utils)"
    out=$(desktop-file-validate "$(entry)" 2>&1) || fail "$out"
    [ -z "$out" ] || fail "desktop-file-validate: $out"
    echo "desktop-file-validate: no complaints"
    ;;
  MetainfoValidates)
    command -v appstreamcli >/dev/null || skip "appstreamcli is not installed (package appstream)"
    appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree"
    appstreamcli validate --strict --no-net "$prefix"/share/metainfo/*.metainfo.xml || fail "appstreamcli validate --strict"
    ;;
  *) fail "unknown check $check" ;;
esac
