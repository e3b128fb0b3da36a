// The page: the game's output as text, and one answer field. Each answer
// (Enter, a phone's Enter or Go, or each line of a paste) waits its turn and
// is shown where the game takes it. A screen reader hears every line once,
// in order, from a live region of its own. When the game has ended the page
// says how it ended (both Grand Totals, for a complete game), and Play again
// starts a new game, which is a new instance of the program with input of its
// own. No single tap ends a game: End the game asks first. The board beside
// the text draws the dice and both score cards from the game's lines and
// hands over what its taps stand for through the same input.
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
  constructor(show, waits) {
    this.queue = [];
    this.ended = false;
    this.waiting = null;
    this.show = show;
    this.waits = waits;
  }

  // `waits` is told when the game waits with nothing to read.
  read(max, deliver) {
    this.waiting = { max, deliver };
    this.serve();
    if (this.waiting) this.waits();
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

  // Either makes the board's controls wait for the game's next question.
  handOver(text) {
    if (this.ended) return;
    board.busy();
    this.queue.push(encoder.encode(text));
    this.serve();
  }

  end() {
    this.ended = true;
    board.busy();
    this.serve();
  }
}

// The transcript: the game's output, its errors and the player's answers,
// in the order they came, one element per line. `line` is the text of the
// line not yet ended and `heard` how much of it the live region has read out
// already; `lineBox` is its element.
let line = '';
let lastLine = '';
let heard = 0;
let lineBox = null;
// What the game's lines mean: the one statement of their patterns, which
// the transcript's shaping and the board both read. meaning(text) gives
// [kind, match] for a line of one of these kinds, or [] for any other.
const LINES = {
  // Five dice between bars.
  hand: /^ {3}\|(?: {3}[1-6] {3}\|){5}$/,
  // A menu entry: its number and label, then what it would score or holds.
  entry: /^(\((\d+)\) ?- ([^.]*)\.+)(Unavailable! A Score is already filled: )?(-?\d+)$/,
  chance: /^Reroll chance (\d):$/,
  rerollPrompt: /^ +If you don't want to reroll, input 00000$/,
  categoryPrompt: /^Enter the number of an available category \(1-13\):$/,
  personBanner: /^=+Now it's player .* 's turn to start a new hand=+$/,
  personMenu: /^Which category will you fill in\? $/,
  personFilled: /^One category Successfully filled/,
  computerBanner: /^=+Now it's computer player's turn=+$/,
  computerMenu: /^Computer Player is choosing one of these categories to fill:$/,
  computerFilled: /^The computer has filled the category (\d+) with a score (-?\d+)$/,
  gameOver: /^\$+ Game Over \$+$/,
  cardName: /^Player Name: (.*)$/,
  section: /^(?:Upper|Lower) Section:$/,
  cardLine: /^(.*?) ?_+(-?\d+)$/
};
function meaning(text) {
  for (const kind in LINES) {
    const match = LINES[kind].exec(text);
    if (match) return [kind, match];
  }
  return [];
}

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
  const [kind, match] = meaning(text);
  board.line(kind, match);
  if (kind === 'entry') {
    const head = document.createElement('span');
    head.className = 'entry';
    head.textContent = match[1];
    box.firstChild.deleteData(0, match[1].length);
    // What the entry scores or holds may start a new line.
    box.prepend(head, document.createElement('wbr'));
  } else if (kind === 'hand') {
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
    lastLine = line;
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
  return (bytes) => {
    const text = decoder.decode(bytes, { stream: true });
    append(text, kind);
    return text;
  };
}

// The board: the person's newest hand as five dice to mark for a reroll,
// the 13 categories as buttons in a table with both players' scores, the
// computer's turn in a line, and at the end both final cards side by side.
// It is drawn only from the game's lines (board.line, as each ends), and
// its controls work only while the game waits for their kind of answer with
// nothing handed over unread (board.wait); a tap hands over, through the
// game's input, the answers it stands for. What a category would score
// while a reroll chance is open comes from the game's own scoring
// (quorbixScore). Its controls change silently: the log is the one voice.
const boardBox = document.getElementById('board');
const handBox = document.getElementById('hand');
const chanceLine = document.getElementById('chance');
const diceGroup = document.getElementById('dice');
const rerollButton = document.getElementById('reroll');
const cardBox = document.getElementById('categories');
const cardRows = document.getElementById('card-rows');
const computerTurn = document.getElementById('computer-turn');
const finalCards = document.getElementById('final');
const CHANCES = 2;
// A tap on the control that has just handed over answers, this soon after
// (in milliseconds), is the second tap of a double tap: it hands over
// nothing, even when the game has asked again meanwhile.
const DOUBLE_TAP = 300;

