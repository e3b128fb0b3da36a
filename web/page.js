// The page: the game's output as text, and one answer field. Each answer
// (Enter, a phone's Enter or Go, or each line of a paste) waits its turn and
// is shown where the game takes it. A screen reader hears every line once,
// in order, from a live region of its own. When the game has ended the page
// says how it ended (both Grand Totals, for a complete game), and Play again
// starts a new game, which is a new instance of the program with input of its
// own. No single tap ends a game: End the game asks first.
'use strict';

const transcript = document.getElementById('transcript');
const spoken = document.getElementById('spoken');
const form = document.getElementById('answer');
const field = document.getElementById('field');
const enterButton = document.getElementById('enter');
const endGame = document.getElementById('end-game');
const confirmEnd = document.getElementById('confirm');
const statusLine = document.getElementById('status');
const again = document.getElementById('again');
const encoder = new TextEncoder();

// C0 and C1 controls: never shown in the field, never sent to the game.
const CONTROL = /[\u0000-\u001f\u007f-\u009f]/;
const CONTROLS = new RegExp(CONTROL.source, 'g');
const LINE_BREAK = /\r\n|\r|\n/;
// The live region keeps its last lines only (a removal is not read out),
// and reads out the start of a very long line.
const SPOKEN_LINES = 50;
const SPOKEN_LENGTH = 400;

// The player's input to one game: lines handed over and not yet read, then
// (once ended) the end. The game asks for at most `max` bytes; `deliver`
// gets them as soon as there are some, or no bytes once the input has
// ended. What the game takes is shown first, where it takes it.
class Input {
  constructor(show) {
    this.queue = [];
    this.ended = false;
    this.waiting = null;
    this.show = show;
  }

  read(max, deliver) {
    this.waiting = { max, deliver };
    this.serve();
  }

  serve() {
    if (!this.waiting || (this.queue.length === 0 && !this.ended)) return;
    const { max, deliver } = this.waiting;
    this.waiting = null;
    let bytes = new Uint8Array(0);
    if (this.queue.length > 0) {
      bytes = this.queue[0];
      if (bytes.length <= max) {
        this.queue.shift();
      } else {
        this.queue[0] = bytes.subarray(max);
        bytes = bytes.subarray(0, max);
      }
      this.show(bytes);
    }
    deliver(bytes);
  }

  handOver(text) {
    if (this.ended) return;
    this.queue.push(encoder.encode(text));
    this.serve();
  }

  end() {
    this.ended = true;
    this.serve();
  }
}

// The transcript: the game's output, its errors and the player's answers,
// in the order they came, one element per line. `line` is the text of the
// line not yet ended and `heard` how much of it the live region has read out
// already; `lineBox` is its element.
let line = '';
let heard = 0;
let lineBox = null;
// A menu entry: its number and label, then what it would score or holds.
const ENTRY = /^(\(\d+\) ?- [^.]*\.+)./;
// A hand: five dice between bars.
const HAND = /^ {3}\|( {3}\d {3}\|){5}$/;

function speak(text) {
  if (!text.trim()) return;
  const item = document.createElement('p');
  item.textContent = text.length > SPOKEN_LENGTH
    ? text.slice(0, SPOKEN_LENGTH) + ` (and ${text.length - SPOKEN_LENGTH} more characters)`
    : text;
  spoken.append(item);
  while (spoken.childElementCount > SPOKEN_LINES) spoken.firstElementChild.remove();
}

// Reads out what is new of the line not yet ended: a prompt without a line
// break is heard when the game waits for its answer.
function speakRest() {
  speak(line.slice(heard));
  heard = line.length;
}

// Text of one line added to its element: plain, or in a span of its kind.
function addToLine(text, kind) {
  if (!text) return;
  if (!lineBox) {
    lineBox = document.createElement('span');
    lineBox.className = 'line';
    transcript.append(lineBox);
  }
  const last = lineBox.lastChild;
  if (kind) {
    const span = document.createElement('span');
    span.className = kind;
    span.textContent = text;
    lineBox.append(span);
  } else if (last && last.nodeType === Node.TEXT_NODE) {
    last.appendData(text);
  } else {
    lineBox.append(text);
  }
}

