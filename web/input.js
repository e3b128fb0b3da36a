// The player's input to one game: lines handed over and not yet read, then
// (once ended) the end. The game asks for at most `max` bytes; `deliver`
// gets them as soon as there are some, or no bytes once the input has
// ended. What the game takes is shown first, where it takes it.
//
// Handed, when made: `show(bytes)`, told what the game takes; `waits()`,
// told when the game waits with nothing to read; `handedOver(text)`, told
// of each answer handed over (null: the end), so that no control offers
// another and the answer is kept.
export class Input {
  constructor({ show, waits, handedOver }) {
    this.queue = [];
    this.ended = false;
    this.waiting = null;
    this.encoder = new TextEncoder();
    Object.assign(this, { show, waits, handedOver });
  }

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

  handOver(text) {
    if (this.ended) return;
    this.handedOver(text);
    this.queue.push(this.encoder.encode(text));
    this.serve();
  }

  end() {
    this.ended = true;
    this.handedOver(null);
    this.serve();
  }
}
