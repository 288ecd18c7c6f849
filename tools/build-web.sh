#!/usr/bin/env bash
# Builds Vekora for the browser into build-web/site/: the player and editor pages, the
# embeddable vekora-player.js, the WebAssembly module and the example lessons.
#   tools/build-web.sh && python3 -m http.server -d build-web/site
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-web-deps.sh
# Debian's emscripten runs its JavaScript tools with Debian's node modules (acorn).
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

build=$(tools/configure-build.sh --web)
cmake --build "$build" -j2 --target vekora_web

# The page's JavaScript: CodeMirror and the bundler from npm, as the lock file pins them.
if [ ! -d web/node_modules ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then
  (cd web && npm ci --no-audit --no-fund)
fi

site=build-web/site
rm -rf "$site"
mkdir -p "$site/examples"
cp build-web/cmake/vekora.js build-web/cmake/vekora.wasm web/site/* "$site/"
cp examples/*.vek examples/*.events "$site/examples/"
# The fonts made for finer render scales, fetched by the page only when it draws at one.
mkdir -p "$site/fonts"
cp resources/fonts/*x[0-9].vfn "$site/fonts/"
(cd resources/fonts && ls *x[0-9].vfn) | sed 's/.*/"&"/' | paste -sd, | sed 's/^/[/; s/$/]/' >"$site/fonts/index.json"
(cd examples && ls *.vek) | sed 's/.*/"&"/' | paste -sd, | sed 's/^/[/; s/$/]/' >"$site/examples/index.json"
# A site opened from disk (file://) may load scripts but fetch nothing: the module and the
# examples come as scripts too, base64 in a string, which the pages read only from disk.
{ printf 'self.VekoraWasm="'; base64 -w0 build-web/cmake/vekora.wasm; printf '";\n'; } >"$site/vekora-wasm.js"
python3 - "$site/examples/examples.js" examples/*.vek <<'PY'
import base64, json, os, sys
lessons = {os.path.basename(p): base64.b64encode(open(p, 'rb').read()).decode() for p in sorted(sys.argv[2:])}
open(sys.argv[1], 'w').write('self.VekoraExamples = ' + json.dumps(lessons) + ';\n')
PY

esbuild=web/node_modules/.bin/esbuild
"$esbuild" web/src/element.js --bundle --minify --format=iife --target=es2020 --outfile="$site/vekora-player.js" --log-level=warning
"$esbuild" web/src/editor.js --bundle --minify --format=iife --target=es2020 --outfile="$site/editor.js" --log-level=warning
"$esbuild" web/src/player_page.js --bundle --minify --format=iife --target=es2020 --outfile="$site/player-page.js" --log-level=warning
echo "The site is in $site: python3 -m http.server -d $site"
