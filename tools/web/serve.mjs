// A static file server for dist/web on 127.0.0.1 (wasm needs its own content type, and pages
// opened from file:// cannot fetch the .wasm or the packed Data).
//   node serve.mjs DIR [PORT]     serves until stopped (PORT 0 picks a free one)
import { createServer } from 'node:http';
import { gzipSync } from 'node:zlib';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
};

// The code compresses to about a third; the packed Data (PNG and Ogg) is compressed already.
const compressible = new Set(['.html', '.js', '.wasm']);

// Resolves with the listening server; its address().port is the port.
export function serve(dir, port = 0) {
  const root = resolve(dir);
  const gzipped = new Map(); // file and time of change -> its gzip, made once
  const server = createServer(async (req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://localhost').pathname);
    const file = normalize(join(root, path === '/' ? 'index.html' : path));
    if (!file.startsWith(root)) {
      res.writeHead(403).end();
      return;
    }
    try {
      let body = await readFile(file);
      const headers = {
        'Content-Type': types[extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-cache',
      };
      // As most static hosts do: gzip where the browser takes it and it pays.
      if (compressible.has(extname(file)) && /\bgzip\b/.test(req.headers['accept-encoding'] || '')) {
        const key = `${file}@${(await stat(file)).mtimeMs}`;
        if (!gzipped.has(key)) gzipped.set(key, gzipSync(body, { level: 9 }));
        body = gzipped.get(key);
        headers['Content-Encoding'] = 'gzip';
        headers.Vary = 'Accept-Encoding';
      }
      res.writeHead(200, headers);
      res.end(body);
    } catch {
      res.writeHead(404).end('not found');
    }
  });
  return new Promise((ok, fail) => {
    server.on('error', fail);
    server.listen(port, '127.0.0.1', () => ok(server));
  });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [dir = '.', port = '8080'] = process.argv.slice(2);
  const server = await serve(dir, Number(port));
  console.log(`PebbleFrost: http://127.0.0.1:${server.address().port}/ (Ctrl+C stops)`);
}
