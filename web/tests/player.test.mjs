// The player page in headless Chromium: pictures equal to the native program's, dragging,
// the control bar by click and by key, a menu by click, and the frame times of a SLOW film.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import path from 'node:path';
import { siteInBrowser, nativePixels, difference, screenPoint, waitFor, root } from './harness.mjs';

const site = siteInBrowser();

const example = (name) => path.join(root, 'examples', name);

async function openPlayer(query, { touch = false } = {}) {
    const context = await site.browser.newContext({ viewport: { width: 1100, height: 900 }, hasTouch: touch });
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    await page.goto(`${site.served.base}/player.html?${query}`);
    await page.waitForFunction(() => window.vekoraPage);
    page.errors = errors;
    return page;
}

const outcome = (page, timeout = 30000) => page.waitForFunction(() => window.vekoraPage.done, null, { timeout })
    .then((handle) => handle.jsonValue());
const pixels = (page) => page.evaluate(() => window.vekoraPage.player.pixels());
// The screen pixel's colour, 0xRRGGBB.
const pixelAt = (page, x, y) => page.evaluate(([x, y]) => {
    const data = document.querySelector('canvas').getContext('2d').getImageData(x, y, 1, 1).data;
    return (data[0] << 16) | (data[1] << 8) | data[2];
}, [x, y]);

test('the circumcircle example ends on exactly the native picture (virtual clock)', async () => {
    const started = Date.now();
    const page = await openPlayer('lesson=examples/circumcircle.vek&clock=virtual&logo=0');
    assert.equal((await outcome(page)).result, 255);
    const seconds = (Date.now() - started) / 1000;
    const diff = difference(await pixels(page), nativePixels(example('circumcircle.vek')));
    assert.equal(diff.count, 0, `pixels differ from the native run, first ${JSON.stringify(diff.first)}`);
    assert.equal(await page.title(), 'El círculo circunscrito - Vekora');  // its TITLE
    assert.deepEqual(page.errors, []);
    console.log(`# circumcircle on the virtual clock: page opened and lesson played in ${seconds.toFixed(1)} s`);
    await page.close();
});

test('the drag-triangle events drag the figure as natively, and the drag changes it', async () => {
    const events = (await import('node:fs')).readFileSync(example('drag_triangle.events'), 'utf8');
    const page = await openPlayer('lesson=examples/drag_triangle.vek&clock=virtual&logo=0&events=examples/drag_triangle.events');
    assert.equal((await outcome(page)).result, 255);
    const dragged = nativePixels(example('drag_triangle.vek'), events);
    const diff = difference(await pixels(page), dragged);
    assert.equal(diff.count, 0, `pixels differ from the native run, first ${JSON.stringify(diff.first)}`);
    assert.ok(difference(dragged, nativePixels(example('drag_triangle.vek'), '100 key Escape\n')).count > 1000);
    await page.close();
});

// As `vekora --advance 3` (and the film's default) answers them.
test('on the virtual clock a lesson that waits goes on by itself, menus as advance and choose say', async () => {
    // Without advance nothing but choose can end the menu: the run ends only if it answered.
    for (const [query, options] of [['', ['--advance', '3']], ['&advance=0.5&choose=3', ['--advance', '0.5', '--choose', '3']],
        ['&advance=off&choose=4', ['--advance', 'off', '--choose', '4']]]) {
        const page = await openPlayer(`lesson=examples/menu_lesson.vek&clock=virtual&logo=0${query}`);
        assert.equal((await outcome(page, 60000)).result, 255, query);
        const native = nativePixels(example('menu_lesson.vek'), null, options);
        assert.equal(difference(await pixels(page), native).count, 0, query);
        assert.deepEqual(page.errors, []);
        await page.close();
    }
});

test('dragging a corner with the pointer at scale 1.5 and Escape give the native picture', async () => {
    const page = await openPlayer('lesson=examples/drag_triangle.vek&logo=0&scale=1.5');
    // The text under the page is drawn once the dragging begins.
    await waitFor(async () => (await pixelAt(page, 20, 440)) !== 0, 10000, 'the dragging to begin');
    await page.waitForTimeout(300);
    let at = await screenPoint(page, 300, 110);
    await page.mouse.move(at.x, at.y);
    await page.mouse.down();
    for (const [x, y] of [[320, 112], [350, 115], [380, 118]]) {
        at = await screenPoint(page, x, y);
        await page.mouse.move(at.x, at.y, { steps: 3 });
        await page.waitForTimeout(100);
    }
    await page.mouse.up();
    await page.waitForTimeout(300);
    await page.keyboard.press('Escape');
    assert.equal((await outcome(page)).result, 255);
    const native = nativePixels(example('drag_triangle.vek'), '1000 press 300 110\n1100 move 380 118\n1200 release 380 118\n1500 key Escape\n');
    const diff = difference(await pixels(page), native);
    assert.equal(diff.count, 0, `pixels differ from the native run, first ${JSON.stringify(diff.first)}`);
    await page.close();
});

