// The editor page and the embeddable element in headless Chromium.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { serve, launch, difference } from './harness.mjs';

let served, browser;
before(async () => {
    served = await serve();
    browser = await launch();
});
after(async () => {
    await browser?.close();
    served?.server.close();
});

// The first mark of a kind ('error' or 'warning') under the editor's text: its line, its column
// in characters, and the text it covers.
function markOf(page, kind) {
    return page.evaluate((kind) => {
        const marks = [...document.querySelectorAll(`.cm-lintRange-${kind}`)];
        if (marks.length === 0) return null;
        const line = marks[0].closest('.cm-line');
        const before = document.createRange();
        before.setStart(line, 0);
        before.setEndBefore(marks[0]);
        return {
            line: [...document.querySelectorAll('.cm-line')].indexOf(line) + 1,
            column: [...before.toString()].length + 1,
            text: marks.filter((mark) => mark.closest('.cm-line') === line).map((mark) => mark.textContent).join(''),
        };
    }, kind);
}

async function markBecomes(page, kind, expected, timeoutMs) {
    const start = Date.now();
    let mark = null;
    while (Date.now() - start < timeoutMs) {
        mark = await markOf(page, kind);
        if (mark && mark.line === expected.line && mark.column === expected.column) break;
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
    assert.deepEqual(mark, expected);
}

test('a syntax error typed in the editor is marked within a second; fixing it replays', async () => {
    const page = await browser.newPage({ viewport: { width: 1400, height: 900 } });
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    await page.goto(`${served.base}/index.html`);
    await page.waitForFunction(() => window.vekoraEditor && window.vekoraEditor.runs >= 1, null, { timeout: 15000 });
    assert.match(await page.locator('#version').textContent(), /\d+\.\d+\.\d+/);
    // A word before POINT on line 11 of the circumcircle example makes its arguments wrong.
    const line = page.locator('.cm-line').nth(10);
    assert.match(await line.textContent(), /^POINT A/);
    await line.click();
    await page.keyboard.press('Home');
    const typed = 'ZZZ ';
    await page.keyboard.type(typed);
    const start = Date.now();
    await page.locator('.cm-lint-marker-error').first().waitFor({ timeout: 1000 });
    const markedMs = Date.now() - start;
    const markerLine = await page.evaluate(() => {
        const marker = document.querySelector('.cm-lint-marker-error');
        const gutter = marker.closest('.cm-gutterElement');
        const top = gutter.getBoundingClientRect().top;
        const lines = [...document.querySelectorAll('.cm-line')];
        return lines.findIndex((l) => Math.abs(l.getBoundingClientRect().top - top) < 3) + 1;
    });
    assert.equal(markerLine, 11, 'the marker stands on the line of the error');
    // The words before POINT push it to the third place, where a point's name should be.
    await markBecomes(page, 'error', { line: 11, column: 5, text: 'POINT' }, 1000);
    assert.equal(await page.locator('.cm-lint-marker-warning').count(), 0);
    assert.notEqual(await page.locator('#report').textContent(), '');
    const runs = await page.evaluate(() => window.vekoraEditor.runs);
    for (let i = 0; i < typed.length; ++i) await page.keyboard.press('Backspace');
    await page.waitForFunction((before) => window.vekoraEditor.runs > before, runs, { timeout: 3000 });
    assert.equal(await page.locator('.cm-lint-marker-error').count(), 0);
    assert.deepEqual(errors, []);
    console.log(`# the error was marked ${markedMs} ms after the last key`);
    await page.close();
});

test('a warning is marked at its line and column, apart from errors, and the lesson still plays', async () => {
    const page = await browser.newPage({ viewport: { width: 1400, height: 900 } });
    await page.goto(`${served.base}/index.html`);
    await page.waitForFunction(() => window.vekoraEditor && window.vekoraEditor.runs >= 1, null, { timeout: 15000 });
    const runs = await page.evaluate(() => window.vekoraEditor.runs);
    // Columns count characters: the mathematical A before the number is one character of
    // the lesson but two places of a JavaScript string.
    const lesson = 'SCREEN 320, 240\nTEXTWINDOW 10, 10, 300, 24\nTEXT "\u{1D400} y \u00C1", &H000000, &HFFFFE0, 1x6\nWAIT 10\nEND\n';
    await page.evaluate((text) => {
        const view = window.vekoraEditor.view;
        view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: text }, userEvent: 'input.paste' });
    }, lesson);
    await page.waitForFunction((before) => window.vekoraEditor.runs > before && window.vekoraEditor.outcome, runs, { timeout: 5000 });
    await markBecomes(page, 'warning', { line: 3, column: 35, text: '1x6' }, 3000);
    assert.equal(await page.locator('.cm-lint-marker-warning').count(), 1);
    assert.equal(await page.locator('.cm-lint-marker-error').count(), 0);
    await page.close();
});

