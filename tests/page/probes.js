// What the page's tests run in the page: each function reads what a player
// would see or hear, or acts as a player would. A test sends this whole file
// with a call of one of them (page_test.py's probe()).
'use strict';
/* exported hear, paste, contrast, entries, pinned, boardState, centre, doubleTap */

// Every line the live region is given, as a screen reader is told of it, in
// window.heardLines (run before the page's own scripts).
function hear() {
  window.heardLines = [];
  document.addEventListener('DOMContentLoaded', () => new MutationObserver((changes) => {
    for (const change of changes) for (const node of change.addedNodes) window.heardLines.push(node.textContent);
  }).observe(document.getElementById('spoken'), { childList: true }));
}

// TEXT pasted into the element that has the focus.
function paste(text) {
  const data = new DataTransfer();
  data.setData('text/plain', text);
  document.activeElement.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data }));
}

// The contrast of the transcript's text of the class KIND ('', answer,
// error) with its background, as WCAG reckons it.
function contrast(kind) {
  const probe = document.createElement('span');
  const transcript = document.getElementById('transcript');
  probe.className = kind;
  transcript.append(probe);
  const [text, back] = [getComputedStyle(probe).color, getComputedStyle(transcript).backgroundColor].map((color) => {
    const [r, g, b] = color.match(/[\d.]+/g).slice(0, 3)
      .map((c) => ((c /= 255) <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4));
    return 0.2126 * r + 0.7152 * g + 0.0722 * b + 0.05;
  });
  probe.remove();
  return Math.max(text, back) / Math.min(text, back);
}

// Of the last menu's 13 entries: how many lines the number and label take,
// how far right of the entry's start the rest begins, on how many lines.
function entries() {
  return [...document.querySelectorAll('#transcript .line')].filter((line) => line.querySelector('.entry'))
    .slice(-13).map((line) => {
      const range = document.createRange();
      range.selectNodeContents(line.lastChild);
      const rest = [...range.getClientRects()].filter((r) => r.width > 0).map((r) => r.left);
      return [line.querySelector('.entry').getClientRects().length,
        Math.min(...rest) - line.getBoundingClientRect().left, rest.length];
    });
}

// How many lines stay pinned in sight as the transcript scrolls.
function pinned() {
  return [...document.querySelectorAll('#transcript .line')]
    .filter((line) => getComputedStyle(line).position === 'sticky').length;
}

// The board's controls: [name, aria-pressed, aria-disabled] of the dice, the
// reroll button and the categories; the transcript; the computer's column,
// its turn's line and the chance line.
function boardState() {
  return [[...document.querySelectorAll('#board button')].map((b) => [
    b.getAttribute('aria-label') || b.textContent.replace(/\s+/g, ' ').trim(),
    b.getAttribute('aria-pressed'), b.getAttribute('aria-disabled')]),
  document.getElementById('transcript').textContent,
  [...document.querySelectorAll('#card-rows tr')].map((row) => row.cells[1].textContent),
  document.getElementById('computer-turn').textContent, document.getElementById('chance').textContent];
}

// The board's button whose name begins with NAME, brought into view.
function control(name) {
  const button = [...document.querySelectorAll('#board button')].find(
    (b) => (b.getAttribute('aria-label') || b.textContent).startsWith(name));
  button.scrollIntoView({ block: 'nearest' });
  return button;
}

// The centre of that button, in the viewport.
function centre(name) {
  const r = control(name).getBoundingClientRect();
  return [r.x + r.width / 2, r.y + r.height / 2];
}

// A double tap on that button: a click, and another as soon as the game asks
// again (a control of the board works again, which none does from the first
// click's answer until the game waits), whose delay after the first goes to
// window.doubleTap.
function doubleTap(name) {
  const button = control(name);
  const board = document.getElementById('board');
  const start = performance.now();
  window.doubleTap = null;
  const observer = new MutationObserver(() => {
    if (![...board.querySelectorAll('button')].some((c) => c.getAttribute('aria-disabled') === 'false')) return;
    observer.disconnect();
    // A tap of its own, not one inside the first's click.
    setTimeout(() => {
      button.click();
      window.doubleTap = performance.now() - start;
    });
  });
  observer.observe(board, { attributes: true, subtree: true, attributeFilter: ['aria-disabled'] });
  button.click();
  return null;
}
