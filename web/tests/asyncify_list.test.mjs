// The list of functions the browser build instruments for its sleeps: a function that can reach
// the sleep, directly or through the table with the sleeper's signature, is listed, however
// deep; one whose indirect calls have another signature is not, and neither is a pure one.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { writeFileSync, mkdtempSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { root } from './harness.mjs';

const Module = `(module
  (type $none (func))
  (type $int (func (param i32)))
  (import "env" "emscripten_sleep" (func $emscripten_sleep (param i32)))
  (table 2 funcref)
  (elem (i32.const 0) $Waits $TakesInt)
  (func $Waits (call $emscripten_sleep (i32.const 10)))
  (func $TakesInt (param i32) (drop (local.get 0)))
  (func $CallsVirtualWait (call_indirect (type $none) (i32.const 0)))
  (func $CallsVirtualInt (call_indirect (type $int) (i32.const 5) (i32.const 1)))
  (func $RunsLesson (call $Pure) (call $CallsVirtualWait))
  (func $DrawsPixels (call $Pure) (call $CallsVirtualInt))
  (func $Pure (drop (i32.const 1)))
  (export "RunsLesson" (func $RunsLesson))
  (export "DrawsPixels" (func $DrawsPixels)))`;

test('the functions that can be on the stack at a sleep are listed, and only they', () => {
    const folder = mkdtempSync(path.join(tmpdir(), 'vekora-asyncify-'));
    const wat = path.join(folder, 'probe.wat'), wasm = path.join(folder, 'probe.wasm');
    writeFileSync(wat, Module);
    execFileSync('wasm-as', ['-g', wat, '-o', wasm]);
    const listed = execFileSync('python3', [path.join(root, 'web', 'asyncify_only_list.py'), wasm], { encoding: 'utf8' });
    assert.deepEqual(listed.trim().split('\n').sort(), ['CallsVirtualWait', 'RunsLesson', 'Waits']);
});

test('a probe whose functions have no names is refused rather than listing nothing', () => {
    const folder = mkdtempSync(path.join(tmpdir(), 'vekora-asyncify-'));
    const wat = path.join(folder, 'probe.wat'), wasm = path.join(folder, 'probe.wasm');
    writeFileSync(wat, Module);
    execFileSync('wasm-as', [wat, '-o', wasm]);
    assert.throws(() => execFileSync('python3', [path.join(root, 'web', 'asyncify_only_list.py'), wasm], { stdio: 'pipe' }),
        (error) => /--profiling-funcs/.test(error.stderr.toString()));
});
