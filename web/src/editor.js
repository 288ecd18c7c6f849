// index.html: the editor beside the player. Every edit is checked and, when it compiles,
// played again a moment later; the compiler's errors and warnings are marked where they
// stand. Lessons come from the examples, from disk (picker or drop), from ?lesson=URL or from
// the address's #fragment, and go back to disk, to an animated GIF or to a link that carries
// the whole lesson, to the player alone or to this editor. As the user types, the editor
// completes statements and names, shows a keyword's reference on hover and the form of the
// statement at the cursor (editor_language.js).
import { EditorView, basicSetup } from 'codemirror';
import { StreamLanguage } from '@codemirror/language';
import { lintGutter, setDiagnostics } from '@codemirror/lint';
import { vekoraLanguage } from './vekora_language.js';
import { languageFeatures } from './editor_language.js';
import { Texts, speakLanguage } from './page_language.js';

const { VekoraPlayer, decodeLesson, encodeLesson, lessonFromLink, lessonToLink } = window.Vekora;
const ReplayDelayMs = 400;

const element = (id) => document.getElementById(id);
const stage = element('stage');
const report = element('report');
const player = new VekoraPlayer(stage, { scale: 'auto' });
// The first run waits for the language, so that its bar already speaks it.
const speaking = speakLanguage(player);
const lesson = { name: 'lesson.vek', encoding: 'utf-8' };
// For tests and the curious: how many runs were started, and the last outcome.
const state = window.vekoraEditor = { player, runs: 0, checks: 0, outcome: null, view: null };

function download(bytes, name, type) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

const lessonBytes = () => encodeLesson(state.view.state.doc.toString(), lesson.encoding);

// Where a diagnostic stands in the document: its line, and columns that count characters (a
// character beyond the 16-bit range takes two places of a JavaScript string).
function rangeOf(doc, diagnostic) {
    const line = doc.line(diagnostic.line);
    const characters = [...line.text];
    const offset = (column) => characters.slice(0, Math.max(column, 1) - 1).join('').length;
    const from = line.from + offset(diagnostic.column);
    return { from, to: Math.max(line.from + offset(diagnostic.endColumn), from) };
}

// Checks the lesson, marks its errors and warnings, and plays it when it compiles (warnings
// never hold it back).
async function replay(options = {}) {
    await speaking;
    const bytes = lessonBytes();
    const link = lessonToLink(bytes);
    element('share').href = `player.html#${link}`;
    element('share-editor').href = `index.html#${link}`;
    const check = await player.check(bytes, lesson.name);
    state.checks++;
    const doc = state.view.state.doc;
    const diagnostics = check.diagnostics.filter((found) => found.line >= 1 && found.line <= doc.lines).map((found) => ({
        ...rangeOf(doc, found),
        severity: found.severity,
        message: found.severity === 'error' ? `error[${found.number}]: ${found.text}` : `warning: ${found.text}`,
    }));
    state.view.dispatch(setDiagnostics(state.view.state, diagnostics));
    report.textContent = check.report.join('\n');
    if (check.result !== 0) return null;
    state.runs++;
    const outcome = await player.play(bytes, { name: lesson.name, logo: false, ...options });
    state.outcome = outcome;
    if (outcome.message) report.textContent = outcome.message;
    return outcome;
}

// A replay after an edit leaves the keyboard in the editor: the user is still typing.
let pending = null;
function replaySoon() {
    clearTimeout(pending);
    pending = setTimeout(() => replay({ focus: false }), ReplayDelayMs);
}

function show(bytes, name) {
    const decoded = decodeLesson(bytes);
    lesson.name = name;
    lesson.encoding = decoded.encoding;
    state.view.dispatch({ changes: { from: 0, to: state.view.state.doc.length, insert: decoded.text } });
    clearTimeout(pending);
    replay();
}

