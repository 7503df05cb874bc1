#!/usr/bin/env bash
# Serves the browser build (BUILD_DIR/bin, default build-web/bin) on 127.0.0.1 and prints the
# address to open. PORT chooses the port (default 8042). Each file goes out brotli- or
# gzip-compressed when the browser accepts that (scripts/web/serve.py). Stop it with Ctrl-C.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build-web}/bin
port=${PORT:-8042}
if [ ! -f "$folder/index.html" ]; then
  echo "$folder/index.html is missing: run scripts/build-web.sh first" >&2
  exit 1
fi
echo "Open this address in a browser (Chromium or Firefox); Ctrl-C stops the server:"
exec python3 scripts/web/serve.py "$folder" --port "$port"
