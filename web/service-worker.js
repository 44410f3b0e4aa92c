// The page's service worker, which lets the game play offline: it keeps every file of
// one release, by the names with content hashes the page uses, in a cache named after
// that release and the folder the page lives in, and answers from it first. Written by
// site.cmake with the release's name and files; its scope is the page's folder.
'use strict';
var release = '@TRELVANE_RELEASE@';
var files = [@TRELVANE_PRECACHE@];
var scope = self.registration.scope;
var prefix = 'trelvane ' + scope + ' ';
var cacheName = prefix + release;

// The whole release, each file from the server and never from an HTTP cache, which may
// still hold the release before; the worker takes over once all of it is in.
self.addEventListener('install', function(event) {
  event.waitUntil(caches.open(cacheName).then(function(cache) {
    return Promise.all(files.map(function(file) {
      var request = new Request(file, { cache: 'reload', credentials: 'same-origin' });
      return fetch(request).then(function(response) {
        if (!response.ok) throw new Error(file + ': ' + response.status + ' ' + response.statusText);
        return cache.put(request, response);
      });
    }));
  }).then(function() {
    return self.skipWaiting();
  }));
});

// Taking over: the caches of this folder's other releases go, and open pages come under
// this release (they play on with what they have loaded).
self.addEventListener('activate', function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) {
      return name.indexOf(prefix) === 0 && name !== cacheName;
    }).map(function(name) {
      return caches.delete(name);
    }));
  }).then(function() {
    return self.clients.claim();
  }));
});

// The release's files from the cache; the page itself (the folder, or index.html, with
// any query) is the release's page. Anything else goes to the network.
self.addEventListener('fetch', function(event) {
  var request = event.request;
  if (request.method !== 'GET' || request.url.indexOf(scope) !== 0) return;
  var path = request.url.slice(scope.length).replace(/[?#].*$/, '');
  var page = request.mode === 'navigate' && (path === '' || path === 'index.html');
  event.respondWith(caches.open(cacheName).then(function(cache) {
    return cache.match(page ? scope : request).then(function(kept) {
      return kept || fetch(request);
    });
  }));
});