// A site opened from disk (file://) cannot fetch its examples: build-web.sh writes them into
// examples/examples.js as well, which loads from disk as a script does.
const fromDisk = location.protocol === 'file:';
let diskExamples = null;
function examplesFromDisk() {
    if (!diskExamples) {
        diskExamples = new Promise((resolve, reject) => {
            const script = document.createElement('script');
            script.src = 'examples/examples.js';
            script.onload = () => resolve(self.VekoraExamples);
            script.onerror = () => reject(new Error(`cannot load ${script.src}`));
            document.head.appendChild(script);
        });
    }
    return diskExamples;
}

function exampleNames() {
    if (fromDisk) return examplesFromDisk().then((examples) => Object.keys(examples));
    return fetch('examples/index.json').then((response) => response.json());
}

async function fetchLesson(url) {
    const example = url.match(/^examples\/([^/]+)$/);
    if (fromDisk && example) {
        const examples = await examplesFromDisk();
        if (!Object.prototype.hasOwnProperty.call(examples, example[1])) throw new Error(`${url}: not found`);
        show(Uint8Array.from(atob(examples[example[1]]), (c) => c.charCodeAt(0)), example[1]);
        return;
    }
    const response = await fetch(url);
    if (!response.ok) throw new Error(`${url}: ${response.status} ${response.statusText}`);
    show(new Uint8Array(await response.arrayBuffer()), decodeURIComponent(url.replace(/[?#].*$/, '').replace(/^.*\//, '')));
}

async function openFile(file) {
    if (file) show(new Uint8Array(await file.arrayBuffer()), file.name);
}

state.view = new EditorView({
    parent: element('editor'),
    extensions: [
        basicSetup, StreamLanguage.define(vekoraLanguage), lintGutter(), languageFeatures(player.module),
        EditorView.updateListener.of((update) => {
            if (update.docChanged && update.transactions.some((t) => t.isUserEvent('input') || t.isUserEvent('delete') ||
                t.isUserEvent('undo') || t.isUserEvent('redo') || t.isUserEvent('move'))) replaySoon();
        }),
    ],
});

// The examples beside the page (examples/index.json lists them).
exampleNames().then((names) => {
    const select = element('examples');
    for (const name of names) select.add(new Option(name.replace(/\.vek$/, ''), name));
    select.onchange = () => select.value && fetchLesson(`examples/${select.value}`);
    const asked = new URLSearchParams(location.search).get('lesson');
    if (location.hash.length > 1) show(lessonFromLink(location.hash.slice(1)), 'lesson.vek');
    else if (asked) fetchLesson(asked);
    else if (names.includes('circumcircle.vek')) {
        select.value = 'circumcircle.vek';
        fetchLesson('examples/circumcircle.vek');
    }
}).catch((error) => { report.textContent = String(error.message ?? error); });

element('open').onclick = () => element('file').click();
element('file').onchange = (event) => openFile(event.target.files[0]);
element('save').onclick = () => download(lessonBytes(), lesson.name, 'text/plain');
element('replay').onclick = () => replay({ logo: true });
element('record').onclick = async () => {
    const button = element('record');
    button.disabled = true;
    try {
        const outcome = await replay({ recordGif: true });
        if (outcome && outcome.gif && outcome.gif.length) download(outcome.gif, lesson.name.replace(/\.[^.]*$/, '') + '.gif', 'image/gif');
    } finally {
        button.disabled = false;
    }
};
element('fullscreen').onclick = () => stage.requestFullscreen?.();
document.addEventListener('fullscreenchange', () => player.resize());

// A .vek dropped anywhere on the page opens.
document.addEventListener('dragover', (event) => {
    event.preventDefault();
    stage.classList.add('dragging');
});
document.addEventListener('dragleave', () => stage.classList.remove('dragging'));
document.addEventListener('drop', (event) => {
    event.preventDefault();
    stage.classList.remove('dragging');
    openFile(event.dataTransfer.files[0]);
});

Promise.all([speaking, player.version()]).then(async ([say, version]) => {
    element('version').textContent = await say(Texts.version, version);
});
