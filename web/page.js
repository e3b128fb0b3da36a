// The page: the game's output as text, and one answer field. Each answer
// (Enter, a phone's Enter or Go, or each line of a paste) waits its turn and
// is shown where the game takes it. When the game has ended the page says
// how it ended (both Grand Totals, for a complete game), and Play again
// starts a new game, which is a new instance of the program with input of its
// own. No single tap ends a game: End the game asks first. The board beside
// the text draws the dice and both score cards from the game's lines and
// hands over what its taps stand for through the same input. An unfinished
// game is kept (record.js), and the page continues it when it starts again:
// the program started anew with the game's clock and its answers already in
// the input, which it reads as it read them the first time.
import { Input } from './input.js';
import { Kind, LineReader } from './lines.js';
import { Transcript } from './transcript.js';
import { Asked, Board } from './board.js';
import { Keeper } from './record.js';
import { AnswerField } from './field.js';

const LOADING = 'Loading the game…';
// The game this page runs, as the build names it: a game kept by another
// build is not continued, as the same answers may not play the same there.
const BUILD = '@QUORBIX_BUILD@';
const TURNS = 13;

class Page {
  constructor(document) {
    const byId = (id) => document.getElementById(id);
    Object.assign(this, {
      form: byId('answer'), field: byId('field'), enterButton: byId('enter'), endGame: byId('end-game'),
      confirmEnd: byId('confirm'), statusLine: byId('status'), again: byId('again'), boardBox: byId('board'),
      continueButton: byId('continue'), newGame: byId('new-game')
    });
    this.transcript = new Transcript(byId('transcript'), byId('spoken'));
    this.board = new Board(this.boardBox, byId('rules'), {
      give: (text) => this.game && this.game.input.handOver(text),
      typing: () => !!this.field.value
    });
    this.answers = new AnswerField(this.form, this.field, this.enterButton, {
      give: (text) => this.game && this.game.input.handOver(text),
      end: () => this.game && this.game.input.end(),
      playing: () => !!this.game
    });
    this.keeper = new Keeper({
      build: BUILD, storage: () => localStorage, session: () => sessionStorage, locks: navigator.locks,
      progress: () => this.progress,
      unkept: () => { this.statusLine.textContent = 'This game cannot be kept if the page is closed.'; }
    });
    // How far the game has come, from its lines: the person's name and turn.
    this.progress = { name: '', turn: 0 };
    // The game now being played: its input; null once it has ended.
    this.game = null;
    this.listen();
  }

