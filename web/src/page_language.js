// The pages in the reader's language. The WebAssembly module carries the program's catalogues
// (po/), so the page asks it for each of its texts by the Spanish source, as the program does:
// one catalogue for the lesson's bar and reports and for the page around it. `lang=` in the link
// chooses the language; otherwise the browser's languages, in its order of preference. Without
// a catalogue for any of them the page stays Spanish.

// Marks a source text for the catalogue's template (tools/update-po.sh).
const N_ = (text) => text;

// The texts of the pages by the id of the element that shows them: its text, its tooltip,
// or its inner markup (kept to <b>, <kbd> and <code>).
export const PageTexts = {
    'examples-label': { text: N_('Ejemplos') },
    open: { text: N_('Abrir'), title: N_('Abrir un archivo .vek') },
    save: { text: N_('Guardar'), title: N_('Guardar la lección') },
    replay: { text: N_('Reproducir'), title: N_('Reproducir de nuevo') },
    record: { text: N_('Grabar GIF'), title: N_('Grabar la lección en un GIF animado') },
    fullscreen: { text: N_('Pantalla completa'), title: N_('Pantalla completa') },
    share: { text: N_('Enlace'), title: N_('El reproductor solo, con la lección en el enlace') },
    'share-editor': { text: N_('Enlace al editor'), title: N_('El editor, con la lección en el enlace') },
    'help-title': { text: N_('Ayuda') },
    'help-bar': {
        markup: N_('La barra bajo la figura tiene tres botones: <b>Pausa</b>/<b>Continuar</b>, <b>Repetir</b> y ' +
            '<b>Salir</b>. Teclas: <kbd>Enter</kbd> pausa o continúa, <kbd>R</kbd> o <kbd>RePág</kbd> repite, ' +
            '<kbd>Esc</kbd> sale. Arrastra los puntos con el ratón o con el dedo; elige en los menús con un clic. ' +
            'Haz clic en la figura para darle el teclado.'),
    },
    'help-presenter': {
        markup: N_('En un <code>WAIT</code> o una pausa: <kbd>Espacio</kbd>, <kbd>→</kbd>, <kbd>AvPág</kbd> o ' +
            '<kbd>Enter</kbd> siguen; <kbd>←</kbd> o <kbd>Retroceso</kbd> vuelven al <code>WAIT</code> anterior; ' +
            '<kbd>B</kbd> o el punto oscurecen la pantalla hasta la siguiente tecla. En una pantalla táctil, ' +
            'deslizar a la izquierda sigue y a la derecha vuelve.'),
    },
    'help-editor': {
        markup: N_('Editor: cada cambio vuelve a reproducir la lección; los errores se marcan en su línea. Abre ' +
            'un archivo <code>.vek</code> o suéltalo sobre la página, guárdalo, graba un GIF o ponlo a pantalla ' +
            'completa.'),
    },
};

// Texts the pages write as they go.
export const Texts = {
    version: N_('versión %s'),
    replay: N_('Repetir'),
    noLesson: N_('Sin lección: player.html?lesson=URL'),
};

// The languages the reader asks for: lang= in the link, else the browser's.
export function wantedLanguages() {
    const asked = new URLSearchParams(location.search).get('lang');
    if (asked !== null) return [asked];
    return [...(navigator.languages ?? []), navigator.language].filter(Boolean);
}

// Chooses the language and puts the pages' texts in it; returns a function that translates
// the texts written later ("%s" filled in order).
export async function speakLanguage(player) {
    const code = await player.language(wantedLanguages());
    document.documentElement.lang = code ? code.replace('_', '-') : 'es';
    for (const [id, texts] of Object.entries(PageTexts)) {
        const element = document.getElementById(id);
        if (!element) continue;
        if (texts.text) element.firstChild.textContent = await player.translate(texts.text);
        if (texts.title) element.title = await player.translate(texts.title);
        if (texts.markup) element.innerHTML = await player.translate(texts.markup);
    }
    return async (source, ...values) => {
        let text = await player.translate(source);
        for (const value of values) text = text.replace('%s', value);
        return text;
    };
}
