// The board: the person's newest hand as five dice to mark for a reroll, the
// 13 categories as buttons in a table with both players' scores, the
// computer's turn in a line, and at the end both final cards side by side.
// It is drawn only from the game's lines (line(), as each ends), and its
// controls work only while the game waits for their kind of answer with
// nothing handed over unread (wait()); a tap hands over, through the
// function `give` it was handed, the answers it stands for. What a category
// would score while a reroll chance is open comes from the game's own
// scoring (scoreWith()). Its controls change silently: the log is the one
// voice.
import { Kind } from './lines.js';

const CHANCES = 2;
const CATEGORIES = 13;
// A tap on the control that has just handed over answers, this soon after
// (in milliseconds), is the second tap of a double tap: it hands over
// nothing, even when the game has asked again meanwhile.
const DOUBLE_TAP = 300;
// What the game waits for.
export const Asked = Object.freeze({ NOTHING: '', REROLL: 'reroll', CATEGORY: 'category' });

export class Board {
  // `root` is the board's element; `rules` the rules' list, whose terms
  // name the categories until the game's first menu does; `give(text)`
  // hands text over to the game; `typing()` tells whether an answer is
  // being typed.
  constructor(root, rules, { give, typing }) {
    const find = (selector) => root.querySelector(selector);
    this.boxes = {
      hand: find('#hand'), chance: find('#chance'), reroll: find('#reroll'), categories: find('#categories'),
      computerTurn: find('#computer-turn'), final: find('#final'),
      dice: [...root.querySelectorAll('#dice .die')],
      rows: [...root.querySelectorAll('#card-rows tr')].map((row) => ({
        button: row.querySelector('button'), label: row.querySelector('.label'),
        value: row.querySelector('.value'), computer: row.querySelector('td')
      }))
    };
    this.rules = rules;
    this.give = give;
    this.typing = typing;
    this.score = null;
    this.boxes.reroll.addEventListener('click', () => this.reroll());
    this.boxes.dice.forEach((die, i) => die.addEventListener('click', () => this.mark(i)));
    this.boxes.rows.forEach((row, i) => row.button.addEventListener('click', () => this.fill(i)));
    this.reset();
  }

  // The categories' names as the rules give them, in menu order.
  rulesLabels() {
    return [...this.rules.querySelectorAll('dt')].flatMap((term) => {
      const [, first, last, names] = /^(\d+)(?:–(\d+))?: (.*)$/.exec(term.textContent.trim()) || [];
      const list = names ? names.split(', ') : [];
      return +(last || first) - +first + 1 === list.length ? list : [];
    });
  }

  // Drawn anew for a new game, with nothing to score by until scoreWith().
  reset() {
    // Whose turn it is, and which menu is being read (a kind of line).
    this.whose = Kind.OTHER;
    this.menu = Kind.OTHER;
    // The person's newest hand, which dice are marked, which the last roll
    // changed; the computer's newest hand.
    this.dice = [];
    this.marks = [];
    this.rolled = [];
    this.computerDice = [];
    this.chance = 0;
    this.asked = Asked.NOTHING;
    // Set when the category the person's answer took is not known until the
    // next menu: meanwhile no category is offered.
    this.unknown = false;
    this.labels = this.rulesLabels();
    // Per category: the person's held score (or null) and what the newest
    // menu says it would score; the computer's held score or null.
    this.person = Array.from({ length: CATEGORIES }, () => ({ held: null, value: null }));
    this.computer = Array(CATEGORIES).fill(null);
    // The cards printed at the end: { name, rows: [{ label, value }] }, a
    // section's row without a value.
    this.cards = [];
    // What the game read at the category prompt.
    this.reads = [];
    // The control that last handed over answers, and when.
    this.given = { control: null, at: -Infinity };
    this.boxes.computerTurn.textContent = '';
    this.boxes.final.hidden = true;
    this.boxes.hand.hidden = this.boxes.categories.hidden = false;
    this.draw();
  }

