// What the editor knows of the language as the user types: completion of statements (as
// snippets of their arguments) and of the names an argument takes, a keyword's page of the
// reference on hover, and the statement's forms with the argument at the cursor. The answers
// come from the WebAssembly module (web/src/language_exports.cpp), which holds the language
// server's own features; they are the JSON the protocol's requests get as results.
import { EditorState, StateEffect, StateField } from '@codemirror/state';
import { EditorView, hoverTooltip, keymap, showTooltip } from '@codemirror/view';
import { snippet } from '@codemirror/autocomplete';
import { Marked } from 'marked';

// The protocol's CompletionItemKind numbers, as the editor's icons name them.
const CompletionTypes = { 3: 'function', 6: 'variable', 12: 'constant', 14: 'keyword', 16: 'constant' };
const SnippetFormat = 2;
const hideSignature = StateEffect.define();

// The reference's pictures stay in the manual; its text, tables and examples show.
const manual = new Marked({ renderer: { image: () => '' } });

// The module's view of the document: the lesson is compiled again only when the text has
// changed since the last answer.
export class LessonLanguage {
    constructor(modulePromise) {
        this.module = null;
        this.known = null;  // the document the module last compiled
        modulePromise.then((module) => { this.module = module; });
    }

    // The answer of one feature at `pos` of `state`'s document (null before the module has
    // loaded, and where there is nothing to say).
    ask(feature, state, pos) {
        const module = this.module;
        if (!module) return null;
        if (this.known !== state.doc) {
            const bytes = new TextEncoder().encode(state.doc.toString());
            const pointer = module._malloc(bytes.length + 1);
            module.HEAPU8.set(bytes, pointer);
            try {
                module._vekora_edit_text(pointer, bytes.length);
            } finally {
                module._free(pointer);
            }
            this.known = state.doc;
        }
        const line = state.doc.lineAt(pos);
        // Called directly, not through ccall: while a lesson sleeps in the module, ccall would
        // hand back a promise tied to that sleep.
        return JSON.parse(module.UTF8ToString(module[`_vekora_edit_${feature}`](line.number - 1, pos - line.from)));
    }
}

// A protocol position as an offset of the document.
function offsetOf(doc, { line, character }) {
    if (line >= doc.lines) return doc.length;
    const text = doc.line(line + 1);
    return Math.min(text.from + character, text.to);
}

function completionSource(language) {
    return (context) => {
        const word = context.matchBefore(/[&A-Za-z0-9_\u00C0-\u00FF]+/);
        const before = context.state.sliceDoc(context.pos - 1, context.pos);
        if (!word && !context.explicit && before !== ' ' && before !== ',') return null;
        const answer = language.ask('completion', context.state, context.pos);
        const items = Array.isArray(answer) ? answer : answer?.items ?? [];
        if (items.length === 0) return null;
        return {
            from: word ? word.from : context.pos,
            options: items.map((item) => ({
                label: item.label,
                detail: item.detail,
                type: CompletionTypes[item.kind],
                apply: item.insertTextFormat === SnippetFormat ? snippet(item.insertText) : item.insertText ?? item.label,
            })),
            // A list cut short must be asked for again as the word grows.
            validFor: answer?.isIncomplete ? undefined : /^[&A-Za-z0-9_\u00C0-\u00FF]*$/,
        };
    };
}

function hoverSource(language) {
    return (view, pos) => {
        const answer = language.ask('hover', view.state, pos);
        if (!answer) return null;
        const doc = view.state.doc;
        return {
            pos: offsetOf(doc, answer.range.start),
            end: offsetOf(doc, answer.range.end),
            above: true,
            create() {
                const dom = document.createElement('div');
                dom.className = 'vekora-hover';
                dom.innerHTML = manual.parse(answer.contents.value);
                return { dom };
            },
        };
    };
}

// The statement's form, the argument at the cursor in bold, and how many other forms it has.
function signatureView(help) {
    const signature = help.signatures[help.activeSignature];
    const dom = document.createElement('div');
    dom.className = 'vekora-signature';
    const [start, end] = signature.parameters[help.activeParameter]?.label ?? [0, 0];
    const active = document.createElement('b');
    active.textContent = signature.label.slice(start, end);
    dom.append(signature.label.slice(0, start), active, signature.label.slice(end));
    if (help.signatures.length > 1) {
        const others = document.createElement('span');
        others.className = 'vekora-signature-others';
        others.textContent = ` (${help.activeSignature + 1}/${help.signatures.length})`;
        dom.append(others);
    }
    return dom;
}

// The signature shows once the user types in a statement, follows the cursor along its line,
// and goes when the cursor leaves the line, the statement has no form, or Escape is pressed.
function signatureField(language) {
    const tooltipAt = (state, help) => ({ pos: state.selection.main.head, above: true, create: () => ({ dom: signatureView(help) }) });
    return StateField.define({
        create: () => null,
        update(shown, transaction) {
            if (transaction.effects.some((effect) => effect.is(hideSignature))) return null;
            const typed = transaction.isUserEvent('input') || transaction.isUserEvent('delete');
            if (!typed && (!shown || !transaction.docChanged && !transaction.selection)) return shown;
            const { state } = transaction;
            const head = state.selection.main.head;
            const leftLine = state.doc.lineAt(head).number !== transaction.startState.doc.lineAt(shown?.pos ?? 0).number;
            if (!typed && leftLine || !state.selection.main.empty) return null;
            const help = language.ask('signature', state, head);
            return help && help.signatures.length ? tooltipAt(state, help) : null;
        },
        provide: (field) => showTooltip.from(field),
    });
}


// The extensions that give the editor what the module knows of the language.
export function languageFeatures(modulePromise) {
    const language = new LessonLanguage(modulePromise);
    const signatures = signatureField(language);
    // One source for the editor's life: the completion keeps the answers of the source that is
    // still the same function.
    const completions = [{ autocomplete: completionSource(language) }];
    return [
        EditorState.languageData.of(() => completions),
        hoverTooltip(hoverSource(language), { hideOnChange: true }),
        signatures,
        keymap.of([{
            key: 'Escape',
            run: (view) => {
                if (!view.state.field(signatures)) return false;
                view.dispatch({ effects: hideSignature.of(null) });
                return true;
            },
        }]),
        EditorView.baseTheme({
            '.vekora-hover': { maxWidth: '36em', maxHeight: '24em', overflow: 'auto', padding: '0 0.6em', fontSize: '90%' },
            '.vekora-hover pre': { whiteSpace: 'pre-wrap' },
            '.vekora-hover table': { borderCollapse: 'collapse' },
            '.vekora-hover td, .vekora-hover th': { border: '1px solid #ccc', padding: '0 0.3em' },
            '.vekora-signature': { padding: '0.2em 0.5em', fontFamily: 'monospace' },
            '.vekora-signature-others': { opacity: 0.6 },
        }),
    ];
}
