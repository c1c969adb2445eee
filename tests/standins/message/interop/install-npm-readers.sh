#!/usr/bin/env bash
# Installs the npm packages that the message-file interoperability tests use
# as independent readers, into <build dir>/npm-readers (never into the
# source tree). Safe to run again: with the packages present it does nothing.
#   usage: install-npm-readers.sh <build dir>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:?usage: install-npm-readers.sh <build dir>}"
target="$build/npm-readers"

if [ -f "$target/node_modules/@kenjiuno/msgreader/package.json" ] && [ -f "$target/node_modules/vcf/package.json" ]; then
  exit 0
fi
if ! command -v npm >/dev/null 2>&1; then
  echo "npm is not installed: the npm-based interoperability tests will be skipped" >&2
  exit 0
fi
mkdir -p "$target"
cp "$here/package.json" "$target/package.json"
(cd "$target" && npm install --no-audit --no-fund --loglevel=error)
