// vekora-player.js: the player for any page. It defines window.Vekora (the player class and
// its helpers, used by the editor and player pages) and the element
//
//   <script src="https://.../vekora-player.js"></script>
//   <vekora-player src="lesson.vek" scale="1.5"></vekora-player>
//
// Attributes: src (the lesson's URL, UTF-8 or Latin-1), scale (a factor, or "fit" for the
// width the element is given; default 1), logo ("0" skips the opening and closing logo).
// The element plays the lesson once it is on the page; when the lesson has ended a click on
// it plays it again. It fires "vekora-ended" with { result, message } when a run ends.
import { VekoraPlayer, decodeLesson, encodeLesson, keyBytes, lessonFromLink, lessonToLink, siteBase } from './player.js';

window.Vekora = { VekoraPlayer, decodeLesson, encodeLesson, keyBytes, lessonFromLink, lessonToLink, siteBase };

class VekoraPlayerElement extends HTMLElement {
    connectedCallback() {
        if (this.player) return;
        this.style.display = this.style.display || 'inline-block';
        this.player = new VekoraPlayer(this, { scale: this.getAttribute('scale') ?? 1 });
        // Titles belong to the page that holds the element.
        this.player.onCaption = () => {};
        this.player.canvas.addEventListener('click', () => {
            if (this.ended) this.start();
        });
        this.start();
    }

    async start() {
        this.ended = false;
        const src = this.getAttribute('src');
        if (!src) return;
        try {
            const response = await fetch(new URL(src, document.baseURI));
            if (!response.ok) throw new Error(`${src}: ${response.status} ${response.statusText}`);
            const bytes = new Uint8Array(await response.arrayBuffer());
            const name = decodeURIComponent(src.replace(/[?#].*$/, '').replace(/^.*\//, ''));
            this.outcome = await this.player.play(bytes, { name, logo: this.getAttribute('logo') !== '0' });
        } catch (error) {
            this.outcome = { result: -4, message: String(error.message ?? error) };
        }
        this.ended = true;
        this.dispatchEvent(new CustomEvent('vekora-ended', { detail: this.outcome }));
    }
}

if (!customElements.get('vekora-player')) customElements.define('vekora-player', VekoraPlayerElement);