for (const by of ['click', 'tap']) {
    test(`a menu item chosen by a ${by}`, async () => {
        const page = await openPlayer('lesson=examples/menu_lesson.vek&logo=0', { touch: by === 'tap' });
        await page.waitForTimeout(1500);
        const at = await screenPoint(page, 40, 70);  // "Terminar", the fourth row
        if (by === 'tap') await page.touchscreen.tap(at.x, at.y);
        else await page.mouse.click(at.x, at.y);
        assert.equal((await outcome(page, 10000)).result, 255);
        const diff = difference(await pixels(page), nativePixels(example('menu_lesson.vek'), '1000 click 40 70\n'));
        assert.equal(diff.count, 0, `pixels differ from the native run, first ${JSON.stringify(diff.first)}`);
        await page.close();
    });
}

// The bar's buttons: Pausa, Repetir, Salir, 128 pixels wide from the left, in the last 20 rows.
const bar = (button) => [button * 128 + 64, 470];
const barRow = (page) => page.evaluate(() => {
    const data = document.querySelector('canvas').getContext('2d').getImageData(0, 462, 384, 16).data;
    return Array.from(data).join();
});
const pageRow = (page) => page.evaluate(() => {
    const data = document.querySelector('canvas').getContext('2d').getImageData(0, 0, 640, 460).data;
    let drawn = 0;
    for (let i = 0; i < data.length; i += 4) if (data[i] !== 255 || data[i + 1] !== 255 || data[i + 2] !== 255) ++drawn;
    return drawn;
});

for (const by of ['click', 'key']) {
    test(`Pausa, Repetir and Salir by ${by}`, async () => {
        // The bar answers in a CONSTRUCTION: here one played SLOW, then a WAIT for any answer.
        const page = await openPlayer('lesson=examples/instruments.vek&logo=0&scale=1');
        const press = async (button, key) => {
            if (by === 'key') return page.keyboard.press(key);
            const at = await screenPoint(page, ...bar(button));
            return page.mouse.click(at.x, at.y);
        };
        await page.locator('canvas').focus();
        await page.waitForTimeout(2500);
        const running = await barRow(page);
        await press(0, 'Enter');
        await waitFor(async () => (await barRow(page)) !== running, 3000, 'the bar to read "Continuar"');
        const paused = await pageRow(page);
        await page.waitForTimeout(1500);
        assert.equal(await pageRow(page), paused, 'the picture stands still while paused');
        await press(0, 'Enter');
        await waitFor(async () => (await barRow(page)) === running, 3000, 'the bar to read "Pausa" again');
        await waitFor(async () => (await pageRow(page)) > paused, 5000, 'the lesson to go on');
        const before = await pageRow(page);
        await press(1, 'r');
        await waitFor(async () => (await pageRow(page)) < before, 5000, 'Repetir to start the lesson again');
        // Salir plays the rest of the CONSTRUCTION at once; in the WAIT after it, it ends the run.
        await press(2, 'Escape');
        await page.waitForTimeout(1000);
        assert.equal(await page.evaluate(() => window.vekoraPage.player.running !== null), true);
        await press(2, 'Escape');
        const ended = await outcome(page, 5000);
        assert.ok(ended.result === 0 || ended.result === 255, `Salir ends the run well (${ended.result})`);
        assert.deepEqual(page.errors, []);
        await page.close();
    });
}

