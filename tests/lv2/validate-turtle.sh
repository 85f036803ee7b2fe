#!/usr/bin/env bash
# Checks the bundle's Turtle against the LV2 vocabularies that lv2-dev installs.
set -euo pipefail
bundle=$1
mapfile -t vocabularies < <(dpkg -L lv2-dev | grep '\.ttl$')
sord_validate "${vocabularies[@]}" "$bundle"/*.ttl
