// Loads pages made by our generator in headless Chromium and checks that every kind of button
// works: pictures and their ALT text, the mouse-over swap through lightup/turnoff, the link
// opening in its target frame, and no script error. Pictures and link targets are files this
// test writes; nothing comes from the network.
'use strict';

const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');

const makePage = path.resolve(process.argv[2]);
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'lanternix-pages-'));

function picture(name, colour, width) {
    const file = path.join(dir, name);
    fs.mkdirSync(path.dirname(file), { recursive: true });
    fs.writeFileSync(file, `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="48">` +
        `<rect width="${width}" height="48" fill="${colour}"/></svg>`);
}
function targetPage(name) {
    fs.writeFileSync(path.join(dir, name), `<html><body>${name}</body></html>`);
}

// One image per page, one page per case; the last page holds values that must be escaped.
const cases = [
    { file: 'caseA.htm', slot: 3, def: 'pics/a.svg', over: 'pics/a-over.svg', target: 'main',
      status: 'Linked mouse-over', link: 'a-target.htm' },
    { file: 'caseB.htm', slot: 5, def: 'pics/b.svg', over: 'pics/b-over.svg', target: 'main',
      status: 'Mouse-over only', link: '' },
    { file: 'caseC.htm', slot: 8, def: 'pics/c.svg', over: '', target: 'main',
      status: 'Linked picture', link: 'c-target.htm' },
    { file: 'caseD.htm', slot: 12, def: 'pics/d.svg', over: '', target: '',
      status: 'Plain picture', link: '' },
    // A backslash path (a \b in it must not turn into a control character in the preload), an
    // apostrophe, double quotes, an ampersand and a non-ASCII letter in the status text, and
    // a query string in the link.
    { file: 'escaped.htm', slot: 1, def: 'pics\\d e.svg', over: 'pics\\bover.svg', target: 'main',
      status: `Joe's "links" & <more> café`, link: 'e-target.htm?x=1&y="2"' },
];

picture('pics/a.svg', 'red', 149);
picture('pics/a-over.svg', 'lime', 149);
picture('pics/b.svg', 'blue', 120);
picture('pics/b-over.svg', 'yellow', 120);
picture('pics/c.svg', 'teal', 100);
picture('pics/d.svg', 'gray', 90);
picture('pics/d e.svg', 'orange', 149);
picture('pics/bover.svg', 'purple', 149);
targetPage('a-target.htm');
targetPage('c-target.htm');
targetPage('e-target.htm');
targetPage('blank.htm');

for (const c of cases) {
    execFileSync(makePage, [path.join(dir, c.file), String(c.slot), c.def, c.over, c.target,
        c.status, c.link], { stdio: 'inherit' });
}

// The page in one frame and the link target in another, as a menu bar is used.
function frameset(menu) {
    const file = path.join(dir, `frames-${menu}`);
    fs.writeFileSync(file, '<html><body style="margin:0">' +
        `<iframe name="menu" src="${menu}" style="width:300px;height:200px"></iframe>` +
        '<iframe name="main" src="blank.htm" style="width:300px;height:200px"></iframe>' +
        '</body></html>');
    return pathToFileURL(file).href;
}

// How the browser resolves a value written into src or href: backslashes count as slashes.
function resolved(value) {
    return new URL(value.replace(/\\/g, '/'), pathToFileURL(path.join(dir, 'x.htm'))).href;
}

async function checkCase(context, c) {
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(`script error: ${e.message}`));
    page.on('console', (m) => {
        if (m.type() === 'error')
            errors.push(`console: ${m.text()}`);
    });
    page.on('requestfailed', (r) => errors.push(`failed to load ${r.url()}`));
    await page.goto(frameset(c.file));
    const menu = page.frame({ name: 'menu' });
    await menu.waitForLoadState('load');
    const label = `${c.file}`;

    const img = menu.locator('img');
    assert.equal(await img.count(), 1, label);
    assert.equal(await img.getAttribute('src'), c.def, `${label} src`);
    assert.equal(await img.getAttribute('alt'), c.status, `${label} alt`);
    assert.equal(await menu.evaluate(() => version), 'n3', `${label} browser detection`);
    const shown = await img.evaluate((i) => ({ src: i.src, ok: i.complete && i.naturalWidth > 0 }));
    assert.equal(shown.src, resolved(c.def), `${label} resolved src`);
    assert.ok(shown.ok, `${label} default picture loads`);

    const currentSrc = () => img.evaluate((i) => i.src);
    const status = () => menu.evaluate(() => window.status);

    await img.hover();
    if (c.over) {
        assert.equal(await img.getAttribute('name'), `Image${c.slot}`, `${label} NAME`);
        await menu.waitForFunction(() => document.images[0].complete);
        assert.equal(await currentSrc(), resolved(c.over), `${label} lightup swaps in`);
        assert.ok(await img.evaluate((i) => i.naturalWidth > 0), `${label} over picture loads`);
    } else {
        assert.equal(await img.getAttribute('name'), null, `${label} no NAME`);
        assert.equal(await currentSrc(), resolved(c.def), `${label} stays`);
    }
    // A linked plain picture has only its ALT text; every other kind sets the status bar.
    const linkedPlain = c.link && !c.over;
    assert.equal(await status(), linkedPlain ? '' : c.status, `${label} status text`);

    // Leave the picture for an empty spot of the same frame.
    const frameBox = await page.locator('iframe[name=menu]').boundingBox();
    await page.mouse.move(frameBox.x + 5, frameBox.y + frameBox.height - 5);
    assert.equal(await currentSrc(), resolved(c.def), `${label} turnoff swaps back`);
    assert.equal(await status(), '', `${label} status cleared`);

    const link = menu.locator('a');
    if (c.link) {
        assert.equal(await link.getAttribute('href'), c.link, `${label} href`);
        assert.equal(await link.getAttribute('target'), c.target, `${label} target`);
        const main = page.frame({ name: 'main' });
        await Promise.all([main.waitForNavigation(), img.click()]);
        assert.equal(main.url(), resolved(c.link), `${label} link opens in its frame`);
        assert.equal(page.frames().length, 3, `${label} no other window`);
    } else {
        assert.equal(await link.count(), 0, `${label} no link`);
    }

    assert.deepEqual(errors, [], `${label} raised errors`);
    await page.close();
    console.log(`ok ${label}`);
}

(async () => {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'lanternix-profile-'));
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: '/usr/bin/chromium',
        headless: true,
        args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
    let failed = false;
    try {
        for (const c of cases)
            await checkCase(context, c);
    } catch (e) {
        failed = true;
        console.error(e);
    } finally {
        await context.close();
        fs.rmSync(profile, { recursive: true, force: true });
        if (!failed)
            fs.rmSync(dir, { recursive: true, force: true });
        else
            console.error(`pages kept in ${dir}`);
    }
    process.exit(failed ? 1 : 0);
})();
