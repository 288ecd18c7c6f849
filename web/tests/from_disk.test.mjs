// The site opened from disk, as a teacher who unzips it and double-clicks index.html opens it
// (file://, where the browser fetches nothing): the editor loads its examples and plays one,
// the player plays a lesson from its link, and a swipe on a touch screen goes on from a WAIT
// and back to the one before.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch, site } from './harness.mjs';

let browser;
before(async () => {
    browser = await launch();
});
after(async () => {
    await browser?.close();
});

const onDisk = (page) => pathToFileURL(path.join(site, page)).href;

// A lesson's bytes as the player's link carries them (lessonToLink in web/src/player.js).
const link = (text) => Buffer.from(text, 'latin1').toString('base64').replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');

async function open(url, options = {}) {
    const context = await browser.newContext({ viewport: { width: 1100, height: 900 }, ...options });
    const page = await context.newPage();
    page.errors = [];
    page.on('pageerror', (error) => page.errors.push(error));
    await page.goto(url);
    return page;
}

// How many pixels of the player's canvas are not the background (white).
const drawn = (page) => page.evaluate(() => {
    const canvas = document.querySelector('canvas.vekora-screen');
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let count = 0;
    for (let i = 0; i < data.length; i += 4) count += (data[i] & data[i + 1] & data[i + 2]) !== 255;
    return count;
});

test('the editor opened from disk lists the examples and plays the first one shown', async () => {
    const page = await open(onDisk('index.html'));
    await page.waitForFunction(() => window.vekoraEditor && window.vekoraEditor.runs >= 1, null, { timeout: 30000 });
    const examples = await page.locator('#examples option').count();
    assert.ok(examples > 5, `${examples} examples listed`);
    assert.equal(await page.locator('#examples').inputValue(), 'circumcircle.vek');
    // The lesson draws on the canvas within a few seconds of the real clock.
    await page.waitForFunction(() => {
        const canvas = document.querySelector('canvas.vekora-screen');
        const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height - 20).data;
        for (let i = 0; i < data.length; i += 4) if ((data[i] & data[i + 1] & data[i + 2]) !== 255) return true;
        return false;
    }, null, { timeout: 20000 });
    assert.equal(await page.locator('#report').textContent(), '');
    assert.deepEqual(page.errors, []);
    await page.close();
});

// A red point, a WAIT, a blue point, a WAIT, a green point, a WAIT; short steps, so that a
// WAIT is reached at once after its point shows.
const ThreeWaits = 'SCREEN 320, 240\nSPEED 10\nPOINT A, 60, 60, DEFAULT, &HFF0000\nWAIT\nPOINT B, 160, 60, DEFAULT, &H0000FF\nWAIT\n' +
    'POINT C, 260, 60, DEFAULT, &H00FF00\nWAIT\nEND\n';

test('the player opened from disk plays its link, and swipes go on and back', async () => {
    const page = await open(`${onDisk('player.html')}?logo=0#${link(ThreeWaits)}`, { hasTouch: true });
    await page.waitForFunction(() => window.vekoraPage, null, { timeout: 30000 });
    const canvas = page.locator('canvas.vekora-screen');
    await canvas.waitFor();
    const pixel = (x, y) => page.evaluate(([x, y]) => {
        const data = document.querySelector('canvas.vekora-screen').getContext('2d').getImageData(x, y, 1, 1).data;
        return (data[0] << 16) | (data[1] << 8) | data[2];
    }, [x, y]);
    const waitForPixel = (x, y, colour) => page.waitForFunction(([x, y, colour]) => {
        const data = document.querySelector('canvas.vekora-screen').getContext('2d').getImageData(x, y, 1, 1).data;
        return ((data[0] << 16) | (data[1] << 8) | data[2]) === colour;
    }, [x, y, colour], { timeout: 10000 });
    // A quick stroke of one finger across half the picture, to the left (dx < 0) or right,
    // as the touch screen sends it (Chrome's own touch input, not events made up in the page).
    const touch = await page.context().newCDPSession(page);
    const box = await canvas.boundingBox();
    const swipe = async (dx) => {
        const y = box.y + box.height / 2;
        const x0 = box.x + box.width * (dx < 0 ? 0.75 : 0.25);
        await touch.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x: x0, y }] });
        await touch.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [{ x: x0 + box.width * dx / 2, y }] });
        await touch.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [{ x: x0 + box.width * dx, y }] });
        await touch.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    };
    await waitForPixel(60, 60, 0xFF0000);
    assert.equal(await pixel(160, 60), 0xFFFFFF);
    await swipe(-0.5);  // on: the blue point
    await waitForPixel(160, 60, 0x0000FF);
    await swipe(-0.5);  // on: the green point
    await waitForPixel(260, 60, 0x00FF00);
    await swipe(0.5);   // back to the second WAIT: no green point
    await waitForPixel(260, 60, 0xFFFFFF);
    assert.equal(await pixel(160, 60), 0x0000FF);
    assert.deepEqual(page.errors, []);
    assert.ok(await drawn(page) > 0);
    await page.close();
});
