// The game's lines and what they mean: one ordered table of patterns, whose
// first match gives a line its kind and its named parts. The transcript
// shapes its lines by it and the board draws from it; the game's text is the
// one source of both.

// The kinds of line the page knows, by name.
export const Kind = Object.freeze({
  HAND: 'hand',
  ENTRY: 'entry',
  CHANCE: 'chance',
  REROLL_PROMPT: 'rerollPrompt',
  CATEGORY_PROMPT: 'categoryPrompt',
  PERSON_BANNER: 'personBanner',
  PERSON_MENU: 'personMenu',
  PERSON_FILLED: 'personFilled',
  COMPUTER_BANNER: 'computerBanner',
  COMPUTER_MENU: 'computerMenu',
  COMPUTER_FILLED: 'computerFilled',
  GAME_OVER: 'gameOver',
  CARD_NAME: 'cardName',
  SECTION: 'section',
  CARD_LINE: 'cardLine',
  OTHER: ''
});

// In this order, the first that matches: a card's name line comes before
// its other lines, so that "Player Name: a_5" is a name and not a total.
const PATTERNS = [
  // Five dice between bars.
  [Kind.HAND, /^ {3}\|(?: {3}[1-6] {3}\|){5}$/],
  // A menu entry: its number and label, then what it would score or holds.
  [Kind.ENTRY, /^(?<head>\((?<number>\d+)\) ?- (?<label>[^.]*)\.+)(?<filled>Unavailable! A Score is already filled: )?(?<score>-?\d+)$/],
  [Kind.CHANCE, /^Reroll chance (?<chance>\d):$/],
  [Kind.REROLL_PROMPT, /^ +If you don't want to reroll, input 00000$/],
  [Kind.CATEGORY_PROMPT, /^Enter the number of an available category \(1-13\):$/],
  [Kind.PERSON_BANNER, /^=+Now it's player (?<name>.*) 's turn to start a new hand=+$/],
  [Kind.PERSON_MENU, /^Which category will you fill in\? $/],
  [Kind.PERSON_FILLED, /^One category Successfully filled/],
  [Kind.COMPUTER_BANNER, /^=+Now it's computer player's turn=+$/],
  [Kind.COMPUTER_MENU, /^Computer Player is choosing one of these categories to fill:$/],
  [Kind.COMPUTER_FILLED, /^The computer has filled the category (?<number>\d+) with a score (?<score>-?\d+)$/],
  [Kind.GAME_OVER, /^\$+ Game Over \$+$/],
  [Kind.CARD_NAME, /^Player Name: (?<name>.*)$/],
  [Kind.SECTION, /^(?<label>(?:Upper|Lower) Section:)$/],
  [Kind.CARD_LINE, /^(?<label>.*?) ?_+(?<value>-?\d+)$/]
];

// What the line TEXT means: { kind, text } and its named parts.
export function meaning(text) {
  for (const [kind, pattern] of PATTERNS) {
    const match = pattern.exec(text);
    if (match) return { kind, text, ...match.groups };
  }
  return { kind: Kind.OTHER, text };
}

// The game's output read as it arrives, in pieces: `add` hands each line it
// completes, with its meaning, to `onLine`. `last` means the line that ended
// last, `rest` is the line begun since (empty after a prompt's line break).
export class LineReader {
  constructor(onLine) {
    this.onLine = onLine;
    this.last = meaning('');
    this.rest = '';
  }

  add(text) {
    const lines = (this.rest + text).split('\n');
    this.rest = lines.pop();
    for (const line of lines) {
      this.last = meaning(line);
      this.onLine(this.last);
    }
  }
}
