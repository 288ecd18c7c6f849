// The player: one WebAssembly instance of Vekora playing lessons on one <canvas>. It is the
// page's side of the canvas device (platform/canvas_device.h): it keeps the keys, the pointer
// and the stop request for the engine to ask for, and draws the pictures the engine presents.
//
//   const player = new VekoraPlayer(element, { scale: 1.5 });   // or scale: 'auto' or 'fit'
//   const outcome = await player.play(bytes, { name: 'lesson.vek' });
//
// scale: a factor, 'auto' (whole factors of the page while they fit, else smaller) or 'fit'
// (the canvas fills its container, aspect kept). The lesson is drawn as finely as the canvas
// is shown on the device: its render scale is the device pixels a page unit, rounded up (with
// a given factor, the device's own pixel ratio only: that factor enlarges pixels as asked), 1
// with sharp: true; the browser smooths what is not a whole number of device pixels.
//
// play() options: name (the page title until the lesson's TITLE), logo (the opening and
// closing logo, default true), clock ('real', or 'virtual': the clock starts at 0 and moves
// only when the lesson sleeps or polls, so a run is deterministic and fast), events (the text
// of an event file, played on the virtual clock), recordGif (the outcome then carries the GIF),
// advance (seconds after which every wait for the viewer is answered, as Continuar does, or
// 'off'; by default 3 on the virtual clock without events, else off) and choose ("2,1,3": the
// menu items picked in turn; after them each menu offers its items in order, then its last),
// focus (the canvas takes the keyboard as the run starts, default true).

import { NamedKeys } from './generated_tables.js';

// Keys as the window gives them: Latin-1 bytes for characters, and for the named keys (Enter,
// the arrows, ...) the bytes of the program's key table (platform/key_table.h).
export function keyBytes(event) {
    if (event.ctrlKey || event.metaKey || event.altKey) return null;
    if (Object.prototype.hasOwnProperty.call(NamedKeys, event.key)) return [...NamedKeys[event.key]];
    if (event.key.length === 1 && event.key.charCodeAt(0) <= 0xFF) return [event.key.charCodeAt(0)];
    return null;
}

// What vekora_play takes in its flags (web/src/player_exports.cpp).
const PlayVirtualClock = 1, PlayShowLogo = 2, PlayRecordGif = 4;

// A lesson played on the virtual clock without events has nobody to answer its waits: it goes
// on by itself after this long, as `vekora --record` does.
const DefaultAdvanceMilliseconds = 3000;

// The advance option in milliseconds for vekora_play: -1 never.
export function advanceMilliseconds(advance, byDefault) {
    if (advance === null || advance === undefined || advance === '') return byDefault ? DefaultAdvanceMilliseconds : -1;
    if (advance === 'off') return -1;
    const seconds = Number(advance);
    return Number.isFinite(seconds) && seconds >= 0 ? Math.round(Math.min(seconds, 3600) * 1000) : -1;
}

let moduleScript = null;

// Loads vekora.js (the emscripten glue) once, from `base`.
function loadGlue(base) {
    if (typeof VekoraModule === 'function') return Promise.resolve();
    if (!moduleScript) {
        moduleScript = new Promise((resolve, reject) => {
            const script = document.createElement('script');
            script.src = base + 'vekora.js';
            script.onload = resolve;
            script.onerror = () => reject(new Error(`cannot load ${script.src}`));
            document.head.appendChild(script);
        });
    }
    return moduleScript;
}

let wasmScript = null;

// The WebAssembly module's bytes when the site is opened from disk (file://), where the
// browser will not fetch them: vekora-wasm.js carries them as base64 and, being a script,
// loads from disk as the other scripts do.
function loadWasmFromDisk(base) {
    if (!base.startsWith('file:')) return Promise.resolve(undefined);
    if (!wasmScript) {
        wasmScript = new Promise((resolve, reject) => {
            const script = document.createElement('script');
            script.src = base + 'vekora-wasm.js';
            script.onload = () => {
                const binary = atob(self.VekoraWasm);
                const bytes = new Uint8Array(binary.length);
                for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
                resolve(bytes);
            };
            script.onerror = () => reject(new Error(`cannot load ${script.src}`));
            document.head.appendChild(script);
        });
    }
    return wasmScript;
}

