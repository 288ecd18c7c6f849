// What the editor knows of the language, in headless Chromium: completion of a statement as a
// snippet, a keyword's reference on hover, and the form of a statement with the argument at the
// cursor, each asserted on what the page shows.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { siteInBrowser, root } from './harness.mjs';

const site = siteInBrowser();

// Asserts that the text of `locator` becomes `expected` within a second (the editor draws
// its tooltips on its next frame).
async function textBecomes(locator, expected) {
    let text = null;
    for (const start = Date.now(); Date.now() - start < 1000; await new Promise((resolve) => setTimeout(resolve, 20))) {
        text = await locator.textContent({ timeout: 1000 }).catch(() => null);
        if (text === expected) break;
    }
    assert.equal(text, expected);
}

// It waits for the viewer at its end, so that the editor is asked while a run is under way.
const Lesson = 'SCREEN 400, 300\nPOINT A, 100, 150\nPOINT B, 300, 150\n\nWAIT\nEND\n';

// The editor page holding Lesson, the cursor at the start of its empty fourth line, after the
// lesson began to play (the module is loaded by then).
async function editorWithLesson() {
    const page = await site.browser.newPage({ viewport: { width: 1400, height: 900 } });
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    await page.goto(`${site.served.base}/index.html`);
    await page.waitForFunction(() => window.vekoraEditor && window.vekoraEditor.runs >= 1, null, { timeout: 15000 });
    const runs = await page.evaluate((text) => {
        const view = window.vekoraEditor.view;
        view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: text }, userEvent: 'input.paste' });
        return window.vekoraEditor.runs;
    }, Lesson);
    await page.waitForFunction((before) => window.vekoraEditor.runs > before, runs, { timeout: 5000 });
    await page.locator('.cm-line').nth(3).click();
    return { page, errors };
}

test('typing MID offers MIDLINE, whose snippet leaves its arguments to fill in turn', async () => {
    const { page, errors } = await editorWithLesson();
    await page.keyboard.type('MID');
    const options = page.locator('.cm-tooltip-autocomplete li');
    await options.filter({ hasText: 'MIDLINE' }).waitFor({ timeout: 3000 });
    assert.deepEqual(await options.locator('.cm-completionLabel').allTextContents(), ['MIDDLE', 'MIDLINE']);
    assert.equal(await options.filter({ hasText: 'MIDLINE' }).locator('.cm-completionDetail').textContent(),
        'L = MIDLINE P1, P2 [, style [, colour [, thickness]]]');
    await options.filter({ hasText: 'MIDLINE' }).click();
    await textBecomes(page.locator('.cm-line').nth(3), 'L = MIDLINE P1, P2');
    // Each placeholder is selected in turn: the new line's name, then the two points.
    await page.keyboard.type('M');
    await page.keyboard.press('Tab');
    await page.keyboard.type('A');
    await page.keyboard.press('Tab');
    await page.keyboard.type('B');
    await textBecomes(page.locator('.cm-line').nth(3), 'M = MIDLINE A, B');
    // The lesson compiles and plays again; the keys still go to the editor.
    const runs = await page.evaluate(() => window.vekoraEditor.runs);
    await page.waitForFunction((before) => window.vekoraEditor.runs > before, runs, { timeout: 3000 });
    await page.keyboard.type(", 1");
    await textBecomes(page.locator('.cm-line').nth(3), 'M = MIDLINE A, B, 1');
    assert.deepEqual(errors, []);
    await page.close();
});

test('hovering a keyword shows its section of the reference', async () => {
    const { page, errors } = await editorWithLesson();
    const word = page.locator('.cm-line').nth(1).getByText('POINT');
    const box = await word.boundingBox();
    await page.mouse.move(box.x + 5, box.y + box.height / 2);
    const hover = page.locator('.cm-tooltip-hover .vekora-hover');
    await hover.waitFor({ timeout: 3000 });
    // The heading and the first form, as the manual's page has them.
    const manual = readFileSync(path.join(root, 'docs', 'reference', 'points.md'), 'utf8');
    const section = manual.slice(manual.indexOf('## `POINT`'));
    assert.equal(await hover.locator('h2').textContent(), section.match(/^## (.*)$/m)[1].replaceAll('`', ''));
    const form = section.match(/```text\n(.*)\n/)[1];
    assert.equal((await hover.locator('pre').first().textContent()).split('\n')[0], form);
    assert.equal(await hover.locator('img').count(), 0, 'the manual\'s pictures stay out of the tooltip');
    assert.deepEqual(errors, []);
    await page.close();
});

test('inside CIRCLE A, the form shows with the argument at the cursor, and follows it', async () => {
    const { page, errors } = await editorWithLesson();
    await page.keyboard.type('K = CIRCLE A,');
    const signature = page.locator('.vekora-signature');
    await signature.waitFor({ timeout: 3000 });
    await textBecomes(signature, 'C = CIRCLE P, Q [, colour [, thickness [, start [, end]]]] (1/2)');
    await textBecomes(signature.locator('b'), 'Q');
    await page.keyboard.type(' B, ');
    await textBecomes(signature.locator('b'), 'colour');
    // Escape closes the completion first, then the form.
    await page.keyboard.press('Escape');
    await page.keyboard.press('Escape');
    await signature.waitFor({ state: 'detached', timeout: 1000 });
    // With a line as the second argument, the form that takes a line is the one shown.
    await page.evaluate(() => {
        const view = window.vekoraEditor.view;
        const end = view.state.doc.lineAt(view.state.selection.main.head).to;
        view.dispatch({ changes: { from: end, insert: '\nAB = LINE A, B\n' }, selection: { anchor: end + 16 } });
    });
    await page.keyboard.type('K2 = CIRCLE A, AB');
    await textBecomes(signature, 'C = CIRCLE P, L [, colour [, thickness [, start [, end]]]] (2/2)');
    await textBecomes(signature.locator('b'), 'L');
    // Leaving the line takes it away.
    await page.locator('.cm-line').nth(1).click();
    await signature.waitFor({ state: 'detached', timeout: 1000 });
    assert.deepEqual(errors, []);
    await page.close();
});
