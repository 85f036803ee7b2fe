#!/usr/bin/env bash
# Writes the Debian changelog made from the release notes, gzipped as Debian installs it:
#   tools/package/debian-changelog.sh RELEASE-NOTES.md PACKAGE VERSION "NAME <ADDRESS>" OUTPUT.gz
# Each "## VERSION (YYYY-MM-DD)" heading of the notes is one entry, each "- " item of its list (with
# its indented continuation lines) one "*" line, wrapped to 80 columns. The newest entry must be
# VERSION, so that a release without its notes is not packaged.
set -euo pipefail
[ $# -eq 5 ] || { echo "usage: $0 NOTES PACKAGE VERSION MAINTAINER OUTPUT.gz" >&2; exit 1; }
notes=$1 package=$2 version=$3 maintainer=$4 output=$5

changelog=$(awk -v package="$package" -v maintainer="$maintainer" '
  function fail(why) { print FILENAME ":" FNR ": " why > "/dev/stderr"; failed = 1; exit 1 }
  # Words of one item, wrapped after "  * " and continued under it.
  function flush(   words, n, i, line) {
    if (item == "") return
    n = split(item, words, " ")
    line = "  *"
    for (i = 1; i <= n; i++) {
      if (length(line) + 1 + length(words[i]) > 80 && line != "  *" && line != "   ") {
        print line
        line = "   "
      }
      line = line " " words[i]
    }
    print line
    item = ""
  }
  function close_entry() {
    flush()
    if (version == "") return
    if (!items) fail("version " version " lists no changes")
    print ""
    print " -- " maintainer "  " stamp
    version = ""
  }
  /^## / {
    close_entry()
    if (!match($0, /^## [0-9][0-9A-Za-z.+~]* \([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]\)$/))
      fail("a version heading is \"## VERSION (YYYY-MM-DD)\"")
    version = $2
    day = substr($3, 2, 10)
    command = "date -u -R -d " day
    stamp = ""
    command | getline stamp
    close(command)
    if (stamp == "") fail("no such day: " day)
    if (entries++) print ""
    print package " (" version ") unstable; urgency=medium"
    print ""
    items = 0
    next
  }
  version == "" { next }
  /^- / { flush(); item = substr($0, 3); items++; next }
  /^  +[^ ]/ && item != "" { item = item " " $0; next }
  /^$/ { flush(); next }
  { fail("not part of a list item: " $0) }
  END {
    if (failed) exit 1
    close_entry()
    if (!entries) { print FILENAME ": no \"## VERSION (YYYY-MM-DD)\" heading" > "/dev/stderr"; exit 1 }
  }
' "$notes")

newest=$(sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p' <<<"$changelog")
if [ "$newest" != "$version" ]; then
  echo "$notes: the newest version is '$newest', the package's is $version" >&2
  exit 1
fi
# No name or time stamp in the gzip header: the same notes give the same file.
gzip -9n <<<"$changelog" >"$output"
