// Plays the example lessons headless in the WebAssembly build under node and reports how many
// seconds of the virtual clock are played in one second, next to the native figure of
// build/bench_run_examples when that program is there. Both count seconds of the processor
// time of their process, as the native benchmark's rate does, so that other programs on a
// shared machine weigh on neither (node's own threads, its compiler and collector, weigh on
// the WebAssembly figure); the wall-clock ratio is printed beside.
//   node web/bench/play_examples.mjs [build-web/site] [build]
import { readFileSync, existsSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
const site = path.resolve(process.argv[2] ?? path.join(root, 'build-web', 'site'));
const nativeBuild = path.resolve(process.argv[3] ?? path.join(root, 'build'));
const examples = ['circumcircle', 'incircle', 'tangents', 'equilateral', 'measures', 'menu_lesson', 'instruments'];
const WarmUpSeconds = 0.5;   // played first and not counted: the engine compiles the hot code optimised
const MinimumSeconds = 1.5;  // of real time a lesson is played over, repeating it

const require = createRequire(import.meta.url);
const VekoraModule = require(path.join(site, 'vekora.js'));
const module = await VekoraModule({ wasmBinary: readFileSync(path.join(site, 'vekora.wasm')), print: () => {}, printErr: () => {} });

function bytesOnHeap(bytes) {
    const pointer = module._malloc(bytes.length + 1);
    module.HEAPU8.set(bytes, pointer);
    return pointer;
}

function wasmRate(name) {
    const lesson = readFileSync(path.join(root, 'examples', `${name}.vek`));
    const eventsPath = path.join(root, 'examples', `${name}.events`);
    const events = existsSync(eventsPath) ? readFileSync(eventsPath) : Buffer.alloc(0);
    const lessonAt = bytesOnHeap(lesson), eventsAt = bytesOnHeap(events);
    const play = () => {
        const seconds = module._vekora_play_headless(lessonAt, lesson.length, eventsAt, events.length);
        if (seconds < 0) throw new Error(`${name} did not compile`);
        return seconds;
    };
    for (const warm = performance.now(); performance.now() - warm < WarmUpSeconds * 1000;) play();
    let played = 0;
    const start = performance.now(), startCpu = process.cpuUsage();
    do {
        played += play();
    } while (performance.now() - start < MinimumSeconds * 1000);
    const real = (performance.now() - start) / 1000;
    const cpu = process.cpuUsage(startCpu);
    module._free(lessonAt);
    module._free(eventsAt);
    return { rate: played / ((cpu.user + cpu.system) / 1e6), wallRate: played / real };
}

// The "played" counter of the native benchmark for one example (a rate per processor second),
// and the same per wall-clock second; measured right after the WebAssembly figure so that both
// see the same load on a shared machine.
function nativeRate(name) {
    const program = path.join(nativeBuild, 'bench', 'bench_run_examples');
    if (!existsSync(program)) return null;
    const output = execFileSync(program, ['--benchmark_format=json', `--benchmark_min_time=${MinimumSeconds}`,
        `--benchmark_filter=PlayExample/${name}$`], { encoding: 'utf8', maxBuffer: 1 << 24 });
    const run = JSON.parse(output).benchmarks[0];
    return run ? { rate: run.played, wallRate: run.played * run.cpu_time / run.real_time } : null;
}

// Every lesson once over first, so that the engine has optimised all the code the lessons share.
for (const name of examples) wasmRate(name);
console.log('lesson          wasm (s/s)   native (s/s)   wasm/native   (wall clock)');
const column = (value, width, digits = 0) => (value === null ? '-' : value.toFixed(digits)).padStart(width);
let worst = Infinity;
for (const name of examples) {
    const wasm = wasmRate(name);
    const native = nativeRate(name);
    const ratio = native ? wasm.rate / native.rate : null;
    if (native) worst = Math.min(worst, ratio);
    console.log(`${name.padEnd(14)} ${column(wasm.rate, 11)} ${column(native?.rate ?? null, 14)} ` +
        `${column(ratio, 13, 2)} ${column(native ? wasm.wallRate / native.wallRate : null, 14, 2)}`);
}
if (Number.isFinite(worst)) console.log(`slowest wasm/native ratio: ${worst.toFixed(2)} (target at least 0.33)`);
