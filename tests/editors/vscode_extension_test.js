// The VS Code extension's own logic, run by Node against the real program: the editor's API
// and the language client library are stand-ins that record what the extension asks of them.
//   node vscode_extension_test.js VEKORA
// Which of its two ways it takes (the language server, or the check on save), and what the check
// on save shows for a lesson with a mistake, are what a teacher sees first.
'use strict';
const assert = require('assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const Module = require('module');

const vekora = process.argv[2];
const extensionFile = path.join(__dirname, '..', '..', 'editors', 'vscode', 'extension.js');

// A fresh stand-in for the editor, with the settings given; `seen` records what happened.
function makeEditor(settings) {
  const seen = { collections: [], warnings: [], onSave: [], diagnostics: new Map() };
  class Position { constructor(line, character) { Object.assign(this, { line, character }); } }
  class Range { constructor(start, end) { Object.assign(this, { start, end }); } }
  class Diagnostic { constructor(range, message, severity) { Object.assign(this, { range, message, severity }); } }
  const subscription = () => ({ dispose() {} });
  const vscode = {
    Position, Range, Diagnostic,
    DiagnosticSeverity: { Error: 0, Warning: 1 },
    TaskScope: { Workspace: 1 }, TaskGroup: { Build: 'build' },
    Task: class {}, ProcessExecution: class {},
    workspace: {
      textDocuments: [],
      getConfiguration: () => ({ get: (key) => settings[key] }),
      onDidSaveTextDocument: (callback) => { seen.onSave.push(callback); return subscription(); },
      onDidOpenTextDocument: subscription,
      onDidCloseTextDocument: subscription,
    },
    languages: {
      createDiagnosticCollection: (name) => {
        const collection = {
          name,
          set: (uri, list) => { seen.diagnostics.set(uri.fsPath, list); if (seen.onSet) seen.onSet(); },
          delete: () => {}, dispose: () => {},
        };
        seen.collections.push(collection);
        return collection;
      },
    },
    tasks: { registerTaskProvider: subscription },
    window: { showWarningMessage: (text) => { seen.warnings.push(text); if (seen.onSet) seen.onSet(); } },
  };
  return { vscode, seen };
}

// A stand-in for the language client library that records the server it is asked to start.
function makeClientLibrary() {
  const started = [];
  class LanguageClient {
    constructor(id, name, server, options) { Object.assign(this, { id, name, server, options }); }
    async start() { started.push(this); }
    stop() {}
  }
  return { library: { LanguageClient }, started };
}

// What `require` gives the extension for the editor's API and the client library; the client
// library is loaded only when the extension activates, so the stand-ins stay in place.
const standIns = { vscode: null, client: null };
const originalLoad = Module._load;
Module._load = function load(request, ...rest) {
  if (request === 'vscode') return standIns.vscode;
  if (request === 'vscode-languageclient/node') {
    if (!standIns.client) throw new Error('Cannot find module ' + request);
    return standIns.client;
  }
  return originalLoad.call(this, request, ...rest);
};

// Loads a fresh copy of the extension with `vscode` and, when given, the client library.
function loadExtension(vscode, clientLibrary) {
  standIns.vscode = vscode;
  standIns.client = clientLibrary;
  delete require.cache[require.resolve(extensionFile)];
  return require(extensionFile);
}

function lessonFile(text) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vekora-extension-'));
  const file = path.join(folder, 'lesson.vek');
  fs.writeFileSync(file, text, 'latin1');
  return { languageId: 'vekora', uri: { scheme: 'file', fsPath: file } };
}

// Saves `document` and waits until the check on save has shown its result.
function saveAndWait(seen, document) {
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('the check on save showed nothing')), 20000);
    seen.onSet = () => { clearTimeout(timer); resolve(); };
    for (const callback of seen.onSave) callback(document);
  });
}

const settings = (more) => Object.assign({ executable: vekora, languageServer: true, checkOnSave: true }, more);

const cases = [
  ['with the client library, the program\'s language server is started', async () => {
    const { vscode, seen } = makeEditor(settings({}));
    const client = makeClientLibrary();
    await loadExtension(vscode, client.library).activate({ subscriptions: [] });
    assert.strictEqual(client.started.length, 1);
    assert.deepStrictEqual(client.started[0].server, { command: vekora, args: ['lsp'] });
    assert.deepStrictEqual(client.started[0].options.documentSelector, [{ language: 'vekora' }]);
    assert.strictEqual(seen.collections.length, 0, 'no check on save beside the server');
  }],
  ['a program whose help names no language server is checked on save instead', async () => {
    const { vscode, seen } = makeEditor(settings({ executable: '/bin/echo' }));
    const client = makeClientLibrary();
    await loadExtension(vscode, client.library).activate({ subscriptions: [] });
    assert.strictEqual(client.started.length, 0);
    assert.strictEqual(seen.collections.length, 1);
  }],
  ['without the client library, a saved lesson shows its mistake where it stands', async () => {
    const { vscode, seen } = makeEditor(settings({}));
    await loadExtension(vscode, null).activate({ subscriptions: [] });
    const document = lessonFile('POINT A, 10, 10\nPUNTO B, 1, 2\nEND\n');
    await saveAndWait(seen, document);
    const found = seen.diagnostics.get(document.uri.fsPath);
    assert.ok(found && found.length >= 1, 'a diagnostic for the unknown word');
    const first = found[0];
    assert.strictEqual(first.severity, vscode.DiagnosticSeverity.Error);
    assert.strictEqual(first.range.start.line, 1, 'on the second line (0-based 1)');
    assert.strictEqual(first.range.start.character, 0, 'under PUNTO');
    assert.ok(first.range.end.character > first.range.start.character);
    assert.strictEqual(first.source, 'vekora');
    assert.strictEqual(typeof first.code, 'number');
  }],
  ['a clean lesson clears what the last check showed', async () => {
    const { vscode, seen } = makeEditor(settings({ languageServer: false }));
    await loadExtension(vscode, makeClientLibrary().library).activate({ subscriptions: [] });
    const document = lessonFile('POINT A, 10, 10\nEND\n');
    await saveAndWait(seen, document);
    assert.deepStrictEqual(seen.diagnostics.get(document.uri.fsPath), []);
  }],
  ['a program that cannot be run is said once, with the setting to change', async () => {
    const { vscode, seen } = makeEditor(settings({ executable: '/nonexistent/vekora', languageServer: false }));
    await loadExtension(vscode, null).activate({ subscriptions: [] });
    await saveAndWait(seen, lessonFile('END\n'));
    assert.strictEqual(seen.warnings.length, 1);
    assert.match(seen.warnings[0], /vekora\.executable/);
  }],
];

(async () => {
  let failed = 0;
  for (const [name, run] of cases) {
    try {
      await run();
      console.log('ok   ' + name);
    } catch (error) {
      failed += 1;
      console.log('FAIL ' + name + '\n     ' + (error && error.stack ? error.stack : error));
    }
  }
  process.exit(failed === 0 ? 0 : 1);
})();
