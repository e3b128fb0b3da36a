#!/usr/bin/python3
"""The web page in a real browser (Debian's chromium, driven by selenium).

  page_test.py serve SITE STATE   starts a web server for SITE on 127.0.0.1
  page_test.py stop STATE         stops it
  page_test.py NODE GAME_JS STATE SHOTS PageTest.test_...
                                  runs one test against the page that server
                                  serves; the game built for node, GAME_JS,
                                  is the reference, and screenshots go to
                                  the folder SHOTS.

The browser's clock is fixed, so the page deals the dice that the node build
deals under the same clock, and both final score cards can be compared byte
for byte.
"""
import os
import signal
import subprocess
import sys
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.keys import Keys

CLOCK_MS = 1700000000000
FIX_CLOCK = f'Date.now = () => {CLOCK_MS};'
CARDS = '$$$$$$$$$$ Game Over $$$$$$$$$$'
PASTE = ('const data = new DataTransfer(); data.setData("text/plain", arguments[0]);'
         'document.activeElement.dispatchEvent(new ClipboardEvent("paste", {clipboardData: data}));')


def serve(site, state):
    server = subprocess.Popen(
        [sys.executable, '-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', site],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, start_new_session=True)
    line = server.stdout.readline()  # "Serving HTTP on 127.0.0.1 port N (...) ..."
    if ' port ' not in line:
        sys.exit(f'page_test.py: the web server did not start: {line!r}')
    with open(state, 'w') as f:
        f.write(f"{server.pid} {line.split(' port ')[1].split()[0]}\n")


def stop(state):
    with open(state) as f:
        pid = int(f.read().split()[0])
    os.remove(state)
    os.kill(pid, signal.SIGTERM)


class PageTest(unittest.TestCase):
    def setUp(self):
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update',
                     '--disable-sync', '--window-size=1000,800'):
            options.add_argument(flag)
        self.browser = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        self.addCleanup(self.browser.quit)
        self.browser.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': FIX_CLOCK})
        with open(STATE) as f:
            self.browser.get(f'http://127.0.0.1:{f.read().split()[1]}/')

    def screen(self):
        """Every line the terminal holds, scrollback included, trailing blanks cut."""
        return self.browser.execute_script(
            'term.selectAll(); const all = term.getSelection(); term.clearSelection(); return all;'
        ).rstrip()

    def until(self, done, what):
        deadline = time.monotonic() + 30
        while not done():
            if time.monotonic() > deadline:
                self.browser.save_screenshot(os.path.join(SHOTS, self.id() + '.png'))
                self.fail(f'waited in vain for {what}; the screen ends:\n{self.screen()[-2000:]}')
            time.sleep(0.02)

    def wait_for(self, text, count=1):
        self.until(lambda: self.screen().count(text) >= count, f'{text!r} x{count}')

    def keys(self, *keys):
        self.browser.switch_to.active_element.send_keys(*keys)

    def paste(self, text):
        self.browser.execute_script(PASTE, text)

    def end_message(self):
        """What the page says once the game has ended."""
        status = self.browser.find_element('id', 'status')
        self.until(status.is_displayed, 'the end of the game')
        return status.text

    def test_complete_game_shows_the_cards_the_game_deals_under_the_same_clock(self):
        self.wait_for('Please Enter Your Name:')
        self.keys('Robim', Keys.BACKSPACE, 'n', Keys.ENTER)
        for turn in range(1, 14):
            self.wait_for('If you don\'t want to reroll, input 00000', 2 * turn - 1)
            if turn == 7:  # One turn's three answers pasted at once.
                self.paste('00000\r00000\r7\r')
                continue
            self.keys('11', Keys.CONTROL, 'u', Keys.NULL, '00000', Keys.ENTER)
            self.wait_for('If you don\'t want to reroll, input 00000', 2 * turn)
            self.keys('00000', Keys.ENTER)
            self.wait_for('Enter the number of an available category (1-13):', turn)
            self.keys(str(turn), Keys.ENTER)
        self.assertEqual('Game over: compare the two Grand Totals above.', self.end_message())
        self.browser.save_screenshot(os.path.join(SHOTS, 'complete-game.png'))

        answers = 'Robin\n' + ''.join(f'00000\n00000\n{turn}\n' for turn in range(1, 14))
        node = subprocess.run([NODE, '-e', FIX_CLOCK + 'require(process.argv[1])', GAME_JS],
                              input=answers, capture_output=True, text=True, timeout=60)
        self.assertEqual((0, ''), (node.returncode, node.stderr))
        cards = '\n'.join(line.rstrip() for line in node.stdout.split('\n'))
        screen = self.screen()
        self.assertEqual(cards[cards.index(CARDS):].rstrip('\n'),
                         screen[screen.index(CARDS):].rstrip('\n'))
        self.assertIn('Player Name: Robin\n', screen)

    def test_ctrl_d_ends_the_game_and_play_again_starts_afresh(self):
        self.wait_for('Please Enter Your Name:')
        self.paste('Tesx')
        self.keys(Keys.BACKSPACE, 's', Keys.ENTER)
        self.wait_for('Reroll chance 1:')
        self.keys('0', Keys.BACKSPACE, Keys.CONTROL, 'd')
        self.assertEqual('The game ended with status 1.', self.end_message())
        self.assertIn('player Tess \'s turn', self.screen())
        self.assertTrue(self.screen().endswith('Input ended before the game was over.'))
        self.keys(Keys.ENTER)  # The focus is on Play again.
        self.wait_for('Please Enter Your Name:')
        self.assertNotIn('Tess', self.screen())
        self.keys('Ann', Keys.ENTER)
        self.wait_for('player Ann \'s turn')
        self.assertFalse(self.browser.find_element('id', 'status').is_displayed())

    def test_running_out_of_memory_ends_with_the_games_message(self):
        self.wait_for('Please Enter Your Name:')
        # xterm.js 3.8 reads each new character to a screen reader by
        # growing one text, which takes minutes for a line of megabytes.
        self.browser.execute_script('term.setOption("screenReaderMode", false);')
        self.browser.execute_script(PASTE.replace('arguments[0]', '"a".repeat(3e6) + "\\r"'))
        self.assertEqual('The game ended with status 1.', self.end_message())
        self.assertTrue(self.screen().endswith('a\nquorbix: out of memory'))


if __name__ == '__main__':
    if sys.argv[1] == 'serve':
        serve(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == 'stop':
        stop(sys.argv[2])
    else:
        NODE, GAME_JS, STATE, SHOTS = sys.argv[1:5]
        unittest.main(argv=[sys.argv[0]] + sys.argv[5:])