// A finger's stroke across the picture as the arrow it stands for: a quick swipe to the left
// (a page turned) goes on as Right does, to the right goes back as Left does; the thresholds
// are the window's (platform/swipe.h). `dx` and `dy` are fractions of the picture.
export const Swipe = { leastTravel: 0.12, leastSlant: 2, mostSeconds: 0.8 };
export function swipeKey(dx, dy, seconds) {
    const across = Math.abs(dx);
    if (!(across >= Swipe.leastTravel) || across < Swipe.leastSlant * Math.abs(dy) ||
        !(seconds >= 0 && seconds <= Swipe.mostSeconds)) return null;
    return dx < 0 ? 'ArrowRight' : 'ArrowLeft';
}

// Where this file's siblings (vekora.js, vekora.wasm, examples/) are, from the URL of the
// script that defined the player.
export const siteBase = (() => {
    const src = document.currentScript ? document.currentScript.src : location.href;
    return src.replace(/[?#].*$/, '').replace(/[^/]*$/, '');
})();

// A lesson's bytes as a link carries them after its '#': base64url without padding.
export function lessonToLink(bytes) {
    let binary = '';
    for (const byte of bytes) binary += String.fromCharCode(byte);
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

export function lessonFromLink(text) {
    const base64 = text.replace(/-/g, '+').replace(/_/g, '/');
    const binary = atob(base64 + '='.repeat((4 - base64.length % 4) % 4));
    return Uint8Array.from(binary, (c) => c.charCodeAt(0));
}

// A lesson's bytes as the editor shows them: UTF-8 when they are valid UTF-8, else Latin-1.
export function decodeLesson(bytes) {
    try {
        return { text: new TextDecoder('utf-8', { fatal: true }).decode(bytes), encoding: 'utf-8' };
    } catch {
        let text = '';
        for (const byte of bytes) text += String.fromCharCode(byte);
        return { text, encoding: 'latin-1' };
    }
}

// Text back to bytes in the encoding it came in; a character Latin-1 lacks makes it UTF-8.
export function encodeLesson(text, encoding) {
    if (encoding === 'latin-1' && [...text].every((c) => c.charCodeAt(0) <= 0xFF)) {
        return Uint8Array.from(text, (c) => c.charCodeAt(0));
    }
    return new TextEncoder().encode(text);
}

export class VekoraPlayer {
    constructor(container, { scale = 'auto', sharp = false, base = siteBase } = {}) {
        this.base = base;
        this.scale = scale;
        this.sharp = sharp;
        this.page = { width: 640, height: 480, scale: 1 };  // the screen: page units, pixels a unit
        this.shownAt = 1;  // CSS pixels a page unit
        this.canvas = document.createElement('canvas');
        this.canvas.className = 'vekora-screen';
        this.canvas.tabIndex = 0;
        this.canvas.width = 640;
        this.canvas.height = 480;
        this.canvas.setAttribute('aria-label', 'Vekora');
        container.appendChild(this.canvas);
        this.context = this.canvas.getContext('2d');
        this.keys = [];
        // `latched`: buttons pressed since the engine last looked, so that a click quicker than
        // its polls is still seen held once.
        this.pointer = { x: -1, y: -1, wheel: 0, buttons: 0, latched: 0, inside: false };
        this.stopping = false;
        this.running = null;     // the promise of the run in progress
        this.tickets = 0;        // play() calls so far: only the latest waiting one starts
        this.presentTimes = [];  // performance.now() of every picture that changed
        this.fontScales = new Map();  // render scale -> the promise of its fonts, fetched once
        this.onCaption = (text) => { document.title = text; };
        this.listen();
        this.resize();
        new ResizeObserver(() => this.resize()).observe(container);
        this.module = Promise.all([loadGlue(base), loadWasmFromDisk(base)]).then(([, wasmBinary]) => VekoraModule({
            locateFile: (file) => base + file,
            ...(wasmBinary ? { wasmBinary } : {}),
            vekoraHost: this.host(),
            print: () => {},
            printErr: (text) => console.warn(text),
        }));
    }

    // The page's side of the canvas device.
    host() {
        return {
            present: (pointer, width, top, rows) => {
                const pixels = new Uint8ClampedArray(this.heap().buffer, pointer, width * rows * 4).slice();
                this.context.putImageData(new ImageData(pixels, width, rows), 0, top);
                this.presentTimes.push(performance.now());
            },
            screenOpened: (width, height, scale = 1) => {
                this.page = { width, height, scale };
                if (this.canvas.width !== width * scale || this.canvas.height !== height * scale) {
                    this.canvas.width = width * scale;
                    this.canvas.height = height * scale;
                }
                this.resize();
            },
            caption: (text) => this.onCaption(text),
            icon: (pointer, width, height) => this.showIcon(pointer, width, height),
            takeKey: () => this.keys.shift() ?? null,
            mouse: () => {
                const p = this.pointer;
                const buttons = p.buttons | p.latched;
                p.latched = 0;
                return p.inside || buttons ? { x: p.x, y: p.y, wheel: p.wheel, buttons } : null;
            },
            stopRequested: () => this.stopping,
        };
    }

    heap() { return this.instance.HEAPU8; }

    // The icon of the window becomes the page's icon.
    showIcon(pointer, width, height) {
        if (!document.head) return;
        const canvas = document.createElement('canvas');
        canvas.width = width;
        canvas.height = height;
        const pixels = new Uint8ClampedArray(this.heap().buffer, pointer, width * height * 4).slice();
        canvas.getContext('2d').putImageData(new ImageData(pixels, width, height), 0, 0);
        let link = document.querySelector('link[rel="icon"]');
        if (!link) {
            link = document.createElement('link');
            link.rel = 'icon';
            document.head.appendChild(link);
        }
        link.href = canvas.toDataURL('image/png');
    }

    // The canvas at a given factor, at whole factors of the page while they fit ('auto'), or
    // filling its container ('fit'); crisp where each screen pixel covers whole device pixels,
    // smoothed by the browser elsewhere.
    resize() {
        const { width, height, scale: drawnAt } = this.page;
        let scale = Number(this.scale);
        if (this.scale === 'fit' || this.scale === 'auto' || !(scale > 0)) {
            const box = this.canvas.parentElement.getBoundingClientRect();
            const room = document.fullscreenElement ? window.innerHeight : window.innerHeight * 0.85;
            scale = Math.min(box.width / width, room / height);
            if (!(scale > 0) || !Number.isFinite(scale)) scale = 1;
            if (this.scale !== 'fit' && scale >= 1) scale = Math.floor(scale);
        }
        this.shownAt = scale;
        this.canvas.style.width = `${width * scale}px`;
        this.canvas.style.height = `${height * scale}px`;
        const devicePixels = (scale * devicePixelRatio) / drawnAt;
        this.canvas.style.imageRendering = Math.abs(devicePixels - Math.round(devicePixels)) < 1e-3 ? '' : 'auto';
    }

    // The render scale a run started now draws at: the device pixels a page unit is shown at,
    // rounded up (a hair over a whole number counts as it), 1 to 8.
    renderScale() {
        if (this.sharp) return 1;
        const given = Number(this.scale) > 0;
        const shown = (given ? 1 : this.shownAt) * devicePixelRatio;
        return Math.min(8, Math.max(1, Math.ceil(shown - 1e-3)));
    }

    // Pointer and keys of the page, in screen pixels and the window's key codes.
    listen() {
        const canvas = this.canvas;
        // In page units, whatever the canvas is shown and drawn at.
        const place = (event) => {
            const rect = canvas.getBoundingClientRect();
            const { width, height } = this.page;
            const x = Math.floor((event.clientX - rect.left) * width / rect.width);
            const y = Math.floor((event.clientY - rect.top) * height / rect.height);
            this.pointer.x = Math.min(Math.max(x, 0), width - 1);
            this.pointer.y = Math.min(Math.max(y, 0), height - 1);
            this.pointer.inside = x >= 0 && y >= 0 && x < width && y < height;
        };
        // A touch is a pointer too: a tap is a click, a drag a drag (touch-action: none in the CSS).
        const buttonBit = (button) => ({ 0: 1, 2: 2, 1: 4 }[button] ?? 0);
        let stroke = null;  // the touch a swipe may be made with
        const strokeKey = (event) => {
            if (!stroke || stroke.id !== event.pointerId) return null;
            const rect = canvas.getBoundingClientRect();
            const key = swipeKey((event.clientX - stroke.x) / rect.width, (event.clientY - stroke.y) / rect.height,
                (event.timeStamp - stroke.time) / 1000);
            stroke = null;
            return key;
        };
        canvas.addEventListener('pointerdown', (event) => {
            if (event.pointerType === 'touch') {
                stroke = event.isPrimary ? { id: event.pointerId, x: event.clientX, y: event.clientY, time: event.timeStamp } : null;
            }
            canvas.focus();
            canvas.setPointerCapture(event.pointerId);
            place(event);
            this.pointer.buttons |= buttonBit(event.button);
            this.pointer.latched |= buttonBit(event.button);
            event.preventDefault();
        });
        canvas.addEventListener('pointermove', (event) => place(event));
        const release = (event) => {
            place(event);
            this.pointer.buttons &= ~buttonBit(event.button);
        };
        canvas.addEventListener('pointerup', (event) => {
            release(event);
            const key = strokeKey(event);
            const bytes = key && keyBytes({ key });
            if (!bytes) return;
            // A swipe is not a click: its touch, if not yet read, is not a press either (a
            // press read with the key would win over it).
            this.pointer.latched &= ~buttonBit(event.button);
            this.keys.push(bytes);
        });
        canvas.addEventListener('pointercancel', release);
        canvas.addEventListener('pointerleave', () => {
            if (!this.pointer.buttons) this.pointer.inside = false;
        });
        canvas.addEventListener('wheel', (event) => {
            this.pointer.wheel += event.deltaY < 0 ? 1 : -1;
            event.preventDefault();
        }, { passive: false });
        canvas.addEventListener('contextmenu', (event) => event.preventDefault());
        canvas.addEventListener('keydown', (event) => {
            const bytes = keyBytes(event);
            if (!bytes) return;
            this.keys.push(bytes);
            event.preventDefault();
        });
    }

    // Asks the run in progress to end, as closing the window does; resolves when it has.
    async stop() {
        if (!this.running) return;
        this.stopping = true;
        try { await this.running; } catch { /* its outcome was reported by play() */ }
    }

    // Resolves once no run is in progress: one instance plays one lesson at a time.
    async idle() {
        while (this.running) await this.stop();
    }

    // Plays a lesson (its bytes, UTF-8 or Latin-1) after stopping the one in progress.
    // Resolves to { result, message, gif }: the run's result (0 or 255 ended well; -1 or -2
    // did not compile, with `check` telling why; -3 bad events, or a lesson or events larger
    // than the program reads, `message` saying which; else a run-time error), or
    // result null when a later play() came before this one could start.
    async play(bytes, options = {}) {
        const ticket = ++this.tickets;
        this.instance = await this.module;
        await this.idle();
        // A GIF keeps the pictures of the page's own size, as the program's --record does.
        const renderScale = options.recordGif ? 1 : this.renderScale();
        if (ticket === this.tickets) await this.fontsFor(renderScale);  // while no run is suspended
        if (ticket !== this.tickets) return { result: null, message: '', gif: null };
        const run = this.run(bytes, options, renderScale);
        this.running = run;
        try { return await run; } finally {
            if (this.running === run) this.running = null;
        }
    }

    // Starts the run at once (nothing is awaited before the engine has it).
    async run(bytes, { name = 'lesson', logo = true, clock = 'real', events = '', recordGif = false, advance = null,
                       choose = '', focus = true } = {}, renderScale = 1) {
        const module = this.instance;
        this.stopping = false;
        this.keys = [];
        this.presentTimes = [];
        const lesson = this.copyIn(bytes);
        const eventText = new TextEncoder().encode(events);
        const eventBytes = this.copyIn(eventText);
        const flags = (clock === 'virtual' ? PlayVirtualClock : 0) | (logo ? PlayShowLogo : 0) | (recordGif ? PlayRecordGif : 0);
        if (focus) this.canvas.focus({ preventScroll: true });
        try {
            const result = await module.ccall('vekora_play', 'number',
                ['number', 'number', 'number', 'number', 'string', 'number', 'number', 'string', 'number'],
                [lesson, bytes.length, eventBytes, eventText.length, name, flags,
                    advanceMilliseconds(advance, clock === 'virtual' && events === ''), String(choose ?? ''),
                    renderScale],
                { async: true });
            const message = module.UTF8ToString(module._vekora_last_message());
            let gif = null;
            if (recordGif) {
                const size = module._vekora_gif_size();
                gif = module.HEAPU8.slice(module._vekora_gif_data(), module._vekora_gif_data() + size);
            }
            return { result, message, gif };
        } finally {
            module._free(lesson);
            module._free(eventBytes);
        }
    }

    // The fonts made for render scale `scale`, which the program's download leaves out: fetched
    // from the site's fonts/ the first time a run draws at that scale. Text falls back to the
    // scale-1 letters enlarged where one cannot be had.
    fontsFor(scale) {
        if (scale < 2) return Promise.resolve();
        if (!this.fontScales.has(scale)) {
            const suffix = `x${scale}.vfn`;
            this.fontScales.set(scale, (async () => {
                try {
                    const names = await (await fetch(`${this.base}fonts/index.json`)).json();
                    await Promise.all(names.filter((file) => file.endsWith(suffix)).map(async (file) => {
                        const response = await fetch(`${this.base}fonts/${file}`);
                        if (!response.ok) return;
                        const bytes = new Uint8Array(await response.arrayBuffer());
                        const pointer = this.copyIn(bytes);
                        this.instance.ccall('vekora_add_font', 'number', ['string', 'number', 'number', 'number'],
                            [file.slice(0, -suffix.length), scale, pointer, bytes.length]);
                        this.instance._free(pointer);
                    }));
                } catch (error) {
                    console.warn(`fonts for scale ${scale}: ${error.message ?? error}`);
                }
            })());
        }
        return this.fontScales.get(scale);
    }

    copyIn(bytes) {
        const pointer = this.instance._malloc(bytes.length + 1);
        this.instance.HEAPU8.set(bytes, pointer);
        return pointer;
    }

    // The compiler's verdict on a lesson: { result, diagnostics: [{ file, line, column,
    // endColumn, severity ('error' or 'warning'), number, text }], report: [lines] }, as
    // `vekora --check --json` tells them; columns count characters. Stops the run in progress
    // first: both share the program's settings.
    async check(bytes, name = 'lesson.vek') {
        const module = this.instance = await this.module;
        await this.idle();
        const pointer = this.copyIn(bytes);
        try {
            return JSON.parse(module.ccall('vekora_check', 'string', ['number', 'number', 'string'], [pointer, bytes.length, name]));
        } finally {
            module._free(pointer);
        }
    }

    // Speaks the first of the languages (codes such as "fr-CA", "en") that has a catalogue, in
    // the bar and the reports and for translate(); returns its code, "" when none has one and
    // the program's own Spanish stays.
    async language(codes) {
        const module = this.instance = await this.module;
        for (const code of codes) {
            const chosen = module.ccall('vekora_language', 'string', ['string'], [code]);
            if (chosen) return chosen;
        }
        return '';
    }

    // A text of the page in the language chosen, found by its Spanish source.
    async translate(source) {
        const module = this.instance = await this.module;
        return module.ccall('vekora_translate', 'string', ['string'], [source]);
    }

    async version() {
        const module = await this.module;
        return module.UTF8ToString(module._vekora_version());
    }

    // The canvas's pixels, one 0xRRGGBB a screen pixel (render scale included), for tests and
    // comparisons.
    pixels() {
        const { width, height } = this.canvas;
        const data = this.context.getImageData(0, 0, width, height).data;
        const out = new Array(width * height);
        for (let i = 0; i < out.length; ++i) out[i] = (data[i * 4] << 16) | (data[i * 4 + 1] << 8) | data[i * 4 + 2];
        return out;
    }
}
