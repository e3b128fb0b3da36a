// The page: a terminal in which the player plays the game. It keeps the line
// being typed (echo, Backspace, Ctrl-U), hands each finished line to the
// game in the order typed or pasted, and when the game has ended says how
// and offers another one. Every game is a new instance of the program, with
// input of its own, so nothing carries over from one game to the next.
'use strict';

const term = new Terminal({
  convertEol: true,
  screenReaderMode: true,
  cursorBlink: true,
  fontSize: window.innerWidth < 600 ? 12 : 15,
  scrollback: 5000
});
term.open(document.getElementById('terminal'));
const fit = () => term.fit();
fit();
window.addEventListener('resize', fit);

const end = document.getElementById('end');
const statusLine = document.getElementById('status');
const again = document.getElementById('again');
const encoder = new TextEncoder();

// The player's input to one game: the line being edited, then the lines
// handed over and not yet read, then (after Ctrl-D on an empty line) the end.
class Input {
  constructor() {
    this.line = '';
    this.queue = [];
    this.ended = false;
    this.waiting = null;
  }

  // The game asks for at most `max` bytes; `deliver` gets them when there
  // are some, or no bytes once the input has ended.
  read(max, deliver) {
    this.waiting = { max, deliver };
    this.serve();
  }

  serve() {
    if (!this.waiting || (this.queue.length === 0 && !this.ended)) return;
    const { max, deliver } = this.waiting;
    this.waiting = null;
    if (this.queue.length === 0) {
      deliver(new Uint8Array(0));
      return;
    }
    const first = this.queue[0];
    if (first.length <= max) {
      this.queue.shift();
      deliver(first);
    } else {
      this.queue[0] = first.subarray(max);
      deliver(first.subarray(0, max));
    }
  }

  handOver(text) {
    this.queue.push(encoder.encode(text));
    this.serve();
  }

  // Keys and pasted text, as the terminal passes them on. The echo goes to
  // the terminal in one piece: a paste of megabytes shows in one write.
  type(data) {
    if (this.ended || data.startsWith('\x1b')) return;  // Arrows and such move nothing here.
    let echo = '';
    for (const c of data) {
      if (c === '\r' || c === '\n') {
        term.write(echo + '\n');  // Before the game answers.
        echo = '';
        this.handOver(this.line + '\n');
        this.line = '';
      } else if (c === '\x7f' || c === '\b') {
        if (this.line) {
          this.line = Array.from(this.line).slice(0, -1).join('');
          echo += '\b \b';
        }
      } else if (c === '\x15') {
        echo += '\b \b'.repeat(Array.from(this.line).length);
        this.line = '';
      } else if (c === '\x04') {
        // As a terminal does: on an empty line the input ends, else the
        // line so far is handed over without a line break.
        term.write(echo);
        echo = '';
        if (!this.line) {
          this.ended = true;
          this.serve();
          break;
        }
        this.handOver(this.line);
        this.line = '';
      } else if (c >= ' ' || c === '\t') {
        this.line += c;
        echo += c;
      }
    }
    term.write(echo);
  }
}

let input = null;
term.on('data', (data) => input && input.type(data));

// Shows the game's output as it comes; a character split between two writes
// is put together first.
function shower(before, after) {
  const decoder = new TextDecoder();
  return (bytes) => {
    const text = decoder.decode(bytes, { stream: true });
    if (text) term.write(before + text + after);
  };
}

async function play() {
  end.hidden = true;
  term.reset();
  term.focus();
  input = new Input();  // Keys typed while the game loads wait for it.
  const game = await createQuorbix({
    console: {
      read: (max, deliver) => input.read(max, deliver),
      write: shower('', ''),
      writeError: shower('\x1b[1;31m', '\x1b[0m')
    }
  });
  let message;
  try {
    const status = await game.play();
    message = status === 0 ? 'Game over: compare the two Grand Totals above.'
                           : 'The game ended with status ' + status + '.';
  } catch (error) {
    message = 'The game stopped: ' + error + '.';
  }
  input = null;
  statusLine.textContent = message;
  end.hidden = false;
  again.focus();
}

again.addEventListener('click', play);
play();
