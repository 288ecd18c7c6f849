// The highlighting of Vekora lessons for CodeMirror: keywords (the compiler's own list, which
// tools/editorgen copies), numbers, "texts", and ' comments.
import { Keywords } from './generated_tables.js';

const keywords = new Set(Keywords);

export const vekoraLanguage = {
    name: 'vekora',
    token(stream) {
        if (stream.eatSpace()) return null;
        if (stream.peek() === "'") {
            stream.skipToEnd();
            return 'comment';
        }
        if (stream.eat('"')) {
            while (!stream.eol() && stream.next() !== '"') { /* to the closing quote or the line's end */ }
            return 'string';
        }
        if (stream.match(/^&[HhOoBb][0-9A-Fa-f]+/) || stream.match(/^-?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?/)) return 'number';
        if (stream.match(/^[A-Za-z_\u00C0-\u00FF][A-Za-z0-9_\u00C0-\u00FF]*/)) {
            return keywords.has(stream.current().toUpperCase()) ? 'keyword' : 'variableName';
        }
        stream.next();
        return 'operator';
    },
    languageData: { commentTokens: { line: "'" } },
};
