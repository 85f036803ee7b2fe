#!/usr/bin/env bash
# Each binary of the bundle exports its LV2 descriptor and nothing else.
set -euo pipefail
bundle=$1
status=0
for pair in orbitone_dsp.so:lv2_descriptor orbitone_ui.so:lv2ui_descriptor; do
  binary=${pair%%:*}
  expected=${pair#*:}
  exported=$(nm -D --defined-only "$bundle/$binary" | awk '$2 ~ /^[TtWwDdBbRrVviu]$/ { print $3 }' | sort | tr '\n' ' ')
  if [ "$exported" != "$expected " ]; then
    echo "$binary exports: $exported(expected $expected)"
    status=1
  fi
done
[ $status -eq 0 ] && echo "exports ok"
exit $status