test('<vekora-player> plays on a plain page; UTF-8 and Latin-1 lessons alike', async () => {
    const page = await browser.newPage();
    await page.goto(`${served.base}/test/embed.html`);
    const ended = (id) => page.evaluate((id) => new Promise((resolve) => {
        const element = document.getElementById(id);
        if (element.ended) resolve(element.outcome);
        else element.addEventListener('vekora-ended', (event) => resolve(event.detail), { once: true });
    }), id);
    const outcomes = [await ended('utf8'), await ended('latin1')];
    for (const outcome of outcomes) assert.ok(outcome.result === 0 || outcome.result === 255, JSON.stringify(outcome));
    const pictures = await page.evaluate(() => ['utf8', 'latin1'].map((id) => document.getElementById(id).player.pixels()));
    assert.equal(pictures[0].length, 320 * 240);
    assert.ok(new Set(pictures[0]).size > 2, 'the lesson drew something');
    assert.equal(difference(pictures[0], pictures[1], 320).count, 0);
    // Scale 1.5: the canvas is shown half as big again.
    const width = await page.locator('#utf8 canvas').evaluate((canvas) => canvas.getBoundingClientRect().width);
    assert.equal(width, 480);
    assert.equal(await page.title(), 'A plain page');
    await page.close();
});

