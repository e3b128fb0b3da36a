// The transcript: the game's output, its errors and the player's answers, in
// the order they came, one element per line; and the spoken log, a live
// region of its own, in which a screen reader hears every line once, in
// order. Handed the transcript's element and the log's.
import { Kind, meaning } from './lines.js';

// The log keeps its last lines only (a removal is not read out), and reads
// out the start of a very long line.
const SPOKEN_LINES = 50;
const SPOKEN_LENGTH = 400;

export class Transcript {
  constructor(box, spoken) {
    this.box = box;
    this.spoken = spoken;
    this.scrolling = false;
    this.clear();
  }

  // Empty, for a new game. `line` is the text of the line not yet ended and
  // `heard` how much of it the log has read out; `lineBox` is its element.
  clear() {
    this.box.textContent = '';
    this.spoken.textContent = '';
    this.line = '';
    this.heard = 0;
    this.lineBox = null;
    // Set while a kept game's lines are written again: they were heard.
    this.quiet = false;
  }

  speak(text) {
    if (this.quiet || !text.trim()) return;
    const item = document.createElement('p');
    item.textContent = text.length > SPOKEN_LENGTH
      ? text.slice(0, SPOKEN_LENGTH) + ` (and ${text.length - SPOKEN_LENGTH} more characters)`
      : text;
    this.spoken.append(item);
    while (this.spoken.childElementCount > SPOKEN_LINES) this.spoken.firstElementChild.remove();
  }

  // Reads out what is new of the line not yet ended: a prompt without a line
  // break is heard when the game waits for its answer.
  speakRest() {
    this.speak(this.line.slice(this.heard));
    this.heard = this.line.length;
  }

  // Text of one line added to its element: plain, or in a span of its kind.
  addToLine(text, kind) {
    if (!text) return;
    if (!this.lineBox) {
      this.lineBox = document.createElement('span');
      this.lineBox.className = 'line';
      this.box.append(this.lineBox);
    }
    const last = this.lineBox.lastChild;
    if (kind) {
      const span = document.createElement('span');
      span.className = kind;
      span.textContent = text;
      this.lineBox.append(span);
    } else if (last && last.nodeType === Node.TEXT_NODE) {
      last.appendData(text);
    } else {
      this.lineBox.append(text);
    }
  }

  // A line of the game's own alone, once it has ended: a menu entry keeps its
  // number with its label; the newest hand is marked to stay in sight.
  shape(box, text) {
    if (box.childNodes.length !== 1 || box.firstChild.nodeType !== Node.TEXT_NODE) return;
    const line = meaning(text);
    if (line.kind === Kind.ENTRY) {
      const head = document.createElement('span');
      head.className = 'entry';
      head.textContent = line.head;
      box.firstChild.deleteData(0, line.head.length);
      // What the entry scores or holds may start a new line.
      box.prepend(head, document.createElement('wbr'));
    } else if (line.kind === Kind.HAND) {
      this.unpin();
      box.classList.add('hand', 'latest');
    }
  }

  // No hand stays pinned in sight any longer.
  unpin() {
    for (const old of this.box.querySelectorAll('.hand.latest')) old.classList.remove('latest');
  }

  append(text, kind) {
    if (!text) return;
    const lines = text.split('\n');
    for (let i = 0; i < lines.length - 1; i++) {
      this.addToLine(lines[i] + '\n', kind);
      this.line += lines[i];
      this.speakRest();
      this.shape(this.lineBox, this.line);
      this.lineBox = null;
      this.line = '';
      this.heard = 0;
    }
    this.addToLine(lines[lines.length - 1], kind);
    this.line += lines[lines.length - 1];
    // Once a frame at most, the newest line is brought into view.
    if (!this.scrolling) {
      this.scrolling = true;
      requestAnimationFrame(() => {
        this.scrolling = false;
        this.box.scrollTop = this.box.scrollHeight;
      });
    }
  }

  // A stream of bytes shown as text of KIND; a character split between two
  // pieces is put together first. Each piece's text is returned.
  shower(kind) {
    const decoder = new TextDecoder();
    return (bytes) => {
      const text = decoder.decode(bytes, { stream: true });
      this.append(text, kind);
      return text;
    };
  }

  // What the game wrote to its standard error.
  errors() {
    return [...this.box.querySelectorAll('.error')].map((e) => e.textContent).join('');
  }
}
