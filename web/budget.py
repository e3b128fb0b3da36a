#!/usr/bin/python3
"""Measures the page against its budgets: the site's files gzipped (at most
200 KB in all), and the time from navigation to the name prompt on screen in
headless Chromium (at most 0.5 s; the median of five loads is reported).

  budget.py SITE

Exits with status 1 when the files are over their budget; the time is only
reported, since it depends on the machine.
"""
import gzip
import os
import statistics
import subprocess
import sys

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

site = sys.argv[1]
files = sorted(f for f in os.listdir(site) if f.endswith(('.html', '.js', '.css', '.wasm')))
if not files:
    sys.exit(f'budget.py: no page in {site}')
size = sum(len(gzip.compress(open(os.path.join(site, f), 'rb').read(), 9)) for f in files)
print(f'page files, gzipped: {size / 1000:.0f} KB in {len(files)} files (budget 200 KB)')

# The moment the prompt shows, as the screen reader's copy of the screen has it.
WATCH = '''new MutationObserver((changes, watcher) => {
  const tree = document.querySelector('.xterm-accessibility-tree');
  if (tree && tree.textContent.includes('Please Enter Your Name:')) {
    window.promptShown = performance.now();
    watcher.disconnect();
  }
}).observe(document, {subtree: true, childList: true, characterData: true});'''

server = subprocess.Popen([sys.executable, '-m', 'http.server', '8642', '--bind', '127.0.0.1',
                           '--directory', site], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
options = webdriver.ChromeOptions()
options.binary_location = '/usr/bin/chromium'
for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
             '--disable-background-networking', '--disable-component-update', '--disable-sync'):
    options.add_argument(flag)
browser = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
try:
    browser.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': WATCH})
    browser.execute_cdp_cmd('Network.enable', {})
    browser.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})  # Every load a first visit.
    times = []
    for _ in range(5):
        browser.get('http://127.0.0.1:8642/')
        shown = browser.execute_async_script(
            'const done = arguments[0];'
            'const poll = () => window.promptShown ? done(window.promptShown) : setTimeout(poll, 5);'
            'poll();')
        times.append(shown / 1000)
    print(f'navigation to the name prompt: {statistics.median(times):.2f} s, median of 5 '
          f'(budget 0.5 s; {", ".join(f"{t:.2f}" for t in times)})')
finally:
    browser.quit()
    server.terminate()
sys.exit(1 if size > 200_000 else 0)
