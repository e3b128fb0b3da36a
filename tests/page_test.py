#!/usr/bin/python3
"""The web page in real browsers (Debian's chromium, driven by selenium; one
game each in Firefox ESR and in WebKitGTK), played from the site as the web
zip holds it.

  page_test.py list                       lists the tests, as unittest finds them;
                                          fails if a method is neither a test
                                          nor called
  page_test.py NODE GAME_JS SITE SHOTS AXE_JS PageTest.test_...
                                          runs one test against the page of
                                          SITE, served on 127.0.0.1 by a web
                                          server of the test's own; the game
                                          built for node, GAME_JS, is the
                                          reference, screenshots go to the
                                          folder SHOTS, and AXE_JS is
                                          axe-core's script

The browser's clock is fixed, so the page deals the dice that the node build
deals under the same clock, and both final score cards can be compared byte
for byte.
"""
import asyncio
import functools
import html
import http.server
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import websockets

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.keys import Keys

CLOCK_MS = 1700000000000
FIX_CLOCK = f'Date.now = () => {CLOCK_MS};'
CARDS = '$$$$$$$$$$ Game Over $$$$$$$$$$'
NAME = 'Please Enter Your Name:'
REROLL = 'If you don\'t want to reroll, input 00000'
CHOOSE = 'Enter the number of an available category (1-13):'
# What the tests run in the page: functions of tests/page/probes.js.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'page', 'probes.js')) as f:
    PROBES = f.read()


def probe(name):
    """A script that gives what the function NAME of PROBES gives for the
    script's arguments."""
    return f'{PROBES}\nreturn {name}(...arguments);'


HEAR = f'(function () {{ {PROBES}\nhear(); }})();'
PASTE, CONTRAST, ENTRIES, PINNED = map(probe, ('paste', 'contrast', 'entries', 'pinned'))
BOARD, CONTROL, CENTRE, DOUBLE = map(probe, ('boardState', 'control', 'centre', 'doubleTap'))
PHONE_AGENT = ('Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) '
               'Chrome/120.0.0.0 Mobile Safari/537.36')


def played(answers='Robin\n' + ''.join(f'00000\n00000\n{turn}\n' for turn in range(1, 14))):
    """A complete game of these answers (Robin's, always keeping the dice
    and taking the categories in order, unless told): the transcript the
    page should show, the node game's output with each answer where it is
    read; and the node run."""
    node = subprocess.run([NODE, '-e', FIX_CLOCK + 'require(process.argv[1])', GAME_JS],
                          input=answers, capture_output=True, text=True, timeout=60)
    prompts = (NAME + '  ', REROLL + '\n', CHOOSE + '\n')
    pieces = re.split('|'.join(f'(?<={re.escape(prompt)})' for prompt in prompts), node.stdout)
    taken = iter(answers.split('\n'))
    expected = ''.join(piece + next(taken) + '\n' if piece.endswith(prompts) else piece
                       for piece in pieces)
    return expected, node


LABELS = ['Aces', 'Twos', 'Threes', 'Fours', 'Fives', 'Sixes', '3 of a kind', '4 of a kind', 'Full House',
          'Sm Straight', 'Lg Straight', 'QUORBIX', 'Chance']
# A game by the board alone, wait by wait: the prompt and how many of it the
# game has written, and the names of the controls then tapped ("twice: ", a
# double tap, which counts once). A die tapped twice, then Reroll and Keep
# all dice double-tapped, a category at its prompt; a category at the third
# turn's second chance, double-tapped; at every other turn's first chance a
# filled category (nothing) and an open one, the second turn's double-tapped.
TAPS = ([(REROLL, 1, ['Die 2:', 'Die 2:', 'Die 1:', 'twice: Reroll 1 die']), (REROLL, 2, ['twice: Keep all dice']),
         (CHOOSE, 1, ['Aces ']), (REROLL, 3, ['Aces ', 'twice: Twos ']),
         (REROLL, 5, ['Keep all dice']), (REROLL, 6, ['twice: Threes '])] +
        [(REROLL, 2 * turn - 1, ['Aces ', LABELS[turn - 1] + ' ']) for turn in range(4, 14)])
TAPPED = 'Robin\n10000\n00000\n1\n' + ''.join(f'00000\n00000\n{turn}\n' for turn in range(2, 14))


# A menu entry (its label, whether it is filled, its score) and a hand line.
ENTRY = re.compile(r'^\(\d+\) ?- ([^.]*)\.+(Unavailable! A Score is already filled: )?(-?\d+)$', re.M)
HAND = re.compile(r'^ {3}\|(?: {3}\d {3}\|){5}$', re.M)


def menu_and_hand(screen):
    """The names the person's newest menu gives the board's categories,
    with whether each is filled, and those its newest hand line gives the
    dice."""
    menu = ENTRY.findall(screen.split('Which category will you fill in? ')[-1])[:13]
    hand = HAND.findall(screen.split("computer player's turn")[-1])
    return ([(f'{label} {value}', str(bool(filled)).lower()) for label, filled, value in menu],
            [f'Die {i}: {face}' for i, face in enumerate(re.findall(r'\d', hand[-1] if hand else ''), 1)])


def grand_totals(screen):
    """The two Grand Totals of the last two cards of SCREEN."""
    return [int(total) for total in re.findall(r'^Grand Total:_*(-?\d+)$', screen, re.M)[-2:]]


def computer_card(screen):
    """What the board shows of the computer after SCREEN, as the game's
    lines give it: its newest menu's held scores with the one it then
    filled, and its turn's line."""
    turns = screen.split('Computer Player is choosing one of these categories to fill:')
    if len(turns) < 2:
        return [''] * 13, ''
    entries = ENTRY.findall(turns[-1])[:13]
    column = [value if filled else '' for _, filled, value in entries]
    number, score = re.search(r'^The computer has filled the category (\d+) with a score (-?\d+)$',
                              turns[-1], re.M).groups()
    column[int(number) - 1] = score
    dice = re.findall(r'\d', HAND.findall(turns[-2])[-1])
    return column, f'Computer rolled {" ".join(dice)} and filled {entries[int(number) - 1][0]} with {score}.'


