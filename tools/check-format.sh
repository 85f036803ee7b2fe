#!/usr/bin/env bash
# Fails when a tracked C++ source does not follow .clang-format (Debian's clang-format 14).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
echo "format: all C++ sources follow .clang-format"