  // What a category would score: score(dice, index), the game's own.
  scoreWith(score) { this.score = score; }

  // One line of the game's own, with its meaning.
  line(line) {
    const card = this.cards[this.cards.length - 1];
    switch (line.kind) {
      case Kind.PERSON_BANNER:
      case Kind.COMPUTER_BANNER:
        this.whose = line.kind;
        break;
      case Kind.HAND: {
        const dice = line.text.match(/\d/g).map(Number);
        if (this.whose === Kind.PERSON_BANNER) {
          this.rolled = dice.map((face, i) => face !== this.dice[i]);
          this.dice = dice;
          this.marks = [];
        } else {
          this.computerDice = dice;
        }
        break;
      }
      case Kind.CHANCE:
        this.chance = +line.chance;
        break;
      case Kind.PERSON_MENU:
      case Kind.COMPUTER_MENU:
        this.menu = line.kind;
        this.reads = [];
        // The person's menu says which categories are filled.
        if (line.kind === Kind.PERSON_MENU) this.unknown = false;
        break;
      case Kind.ENTRY: {
        const i = line.number - 1;
        const held = line.filled ? +line.score : null;
        this.labels[i] = line.label;
        if (this.menu === Kind.PERSON_MENU) this.person[i] = { held, value: +line.score };
        if (this.menu === Kind.COMPUTER_MENU) this.computer[i] = held;
        break;
      }
      case Kind.PERSON_FILLED:
        this.filled();
        break;
      case Kind.COMPUTER_FILLED: {
        const i = line.number - 1;
        this.computer[i] = +line.score;
        this.boxes.computerTurn.textContent = `Computer rolled ${this.computerDice.join(' ')} and filled ` +
          `${this.labels[i]} with ${line.score}.`;
        break;
      }
      case Kind.GAME_OVER:
        this.cards.push({ name: '', rows: [] });
        break;
      case Kind.CARD_NAME:
        if (card) card.name = line.name;
        break;
      case Kind.SECTION:
      case Kind.CARD_LINE:
        if (card) card.rows.push({ label: line.label, value: line.value ?? null });
        break;
    }
    this.draw();
  }

  // The person's category is filled. It is the one answer the game was
  // handed at the prompt when that is a plain menu number (the game reads
  // 010 as 8 and 0x9 as 9, so nothing else is taken for one); it then holds
  // what the menu showed. Else the next menu says which it was.
  filled() {
    const plain = this.reads.length === 1 && /^\s*(1[0-3]|[1-9])\s*$/.exec(this.reads[0]);
    if (plain) {
      const entry = this.person[plain[1] - 1];
      entry.held = entry.value;
    } else {
      for (const entry of this.person) if (entry.held === null) entry.value = null;
      this.unknown = true;
    }
    this.menu = Kind.OTHER;
  }

  // What the game was handed at a read: an answer to the category prompt
  // counts for the choice.
  read(text) {
    if (this.menu === Kind.PERSON_MENU) this.reads.push(text);
  }

  // The game waits, with nothing handed over unread: `last` means the line
  // that ended last and `rest` is the line begun since (a prompt's is empty).
  wait(last, rest) {
    this.asked = rest ? Asked.NOTHING
      : last.kind === Kind.REROLL_PROMPT ? Asked.REROLL
        : last.kind === Kind.CATEGORY_PROMPT ? Asked.CATEGORY : Asked.NOTHING;
    if (this.asked === Asked.REROLL && !this.unknown && this.score) {
      this.person.forEach((entry, i) => {
        if (entry.held === null) entry.value = this.score(this.dice, i);
      });
    }
    this.draw();
    // The controls the game now asks for are brought into view, unless an
    // answer is being typed.
    if (this.asked && !this.typing()) {
      (this.asked === Asked.REROLL ? this.boxes.hand : this.boxes.categories).scrollIntoView({ block: 'nearest' });
    }
  }

  // Nothing is asked any longer: answers were handed over, or the game ended.
  busy() {
    this.asked = Asked.NOTHING;
    this.draw();
  }