  listen() {
    const field = this.field;
    // Ending a game early asks first; keeping on playing is the answer Enter
    // or Escape gives.
    this.endGame.addEventListener('click', () => {
      if (this.game) this.confirmEnd.showModal();
    });
    this.confirmEnd.addEventListener('close', () => {
      if (this.game && this.confirmEnd.returnValue === 'end') {
        if (field.value) this.answers.handOver(true);
        this.game.input.end();
      }
      this.confirmEnd.returnValue = '';
      if (this.game) field.focus();
    });
    this.again.addEventListener('click', () => this.play());
    // What is kept is written as it is handed over, and again as the page
    // goes out of sight, when a phone may discard it.
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'hidden') this.keeper.write();
    });
    window.addEventListener('pagehide', () => this.keeper.write());
  }

  // At the start: this tab's unfinished game continues; a closed tab's is
  // offered beside a new game.
  async start() {
    // Storage and locks that fail keep nothing: a new game starts.
    const { own, offer, stale } = await this.keeper.begin().catch(() => ({}));
    if (own || !offer) {
      this.play(own, null, stale ? 'Your unfinished game was kept by another version of quorbix, and a new one starts.' : '');
      return;
    }
    const { game, key } = offer;
    this.field.disabled = this.enterButton.disabled = true;
    this.endGame.hidden = true;
    this.statusLine.textContent = 'An unfinished game is kept in this browser.';
    this.continueButton.textContent = `Continue the game${game.name ? ` of ${game.name}` : ''}` +
      (game.turn ? `, turn ${game.turn}` : '');
    this.continueButton.hidden = this.newGame.hidden = false;
    const choose = (kept) => {
      this.continueButton.hidden = this.newGame.hidden = true;
      this.continueButton.onclick = this.newGame.onclick = null;
      if (!kept) this.keeper.remove(key);
      this.play(kept, key);
    };
    this.continueButton.onclick = () => choose(game);
    this.newGame.onclick = () => choose(null);
    this.continueButton.focus();
  }

  // A line of the game's: a person's banner starts their next turn.
  follow(line) {
    if (line.kind === Kind.PERSON_BANNER) this.progress = { name: line.name, turn: this.progress.turn + 1 };
  }

  // The kept answers have all been read: the log says where the game is.
  continued() {
    const { transcript, board } = this;
    transcript.quiet = false;
    const where = board.asked === Asked.REROLL ? `, reroll ${board.chance} of 2`
      : board.asked === Asked.CATEGORY ? ', choose a category' : '';
    transcript.speak(`Your game continues: turn ${this.progress.turn} of ${TURNS}${where}.`);
  }

  // The summary of a complete game, from the two final cards.
  summary() {
    const [human, computer] = this.board.finalCards();
    if (!computer) return 'Game over.';
    const higher = human.total > computer.total ? 'your Grand Total is higher'
      : human.total < computer.total ? "the computer's Grand Total is higher"
        : 'the two Grand Totals are equal';
    return `Game over. ${human.name} ${human.total}, ${computer.name} ${computer.total}: ${higher}.`;
  }

  // How a game that did not end complete ended, in a player's words.
  howItEnded(ended) {
    const errors = this.transcript.errors();
    if (errors.includes('out of memory')) return 'The game ran out of memory and stopped.';
    if (errors.trim()) return `The game stopped: ${errors.replace(/^quorbix: /, '').trim()}.`;
    return ended ? 'You ended the game before its end.' : 'The game stopped before its end.';
  }

  finish(message) {
    this.game = null;
    this.transcript.quiet = false;
    this.board.end();
    // Nothing stays pinned over the final cards.
    this.transcript.unpin();
    if (this.confirmEnd.open) this.confirmEnd.close();
    this.field.disabled = true;
    this.enterButton.disabled = true;
    this.endGame.hidden = true;
    this.statusLine.textContent = message;
    this.again.hidden = false;
    // The message takes the focus: an Enter more starts nothing.
    this.statusLine.focus();
  }

  loadFailure(error) {
    const why = error && error.message ? error.message : String(error);
    return `The game could not be loaded (${why}). Check that quorbix.js and quorbix.wasm ` +
      'are on the server next to this page, then reload it.';
  }

  // A new game, or KEPT ({ clock, answers, name, turn }) continued; FROM is
  // the key of a closed tab's record it continues; NOTE what the status line
  // says meanwhile.
  async play(kept, from, note) {
    const { transcript, board, field, keeper } = this;
    transcript.clear();
    // The clock the game is seeded with: this second, or the kept game's.
    const clock = kept ? kept.clock : Math.floor(Date.now() / 1000);
    keeper.start(clock, from, kept);
    this.progress = { name: '', turn: 0 };
    this.again.hidden = true;
    field.disabled = false;
    this.enterButton.disabled = false;
    this.endGame.hidden = false;
    field.value = '';
    field.inputMode = 'text';
    this.statusLine.textContent = note || LOADING;
    field.focus();
    // The game's own lines, as they arrive, are what the board draws from.
    const lines = new LineReader((line) => {
      board.line(line);
      this.follow(line);
    });
    // Answers typed while the game loads wait in its input; what the game
    // takes is shown, and told to the board, where it takes it.
    const showAnswer = transcript.shower('answer');
    const input = new Input({
      show: (bytes) => board.read(showAnswer(bytes)),
      waits: () => {
        board.wait(lines.last, lines.rest);
        if (transcript.quiet) this.continued();
      },
      handedOver: (answer) => {
        board.busy();
        keeper.add(answer);
      }
    });
    const write = transcript.shower('');
    this.game = { input };
    // A kept game's answers wait in its input, as if typed ahead; the log
    // stays silent until they have been read.
    if (kept) {
      transcript.quiet = true;
      for (const answer of kept.answers) input.handOver(answer);
    }
    // Drawn at once, so that nothing moves when the game has loaded.
    board.reset();
    let instance;
    try {
      if (typeof createQuorbix !== 'function') throw new Error('quorbix.js is missing');
      instance = await createQuorbix({
        clock,
        console: {
          read: (max, deliver) => {
            transcript.speakRest();
            // The name is text; every later answer is a number or a word of
            // digits.
            field.inputMode = lines.rest.startsWith('Please Enter Your Name:') ? 'text' : 'numeric';
            input.read(max, deliver);
          },
          write: (bytes) => {
            if (this.statusLine.textContent === LOADING) this.statusLine.textContent = '';
            lines.add(write(bytes));
          },
          writeError: transcript.shower('error')
        }
      });
    } catch (error) {
      this.boardBox.hidden = true;
      this.finish(this.loadFailure(error));
      return;
    }
    board.scoreWith((dice, index) => instance._quorbixScore(...dice, index));
    let message;
    try {
      const status = await instance.play();
      message = status === 0 ? this.summary() : this.howItEnded(input.ended);
    } catch (error) {
      message = `The game stopped: ${error}.`;
    }
    keeper.end();
    transcript.speakRest();
    this.finish(message);
  }
}

// Only a web server's page has an offline copy (not one a program serves
// from files of its own).
if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
  navigator.serviceWorker.register('sw.js').catch((error) => {
    console.warn('quorbix: no offline copy:', error);
  });
}
new Page(document).start();