class Server:
    """A web server of the test's own, in this process, that keeps a list
    of what it answered; it can stop and start again on the same port."""

    def __init__(self, site):
        self.site, self.port, self.answers, self.httpd = site, 0, [], None

    def start(self):
        outer = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def log_request(self, code='-', size='-'):
                outer.answers.append((self.path, int(code)))

        handler = functools.partial(Handler, directory=self.site)
        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', self.port), handler)
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        if self.httpd:
            self.httpd.shutdown()
            self.httpd.server_close()
            self.httpd = None


class Engine(unittest.TestCase):
    """What every engine's tests share; each engine's class gives js(BODY,
    *ARGUMENTS), what a function of BODY returns in the page."""
    seconds = 30  # How long until() waits, unless told.

    def screen(self):
        """The transcript as the page shows it, trailing blanks cut."""
        return self.js('return document.getElementById("transcript").textContent').rstrip()

    def until(self, done, what, seconds=None):
        deadline = time.monotonic() + (seconds or self.seconds)
        while not done():
            if time.monotonic() > deadline:
                self.shoot(self.id())
                self.fail(f'waited in vain for {what}; the screen ends:\n{self.screen()[-2000:]}')
            time.sleep(0.02)

    def wait_for(self, text, count=1):
        self.until(lambda: self.screen().count(text) >= count, f'{text!r} x{count}')

    def board_waits(self, prompt, count):
        """Waits until the game has written PROMPT COUNT times and a control
        of the board works."""
        self.until(lambda: self.screen().count(prompt) >= count and 'false' in [
            disabled for _, _, disabled in self.js(BOARD)[0]], f'{prompt!r} x{count} on the board')

    def typed_game(self, name, answer):
        """Robin's game of played(): the name by name(), each later answer by
        answer(TEXT, TURN, STEP) once its prompt shows (STEP 0 and 1 the
        rerolls, 2 the category). The screen is the node game's."""
        self.wait_for(NAME)
        name()
        for turn in range(1, 14):
            for step, (prompt, count, text) in enumerate(
                    ((REROLL, 2 * turn - 1, '00000'), (REROLL, 2 * turn, '00000'), (CHOOSE, turn, str(turn)))):
                self.wait_for(prompt, count)
                answer(text, turn, step)
        self.wait_for('Grand Total:', 2)
        expected, node = played()
        self.assertEqual((0, ''), (node.returncode, node.stderr))
        self.assertEqual(expected.rstrip(), self.screen())
        return node

    def board_game(self, name, tap):
        """Robin's game of TAPS, the name by name(), each control by tap(NAME).
        At each wait the game waits at that prompt, no answer ahead; the dice
        are the newest hand line's, the computer's column and line its newest
        turn's, the chance line the prompt's; what the categories said at the
        last wait is what the person's next menu says. Taps at one wait come
        more than a double tap's interval after those at the last. Once the
        game has ended, no control works and a tap of each hands over nothing;
        the screen is the node game's."""
        self.wait_for(NAME)
        name()
        said, menus, tapped = None, 0, 0
        for prompt, count, names in TAPS:
            self.board_waits(prompt, count)
            controls, screen, computer, turn, chance = self.js(BOARD)
            self.assertEqual((count, prompt), (screen.count(prompt), screen.rstrip()[-len(prompt):]))
            menu, hand = menu_and_hand(screen)
            self.assertEqual(hand, [name for name, _, _ in controls[:5]])
            self.assertEqual(computer_card(screen), (computer, turn))
            self.assertEqual(f'Reroll {2 - count % 2} of 2' if prompt == REROLL else 'Choose a category', chance)
            if screen.count('Which category') > menus and said:
                self.assertEqual([name for name, _ in menu], said)
            said, menus = [name for name, _, _ in controls[6:]], screen.count('Which category')
            time.sleep(max(0, tapped + 0.35 - time.monotonic()))
            for name in names:
                if name.startswith('twice: '):
                    self.js(DOUBLE, name[len('twice: '):])
                    self.until(lambda: self.js('return window.doubleTap') is not None, f'a double tap of {name}')
                    self.assertLess(self.js('return window.doubleTap'), 300, f'no double tap of {name}')
                else:
                    tap(name)
            tapped = time.monotonic()
        self.wait_for('Grand Total:', 2)
        screen = self.screen()
        self.assertEqual(said, [name for name, _ in menu_and_hand(screen)[0]])
        self.js('document.querySelectorAll("#board button").forEach((b) => b.click()); return null;')
        self.assertEqual(played(TAPPED)[0].rstrip(), self.screen())
        self.assertEqual({'true'}, {disabled for _, _, disabled in self.js(BOARD)[0]})

    def shoot(self, name):
        """A screenshot to SHOTS, where the engine's driver takes one."""

    def serve(self, site=None):
        """A web server of this test's own for SITE (the zip's, unless told),
        started, and its address."""
        server = Server(site or SITE)
        server.start()
        self.addCleanup(server.stop)
        return server, f'http://127.0.0.1:{server.port}/'


class Selenium(Engine):
    """An engine driven through selenium's self.browser."""

    def js(self, script, *arguments):
        return self.browser.execute_script(script, *arguments)

    def shoot(self, name):
        self.browser.save_screenshot(os.path.join(SHOTS, name + '.png'))

    def keys(self, *keys):
        self.browser.switch_to.active_element.send_keys(*keys)

    def active(self):
        return self.js('return document.activeElement.id')

    def status(self):
        return self.js('return document.getElementById("status").textContent')

    def end_message(self):
        """What the page says once the game has ended."""
        self.until(lambda: self.js('return !document.getElementById("again").hidden'),
                   'the end of the game')
        return self.status()

    def click(self, element_id):
        self.browser.find_element('id', element_id).click()


