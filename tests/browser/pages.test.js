// A page made by lanternix-html (the generator, code page and atomic write of Save HTML As) in
// headless Chromium, from files written here: each kind of button and values that need escaping.
'use strict';

const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { crc32 } = require('node:zlib');
const { chromium } = require('playwright-core');

const companion = path.resolve(process.argv[2]);
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'lanternix-pages-'));
// Where the browser finds a value written into src or href: backslashes count as slashes.
const url = (value) => new URL(value.replace(/\\/g, '/'), pathToFileURL(`${dir}/x.htm`)).href;
function write(name, data) {
    const file = path.join(dir, name.replace(/\\/g, '/').split('?')[0]);
    fs.mkdirSync(path.dirname(file), { recursive: true });
    fs.writeFileSync(file, data);
}

const cases = [ // slot, default picture, mouse-over picture, target, status text, link
    // A Windows path (its \b stays two characters in the preload), quotes, & and non-ASCII text.
    [1, 'pics\\d e.svg', 'pics\\bo.svg', 'main', `Joe's "links" & <café>`, 'e.htm?x=1&y="2"'],
    // A reference typed as text and a character beyond the code page (in the long-text block).
    [2, 'pics/f.svg', 'pics/f-over.svg', 'main', 'Rock &#39;n&#39; roll \u03a9', 'f.htm'],
    // Characters beyond ASCII, in the code page and beyond it.
    [3, 'pics/a.svg', 'pics/a-over.svg', 'main', 'Linked \u2013 \u20ac5, \u00e9, \u03a9', 'a-target.htm'],
    [5, 'pics/b.svg', 'pics/b-over.svg', 'main', 'Mouse-over only', ''],
    [8, 'pics/c.svg', '', 'main', 'Linked picture', 'c-target.htm'],
    [12, 'pics/d.svg', '', '', 'Plain picture', ''],
    // Names that read as references: loaded, linked and targeted as typed, by IMG and preload alike.
    [13, 'a&quot;b.svg', 'a&quot;b2.svg', 'a&quot;b', 'a&quot;b', 'a&quot;b.htm'],
];

const u32 = (v) => { const b = Buffer.alloc(4); b.writeUInt32LE(v); return b; };

// The project file: records of 96 bytes, each field tagged 8 (text) with its length, '?' for what
// Latin-1 lacks; then the block holding every field in UTF-8.
const project = Buffer.alloc(9600);
const fields = {};
for (const [slot, ...rest] of cases) {
    const [def, over, , , link] = rest;
    let at = 96 * (slot - 1);
    for (const field of (fields[slot] = [`Image${slot}`, ...rest])) {
        project.writeUInt16LE(8, at);
        project.writeUInt16LE(field.length, at + 2);
        at += 4 + project.write(field.replace(/[^\x00-\xff]/g, '?'), at + 4, 'latin1');
    }
    for (const picture of [def, over].filter(Boolean))
        write(picture, '<svg xmlns="http://www.w3.org/2000/svg" width="149" height="48"/>');
    if (link)
        write(link, `<html><body>${link}</body></html>`);
}
const parts = [Buffer.from('LXPEXT\r\n\x01\x00', 'latin1'), u32(crc32(project))];
for (let n = 1; n <= 100; n++)
    for (const f of fields[n] || Array(6).fill(null))
        parts.push(f === null ? u32(0xFFFFFFFF) : Buffer.concat([u32(Buffer.byteLength(f)), Buffer.from(f)]));
const block = Buffer.concat(parts);
write('menu.lxp', Buffer.concat([project, block, u32(crc32(block))]));
execFileSync(companion, ['-o', `${dir}/menu.htm`, `${dir}/menu.lxp`], { stdio: 'inherit' });
// The menu in one frame and the link targets in another, as a menu bar is used.
write('frames.htm', '<html><body><iframe name="menu" src="menu.htm" style="width:300px;height:400px">' +
    '</iframe><iframe name="main"></iframe><iframe name="a&amp;quot;b"></iframe>');

chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] })
    .then(async (browser) => {
        const page = await browser.newPage();
        const errors = [];
        page.on('pageerror', (e) => errors.push(`script error: ${e.message}`));
        page.on('requestfailed', (r) => errors.push(`failed to load ${r.url()}`));
        await page.goto(url('frames.htm'));
        const menu = page.frame({ name: 'menu' });
        await menu.waitForLoadState('load');
        const attributes = (locator, ...names) =>
            locator.evaluateAll((all, names) => all.map((e) => names.map((n) => e.getAttribute(n))), names);
        assert.deepEqual(await attributes(menu.locator('img'), 'src', 'alt', 'name'),
            cases.map(([slot, def, over, , status]) => [def, status, over ? `Image${slot}` : null]), 'src, alt, NAME');
        assert.deepEqual(await attributes(menu.locator('a'), 'href', 'target'),
            cases.filter((c) => c[5]).map((c) => [c[5], c[3]]), 'href and target');
        const away = await page.locator('iframe[name=menu]').boundingBox();
        for (const [i, [slot, def, over, target, status, link]] of cases.entries()) {
            const img = menu.locator('img').nth(i);
            const shown = async () => {
                await menu.waitForFunction((i) => document.images[i].complete, i);
                return img.evaluate((e) => [e.src, e.naturalWidth > 0, window.status]);
            };
            assert.deepEqual(await shown(), [url(def), true, ''], `slot ${slot}: default picture`);
            await img.hover();
            // A linked plain picture has only its ALT text; every other kind sets the status bar.
            assert.deepEqual(await shown(), [url(over || def), true, link && !over ? '' : status],
                `slot ${slot}: lightup swaps in`);
            if (link) {
                const main = page.frame({ name: target });
                await Promise.all([main.waitForNavigation(), img.click()]);
                assert.equal(main.url(), url(link), `slot ${slot}: link opens in its frame`);
            }
            await page.mouse.move(away.x + 5, away.y + away.height - 5);
            assert.deepEqual(await shown(), [url(def), true, ''], `slot ${slot}: turnoff swaps back`);
        }
        // The page as the code window gives it is ASCII, and reads the same saved by an editor
        // as UTF-8 or as Windows-1252.
        const ascii = execFileSync(companion, ['--ascii', `${dir}/menu.lxp`]).toString('latin1');
        assert.match(ascii, /^[\x00-\x7f]*$/, 'the code window\'s page is ASCII');
        write('utf-8.htm', Buffer.from(ascii, 'utf8'));
        write('windows-1252.htm', Buffer.from(ascii, 'latin1'));
        for (const name of ['utf-8.htm', 'windows-1252.htm']) {
            await page.goto(url(name));
            assert.deepEqual(await attributes(page.locator('img'), 'alt'), cases.map((c) => [c[4]]), name);
            await page.locator('img').nth(2).hover();
            assert.equal(await page.evaluate(() => window.status), cases[2][4], `${name}: status`);
        }
        assert.deepEqual(errors, [], 'errors');
        await browser.close();
        fs.rmSync(dir, { recursive: true, force: true });
    })
    .catch((e) => {
        console.error(e, `\npages kept in ${dir}`);
        process.exit(1);
    });
