#!/usr/bin/python3
"""Measures the page against its budgets: the page's files (HTML, scripts,
style sheet, WebAssembly, manifest, service worker) gzipped, at most 73.5 KB
in all, and the time from navigation to the name prompt on screen in
headless Chromium, at most 1 s, the median of five uncached loads.

  budget.py SITE

Exits with status 1, saying why, when a file of the page is missing, a
budget is missed, or the prompt does not show within 10 s.
"""
import functools
import gzip
import http.server
import os
import statistics
import sys
import threading

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service

SIZE_BUDGET = 73_500
TIME_BUDGET = 1.0
site = sys.argv[1]
# Every file of the site but its images and texts, which the page loads
# only when shown; among them, at least these.
files = sorted(f for f in os.listdir(site) if not f.endswith(('.png', '.svg', '.txt')))
missing = [f for f in ('index.html', 'page.js', 'page.css', 'quorbix.js', 'quorbix.wasm', 'sw.js',
                       'manifest.webmanifest') if f not in files]
if missing:
    sys.exit(f'budget.py: {site} lacks, or the count leaves out, {", ".join(missing)}')
size = sum(len(gzip.compress(open(os.path.join(site, f), 'rb').read(), 9)) for f in files)
print(f'page files, gzipped: {size / 1000:.1f} KB in {len(files)} files (budget {SIZE_BUDGET / 1000:.1f} KB)')

# The moment the prompt shows, as the screen reader's copy of the screen has it.
WATCH = '''new MutationObserver((changes, watcher) => {
  const transcript = document.getElementById('transcript');
  if (transcript && transcript.textContent.includes('Please Enter Your Name:')) {
    window.promptShown = performance.now();
    watcher.disconnect();
  }
}).observe(document, {subtree: true, childList: true, characterData: true});'''


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=site))
threading.Thread(target=server.serve_forever, daemon=True).start()
options = webdriver.ChromeOptions()
options.binary_location = '/usr/bin/chromium'
for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
             '--disable-background-networking', '--disable-component-update', '--disable-sync'):
    options.add_argument(flag)
browser = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
try:
    browser.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': WATCH})
    browser.execute_cdp_cmd('Network.enable', {})
    # Every load a first visit: nothing from the browser's cache, nor from
    # the page's offline copy.
    browser.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
    browser.execute_cdp_cmd('Network.setBypassServiceWorker', {'bypass': True})
    browser.set_script_timeout(10)
    times = []
    for load in range(1, 6):
        browser.get(f'http://127.0.0.1:{server.server_address[1]}/')
        try:
            shown = browser.execute_async_script(
                'const done = arguments[0];'
                'const poll = () => window.promptShown ? done(window.promptShown) : setTimeout(poll, 5);'
                'poll();')
        except TimeoutException:
            sys.exit(f'budget.py: load {load}: the name prompt did not show within 10 s')
        times.append(shown / 1000)
    median = statistics.median(times)
    print(f'navigation to the name prompt: {median:.2f} s, median of 5 '
          f'(budget {TIME_BUDGET} s; {", ".join(f"{t:.2f}" for t in times)})')
finally:
    browser.quit()
    server.shutdown()
if size > SIZE_BUDGET:
    sys.exit(f"budget.py: the page's files are over their budget: {size / 1000:.1f} KB")
if median > TIME_BUDGET:
    sys.exit(f'budget.py: the name prompt took {median:.2f} s, over its budget')