class PageTest(Selenium):
    def setUp(self):
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update',
                     '--disable-sync', '--window-size=1000,800'):
            options.add_argument(flag)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        self.browser = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        self.addCleanup(self.browser.quit)
        for source in (FIX_CLOCK, HEAR):
            self.cdp('Page.addScriptToEvaluateOnNewDocument', source=source)
        self.address = self.serve()[1]

    def cdp(self, command, **arguments):
        return self.browser.execute_cdp_cmd(command, arguments)

    def paste(self, text):
        self.js(PASTE, text)

    def end_the_game(self):
        """End the game, and End the game when asked whether to."""
        self.click('end-game')
        self.browser.find_element('css selector', '#confirm button[value=end]').click()

    def no_accessibility_faults(self, when):
        with open(AXE_JS) as f:
            self.js(f.read())
        found = self.browser.execute_async_script(
            'axe.run(document).then((r) => arguments[0](r.violations.map('
            '(v) => v.id + ": " + v.nodes.map((n) => n.target.join(" ")).join(", "))));')
        self.assertEqual([], found, f'axe-core {when}')

    def test_complete_game_typed_key_by_key_is_the_games_own_and_heard_line_by_line(self):
        self.browser.get(self.address)
        self.wait_for(NAME)
        self.assertEqual('', self.status())  # No longer "Loading the game…".
        self.no_accessibility_faults('at the start')

        def answer(text, turn, step):
            if turn != 7:
                self.keys(*('11', Keys.CONTROL, 'u', Keys.NULL)[:4 * (step == 0)], text, Keys.ENTER)
            elif step == 0:  # One turn's three answers pasted at once.
                self.no_accessibility_faults('during the game')
                self.paste('00000\r\n00000\n7\r')
        node = self.typed_game(lambda: self.keys('Robim', Keys.BACKSPACE, 'n', Keys.ENTER), answer)
        message = self.end_message()
        self.browser.save_screenshot(os.path.join(SHOTS, 'complete-game.png'))
        self.assertEqual(0, self.js(PINNED))
        self.assertIn(CARDS, node.stdout)
        robin, computer = grand_totals(node.stdout)
        higher = ('your Grand Total is higher' if robin > computer else
                  "the computer's Grand Total is higher" if robin < computer else 'the two Grand Totals are equal')
        self.assertEqual(f'Game over. Robin {robin}, Computer {computer}: {higher}.', message)
        # A screen reader heard every line with text once, in order; the
        # name prompt, which has no line break, before the name.
        lines = [line.strip() for line in self.screen().split('\n') if line.strip()]
        lines[0:1] = [NAME, 'Robin']
        self.assertEqual(lines, [text.strip() for text in self.js('return window.heardLines')])
        self.no_accessibility_faults('at the end')
        self.assertEqual('status', self.active())
        self.keys(Keys.ENTER)  # A stray Enter starts nothing.
        time.sleep(0.5)
        self.assertEqual(1, self.screen().count(NAME))
        self.assertEqual(message, self.status())

    def in_view(self, selector):
        return self.js('return [...document.querySelectorAll(arguments[0])].every((e) => {'
                       ' const r = e.getBoundingClientRect(); return r.top >= 0 && r.bottom <= innerHeight; })',
                       selector)

    def phone(self, height, width=390, scale=3):
        self.cdp('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=scale,
                 mobile=True)

    def test_a_game_tapped_on_the_board_alone_is_the_games_own_on_a_phone(self):
        self.phone(844)
        self.cdp('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=5)
        self.browser.get(self.address)

        def tap(name):
            if self.screen().rstrip().endswith(CHOOSE):  # Dice, Reroll and every category in view.
                self.assertTrue(self.in_view('#dice button, #reroll, #card-rows button'))
            x, y = self.js(CENTRE, name)
            for kind, points in (('touchStart', [{'x': x, 'y': y}]), ('touchEnd', [])):
                self.cdp('Input.dispatchTouchEvent', type=kind, touchPoints=points)
            self.assertNotEqual('field', self.active())  # No keyboard comes up.
        self.board_game(lambda: self.keys('Robin', Keys.ENTER), tap)
        robin, computer = grand_totals(self.screen())
        totals = f'Grand Total:{robin}{" (higher)" * (robin > computer)}{computer}{" (higher)" * (computer > robin)}'
        self.assertEqual(totals, self.js('return document.getElementById("final").textContent').strip()[-len(totals):])

    def reload(self, second, where, prompt=None, count=0):
        """The page reloaded, its clock SECOND seconds on. Once it waits (at
        PROMPT's COUNTth, else as it was), the log has said only WHERE the
        game is, and the board and transcript are as they were."""
        before = self.js(BOARD)
        self.cdp('Page.addScriptToEvaluateOnNewDocument', source=f'Date.now = () => {CLOCK_MS + 1000 * second};')
        self.browser.refresh()
        if prompt:
            self.board_waits(prompt, count)
        else:
            self.until(lambda: self.js(BOARD) == before, 'the board as it was')
        self.assertEqual([f'Your game continues: turn {where}.'], self.js('return window.heardLines'))

    def test_a_game_reloaded_or_reopened_continues_exactly_beside_another_tabs(self):
        self.browser.get(self.address)
        self.wait_for(NAME)
        for second, (answer, prompt, count, where) in enumerate((
                ('Robin', REROLL, 1, ''), ('10100', REROLL, 2, '1 of 13, reroll 2 of 2'),
                ('00000', CHOOSE, 1, '1 of 13, choose a category'), ('1', REROLL, 3, ''))):
            self.keys(answer, Keys.ENTER)
            self.board_waits(prompt, count)
            if where:
                self.reload(5 * second, where)
        self.js(CONTROL, 'Twos ').click()
        self.reload(20, '3 of 13, reroll 1 of 2', REROLL, 5)
        # A second tab plays its own game, and a reload continues it.
        first, board = self.browser.current_window_handle, self.js(BOARD)
        self.browser.switch_to.new_window('tab')
        self.browser.get(self.address)
        self.wait_for(NAME)
        self.keys('Ann', Keys.ENTER)
        self.board_waits(REROLL, 1)
        self.browser.refresh()
        self.board_waits(REROLL, 1)
        self.assertIn("player Ann 's turn", self.screen())
        # The first tab closed, a new one offers its game; one tap continues it.
        second = self.browser.current_window_handle
        self.browser.switch_to.window(first)
        self.browser.close()
        self.browser.switch_to.window(second)
        self.browser.switch_to.new_window('tab')
        self.browser.get(self.address)
        self.until(lambda: self.active() == 'continue', 'the offer to continue')
        self.assertEqual('Continue the game of Robin, turn 3', self.js('return document.activeElement.textContent'))
        self.keys(Keys.ENTER)
        self.until(lambda: self.js(BOARD) == board, 'the first tab\'s board')
        rest = ''.join(f'00000\n00000\n{turn}\n' for turn in range(3, 14))
        self.paste(rest)
        self.wait_for('Grand Total:', 2)
        self.assertEqual(played('Robin\n10100\n00000\n1\n00000\n00000\n2\n' + rest)[0].rstrip(), self.screen())
        # Ended, it is not continued; the second tab's game is its own.
        self.browser.refresh()
        self.wait_for(NAME)
        self.assertEqual(NAME, self.screen())

    def test_a_record_unread_or_of_another_build_starts_anew_and_storage_that_throws_plays_on(self):
        self.browser.get(self.address)
        # Not JSON, an answer no field gives, too long, another build's.
        stale = 'Your unfinished game was kept by another version of quorbix, and a new one starts.'
        for change, said in (({}, ''), ({'answers': ['Rob\u0007\n']}, ''), ({'answers': ['a' * 70000 + '\n']}, ''),
                             ({'build': 'another'}, stale)):
            self.wait_for(NAME)
            self.keys('Robin', Keys.ENTER)
            self.board_waits(REROLL, 1)
            key = self.js('return sessionStorage.getItem("quorbix-tab")')
            record = json.dumps({**json.loads(self.js('return localStorage.getItem(arguments[0])', key)), **change})
            self.browser.get(self.address + 'LICENSE.txt')  # A visit elsewhere, and back.
            self.js('localStorage.setItem(arguments[0], arguments[1])', key, record if change else record[:-2])
            self.browser.get_log('browser')  # What the visit elsewhere logged.
            self.browser.get(self.address)
            self.wait_for(NAME)
            self.assertEqual((NAME, said, None, []), (
                self.screen(), self.status(), self.js('return localStorage.getItem(arguments[0])', key),
                [entry for entry in self.browser.get_log('browser') if entry['level'] == 'SEVERE']))
        self.cdp('Page.addScriptToEvaluateOnNewDocument',
                 source='Storage.prototype.setItem = () => { throw new DOMException("full", "QuotaExceededError"); };')
        self.browser.refresh()
        self.wait_for(NAME)
        self.keys('Robin', Keys.ENTER)
        self.board_waits(REROLL, 1)
        self.assertEqual('This game cannot be kept if the page is closed.', self.status())

    def test_typed_answers_keys_and_the_board_in_one_game_on_a_small_phone(self):
        self.phone(664)
        self.browser.get(self.address)
        self.wait_for(NAME)

        def agrees(prompt, count, view):
            self.board_waits(prompt, count)
            controls, screen = self.js(BOARD)[:2]
            menu, hand = menu_and_hand(screen)
            self.assertEqual(hand, [name for name, _, _ in controls[:5]])
            if prompt == CHOOSE:
                self.assertEqual(menu, [(name, disabled) for name, _, disabled in controls[6:]])
            self.assertTrue(self.in_view(view), view)
        self.keys('Ann', Keys.ENTER)
        agrees(REROLL, 1, '#dice button, #reroll')
        self.keys('1010', Keys.ENTER)  # Rerolls the first and third dice.
        agrees(REROLL, 2, '#dice button, #reroll')
        # Reached by Tab and worked by Space and Enter: die 2 marked twice,
        # then Keep all dice.
        self.js('document.querySelector("#rules summary").focus()')
        self.keys(Keys.TAB, Keys.TAB, Keys.SPACE)
        self.assertEqual('true', self.js('return document.activeElement.ariaPressed'))
        self.no_accessibility_faults('with a die marked')
        self.keys(Keys.SPACE, Keys.TAB, Keys.TAB, Keys.TAB, Keys.TAB, Keys.ENTER)
        agrees(CHOOSE, 1, '#card-rows button')
        self.assertIn(REROLL + '\n00000\n', self.screen())
        self.click('field')
        self.keys('abc', Keys.ENTER)  # No such category: asked again.
        agrees(CHOOSE, 2, '#card-rows button')
        screen = self.screen()  # The dice and Reroll do nothing now.
        self.js('document.getElementById("reroll").click(); document.querySelector(".die").click()')
        self.assertEqual((screen, 'false'),
                         (self.screen(), self.js('return document.querySelector(".die").ariaPressed')))
        self.keys('13', Keys.ENTER)
        agrees(REROLL, 3, '#dice button, #reroll')
        self.keys('00000 00000 13', Keys.ENTER)  # Typed ahead; Chance is filled.
        agrees(CHOOSE, 4, '#card-rows button')
        self.js('document.querySelector("#card-rows button").click()')  # Aces.
        agrees(REROLL, 5, '#dice button, #reroll')
        self.assertIn(f'{CHOOSE}\n1\nOne category Successfully filled', self.screen())
        # The game reads a category typed as 010 or 0x9 as 8 or 9; the board
        # does not guess: until the next menu, it claims no category more
        # and offers none.
        self.keys('00000 00000', Keys.ENTER)
        for reroll, choose, word in ((7, 5, '010'), (9, 6, '0x9')):
            agrees(CHOOSE, choose, '#card-rows button')
            self.keys(word, Keys.ENTER)
            agrees(REROLL, reroll, '#dice button, #reroll')
            controls, screen = self.js(BOARD)[:2]
            self.assertEqual([(name if filled == 'true' else name.rsplit(' ', 1)[0], 'true')
                              for name, filled in menu_and_hand(screen)[0]],
                             [(name, disabled) for name, _, disabled in controls[6:]])
            self.keys('00000 00000', Keys.ENTER)
        agrees(CHOOSE, 7, '#card-rows button')
        self.assertEqual(['true', 'true'], [filled for _, filled in menu_and_hand(self.screen())[0][7:9]])
        self.end_the_game()
        self.assertEqual('You ended the game before its end.', self.end_message())
        self.assertEqual({'true'}, {disabled for _, _, disabled in self.js(BOARD)[0]})

    def test_keyboard_moves_freely_ctrl_d_ends_and_play_again_starts_afresh(self):
        # A slow network: the game is still loading when the page is, and a
        # name typed meanwhile is kept and shown after the prompt.
        self.cdp('Network.enable')
        self.cdp('Network.emulateNetworkConditions', offline=False, latency=0,
                 downloadThroughput=50000, uploadThroughput=50000)
        self.browser.get(self.address)
        self.assertEqual('Loading the game…', self.status())
        self.assertEqual('field', self.active())
        self.paste('Tesx\t\x9b')
        self.keys(Keys.BACKSPACE, 's', Keys.ENTER)
        self.wait_for("player Tess 's turn")
        self.assertTrue(self.screen().startswith(NAME + '  Tess\n'))
        self.assertEqual('numeric', self.js('return document.getElementById("field").inputMode'))
        self.keys(Keys.TAB)
        self.assertEqual('BUTTON', self.js('return document.activeElement.tagName'))
        self.assertNotEqual('none', self.js('return getComputedStyle(document.activeElement).outlineStyle'))
        self.keys(Keys.SHIFT, Keys.TAB)
        self.assertEqual('field', self.active())
        # Ctrl-D on text hands it over without ending the line.
        self.keys('000', Keys.CONTROL, 'd', Keys.NULL)
        self.assertEqual('', self.js('return document.getElementById("field").value'))
        self.keys('00', Keys.ENTER)
        self.wait_for(REROLL + '\n00000\n')
        self.keys('0', Keys.BACKSPACE, Keys.CONTROL, 'd')
        self.assertEqual('You ended the game before its end.', self.end_message())
        self.assertTrue(self.screen().endswith('Input ended before the game was over.'))
        self.keys(Keys.ENTER)  # The focus is on the message, not on Play again.
        time.sleep(0.5)
        self.assertIn('Tess', self.screen())
        self.browser.find_element('id', 'again').click()
        self.wait_for(NAME)
        self.assertNotIn('Tess', self.screen())
        self.assertEqual('text', self.js('return document.getElementById("field").inputMode'))
        self.keys('Ann', Keys.ENTER)
        self.wait_for("player Ann 's turn")
        self.assertTrue(self.js('return document.getElementById("again").hidden'))

    def test_phone_keyboard_text_compositions_and_soft_enter_reach_the_game(self):
        self.phone(740, 360)
        self.cdp('Emulation.setTouchEmulationEnabled', enabled=True)
        self.cdp('Network.setUserAgentOverride', userAgent=PHONE_AGENT)
        self.browser.get(self.address)
        self.wait_for(NAME)
        # Text without key events, a control among it, a deletion, the soft
        # keyboard's line break: the game gets what the field showed.
        self.cdp('Input.insertText', text='Zoë李\u009b')
        self.assertEqual('Zoë李', self.js('return document.getElementById("field").value'))
        self.keys(Keys.BACKSPACE)
        self.cdp('Input.insertText', text='x')
        self.cdp('Input.insertText', text='\n')
        self.wait_for("player Zoëx 's turn")
        self.assertIn(NAME + '  Zoëx\n', self.screen())
        # An IME composition, committed, then the keyboard's Enter key.
        for answer in ('10100', '00000'):
            self.cdp('Input.imeSetComposition', text=answer[:3], selectionStart=3, selectionEnd=3)
            self.cdp('Input.insertText', text=answer)
            self.cdp('Input.dispatchKeyEvent', type='keyDown', key='Enter', code='Enter',
                     windowsVirtualKeyCode=13, text='\r')
            self.cdp('Input.dispatchKeyEvent', type='keyUp', key='Enter', code='Enter',
                     windowsVirtualKeyCode=13)
        self.wait_for(CHOOSE)
        self.assertIn(REROLL + '\n10100\n', self.screen())
        self.assertIn(REROLL + '\n00000\n', self.screen())
        # The page fits the phone, upright and turned: nothing wider than
        # the screen, and the text keeps its size (WebKitGTK, unlike Safari,
        # has no text size adjustment to ask).
        self.assertEqual('100%', self.js('return getComputedStyle(document.documentElement).webkitTextSizeAdjust'))
        for width, height in ((360, 740), (740, 360)):
            self.phone(height, width)
            self.assertLessEqual(self.js('return document.documentElement.scrollWidth'), width)
            self.assertEqual(*self.js('const t = document.getElementById("transcript");'
                                      'return [t.scrollWidth, t.clientWidth];'))
        self.browser.save_screenshot(os.path.join(SHOTS, 'phone.png'))
        self.keys('3')  # Handed over as it is when the game is ended.
        self.end_the_game()
        self.assertEqual('You ended the game before its end.', self.end_message())
        self.assertIn(CHOOSE + '\n3One category Successfully filled', self.screen())

    def test_a_click_on_enter_keeps_the_field_and_no_single_click_ends_the_game(self):
        self.browser.get(self.address)
        self.wait_for(NAME)
        # The game reads 1,024 bytes at a time: the first ë is split.
        name = 'a' * 1023 + 'ëëë'
        self.paste(name + '\n')
        self.wait_for(f"player {name} 's turn")
        self.assertIn(NAME + '  ' + name + '\n', self.screen())
        self.keys('11111')
        self.click('enter')
        self.assertEqual('field', self.active())
        self.wait_for(REROLL + '\n11111\n')
        self.assertTrue(self.js('return document.getElementById("again").hidden'))
        self.click('end-game')  # Asked first; keeping on is the default.
        self.assertTrue(self.js('return document.getElementById("confirm").open'))
        self.keys(Keys.ENTER)
        self.until(lambda: self.active() == 'field', 'the field to have the focus again')
        self.assertEqual('', self.status())
        self.click('end-game')  # Escape keeps on playing too.
        self.keys(Keys.ESCAPE)
        self.until(lambda: self.active() == 'field', 'the field to have the focus again')
        self.assertFalse(self.js('return document.getElementById("confirm").open'))
        self.assertEqual('', self.status())
        self.keys('00000', Keys.ENTER)
        self.wait_for(CHOOSE)
        self.end_the_game()
        self.assertEqual('You ended the game before its end.', self.end_message())
        self.assertTrue(self.js('return document.getElementById("enter").disabled'))

    def test_the_menu_reads_on_a_phone_in_light_and_dark(self):
        self.phone(740, 360)
        self.browser.get(self.address)
        self.wait_for(NAME)
        self.paste('Ann\n' + ''.join(f'00000\n00000\n{turn}\n' for turn in range(1, 5)) +
                   '00000\n00000\n')
        self.wait_for(CHOOSE, 5)
        # Each entry's number and label on one line, what wraps indented
        # under the entry's start; the newest hand in sight at the top.
        lines = self.js(ENTRIES)
        self.assertEqual([1] * 13, [heads for heads, _, _ in lines])
        self.assertTrue(all(indent > 20 for _, indent, _ in lines), lines)
        self.assertTrue(all(rest > 1 for _, _, rest in lines[:4]), lines)  # Filled: wrapped.
        self.assertLess(self.js('return document.querySelector(".hand.latest").getBoundingClientRect().top'
                                ' - transcript.getBoundingClientRect().top'), 20)
        # Contrast of at least 7:1 for each kind of text, in both schemes.
        for scheme in ('light', 'dark'):
            self.cdp('Emulation.setEmulatedMedia',
                     features=[{'name': 'prefers-color-scheme', 'value': scheme}])
            for kind in ('', 'answer', 'error'):
                self.assertGreaterEqual(self.js(CONTRAST, kind), 7, (scheme, kind))
            self.assertEqual('light dark', self.js(
                'return getComputedStyle(document.getElementById("field")).colorScheme'))
        # The board and the text read at 320 px, the narrowest phone's width.
        self.phone(640, 320, 2)
        self.assertLessEqual(self.js('return document.documentElement.scrollWidth'), 320)

    def test_a_failed_load_says_what_failed(self):
        self.cdp('Network.enable')
        self.cdp('Network.setBlockedURLs', urls=['*quorbix.wasm'])
        self.browser.get(self.address)
        self.assertRegex(self.end_message(), r'^The game could not be loaded \(.*\)\. Check that')
        self.assertTrue(self.js('return document.getElementById("field").disabled'))

    def test_after_one_visit_it_plays_offline_and_a_new_version_follows_online(self):
        with tempfile.TemporaryDirectory() as root:
            # Hosted under a path of the host's, as a folder of a web site.
            site = os.path.join(root, 'games', 'quorbix')
            shutil.copytree(SITE, site)
            server, address = self.serve(root)
            address += 'games/quorbix/'
            self.browser.get(address)
            self.wait_for(NAME)
            self.assertEqual([], self.cdp('Page.getInstallabilityErrors')['installabilityErrors'])
            self.browser.execute_async_script(
                'navigator.serviceWorker.ready.then(() => arguments[0]());')
            self.assertEqual([], [answer for answer in server.answers if answer[1] not in (200, 304)])
            server.stop()
            self.browser.get(address)
            self.wait_for(NAME)
            self.keys('Offline', Keys.ENTER)
            self.wait_for("player Offline 's turn")
            # Offline, the copy serves every file of the site but the
            # screenshots of the install dialog and the worker itself.
            with open(os.path.join(site, 'manifest.webmanifest')) as f:
                shots = {shot['src'] for shot in json.load(f)['screenshots']}
            files = sorted(set(os.listdir(site)) - shots - {'sw.js'})
            self.assertEqual([[name, 200] for name in files], self.browser.execute_async_script(
                'Promise.all(arguments[0].map((name) => fetch(name).then((r) => [name, r.status],'
                '  (error) => [name, String(error)]))).then(arguments[1]);', files))
            with open(os.path.join(site, 'index.html'), 'r+') as f:
                page = f.read().replace('<title>quorbix</title>', '<title>quorbix, new</title>')
                f.seek(0)
                f.write(page)
            marks = {'./': '<!-- new -->\n', 'page.js': '// new\n', 'page.css': '/* new */\n'}
            for name, mark in marks.items():
                with open(os.path.join(site, name.replace('./', 'index.html')), 'a') as f:
                    f.write(mark)
            server.start()
            self.browser.get(address)
            self.wait_for(NAME)
            self.assertEqual('quorbix, new', self.browser.title)
            # The copy follows what the server gave: offline, the new version.
            self.until(lambda: [text[-len(mark):] for text, mark in zip(self.browser.execute_async_script(
                'Promise.all(arguments[0].map((name) => caches.match(name).then((r) => r ? r.text() : "")))'
                '.then(arguments[1]);', list(marks)), marks.values())] == list(marks.values()),
                'the new version in the offline copy')
            server.stop()
            self.browser.get(address)
            self.wait_for(NAME)
            self.assertEqual('quorbix, new', self.browser.title)

    def test_a_pasted_megabyte_is_handed_over_at_once_and_three_run_out_of_memory(self):
        self.browser.get(self.address)
        self.wait_for(NAME)
        took = self.browser.execute_async_script(
            f'{PROBES}\npaste("a".repeat(1e6) + "\\n");' +
            'const start = performance.now(), done = arguments[arguments.length - 1];'
            'const poll = () => document.getElementById("transcript").textContent'
            '    .includes("\'s turn to start a new hand") ? done(performance.now() - start)'
            '  : setTimeout(poll, 5);'
            'poll();')
        self.assertLess(took, 1000)
        self.assertIn('player ' + 'a' * 1000000 + " 's turn", self.screen())
        self.js('location.reload()')
        self.wait_for(NAME)
        self.paste('a' * 3000000 + '\n')
        self.assertEqual('The game ran out of memory and stopped.', self.end_message())
        self.assertEqual('quorbix: out of memory', self.js(
            'return document.querySelector("#transcript .error").textContent').strip())


def png(name):
    """The size of the site's PNG image NAME, and whether it is opaque (no
    alpha channel, no transparent colour)."""
    with open(os.path.join(SITE, name), 'rb') as f:
        image = f.read()
    if image[:8] != b'\x89PNG\r\n\x1a\n' or image[12:16] != b'IHDR':
        return None, False
    width, height, _, colour = struct.unpack('>IIBB', image[16:26])
    return f'{width}x{height}', colour in (0, 2) and b'tRNS' not in image


class SiteTest(unittest.TestCase):
    """The site's files as the zip holds them, read without a browser."""

    def test_rules_name_the_menus_categories_and_every_file_named_is_in_the_zip(self):
        with open(os.path.join(SITE, 'index.html')) as f:
            page = f.read()

        def text(markup):
            return html.unescape(re.sub(r'<[^>]*>', '', markup))
        rules = re.search(r'<details id="rules">(.*?)</details>', page, re.S)[1]
        self.assertIn('a bonus of 35', text(rules))
        # The rules name each category as the game's menu does, with its number.
        menu = re.findall(r'^\((\d+)\) ?- ([^.]*)\.', played()[1].stdout, re.M)[:13]
        named = []
        for term in map(text, re.findall(r'<dt>(.*?)</dt>', rules, re.S)):
            first, last, names = re.fullmatch(r'(\d+)(?:–(\d+))?: (.*)', term.strip()).groups()
            self.assertEqual(int(last or first) - int(first) + 1, len(names.split(', ')), term)
            named += [(str(int(first) + i), name) for i, name in enumerate(names.split(', '))]
        self.assertEqual(13, len(menu))
        self.assertEqual(menu, named)
        self.assertEqual(['quorbix'], list(map(text, re.findall(r'<h1>(.*?)</h1>', page, re.S))))
        # Every file the page and its manifest name is in the zip.
        named = set(re.findall(r'(?:href|src)="([^"#:]+)"', page))
        with open(os.path.join(SITE, 'manifest.webmanifest')) as f:
            manifest = json.load(f)
        named |= {image['src'] for image in manifest['icons'] + manifest['screenshots']}
        self.assertTrue(named)
        self.assertEqual(set(), named - set(os.listdir(SITE)))
        # Each image is a PNG of the size the manifest gives it; the icons of
        # an install; Apple's home screen's, 180 px and opaque.
        images = [image for image in manifest['icons'] + manifest['screenshots'] if image['src'].endswith('.png')]
        self.assertEqual([image['sizes'] for image in images], [png(image['src'])[0] for image in images])
        self.assertLessEqual({('192x192', 'any'), ('512x512', 'any'), ('512x512', 'maskable')},
                             {(icon['sizes'], icon.get('purpose', 'any')) for icon in manifest['icons']})
        touch = re.search(r'<link rel="apple-touch-icon" href="([^"]+)" sizes="([^"]+)">', page)
        self.assertEqual(('180x180', '180x180', True), (touch[2], *png(touch[1])))
        version = re.search(r'quorbix-(.*)-web\.zip', ' '.join(os.listdir(os.path.dirname(SITE))))[1]
        self.assertIn(f'quorbix {version},', text(page))
        self.assertTrue(re.search(r'<meta name="description" content="[^"]+">', page))


class FirefoxTest(Engine):
    """Complete games in Debian's Firefox ESR, one typed and one clicked on
    the board, driven through its WebDriver BiDi remote agent with
    python3-websockets (on an event loop of its own)."""
    seconds = 60

    def setUp(self):
        self.profile = tempfile.TemporaryDirectory()
        self.addCleanup(self.profile.cleanup)
        self.firefox = subprocess.Popen(
            ['/usr/bin/firefox-esr', '--headless', '--no-remote', '--profile', self.profile.name,
             '--remote-debugging-port=0', 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.addCleanup(self.firefox.wait, 30)
        self.addCleanup(self.firefox.terminate)
        for line in self.firefox.stderr:
            if line.startswith('WebDriver BiDi listening on '):
                address = line.split()[-1] + '/session'
                break
        else:
            self.fail('Firefox gave no WebDriver BiDi address')
        threading.Thread(target=self.firefox.stderr.read, daemon=True).start()
        # The socket's event loop runs only while a call waits for its answer.
        self.loop = asyncio.new_event_loop()
        asyncio.set_event_loop(self.loop)
        self.addCleanup(self.loop.close)
        self.socket, self.count = self.loop.run_until_complete(
            websockets.connect(address, max_size=None, ping_interval=None)), 0
        self.addCleanup(lambda: self.loop.run_until_complete(self.socket.close()))
        self.send('session.new', capabilities={})
        self.tab = self.send('browsingContext.getTree')['contexts'][0]['context']
        self.send('script.addPreloadScript', functionDeclaration=f'() => {{ {FIX_CLOCK} }}')
        self.send('browsingContext.navigate', context=self.tab, wait='complete', url=self.serve()[1])

    def send(self, method, **params):
        self.count += 1

        async def exchange():
            await self.socket.send(json.dumps({'id': self.count, 'method': method, 'params': params}))
            while (answer := json.loads(await asyncio.wait_for(self.socket.recv(), 60))).get('id') != self.count:
                pass
            return answer
        answer = self.loop.run_until_complete(exchange())
        self.assertEqual('success', answer['type'], answer)
        return answer['result']

    def js(self, body, *arguments):
        """What the function of BODY returns for ARGUMENTS, as JSON has it."""
        return json.loads(self.send('script.evaluate', target={'context': self.tab}, awaitPromise=False,
                                    expression=f'JSON.stringify((function () {{ {body} }})'
                                               f'(...{json.dumps(arguments)}))')['result']['value'])

    def actions(self, kind, device, actions):
        self.send('input.performActions', context=self.tab,
                  actions=[{'type': kind, 'id': device, 'actions': actions}])

    def type_line(self, text):
        self.actions('key', 'keyboard', [{'type': kind, 'value': key} for key in text + '\ue007'
                                         for kind in ('keyDown', 'keyUp')])

    def click(self, name):
        x, y = self.js(CENTRE, name)
        self.actions('pointer', 'mouse', [{'type': 'pointerMove', 'x': int(x), 'y': int(y)},
                                          {'type': 'pointerDown', 'button': 0},
                                          {'type': 'pointerUp', 'button': 0}])

    def test_complete_game_in_firefox_is_the_games_own(self):
        def answer(text, turn, step):
            if (turn, step) == (6, 0):  # A reload mid-game continues it.
                self.send('browsingContext.reload', context=self.tab, wait='complete')
                self.board_waits(REROLL, 11)
            self.type_line(text)
        self.typed_game(lambda: self.type_line('Robin'), answer)

    def test_a_game_clicked_on_the_board_alone_in_firefox_is_the_games_own(self):
        self.board_game(lambda: self.type_line('Robin'), self.click)


def clocked_site(folder):
    """A copy of the site in FOLDER, whose page fixes the clock first."""
    shutil.copytree(SITE, folder, dirs_exist_ok=True)
    with open(os.path.join(folder, 'index.html'), 'r+') as f:
        page = f.read().replace('<head>', f'<head>\n<script>{FIX_CLOCK}</script>', 1)
        f.seek(0)
        f.write(page)


class WebKitTest(Selenium):
    """The page in WebKit, Safari's engine: Debian's WebKitGTK MiniBrowser,
    driven by its WebKitWebDriver (run under xvfb-run), from a copy of the
    site whose page fixes the clock first, served by a server of the test's
    own."""

    def setUp(self):
        self.site = tempfile.TemporaryDirectory()
        self.addCleanup(self.site.cleanup)
        clocked_site(self.site.name)
        self.server, self.address = self.serve(self.site.name)
        options = webdriver.WebKitGTKOptions()
        options.binary_location = WEBKIT_BROWSER
        options.add_argument('--automation')
        self.browser = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver', options=options)
        self.addCleanup(self.browser.quit)

    def test_complete_game_in_webkit_is_the_games_own(self):
        self.browser.get(self.address)

        def name():
            self.keys('Robin')
            self.click('enter')  # A click on Enter, and then the keyboard's.
            self.assertEqual('field', self.active())

        def answer(text, turn, step):
            if (turn, step) == (1, 0):  # Asked whether to end, Escape keeps on playing.
                self.click('end-game')
                self.keys(Keys.ESCAPE)
                self.until(lambda: self.active() == 'field', 'the field to have the focus again')
            if (turn, step) == (6, 0):  # A reload mid-game continues it.
                self.browser.refresh()
                self.board_waits(REROLL, 11)
            self.keys(text, Keys.ENTER)
        self.typed_game(name, answer)
        self.assertRegex(self.end_message(), r'^Game over\. Robin ')
        self.assertEqual(0, self.js(PINNED))

    def test_a_game_clicked_on_the_board_alone_in_webkit_is_the_games_own(self):
        self.browser.get(self.address)
        self.board_game(lambda: self.keys('Robin', Keys.ENTER), lambda name: self.js(CONTROL, name).click())

    def test_phone_width_offline_and_the_end_dialog_in_webkit(self):
        self.browser.set_window_size(390, 844)
        self.browser.get(self.address)
        self.wait_for(NAME)
        self.browser.execute_async_script('navigator.serviceWorker.ready.then(() => arguments[0]());')
        self.server.stop()
        self.browser.get(self.address)
        self.wait_for(NAME)
        self.keys('Offline', Keys.ENTER)
        self.wait_for("player Offline 's turn")
        # Answers are digits: a number pad, with the page's Enter beside the
        # field (an iPhone's number pad has no return key).
        self.assertEqual('numeric', self.js('return document.getElementById("field").inputMode'))
        field, enter, width = self.js('return [document.getElementById("field").getBoundingClientRect(),'
                                      ' document.getElementById("enter").getBoundingClientRect(), innerWidth]')
        self.assertLess(abs(field['top'] - enter['top']), field['height'], (field, enter))
        self.assertLessEqual(enter['right'], width)
        self.assertLessEqual(self.js('return document.documentElement.scrollWidth'), width)
        self.click('end-game')
        self.browser.find_element('css selector', '#confirm button[value=end]').click()
        self.assertEqual('You ended the game before its end.', self.end_message())


class BoardTest(Selenium):
    """quorbix-board, the page in a desktop window of its own, driven by
    WebKitWebDriver as it drives MiniBrowser (under xvfb-run): the program
    and a copy of the site laid out as installed, whose page fixes the clock
    first, and a link in it to a file outside."""

    def setUp(self):
        root = tempfile.TemporaryDirectory()
        self.addCleanup(root.cleanup)
        os.mkdir(os.path.join(root.name, 'games'))
        self.web = os.path.join(root.name, 'share', 'quorbix', 'web')
        clocked_site(self.web)
        with open(os.path.join(root.name, 'secret.txt'), 'w') as f:
            f.write('not the page\'s\n')
        os.symlink(f.name, os.path.join(self.web, 'outside.txt'))

        class Options(webdriver.WebKitGTKOptions):  # Selenium's would ask for a browser named MiniBrowser.
            default_capabilities = {}
        options = Options()
        options.binary_location = shutil.copy(BOARD_PROGRAM, os.path.join(root.name, 'games'))
        options.add_argument('--automation')
        self.browser = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver', options=options)
        self.addCleanup(self.browser.quit)

    def test_a_game_clicked_in_the_window_is_the_games_own_and_only_the_pages_files_are_served(self):
        windows = subprocess.run(['xwininfo', '-root', '-tree'], capture_output=True, text=True, check=True)
        self.assertIn('"quorbix"', windows.stdout)
        # Types as a web server gives them (a module needs a JavaScript type,
        # streamed WebAssembly application/wasm); nothing outside the folder.
        kinds = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
                 '.png': 'image/png', '.svg': 'image/svg+xml', '.txt': 'text/plain',
                 '.webmanifest': 'application/manifest+json'}
        files = sorted(set(os.listdir(self.web)) - {'outside.txt'})
        outside = ['outside.txt', '..%2F..%2F..%2Fsecret.txt', 'no.js', 'index.html%00']
        self.assertEqual([[name, kinds[os.path.splitext(name)[1]]] for name in files] +
                         [[name, 'refused'] for name in outside], self.browser.execute_async_script(
                             'Promise.all(arguments[0].map((name) => fetch(name).then((r) => [name,'
                             ' r.ok ? r.headers.get("content-type") : r.status], () => [name, "refused"])))'
                             '.then(arguments[1]);', files + outside))
        self.board_game(lambda: self.keys('Robin', Keys.ENTER), lambda name: self.js(CONTROL, name).click())


def unused_methods():
    """The methods of the test classes that unittest does not run and this
    file never calls: tests whose names unittest no longer finds."""
    with open(__file__) as f:
        source = f.read()
    return [f'{case.__name__}.{name}' for case in (Engine, Selenium, PageTest, FirefoxTest, WebKitTest, BoardTest)
            for name, value in vars(case).items() if callable(value)
            and not name.startswith(('test_', '_', 'setUp')) and not re.search(rf'\.{name}\b', source)]


if __name__ == '__main__':
    if sys.argv[1] == 'list':
        if unused_methods():
            sys.exit(f'page_test.py: neither run as tests nor called: {", ".join(unused_methods())}')
        for suite in unittest.defaultTestLoader.loadTestsFromModule(sys.modules[__name__]):  # one a class
            print(''.join(f'{test.id().split(".", 1)[1]}\n' for test in suite), end='')
    else:
        NODE, GAME_JS, SITE, SHOTS, AXE_JS = sys.argv[1:6]
        WEBKIT_BROWSER = os.environ.get('QUORBIX_MINIBROWSER', '')
        BOARD_PROGRAM = os.environ.get('QUORBIX_BOARD', '')
        # A skipped test has not passed.
        result = unittest.main(argv=[sys.argv[0]] + sys.argv[6:], exit=False).result
        sys.exit(0 if result.wasSuccessful() and result.testsRun and not result.skipped else 1)
