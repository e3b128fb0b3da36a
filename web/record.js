// The unfinished game, kept in the browser's storage so that a reload, a
// discarded tab brought back or the page opened again continues it. The
// game is deterministic: started anew with the clock it was seeded with and
// handed the answers it read, it deals the same dice and writes the same
// bytes. So a record holds the game's build, that clock and every answer as
// handed over, and nothing else that matters; it is removed when the game
// ends. Nothing is sent anywhere.
//
// Each tab plays under a key of its own, kept in its session storage (which
// a reload keeps), and holds a Web Lock of that name while it is open: a
// record whose lock nobody holds is a closed tab's, which a new tab may
// offer to continue; a record another open tab holds is never taken over.
//
// Handed, when made: `build`, this build's name; `storage()` and
// `session()`, the browser's local and session storage (either may throw,
// as may every use of them); `locks`, navigator.locks or nothing;
// `progress()`, how far the game has come ({ name, turn }, for the offer to
// continue it); `unkept()`, told once a game when it cannot be kept.

const PREFIX = 'quorbix-game:';
const TAB = 'quorbix-tab';
// A record of more than this many characters of answers (a pasted name of a
// million letters) is not kept: writing it at every answer would cost more
// than it is worth.
const MAX_ANSWERS = 65536;
// An answer as the field or the board hands it over: no control character,
// but for the line break that ends it (an unfinished line has none).
const ANSWER = /^[^\u0000-\u001f\u007f-\u009f]*\n?$/;
// A reload's new page may ask for its lock before the old one has let go.
const LOCK_TRIES = 10;
const LOCK_WAIT = 100;

export class Keeper {
  constructor({ build, storage, session, locks, progress, unkept }) {
    Object.assign(this, { build, storage, session, locks, progress, unkept });
    // This tab's key, and the game being kept: { build, clock, answers,
    // name, turn, saved }, or null.
    this.key = null;
    this.game = null;
    // A closed tab's record that this tab's game continues, until replaced.
    this.from = null;
    this.length = 0;
    this.failed = false;
    this.pending = false;
    this.stale = false;
  }

  // A stored record as a game to continue, or null when it cannot be read
  // (it is then removed).
  load(key) {
    let game = null;
    try {
      const text = this.storage().getItem(key);
      if (text === null) return null;
      game = JSON.parse(text);
    } catch {
      game = null;
    }
    const fine = game && game.build === this.build && Number.isInteger(game.clock) && game.clock >= 0 &&
      game.clock < 2 ** 31 && Array.isArray(game.answers) && game.answers.length > 0 &&
      game.answers.every((answer) => typeof answer === 'string' && ANSWER.test(answer)) &&
      game.answers.join('').length <= MAX_ANSWERS && typeof game.name === 'string' &&
      Number.isInteger(game.turn) && game.turn >= 0 && game.turn <= 13 && Number.isFinite(game.saved);
    if (fine) return game;
    // Kept by another version: the page says why it starts anew.
    if (game && typeof game.build === 'string' && game.build !== this.build) this.stale = true;
    this.remove(key);
    return null;
  }

  remove(key) {
    try {
      this.storage().removeItem(key);
    } catch {
      // Storage that cannot be used holds nothing to remove.
    }
  }

  // Whether this tab now holds the lock of KEY (true without Web Locks).
  async hold(key) {
    if (!this.locks) return true;
    for (let i = 0; i < LOCK_TRIES; i++) {
      const held = await new Promise((resolve) => {
        this.locks.request(key, { ifAvailable: true }, (lock) => {
          resolve(!!lock);
          // Held until the tab closes.
          return lock && new Promise(() => {});
        }).catch(() => resolve(true));
      });
      if (held) return true;
      await new Promise((resolve) => setTimeout(resolve, LOCK_WAIT));
    }
    return false;
  }

  // At the page's start: this tab's own unfinished game, to continue at
  // once ({ own }); or a closed tab's, to offer ({ offer }); or neither;
  // `stale` when a game kept by another build was dropped.
  async begin() {
    let key = null;
    try {
      key = this.session().getItem(TAB);
    } catch {
      key = null;
    }
    // A tab duplicated from another has its key, and its lock is the other's.
    if (key && key.startsWith(PREFIX) && (await this.hold(key))) {
      this.key = key;
      const own = this.load(key);
      if (own) return { own };
    } else {
      this.key = PREFIX + Date.now().toString(36) + Math.random().toString(36).slice(2);
      try {
        this.session().setItem(TAB, this.key);
      } catch {
        // Without session storage a reload starts anew, as a new tab does.
      }
      await this.hold(this.key);
    }
    return { offer: await this.orphan(), stale: this.stale };
  }

  // The newest record of a tab that is closed, if Web Locks can tell.
  async orphan() {
    if (!this.locks) return null;
    let held = [];
    let keys = [];
    try {
      held = (await this.locks.query()).held.map((lock) => lock.name);
      const storage = this.storage();
      keys = Array.from({ length: storage.length }, (_, i) => storage.key(i));
    } catch {
      return null;
    }
    const games = keys.filter((key) => key && key.startsWith(PREFIX) && !held.includes(key) && key !== this.key)
      .map((key) => ({ key, game: this.load(key) })).filter(({ game }) => game);
    games.sort((a, b) => b.game.saved - a.game.saved);
    return games[0] || null;
  }

  // A game starts under CLOCK, kept under this tab's key: a new one, or
  // KEPT continued (its answers are handed over again, and added again);
  // FROM, a closed tab's record it continues, is removed once this tab's
  // holds its answers.
  start(clock, from, kept) {
    this.game = { build: this.build, clock, answers: [], name: kept ? kept.name : '', turn: kept ? kept.turn : 0 };
    this.length = 0;
    this.failed = false;
    this.from = from || null;
  }

  // An answer handed over (null: the input ended).
  add(answer) {
    if (!this.game) return;
    if (answer === null) {
      this.end();
      return;
    }
    this.game.answers.push(answer);
    this.length += answer.length;
    if (this.length > MAX_ANSWERS) {
      this.end();
      this.cannot();
      return;
    }
    // Written once for all that is handed over at once (a paste of lines).
    if (this.pending) return;
    this.pending = true;
    queueMicrotask(() => {
      this.pending = false;
      this.write();
    });
  }

  write() {
    if (!this.game || !this.key || !this.game.answers.length) return;
    this.game.saved = Date.now();
    // A continued game's progress counts again from its start.
    const progress = this.progress();
    if (progress.turn >= this.game.turn) Object.assign(this.game, progress);
    try {
      this.storage().setItem(this.key, JSON.stringify(this.game));
      if (this.from) this.remove(this.from);
      this.from = null;
    } catch {
      // What is stored is older than the game: it must not be continued.
      this.remove(this.key);
      this.cannot();
    }
  }

  cannot() {
    if (this.failed) return;
    this.failed = true;
    this.unkept();
  }

  // The game ended, or another starts: nothing is kept of it.
  end() {
    this.game = null;
    if (this.key) this.remove(this.key);
  }
}
