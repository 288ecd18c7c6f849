// player.html: one lesson alone, from ?lesson=URL or from the address's #fragment (the lesson's
// bytes in base64url). Other parameters: scale (a factor, "auto", the default: whole factors
// while they fit, or "fit": the page's width or height filled), sharp=1 (enlarged pixels instead
// of the lesson drawn at the device's resolution), logo=0,
// clock=virtual, events=URL (an event file played on the virtual clock), advance=SECONDS (every
// wait for the viewer answered after that long, or "off"; on the virtual clock without events
// 3 by default) and choose=2,1,3 (the menu items picked in turn).
// window.vekoraPage.done resolves to the outcome of the first run (tests wait for it).
import { Texts, speakLanguage } from './page_language.js';

const { VekoraPlayer, lessonFromLink } = window.Vekora;

const parameters = new URLSearchParams(location.search);
const status = document.getElementById('status');
const player = new VekoraPlayer(document.getElementById('stage'), {
    scale: parameters.get('scale') ?? 'auto', sharp: parameters.get('sharp') === '1',
});
const speaking = speakLanguage(player);

async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(`${url}: ${response.status} ${response.statusText}`);
    return new Uint8Array(await response.arrayBuffer());
}

async function lesson() {
    const url = parameters.get('lesson');
    if (url) return { bytes: await fetchBytes(url), name: decodeURIComponent(url.replace(/[?#].*$/, '').replace(/^.*\//, '')) };
    if (location.hash.length > 1) return { bytes: lessonFromLink(location.hash.slice(1)), name: 'lesson.vek' };
    return null;
}

async function say(text, replay) {
    status.textContent = text;
    if (replay) {
        const button = document.createElement('button');
        button.textContent = await (await speaking)(Texts.replay);
        button.onclick = () => play();
        status.appendChild(button);
    }
}

async function play() {
    try {
        await speaking;
        const chosen = await lesson();
        if (!chosen) {
            await say(await (await speaking)(Texts.noLesson));
            return null;
        }
        const events = parameters.get('events') ? new TextDecoder().decode(await fetchBytes(parameters.get('events'))) : '';
        say('');
        const outcome = await player.play(chosen.bytes, {
            name: chosen.name, logo: parameters.get('logo') !== '0', clock: parameters.get('clock') ?? 'real', events,
            advance: parameters.get('advance'), choose: parameters.get('choose') ?? '',
        });
        if (outcome.result === -1 || outcome.result === -2) {
            const check = await player.check(chosen.bytes);
            await say(check.report.join('\n'), true);
        } else {
            await say(outcome.message, true);
        }
        return outcome;
    } catch (error) {
        say(String(error.message ?? error));
        return { result: -4, message: String(error.message ?? error) };
    }
}

window.vekoraPage = { player, done: play() };