// A line of the game's own, once it has ended: a menu entry keeps its number
// with its label; the newest hand is marked to stay in sight.
function shape(box, text) {
  if (box.childNodes.length !== 1 || box.firstChild.nodeType !== Node.TEXT_NODE) return;
  const entry = ENTRY.exec(text);
  if (entry) {
    const head = document.createElement('span');
    head.className = 'entry';
    head.textContent = entry[1];
    box.firstChild.deleteData(0, entry[1].length);
    // What the entry scores or holds may start a new line.
    box.prepend(head, document.createElement('wbr'));
  } else if (HAND.test(text)) {
    for (const old of transcript.querySelectorAll('.hand.latest')) old.classList.remove('latest');
    box.classList.add('hand', 'latest');
  }
}

let scrolling = false;
function append(text, kind) {
  if (!text) return;
  const lines = text.split('\n');
  for (let i = 0; i < lines.length - 1; i++) {
    addToLine(lines[i] + '\n', kind);
    line += lines[i];
    speakRest();
    shape(lineBox, line);
    lineBox = null;
    line = '';
    heard = 0;
  }
  addToLine(lines[lines.length - 1], kind);
  line += lines[lines.length - 1];
  // Once a frame at most, the newest line is brought into view.
  if (!scrolling) {
    scrolling = true;
    requestAnimationFrame(() => {
      scrolling = false;
      transcript.scrollTop = transcript.scrollHeight;
    });
  }
}

// A stream of bytes shown as text; a character split between two pieces is
// put together first.
function shower(kind) {
  const decoder = new TextDecoder();
  return (bytes) => append(decoder.decode(bytes, { stream: true }), kind);
}

// The game now being played: its input, and whether it still reads.
let game = null;

// What the field holds goes to the game: the text, and a line break unless
// `ending` (Ctrl-D on a line with text, as a terminal has it).
function handOver(ending) {
  if (!game) return;
  game.input.handOver(field.value.replace(CONTROLS, '') + (ending ? '' : '\n'));
  field.value = '';
}

// Text put into the field at the cursor, as typed, pasted or given by a
// phone's keyboard: each line break in it hands over the line it ends.
function insert(text) {
  const start = field.selectionStart ?? field.value.length;
  const stop = field.selectionEnd ?? start;
  const after = field.value.slice(stop);
  const lines = (field.value.slice(0, start) + text).split(LINE_BREAK);
  const rest = lines.pop();
  for (const answer of lines) {
    field.value = answer;
    handOver(false);
  }
  field.value = (rest + after).replace(CONTROLS, '');
  const cursor = rest.replace(CONTROLS, '').length;
  field.setSelectionRange(cursor, cursor);
}

// Enter arrives as a key, as a line break the keyboard inserts, as the
// form's submission, or as more than one of these (a line break and then
// the submission, in Firefox): one Enter hands over one line.
let entered = false;
function enter() {
  if (entered) return;
  entered = true;
  setTimeout(() => { entered = false; });
  handOver(false);
}

// A click or tap on Enter leaves the focus, and a phone's keyboard, in the
// field.
enterButton.addEventListener('mousedown', (event) => event.preventDefault());
form.addEventListener('submit', (event) => {
  event.preventDefault();
  enter();
  if (game) field.focus();
});

field.addEventListener('beforeinput', (event) => {
  if (event.inputType === 'insertLineBreak' || event.inputType === 'insertParagraph') {
    event.preventDefault();
    enter();
  } else if (event.data && (LINE_BREAK.test(event.data) || CONTROL.test(event.data))) {
    event.preventDefault();
    insert(event.data);
  }
});

// A paste of one line is the browser's own; lines, or controls, are taken
// apart here.
field.addEventListener('paste', (event) => {
  const text = event.clipboardData ? event.clipboardData.getData('text/plain') : '';
  if (!LINE_BREAK.test(text) && !CONTROL.test(text)) return;
  event.preventDefault();
  insert(text);
});

// Whatever else brought a control in (a composition, a drop) takes it out.
field.addEventListener('input', () => {
  if (!CONTROL.test(field.value)) return;
  const cursor = field.value.slice(0, field.selectionStart ?? 0).replace(CONTROLS, '').length;
  field.value = field.value.replace(CONTROLS, '');
  field.setSelectionRange(cursor, cursor);
});

