// The page's service worker: keeps every file of this build in a cache of its own, so that a second
// visit loads and plays without a network, and drops the caches of earlier builds once it takes over.
// The build writes in its name (a hash of the page's files) and the list of files (cmake/web.cmake).
const Build = '@BUILD@';
const Files = ['@FILES@'];

// Copies of the page in other folders of the same site keep caches of their own.
const Prefix = `blokko ${self.registration.scope} `;
const CacheName = Prefix + Build;

self.addEventListener('install', (event) => {
    event.waitUntil((async () => {
        const cache = await caches.open(CacheName);
        // Checked with the server, so that a file the HTTP cache kept from another build is not stored
        // under this build's name.
        await cache.addAll(Files.map((file) => new Request(file, { cache: 'no-cache' })));
        // The next visit gets this build, not only the one after all tabs closed.
        await self.skipWaiting();
    })());
});

self.addEventListener('activate', (event) => {
    event.waitUntil((async () => {
        for (const name of await caches.keys())
            if (name.startsWith(Prefix) && name !== CacheName)
                await caches.delete(name);
        await self.clients.claim();
    })());
});

// Cache first: everything the page loads is in the cache; anything else (nothing, today) goes on to
// the network.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || !request.url.startsWith(self.registration.scope))
        return;
    event.respondWith((async () => {
        const cache = await caches.open(CacheName);
        const url = new URL(request.url);
        // The page's folder itself is its index.html, whatever follows the "?".
        const folder = url.pathname === new URL(self.registration.scope).pathname;
        const found = await cache.match(folder ? new URL('index.html', self.registration.scope).href : request,
            { ignoreSearch: request.mode === 'navigate' });
        return found || fetch(request);
    })());
});
