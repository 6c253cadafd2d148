// Keeps the game's files, so that it starts and plays with no network after its first visit. The build
// fills in the list and the version; a new build has a new version, which replaces the kept files on the
// next visit.
const CACHE = 'tessel-@TESSEL_SITE_VERSION@';
const FILES = [
  './',
@TESSEL_SITE_FILES@];

self.addEventListener('install', (event) => {
  // 'reload' fetches past the browser's HTTP cache, so that a new version never keeps an old file.
  const requests = FILES.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  const old = caches.keys().then((keys) => keys.filter((key) => key !== CACHE));
  event.waitUntil(old.then((keys) => Promise.all(keys.map((key) => caches.delete(key))))
                     .then(() => self.clients.claim()));
});

// A language's catalogue, the core that reads it and languages.js are kept once fetched, so that the page
// plays offline in the language it chose.
function fetchKeeping(request) {
  return fetch(request).then((response) => {
    if (response.ok && /\/(lang\/|tessel-core-languages|languages\.js)/.test(new URL(request.url).pathname)) {
      const copy = response.clone();
      caches.open(CACHE).then((cache) => cache.put(request, copy));
    }
    return response;
  });
}

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true, cacheName: CACHE })
                        .then((kept) => kept || fetchKeeping(event.request)));
});
