// The answer field and its Enter button: what is typed, pasted or given by a
// phone's keyboard, taken apart into answers at its line breaks, without
// control characters. Enter hands over the line; Ctrl-D, as on a terminal,
// hands over the text without a line break, or on an empty field ends the
// input; Ctrl-U empties the field.
//
// Handed, when made: the form, the field and the button; `give(text)`,
// which hands an answer over to the game; `end()`, which ends its input;
// `playing()`, whether a game is being played.

// C0 and C1 controls: never shown in the field, never sent to the game.
const CONTROL = /[\u0000-\u001f\u007f-\u009f]/;
const CONTROLS = new RegExp(CONTROL.source, 'g');
const LINE_BREAK = /\r\n|\r|\n/;

export class AnswerField {
  constructor(form, field, enterButton, { give, end, playing }) {
    Object.assign(this, { field, give, end, playing });
    // Set while one Enter is being handled (see enter()).
    this.entered = false;
    this.listen(form, enterButton);
  }

  // What the field holds goes to the game: the text, and a line break unless
  // `ending` (Ctrl-D on a line with text, as a terminal has it).
  handOver(ending) {
    if (!this.playing()) return;
    const text = this.field.value.replace(CONTROLS, '') + (ending ? '' : '\n');
    this.field.value = '';
    this.give(text);
  }

  // Text put into the field at the cursor, as typed, pasted or given by a
  // phone's keyboard: each line break in it hands over the line it ends.
  insert(text) {
    const field = this.field;
    const start = field.selectionStart ?? field.value.length;
    const stop = field.selectionEnd ?? start;
    const after = field.value.slice(stop);
    const lines = (field.value.slice(0, start) + text).split(LINE_BREAK);
    const rest = lines.pop();
    for (const answer of lines) {
      field.value = answer;
      this.handOver(false);
    }
    field.value = (rest + after).replace(CONTROLS, '');
    const cursor = rest.replace(CONTROLS, '').length;
    field.setSelectionRange(cursor, cursor);
  }

  // Enter arrives as a key, as a line break the keyboard inserts, as the
  // form's submission, or as more than one of these (a line break and then
  // the submission, in Firefox): one Enter hands over one line.
  enter() {
    if (this.entered) return;
    this.entered = true;
    setTimeout(() => { this.entered = false; });
    this.handOver(false);
  }

  listen(form, enterButton) {
    const field = this.field;
    // A click or tap on Enter leaves the focus, and a phone's keyboard, in
    // the field.
    enterButton.addEventListener('mousedown', (event) => event.preventDefault());
    form.addEventListener('submit', (event) => {
      event.preventDefault();
      this.enter();
      if (this.playing()) field.focus();
    });
    field.addEventListener('beforeinput', (event) => {
      if (event.inputType === 'insertLineBreak' || event.inputType === 'insertParagraph') {
        event.preventDefault();
        this.enter();
      } else if (event.data && (LINE_BREAK.test(event.data) || CONTROL.test(event.data))) {
        event.preventDefault();
        this.insert(event.data);
      }
    });
    // A paste of one line is the browser's own; lines, or controls, are
    // taken apart here.
    field.addEventListener('paste', (event) => {
      const text = event.clipboardData ? event.clipboardData.getData('text/plain') : '';
      if (!LINE_BREAK.test(text) && !CONTROL.test(text)) return;
      event.preventDefault();
      this.insert(text);
    });
    // Whatever else brought a control in (a composition, a drop) takes it out.
    field.addEventListener('input', () => {
      if (!CONTROL.test(field.value)) return;
      const cursor = field.value.slice(0, field.selectionStart ?? 0).replace(CONTROLS, '').length;
      field.value = field.value.replace(CONTROLS, '');
      field.setSelectionRange(cursor, cursor);
    });
    // Enter; and Ctrl-D as on a terminal: on an empty field it ends the
    // input, else it hands the text over without a line break. Ctrl-U
    // empties the field.
    field.addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && !event.isComposing) {
        event.preventDefault();
        this.enter();
        return;
      }
      if (!event.ctrlKey || event.altKey || event.metaKey || event.isComposing) return;
      const key = event.key.toLowerCase();
      if (key === 'd') {
        event.preventDefault();
        if (field.value) {
          this.handOver(true);
        } else {
          this.end();
        }
      } else if (key === 'u') {
        event.preventDefault();
        field.value = '';
      }
    });
  }
}
