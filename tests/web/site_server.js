// What the scripts that drive the pages share: the site served on a port
// of 127.0.0.1, and headless Chromium (/usr/bin/chromium unless CHROMIUM
// names another).
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const {chromium} = require('playwright-core');

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.css': 'text/css', '.png': 'image/png', '.ttf': 'font/ttf'};

// Serves the folder `root`; resolves to the server once it listens.
function serve(root) {
    root = path.resolve(root);
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
        const file = path.join(root, path.normalize(name === '/' ? '/index.html' : name));
        if (!file.startsWith(root + path.sep) || !fs.existsSync(file) ||
            !fs.statSync(file).isFile()) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, {'Content-Type': TYPES[path.extname(file)] ||
                                                 'application/octet-stream'});
        fs.createReadStream(file).pipe(response);
    });
    return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// With `flood_protection`, the browser ignores a page that changes its
// address too often, as browsers do unless told otherwise (as Playwright
// tells them).
function launch_browser(flood_protection = false) {
    return chromium.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        ignoreDefaultArgs: flood_protection ? ['--disable-ipc-flooding-protection'] : [],
        // English, unless a page's context names another language.
        args: ['--lang=en-US', '--no-sandbox', '--headless', '--disable-gpu', '--disable-quic',
               '--no-first-run',
               '--disable-background-networking', '--disable-component-update',
               '--disable-sync'],
    });
}

module.exports = {serve, launch_browser};
