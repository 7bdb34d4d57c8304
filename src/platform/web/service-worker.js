// The page's service worker: keeps one build of the page, whole, in the
// browser's cache, so that after one visit the game starts and plays with no
// network. BUILD, above, lists the build's files with their SHA-256, so every
// new build is a new worker: it fetches each file anew into a cache of its
// own, checks it against its hash and keeps all of them or none, so no cache
// ever mixes two builds. It takes over when no page of the old build is left
// open, or at once when the one page left is being reloaded or opened again.
'use strict';

const PREFIX = 'tarnblast-';
const CACHE = PREFIX + BUILD.version;
// Pages handed the newer build before its worker had taken over: their
// requests are served from its cache meanwhile (client id -> cache name).
const handedOver = new Map();

async function sha256(response) {
  const digest = await crypto.subtle.digest('SHA-256', await response.clone().arrayBuffer());
  return [...new Uint8Array(digest)].map((byte) => byte.toString(16).padStart(2, '0')).join('');
}

// Every file of this build, or none. Each is revalidated with the server, so
// that an older copy in the HTTP cache is not taken for it, and checked
// against its hash before any is kept.
async function keepBuild() {
  const files = await Promise.all(Object.entries(BUILD.files).map(async ([name, hash]) => {
    const response = await fetch(name, { cache: 'no-cache' });
    if (!response.ok || (await sha256(response)) !== hash) throw new Error(`${name}: not this build's file`);
    return [name, response];
  }));
  const cache = await caches.open(CACHE);
  await Promise.all(files.map(([name, response]) => cache.put(name, response)));
}

// Asked by the worker of the build before: answers with this build's cache
// and takes over.
function takeOver(event) {
  if (event.data !== 'take over') return;
  event.ports[0].postMessage(CACHE);
  self.skipWaiting();
}

// The name in BUILD.files that a request asks for; the page's address, with
// any settings in its query, is index.html. Null for anything else (level
// files, key scripts), which the network answers.
function buildFile(request) {
  const url = new URL(request.url), scope = new URL(self.registration.scope);
  if (request.method !== 'GET' || url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname))
    return null;
  const name = url.pathname.slice(scope.pathname.length);
  if (request.mode === 'navigate') return name === '' || name === 'index.html' ? 'index.html' : null;
  return url.search === '' && name in BUILD.files ? name : null;
}

// A newer build, installed, waits while pages of this one are open. When the
// one page open is being reloaded (or none is), the page to come gets the
// newer build: its worker is told to take over, and until it has, this one
// serves the new page from the newer cache.
async function cacheForPage(event) {
  const newer = self.registration.waiting;
  if (!newer || (await self.clients.matchAll({ type: 'window' })).length > 1) return CACHE;
  const answer = new MessageChannel();
  const answered = new Promise((done) => (answer.port1.onmessage = ({ data }) => done(data)));
  newer.postMessage('take over', [answer.port2]);
  const newerCache = await Promise.race([answered, new Promise((done) => setTimeout(() => done(CACHE), 3000))]);
  handedOver.set(event.resultingClientId, newerCache);
  return newerCache;
}

async function serve(event, name) {
  const cacheName = event.request.mode === 'navigate'
    ? await cacheForPage(event) : handedOver.get(event.clientId) || CACHE;
  return (await (await caches.open(cacheName)).match(name)) || fetch(event.request);
}

self.addEventListener('install', (event) => event.waitUntil(keepBuild()));
self.addEventListener('activate', (event) => event.waitUntil((async () => {
  for (const name of await caches.keys()) if (name.startsWith(PREFIX) && name !== CACHE) await caches.delete(name);
  await self.clients.claim();
})()));
self.addEventListener('message', takeOver);
self.addEventListener('fetch', (event) => {
  const name = buildFile(event.request);
  if (name) event.respondWith(serve(event, name));
});
