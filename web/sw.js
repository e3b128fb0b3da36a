// The site's copy for playing offline. Installing it stores every file of
// the site; then each request goes to the server first and refreshes the
// copy with what comes back, so a visit online always gets the newest
// version, and without a network the copy answers.
'use strict';
const CACHE = 'quorbix';
// The files the page uses, as the build lists them.
const FILES = ['./'].concat('@QUORBIX_OFFLINE_FILES@'.split(' '));

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES))
                    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  // Asked of the server every time (it answers "not modified" when the
  // browser's own copy is current), so no stale copy outlives a new version.
  event.respondWith(fetch(request.url, { cache: 'no-cache' }).then((response) => {
    if (response.ok) {
      const copy = response.clone();
      event.waitUntil(caches.open(CACHE).then((cache) => cache.put(request, copy)));
    }
    return response;
  }, () => caches.match(request, { ignoreSearch: true })
             .then((copy) => copy || Response.error())));
});