// Enter; and Ctrl-D as on a terminal: on an empty field it ends the input,
// else it hands the text over without a line break. Ctrl-U empties the
// field.
field.addEventListener('keydown', (event) => {
  if (event.key === 'Enter' && !event.isComposing) {
    event.preventDefault();
    enter();
    return;
  }
  if (!event.ctrlKey || event.altKey || event.metaKey || event.isComposing) return;
  const key = event.key.toLowerCase();
  if (key === 'd') {
    event.preventDefault();
    if (field.value) {
      handOver(true);
    } else if (game) {
      game.input.end();
    }
  } else if (key === 'u') {
    event.preventDefault();
    field.value = '';
  }
});

// Ending a game early asks first; keeping on playing is the answer Enter or
// Escape gives.
endGame.addEventListener('click', () => {
  if (game) confirmEnd.showModal();
});
confirmEnd.addEventListener('close', () => {
  if (game && confirmEnd.returnValue === 'end') {
    if (field.value) handOver(true);
    game.input.end();
  }
  confirmEnd.returnValue = '';
  if (game) field.focus();
});

// The summary of a complete game, from the two cards the game printed.
function summary() {
  const text = transcript.textContent;
  const cards = [...text.matchAll(/^Player Name: (.*)$[^]*?^Grand Total:_*(-?\d+)$/gm)];
  if (cards.length < 2) return 'Game over.';
  const [human, computer] = cards.slice(-2).map((card) => ({ name: card[1], total: +card[2] }));
  const higher = human.total > computer.total ? 'your Grand Total is higher'
    : human.total < computer.total ? "the computer's Grand Total is higher"
    : 'the two Grand Totals are equal';
  return `Game over. ${human.name} ${human.total}, ${computer.name} ${computer.total}: ${higher}.`;
}

// How a game that did not end complete ended, in a player's words.
function howItEnded(ended) {
  const errors = [...transcript.querySelectorAll('.error')].map((e) => e.textContent).join('');
  if (errors.includes('out of memory')) return 'The game ran out of memory and stopped.';
  if (errors.trim()) return `The game stopped: ${errors.replace(/^quorbix: /, '').trim()}.`;
  return ended ? 'You ended the game before its end.' : 'The game stopped before its end.';
}

function finish(message) {
  game = null;
  // Nothing stays pinned over the final cards.
  for (const hand of transcript.querySelectorAll('.hand.latest')) hand.classList.remove('latest');
  if (confirmEnd.open) confirmEnd.close();
  field.disabled = true;
  enterButton.disabled = true;
  endGame.hidden = true;
  statusLine.textContent = message;
  again.hidden = false;
  // The message takes the focus: an Enter more starts nothing.
  statusLine.focus();
}

function loadFailure(error) {
  const why = error && error.message ? error.message : String(error);
  if (location.protocol === 'file:') {
    return `The game could not be loaded (${why}): a browser loads it only from a web ` +
      'server, not from a file. Serve this folder (for example with python3 -m http.server) ' +
      'and open the address the server gives.';
  }
  return `The game could not be loaded (${why}). Check that quorbix.js and quorbix.wasm ` +
    'are on the server next to this page, then reload it.';
}

async function play() {
  transcript.textContent = '';
  spoken.textContent = '';
  line = '';
  heard = 0;
  lineBox = null;
  again.hidden = true;
  field.disabled = false;
  enterButton.disabled = false;
  endGame.hidden = false;
  field.value = '';
  field.inputMode = 'text';
  statusLine.textContent = 'Loading the game…';
  field.focus();
  // Answers typed while the game loads wait in its input.
  const input = new Input(shower('answer'));
  const write = shower('');
  game = { input };
  let instance;
  try {
    if (typeof createQuorbix !== 'function') throw new Error('quorbix.js is missing');
    instance = await createQuorbix({
      console: {
        read: (max, deliver) => {
          speakRest();
          // The name is text; every later answer is a number or a word of
          // digits.
          field.inputMode = line.startsWith('Please Enter Your Name:') ? 'text' : 'numeric';
          input.read(max, deliver);
        },
        write: (bytes) => {
          if (statusLine.textContent === 'Loading the game…') statusLine.textContent = '';
          write(bytes);
        },
        writeError: shower('error')
      }
    });
  } catch (error) {
    finish(loadFailure(error));
    return;
  }
  let message;
  try {
    const status = await instance.play();
    message = status === 0 ? summary() : howItEnded(input.ended);
  } catch (error) {
    message = `The game stopped: ${error}.`;
  }
  speakRest();
  finish(message);
}

again.addEventListener('click', play);
if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch((error) => {
    console.warn('quorbix: no offline copy:', error);
  });
}
play();
