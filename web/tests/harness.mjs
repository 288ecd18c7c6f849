// What the browser tests share: the site served over HTTP, headless Chromium driven by
// playwright-core, and the native program's pictures to compare with.
import http from 'node:http';
import { before, after } from 'node:test';
import { readFileSync, existsSync, statSync, mkdtempSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
export const site = process.env.VEKORA_SITE ?? path.join(root, 'build-web', 'site');
export const vekora = process.env.VEKORA_PROGRAM ?? path.join(root, 'build', 'vekora');
const pages = path.join(root, 'web', 'tests', 'pages');

const Types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css',
    '.json': 'application/json', '.vek': 'text/plain', '.events': 'text/plain' };

// Serves the site, and this folder's test pages under /test/.
export function serve() {
    const server = http.createServer((request, response) => {
        const url = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        const file = url.startsWith('/test/') ? path.join(pages, url.slice(6)) : path.join(site, url === '/' ? 'index.html' : url);
        if (!file.startsWith(site) && !file.startsWith(pages) || !existsSync(file) || !statSync(file).isFile()) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, { 'Content-Type': Types[path.extname(file)] ?? 'application/octet-stream' });
        response.end(readFileSync(file));
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
        server, base: `http://127.0.0.1:${server.address().port}`,
    })));
}

// The browser speaks Spanish, as the native program of nativePixels does with --lang C, so that
// the pages' bars compare with its pictures; a test of another language asks with lang=.
export async function launch() {
    const executablePath = process.env.CHROMIUM ?? '/usr/bin/chromium';
    const browser = await chromium.launch({ executablePath, headless: true, args: ['--no-sandbox', '--disable-gpu'] });
    const newContext = browser.newContext.bind(browser);
    const newPage = browser.newPage.bind(browser);
    browser.newContext = (options = {}) => newContext({ locale: 'es-ES', ...options });
    browser.newPage = (options = {}) => newPage({ locale: 'es-ES', ...options });
    return browser;
}

// The site served and a browser launched before a file's tests, both closed after them:
// `site.served.base` is the site's address, `site.browser` the browser.
export function siteInBrowser() {
    const site = { served: null, browser: null };
    before(async () => {
        site.served = await serve();
        site.browser = await launch();
    });
    after(async () => {
        await site.browser?.close();
        site.served?.server.close();
    });
    return site;
}

// The native program's last picture of a headless run, one 0xRRGGBB a pixel; `options` are
// more of its command line.
export function nativePixels(lesson, events = null, options = []) {
    const folder = mkdtempSync(path.join(tmpdir(), 'vekora-web-'));
    const png = path.join(folder, 'last.png');
    const args = ['--lang', 'C', '--headless', '--no-logo', '--screenshot', png, ...options];
    if (events) {
        const eventsFile = path.join(folder, 'events');
        execFileSync('sh', ['-c', 'cat > "$0"', eventsFile], { input: events });
        args.push('--events', eventsFile);
    }
    execFileSync(vekora, [...args, lesson], { stdio: ['ignore', 'ignore', 'ignore'] });
    const rgb = execFileSync('convert', [png, '-depth', '8', 'rgb:-'], { maxBuffer: 1 << 26 });
    const pixels = new Array(rgb.length / 3);
    for (let i = 0; i < pixels.length; ++i) pixels[i] = (rgb[i * 3] << 16) | (rgb[i * 3 + 1] << 8) | rgb[i * 3 + 2];
    return pixels;
}

// How many pixels differ, and the first that does.
export function difference(a, b, width = 640) {
    let count = 0, first = null;
    for (let i = 0; i < Math.max(a.length, b.length); ++i) {
        if (a[i] === b[i]) continue;
        if (count++ === 0) first = { x: i % width, y: Math.floor(i / width), got: a[i]?.toString(16), want: b[i]?.toString(16) };
    }
    return { count, first };
}

// Screen pixel (x, y) of the page's player canvas, as a point of the page.
export async function screenPoint(page, x, y, selector = 'canvas.vekora-screen') {
    const box = await page.locator(selector).first().boundingBox();
    const size = await page.locator(selector).first().evaluate((canvas) => [canvas.width, canvas.height]);
    return { x: box.x + (x + 0.5) * box.width / size[0], y: box.y + (y + 0.5) * box.height / size[1] };
}

export async function waitFor(predicate, timeoutMs, what) {
    const start = Date.now();
    for (;;) {
        if (await predicate()) return Date.now() - start;
        if (Date.now() - start > timeoutMs) throw new Error(`timed out after ${timeoutMs} ms waiting for ${what}`);
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
}
