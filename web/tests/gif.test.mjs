// The browser build's GIF of a run, made in node (no page): ImageMagick reads it back, its
// last frame is the native program's last picture, and it lasts as long as the native GIF.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync, mkdtempSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { site, root, vekora, nativePixels, difference } from './harness.mjs';

const PlayVirtualClock = 1, PlayRecordGif = 4;

async function wasmGif(lessonPath) {
    const VekoraModule = createRequire(import.meta.url)(path.join(site, 'vekora.js'));
    const module = await VekoraModule({ wasmBinary: readFileSync(path.join(site, 'vekora.wasm')) });
    const lesson = readFileSync(lessonPath);
    const at = module._malloc(lesson.length + 1);
    module.HEAPU8.set(lesson, at);
    const result = await module.ccall('vekora_play', 'number',
        ['number', 'number', 'number', 'number', 'string', 'number', 'number', 'string', 'number'],
        [at, lesson.length, at, 0, 'lesson', PlayVirtualClock | PlayRecordGif, -1, '', 1], { async: true });
    assert.equal(result, 255);
    return module.HEAPU8.slice(module._vekora_gif_data(), module._vekora_gif_data() + module._vekora_gif_size());
}

// Frame count and total delay (centiseconds) as ImageMagick reads them.
function gifTiming(file) {
    const delays = execFileSync('identify', ['-format', '%T\n', file], { encoding: 'utf8' }).trim().split('\n').map(Number);
    return { frames: delays.length, centiseconds: delays.reduce((a, b) => a + b, 0) };
}

test('the GIF of a run decodes to the native pictures and lasts as long as the native GIF', async () => {
    const lesson = path.join(root, 'examples', 'circumcircle.vek');
    const folder = mkdtempSync(path.join(tmpdir(), 'vekora-gif-'));
    const ours = path.join(folder, 'wasm.gif'), native = path.join(folder, 'native.gif');
    writeFileSync(ours, await wasmGif(lesson));
    execFileSync(vekora, ['--headless', '--no-logo', '--record', native, lesson], { stdio: 'ignore' });
    const last = execFileSync('convert', [ours, '-coalesce', '-delete', '0--2', '-depth', '8', 'rgb:-'], { maxBuffer: 1 << 26 });
    const pixels = Array.from({ length: last.length / 3 }, (_, i) => (last[i * 3] << 16) | (last[i * 3 + 1] << 8) | last[i * 3 + 2]);
    const diff = difference(pixels, nativePixels(lesson));
    assert.equal(diff.count, 0, `the last frame differs from the native picture, first ${JSON.stringify(diff.first)}`);
    const timing = gifTiming(ours), nativeTiming = gifTiming(native);
    assert.ok(timing.frames > 10, `${timing.frames} frames`);
    // The native GIF holds its last picture for one more frame; ours ends when the run ends.
    assert.ok(Math.abs(timing.centiseconds - nativeTiming.centiseconds) <= 4,
        `${timing.centiseconds} cs against the native ${nativeTiming.centiseconds} cs`);
    // Every frame, not only the last, is the native one at the same time.
    const frames = (file) => execFileSync('convert', [file, '-coalesce', '-depth', '8', 'rgb:-'], { maxBuffer: 1 << 28 });
    const ourFrames = frames(ours), nativeFrames = frames(native);
    console.log(`# GIF: ${timing.frames} frames, ${timing.centiseconds} cs, ${readFileSync(ours).length} bytes ` +
        `(native ${nativeTiming.frames} frames, ${nativeTiming.centiseconds} cs, ${readFileSync(native).length} bytes)`);
    const frameBytes = 640 * 480 * 3;
    assert.ok(Math.abs(ourFrames.length - nativeFrames.length) <= frameBytes, 'as many frames, give or take the held last one');
    const shared = Math.min(ourFrames.length, nativeFrames.length) / frameBytes;
    for (let frame = 0; frame < shared; ++frame) {
        const range = [frame * frameBytes, (frame + 1) * frameBytes];
        assert.ok(ourFrames.subarray(...range).equals(nativeFrames.subarray(...range)), `frame ${frame} differs from the native one`);
    }
});