  mark(i) {
    if (this.asked !== Asked.REROLL) return;
    this.marks[i] = !this.marks[i];
    this.rolled = [];
    this.draw();
  }

  // Hands over the answers of a tap on `control`, each read at its own
  // prompt, unless the tap is the second of a double tap.
  tap(control, answers) {
    const now = performance.now();
    if (control === this.given.control && now - this.given.at < DOUBLE_TAP) return;
    this.given = { control, at: now };
    for (const answer of answers) this.give(answer + '\n');
  }

  reroll() {
    if (this.asked === Asked.REROLL) this.tap('reroll', [this.dice.map((_, i) => (this.marks[i] ? 1 : 0)).join('')]);
  }

  // A category: at the category prompt its number; during a reroll chance,
  // 00000 for each chance left and then its number.
  fill(i) {
    if (!this.asked || this.unknown || this.person[i].held !== null) return;
    const keep = this.asked === Asked.REROLL ? Array(CHANCES - this.chance + 1).fill('00000') : [];
    this.tap(i, keep.concat(String(i + 1)));
  }

  draw() {
    const reroll = this.asked === Asked.REROLL;
    this.boxes.chance.textContent = reroll ? `Reroll ${this.chance} of ${CHANCES}`
      : this.asked === Asked.CATEGORY ? 'Choose a category' : '';
    this.boxes.dice.forEach((die, i) => {
      const face = this.dice[i] || 0;
      die.dataset.face = face;
      die.setAttribute('aria-label', face ? `Die ${i + 1}: ${face}` : `Die ${i + 1}`);
      die.setAttribute('aria-pressed', String(!!this.marks[i]));
      die.setAttribute('aria-disabled', String(!reroll));
      die.classList.toggle('rolled', !!this.rolled[i]);
    });
    const marked = this.marks.filter(Boolean).length;
    this.boxes.reroll.textContent = marked ? `Reroll ${marked} ${marked === 1 ? 'die' : 'dice'}` : 'Keep all dice';
    this.boxes.reroll.setAttribute('aria-disabled', String(!reroll));
    this.boxes.rows.forEach((row, i) => {
      const { held, value } = this.person[i];
      row.label.textContent = this.labels[i] || '';
      row.value.textContent = held ?? value ?? '';
      row.button.classList.toggle('held', held !== null);
      row.button.setAttribute('aria-disabled', String(held !== null || !this.asked || this.unknown));
      row.computer.textContent = this.computer[i] ?? '';
    });
  }

  // The last two cards printed, the person's and the computer's, each with
  // its Grand Total; none for a game that did not end complete.
  finalCards() {
    if (this.cards.length < 2) return [];
    return this.cards.slice(-2).map((card) => ({
      ...card, total: +(card.rows.find((row) => row.label === 'Grand Total:') || {}).value
    }));
  }

  // The game has ended: no control works; both final cards, as printed,
  // side by side, the higher Grand Total marked.
  end() {
    this.busy();
    const cards = this.finalCards();
    if (!cards.length) return;
    const [first, second] = cards;
    this.boxes.hand.hidden = this.boxes.categories.hidden = true;
    const table = this.boxes.final.tBodies[0];
    table.textContent = '';
    const names = this.boxes.final.tHead.rows[0].cells;
    names[1].textContent = first.name;
    names[2].textContent = second.name;
    first.rows.forEach(({ label, value }, i) => {
      const row = table.insertRow();
      const head = document.createElement('th');
      head.scope = value === null ? 'colgroup' : 'row';
      head.textContent = label;
      row.append(head);
      if (value === null) {
        head.colSpan = 3;
        return;
      }
      const other = (second.rows[i] || {}).value;
      for (const [total, than] of [[value, other], [other, value]]) {
        const cell = row.insertCell();
        cell.textContent = total ?? '';
        if (label === 'Grand Total:' && +total > +than) {
          cell.className = 'higher';
          cell.append(' (higher)');
        }
      }
    });
    this.boxes.final.hidden = false;
  }
}