test('open from disk, save in its own encoding, record a GIF, and a link that carries the lesson', async () => {
    const { readFileSync } = await import('node:fs');
    const path = await import('node:path');
    const { root } = await import('./harness.mjs');
    const latin1 = path.join(root, 'web', 'tests', 'pages', 'accents-latin1.vek');
    const page = await browser.newPage({ viewport: { width: 1400, height: 900 }, acceptDownloads: true });
    await page.goto(`${served.base}/index.html`);
    await page.waitForFunction(() => window.vekoraEditor && window.vekoraEditor.runs >= 1, null, { timeout: 15000 });
    const runs = await page.evaluate(() => window.vekoraEditor.runs);
    await page.locator('#file').setInputFiles(latin1);
    await page.waitForFunction((before) => window.vekoraEditor.runs > before && window.vekoraEditor.outcome, runs);
    assert.match(await page.locator('.cm-content').textContent(), /Él está aquí: ñ/);
    await page.waitForFunction(() => !window.vekoraEditor.player.running);
    assert.equal(await page.title(), 'Ángulo y círculo - Vekora');

    const saved = page.waitForEvent('download');
    await page.locator('#save').click();
    const download = await saved;
    assert.equal(download.suggestedFilename(), 'accents-latin1.vek');
    assert.ok(readFileSync(await download.path()).equals(readFileSync(latin1)), 'saved byte for byte, still Latin-1');

    const recorded = page.waitForEvent('download', { timeout: 20000 });
    await page.locator('#record').click();
    const gif = await recorded;
    assert.equal(gif.suggestedFilename(), 'accents-latin1.gif');
    assert.equal(readFileSync(await gif.path()).subarray(0, 6).toString(), 'GIF89a');

    // The link plays the same lesson in the player alone.
    const link = await page.locator('#share').getAttribute('href');
    assert.match(link, /^player\.html#[A-Za-z0-9_-]+$/);
    const editorPicture = await page.evaluate(() => window.vekoraEditor.player.pixels());
    const alone = await browser.newPage();
    await alone.goto(`${served.base}/${link.replace('#', '?logo=0#')}`);
    await alone.waitForFunction(() => window.vekoraPage && window.vekoraPage.done);
    const outcome = await alone.evaluate(() => window.vekoraPage.done);
    assert.ok(outcome.result === 0 || outcome.result === 255, JSON.stringify(outcome));
    assert.equal(difference(await alone.evaluate(() => window.vekoraPage.player.pixels()), editorPicture, 320).count, 0);
    await alone.close();

    // The editor's link opens the editor on the same lesson, byte for byte.
    const editorLink = await page.locator('#share-editor').getAttribute('href');
    assert.equal(editorLink, link.replace('player.html', 'index.html'));
    const again = await browser.newPage();
    await again.goto(`${served.base}/${editorLink}`);
    await again.waitForFunction(() => window.vekoraEditor && window.vekoraEditor.runs >= 1, null, { timeout: 15000 });
    assert.equal(await again.evaluate(() => window.vekoraEditor.view.state.doc.toString()),
        await page.evaluate(() => window.vekoraEditor.view.state.doc.toString()));
    await again.close();
    await page.close();
});

test('plays asked for at once: the last one plays, the others give way', async () => {
    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    await page.goto(`${served.base}/index.html`);
    await page.waitForFunction(() => window.vekoraEditor && window.vekoraEditor.runs >= 1, null, { timeout: 15000 });
    const results = await page.evaluate(async () => {
        const player = window.vekoraEditor.player;
        const lesson = (x) => new TextEncoder().encode(`SCREEN 320, 240\nSPEED 10\nPOINT A, ${x}, 10\nEND\n`);
        const outcomes = await Promise.all([10, 20, 30].map((x) => player.play(lesson(x), { logo: false })));
        return outcomes.map((outcome) => outcome.result);
    });
    assert.deepEqual(results, [null, null, 255]);
    assert.deepEqual(errors, []);
    await page.close();
});

test('a lesson dropped on the page opens and plays', async () => {
    const page = await browser.newPage();
    await page.goto(`${served.base}/index.html`);
    await page.waitForFunction(() => window.vekoraEditor && window.vekoraEditor.runs >= 1, null, { timeout: 15000 });
    const runs = await page.evaluate(() => window.vekoraEditor.runs);
    await page.evaluate(() => {
        const transfer = new DataTransfer();
        transfer.items.add(new File(['SCREEN 320, 240\nSPEED 10\nTITLE "Soltada"\nPOINT A, 30, 30\nEND\n'], 'dropped.vek'));
        document.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
    });
    await page.waitForFunction((before) => window.vekoraEditor.runs > before, runs);
    assert.match(await page.locator('.cm-content').textContent(), /TITLE "Soltada"/);
    await page.waitForFunction(() => document.title === 'Soltada - Vekora');
    await page.close();
});

test('the page and the lesson speak the browser\'s language, or the one lang= asks for', async () => {
    const texts = async (query, locale) => {
        const page = await browser.newPage({ locale });
        await page.goto(`${served.base}/index.html${query}`);
        await page.waitForFunction(() => window.vekoraEditor && window.vekoraEditor.runs >= 1, null, { timeout: 15000 });
        // A lesson with a mistake: the report below the editor is the program's.
        await page.evaluate(() => {
            const view = window.vekoraEditor.view;
            view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: 'POINT A, 10\nEND\n' }, userEvent: 'input.paste' });
        });
        await page.waitForFunction(() => document.getElementById('report').textContent !== '', null, { timeout: 5000 });
        const seen = await page.evaluate(() => ({
            lang: document.documentElement.lang,
            open: document.getElementById('open').textContent,
            title: document.getElementById('open').title,
            help: document.getElementById('help-title').textContent,
            report: document.getElementById('report').textContent.split('\n')[0],
        }));
        await page.close();
        return seen;
    };
    assert.deepEqual(await texts('', 'en-GB'),
        { lang: 'en', open: 'Open', title: 'Open a .vek file', help: 'Help', report: 'Errors in pass 1: 1' });
    assert.deepEqual(await texts('?lang=C', 'en-GB'),
        { lang: 'es', open: 'Abrir', title: 'Abrir un archivo .vek', help: 'Ayuda', report: '1 Errores en el Paso 1.' });
    // Spanish has a catalogue for the program's English texts only: the page and the lesson
    // read as the program's own Spanish.
    assert.deepEqual(await texts('', 'es-AR'),
        { lang: 'es', open: 'Abrir', title: 'Abrir un archivo .vek', help: 'Ayuda', report: '1 Errores en el Paso 1.' });
    // A language without a catalogue leaves the program's Spanish.
    assert.deepEqual(await texts('', 'fr-FR'),
        { lang: 'es', open: 'Abrir', title: 'Abrir un archivo .vek', help: 'Ayuda', report: '1 Errores en el Paso 1.' });
});