test('a SLOW film of 16 ms frames: frame times in the browser', async () => {
    const page = await openPlayer('lesson=/test/film60.vek&logo=0&scale=1');
    await page.waitForTimeout(6000);
    const times = await page.evaluate(() => window.vekoraPage.player.presentTimes.slice());
    await page.evaluate(() => window.vekoraPage.player.stop());
    // Between the films the picture rests for the step time; only the films' frames count.
    const gaps = times.slice(1).map((t, i) => t - times[i]).filter((gap) => gap < 100).sort((a, b) => a - b);
    assert.ok(gaps.length > 100, `the films presented their frames (${gaps.length})`);
    const at = (q) => gaps[Math.min(gaps.length - 1, Math.floor(q * gaps.length))].toFixed(1);
    const fps = 1000 * gaps.length / gaps.reduce((sum, gap) => sum + gap, 0);
    console.log(`# SLOW film frame intervals: ${gaps.length} frames, median ${at(0.5)} ms, 90th ${at(0.9)} ms, ` +
        `99th ${at(0.99)} ms, max ${at(1)} ms: ${fps.toFixed(1)} frames a second`);
    assert.ok(fps > 30, `the film keeps a usable frame rate (${fps.toFixed(1)} frames a second)`);
    await page.close();
});

// The page drawn at the resolution it is shown at: with `scale=fit` the canvas fills the room
// it has (aspect kept), the lesson is drawn at the device pixels a page unit rounded up, as the
// native program draws it with --scale, and a pointer or a touch lands in page units.
async function openScaled(query, viewport, deviceScaleFactor, touch) {
    const context = await site.browser.newContext({ viewport, deviceScaleFactor, hasTouch: touch, isMobile: touch });
    const page = await context.newPage();
    page.errors = [];
    page.on('pageerror', (error) => page.errors.push(error));
    await page.goto(`${site.served.base}/player.html?${query}`);
    await page.waitForFunction(() => window.vekoraPage);
    return page;
}

// Page unit (x, y) as a point of the page.
async function pagePoint(page, x, y) {
    const box = await page.locator('canvas.vekora-screen').boundingBox();
    return { x: box.x + (x + 0.5) * box.width / 640, y: box.y + (y + 0.5) * box.height / 480 };
}

for (const device of [
    { name: 'a high-density laptop', viewport: { width: 1100, height: 900 }, ratio: 2, touch: false },
    { name: 'a phone held sideways', viewport: { width: 844, height: 390 }, ratio: 3, touch: true },
]) {
    test(`on ${device.name} the fitted canvas is drawn at its device pixels and a ${device.touch ? 'tap' : 'click'} chooses`, async () => {
        const page = await openScaled('lesson=examples/menu_lesson.vek&logo=0&scale=fit', device.viewport, device.ratio, device.touch);
        await page.waitForTimeout(1500);
        const at = await pagePoint(page, 40, 70);  // "Terminar", the fourth row
        if (device.touch) await page.touchscreen.tap(at.x, at.y);
        else await page.mouse.click(at.x, at.y);
        assert.equal((await outcome(page, 10000)).result, 255);
        const shown = await page.evaluate(() => {
            const canvas = document.querySelector('canvas.vekora-screen');
            const box = canvas.getBoundingClientRect();
            const stage = canvas.parentElement.getBoundingClientRect();
            return { width: canvas.width, cssWidth: box.width, cssHeight: box.height, stageWidth: stage.width,
                room: window.innerHeight * 0.85 };
        });
        // Filled: the stage's width or the room's height, whichever binds, aspect kept.
        const fill = Math.min(shown.stageWidth / 640, shown.room / 480);
        assert.ok(Math.abs(shown.cssWidth - 640 * fill) < 1, JSON.stringify(shown));
        assert.ok(Math.abs(shown.cssHeight * 640 - shown.cssWidth * 480) < 640, JSON.stringify(shown));
        const scale = Math.min(8, Math.ceil(fill * device.ratio - 1e-3));
        assert.ok(scale > 1);
        assert.equal(shown.width, 640 * scale);
        const native = nativePixels(example('menu_lesson.vek'), '1000 click 40 70\n', ['--scale', String(scale)]);
        const diff = difference(await pixels(page), native, 640 * scale);
        assert.equal(diff.count, 0, `pixels differ from the native run at --scale ${scale}, first ${JSON.stringify(diff.first)}`);
        assert.deepEqual(page.errors, []);
        await page.close();
    });
}

test('sharp=1 keeps the enlarged pixels of scale 1 on a high-density display', async () => {
    const page = await openScaled('lesson=examples/circumcircle.vek&clock=virtual&logo=0&scale=fit&sharp=1',
        { width: 1100, height: 900 }, 2, false);
    assert.equal((await outcome(page)).result, 255);
    const diff = difference(await pixels(page), nativePixels(example('circumcircle.vek')));
    assert.equal(diff.count, 0, `pixels differ from the native run, first ${JSON.stringify(diff.first)}`);
    await page.close();
});