// The categories' labels until the game's first menu gives them: the
// rules', which come from the same manual as the menu's.
const labels = [...document.querySelectorAll('#rules dt')].flatMap((term) => {
  const [, first, last, names] = /^(\d+)(?:–(\d+))?: (.*)$/.exec(term.textContent.trim()) || [];
  const list = names ? names.split(', ') : [];
  return +(last || first) - +first + 1 === list.length ? list : [];
});

const board = {
  // Draws the board anew for a game whose scoring is `score(dice, index)`.
  reset(score) {
    Object.assign(this, {
      score, whose: '', menu: '', dice: [], marks: [], rolled: [], chance: 0, asked: '', unknown: false,
      // Per category: the person's [held score or null, what the newest
      // menu says it would score], the computer's held score or null.
      person: Array.from({ length: 13 }, () => [null, null]),
      computer: Array(13).fill(null),
      cards: [], reads: [],
      // The control that last handed over answers, and when.
      given: { control: null, at: -Infinity }
    });
    computerTurn.textContent = '';
    finalCards.hidden = true;
    handBox.hidden = cardBox.hidden = false;
    this.draw();
  },

  // One line of the game's own, of the kind `meaning` gave it.
  line(kind, match) {
    if (kind === 'personBanner' || kind === 'computerBanner') {
      this.whose = kind === 'personBanner' ? 'person' : 'computer';
    } else if (kind === 'hand') {
      const dice = match[0].match(/\d/g).map(Number);
      if (this.whose === 'person') {
        this.rolled = dice.map((face, i) => face !== this.dice[i]);
        this.dice = dice;
        this.marks = [];
      } else {
        this.computerDice = dice;
      }
    } else if (kind === 'chance') {
      this.chance = +match[1];
    } else if (kind === 'personMenu' || kind === 'computerMenu') {
      this.menu = kind;
      this.reads = [];
      // The person's menu says which categories are filled.
      if (kind === 'personMenu') this.unknown = false;
    } else if (kind === 'entry') {
      const i = +match[2] - 1;
      const held = match[4] ? +match[5] : null;
      labels[i] = match[3];
      if (this.menu === 'personMenu') this.person[i] = [held, +match[5]];
      if (this.menu === 'computerMenu') this.computer[i] = held;
    } else if (kind === 'personFilled') {
      // The category the game took is the one answer it was handed at the
      // prompt when that is a plain menu number; it then holds what the menu
      // showed. Else the next menu says which it was.
      const plain = this.reads.length === 1 && /^\s*(1[0-3]|[1-9])\s*$/.exec(this.reads[0]);
      if (plain) {
        const entry = this.person[plain[1] - 1];
        entry[0] = entry[1];
      } else {
        this.person.forEach((entry) => { if (entry[0] === null) entry[1] = null; });
        this.unknown = true;
      }
      this.menu = '';
    } else if (kind === 'computerFilled') {
      const i = match[1] - 1;
      this.computer[i] = +match[2];
      computerTurn.textContent = `Computer rolled ${this.computerDice.join(' ')} and filled ` +
        `${labels[i]} with ${match[2]}.`;
    } else if (kind === 'gameOver') {
      this.cards.push({ rows: [] });
    } else if (kind === 'cardName' && this.cards.length) {
      this.cards[this.cards.length - 1].name = match[1];
    } else if ((kind === 'section' || kind === 'cardLine') && this.cards.length) {
      this.cards[this.cards.length - 1].rows.push([match[1] === undefined ? match[0] : match[1], match[2]]);
    }
    this.draw();
  },

  // What the game was handed at a read: an answer to the category prompt
  // counts for the choice.
  read(text) {
    if (this.menu === 'personMenu') this.reads.push(text);
  },

  // The game waits, with nothing handed over unread: `lastLine` ended last
  // and `rest` is the line begun since (a prompt's is empty).
  wait(lastLine, rest) {
    const [kind] = meaning(lastLine);
    this.asked = rest ? '' : kind === 'rerollPrompt' ? 'reroll' : kind === 'categoryPrompt' ? 'category' : '';
    if (this.asked === 'reroll' && !this.unknown) {
      this.person.forEach((entry, i) => {
        if (entry[0] === null) entry[1] = this.score(this.dice, i);
      });
    }
    this.draw();
    // The controls the game now asks for are brought into view, unless an
    // answer is being typed.
    if (this.asked && !field.value) {
      (this.asked === 'reroll' ? handBox : cardBox).scrollIntoView({ block: 'nearest' });
    }
  },

  // Nothing is asked any longer: answers were handed over, or the game ended.
  busy() {
    this.asked = '';
    this.draw();
  },

  mark(i) {
    if (this.asked !== 'reroll') return;
    this.marks[i] = !this.marks[i];
    this.rolled = [];
    this.draw();
  },

  // Hands over the answers of a tap on `control`, each read at its own
  // prompt, unless the tap is the second of a double tap.
  give(control, answers) {
    const now = performance.now();
    if (control === this.given.control && now - this.given.at < DOUBLE_TAP) return;
    this.given = { control, at: now };
    for (const answer of answers) game.input.handOver(answer + '\n');
  },

  reroll() {
    if (this.asked === 'reroll') this.give('reroll', [this.dice.map((_, i) => (this.marks[i] ? 1 : 0)).join('')]);
  },

  // A category: at the category prompt its number; during a reroll chance,
  // 00000 for each chance left and then its number.
  fill(i) {
    if (!this.asked || this.unknown || this.person[i][0] !== null) return;
    const keep = this.asked === 'reroll' ? Array(CHANCES - this.chance + 1).fill('00000') : [];
    this.give(i, keep.concat(String(i + 1)));
  },

  draw() {
    const reroll = this.asked === 'reroll';
    chanceLine.textContent = reroll ? `Reroll ${this.chance} of ${CHANCES}`
      : this.asked === 'category' ? 'Choose a category' : '';
    [...diceGroup.children].forEach((die, i) => {
      const face = this.dice[i] || 0;
      die.dataset.face = face;
      die.setAttribute('aria-label', face ? `Die ${i + 1}: ${face}` : `Die ${i + 1}`);
      die.setAttribute('aria-pressed', String(!!this.marks[i]));
      die.setAttribute('aria-disabled', String(!reroll));
      die.classList.toggle('rolled', !!this.rolled[i]);
    });
    const marked = this.marks.filter(Boolean).length;
    rerollButton.textContent = marked ? `Reroll ${marked} ${marked === 1 ? 'die' : 'dice'}` : 'Keep all dice';
    rerollButton.setAttribute('aria-disabled', String(!reroll));
    [...cardRows.rows].forEach((row, i) => {
      const [held, value] = this.person[i];
      const button = row.cells[0].firstChild;
      button.firstChild.data = (labels[i] || '') + ' ';
      button.lastChild.textContent = held ?? value ?? '';
      button.classList.toggle('held', held !== null);
      button.setAttribute('aria-disabled', String(held !== null || !this.asked || !!this.unknown));
      row.cells[1].textContent = this.computer[i] ?? '';
    });
  },

  // The game has ended: no control works; both final cards, as printed,
  // side by side, the higher Grand Total marked.
  end() {
    this.busy();
    if (this.cards.length < 2) return;
    handBox.hidden = cardBox.hidden = true;
    const [first, second] = this.cards.slice(-2);
    const table = finalCards.querySelector('tbody');
    table.textContent = '';
    finalCards.tHead.rows[0].cells[1].textContent = first.name;
    finalCards.tHead.rows[0].cells[2].textContent = second.name;
    first.rows.forEach(([label, value], i) => {
      const row = table.insertRow();
      const head = document.createElement('th');
      head.scope = value === undefined ? 'colgroup' : 'row';
      head.textContent = label;
      row.append(head);
      if (value === undefined) {
        head.colSpan = 3;
        return;
      }
      const other = (second.rows[i] || [])[1];
      for (const [total, than] of [[value, other], [other, value]]) {
        const cell = row.insertCell();
        cell.textContent = total ?? '';
        if (label === 'Grand Total:' && +total > +than) {
          cell.className = 'higher';
          cell.append(' (higher)');
        }
      }
    });
    finalCards.hidden = false;
  }
};
rerollButton.addEventListener('click', () => board.reroll());
[...diceGroup.children].forEach((die, i) => die.addEventListener('click', () => board.mark(i)));
[...cardRows.rows].forEach((row, i) => row.cells[0].firstChild.addEventListener('click', () => board.fill(i)));

// The game now being played: its input, and whether it still reads.
let game = null;

// What the field holds goes to the game: the text, and a line break unless
// `ending` (Ctrl-D on a line with text, as a terminal has it).
function handOver(ending) {
  if (!game) return;
  const text = field.value.replace(CONTROLS, '') + (ending ? '' : '\n');
  field.value = '';
  game.input.handOver(text);
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
  board.end();
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
  line = lastLine = '';
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
  // Answers typed while the game loads wait in its input; what the game
  // takes is shown, and told to the board, where it takes it.
  const showAnswer = shower('answer');
  const input = new Input((bytes) => board.read(showAnswer(bytes)), () => board.wait(lastLine, line));
  const write = shower('');
  game = { input };
  let instance;
  // Drawn at once, so that nothing moves when the game has loaded.
  board.reset((dice, index) => instance._quorbixScore(...dice, index));
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
    boardBox.hidden = true;
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
