#!/usr/bin/env bash
# Serves the browser build's site (build-web/site, or the folder given, which may hold
# the site in a folder of its own, as a host's does) on 127.0.0.1 and prints the address
# to open. WebAssembly is served as application/wasm, which the browser needs to compile
# it while it downloads.
# Usage: web/serve.sh [port] [folder]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
port=${1:-8080}
site=${2:-$here/../build-web/site}
if [ ! -f "$site/index.html" ] && [ -z "${2:-}" ]; then
    echo "No site in $site: build it with cmake --preset web && cmake --build --preset web" >&2
    exit 1
fi
if [ ! -d "$site" ]; then
    echo "No folder $site" >&2
    exit 1
fi
cd "$site"
exec python3 -u -c '
import http.server, sys
class Site(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm", ".js": "text/javascript", ".data": "application/octet-stream", ".webmanifest": "application/manifest+json"}
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), Site)
print(f"Trelvane: open http://127.0.0.1:{server.server_address[1]}/ in a browser (Ctrl+C stops)", flush=True)
server.serve_forever()
' "$port"
