// The Vekora extension: it starts the language server (`vekora lsp`), which checks the lesson as
// you type and offers completion, hover, signatures, definitions, renames and quick fixes. Where
// the server cannot be started (an older vekora, or the client library not installed) it falls
// back to running `vekora --check --json FILE` on every save and showing the errors and warnings
// where they stand. Either way it offers a "vekora: check" task whose output the $vekora problem
// matcher reads (FILE:LINE:COLUMN: error[N]: text).
'use strict';
const vscode = require('vscode');
const { execFile } = require('child_process');

// The client library comes from npm (npm install in this folder); without it, the fallback.
function loadLanguageClient() {
  try {
    return require('vscode-languageclient/node');
  } catch (e) {
    return null;
  }
}

// Whether this vekora has the language server: its --help names `vekora lsp`.
function hasLanguageServer(executable) {
  return new Promise((resolve) => {
    execFile(executable, ['--help'], (error, stdout) => resolve(!error && /vekora lsp/.test(stdout)));
  });
}

async function startLanguageServer(context, executable) {
  const library = loadLanguageClient();
  if (!library || !(await hasLanguageServer(executable))) return null;
  const server = { command: executable, args: ['lsp'] };
  const client = new library.LanguageClient('vekora', 'Vekora', server, {
    documentSelector: [{ language: 'vekora' }],
  });
  await client.start();
  context.subscriptions.push({ dispose: () => client.stop() });
  return client;
}

// One JSON line of `vekora --check --json` as a diagnostic; lines and columns are 1-based there.
function toDiagnostic(item) {
  const line = Math.max(item.line - 1, 0);
  const start = new vscode.Position(line, Math.max(item.column - 1, 0));
  const end = new vscode.Position(line, Math.max(item.endColumn - 1, item.column));
  const severity = item.severity === 'error' ? vscode.DiagnosticSeverity.Error : vscode.DiagnosticSeverity.Warning;
  const diagnostic = new vscode.Diagnostic(new vscode.Range(start, end), item.text, severity);
  diagnostic.source = 'vekora';
  diagnostic.code = item.number;
  return diagnostic;
}

function parseJsonLines(stdout) {
  const items = [];
  for (const text of stdout.split('\n')) {
    if (!text.trim().startsWith('{')) continue;
    try {
      items.push(JSON.parse(text));
    } catch (e) {
      // Not one of ours: the check prints nothing else on its standard output.
    }
  }
  return items;
}

function check(document, collection) {
  if (document.languageId !== 'vekora' || document.uri.scheme !== 'file') return;
  const config = vscode.workspace.getConfiguration('vekora');
  const file = document.uri.fsPath;
  execFile(config.get('executable'), ['--check', '--json', file], (error, stdout) => {
    if (error && error.code === 'ENOENT') {
      vscode.window.showWarningMessage('Vekora: cannot run "' + config.get('executable') + '"; set vekora.executable.');
      return;
    }
    collection.set(document.uri, parseJsonLines(stdout).map(toDiagnostic));
  });
}

function checkTask(file) {
  const executable = vscode.workspace.getConfiguration('vekora').get('executable');
  const task = new vscode.Task({ type: 'vekora', file }, vscode.TaskScope.Workspace, 'check ' + file, 'vekora',
    new vscode.ProcessExecution(executable, ['--check', file]), '$vekora');
  task.group = vscode.TaskGroup.Build;
  return task;
}

async function activate(context) {
  context.subscriptions.push(vscode.tasks.registerTaskProvider('vekora', {
    provideTasks: () => {
      const editor = vscode.window.activeTextEditor;
      return editor && editor.document.languageId === 'vekora' ? [checkTask(editor.document.uri.fsPath)] : [];
    },
    resolveTask: (task) => checkTask(task.definition.file),
  }));
  const executable = vscode.workspace.getConfiguration('vekora').get('executable');
  if (vscode.workspace.getConfiguration('vekora').get('languageServer')) {
    try {
      if (await startLanguageServer(context, executable)) return;
    } catch (e) {
      // The server would not start: the check on save still works.
    }
  }
  const collection = vscode.languages.createDiagnosticCollection('vekora');
  context.subscriptions.push(collection);
  context.subscriptions.push(vscode.workspace.onDidSaveTextDocument((document) => {
    if (vscode.workspace.getConfiguration('vekora').get('checkOnSave')) check(document, collection);
  }));
  context.subscriptions.push(vscode.workspace.onDidOpenTextDocument((document) => check(document, collection)));
  context.subscriptions.push(vscode.workspace.onDidCloseTextDocument((document) => collection.delete(document.uri)));
  for (const document of vscode.workspace.textDocuments) check(document, collection);
}

function deactivate() {}

module.exports = { activate, deactivate, parseJsonLines };
