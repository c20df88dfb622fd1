// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// The site's accessibility as the audits judge it, at arrival and after a login in the Extended
// view: Lighthouse's accessibility score (a snapshot of the page as it is) and axe-core's
// violations. Fails unless the score is 100 and axe-core finds nothing.
// usage: node audit.mjs URL   (Chromium from CHROME_PATH, else /usr/bin/chromium)
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import puppeteer from 'puppeteer-core';
import { startFlow } from 'lighthouse';

const url = process.argv[2];
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const browser = await puppeteer.launch({
    executablePath: process.env.CHROME_PATH || '/usr/bin/chromium',
    headless: true,
    args: ['--lang=de-DE', ...(process.getuid() === 0 ? ['--no-sandbox'] : [])],
});
let failed = false;
try {
    const page = await browser.newPage();
    // The page allows scripts only from its own server; axe-core comes from here.
    await page.setBypassCSP(true);
    await page.goto(url);
    await page.waitForFunction(() => performance.getEntriesByName('taktlogin-form-painted').length, { timeout: 60000 });
    const flow = await startFlow(page, { config: { extends: 'lighthouse:default', settings: { onlyCategories: ['accessibility'] } } });

    async function audit(moment) {
        await flow.snapshot({ name: moment });
        const report = (await flow.createFlowResult()).steps.at(-1).lhr;
        const category = report.categories.accessibility;
        const failing = category.auditRefs.map(ref => report.audits[ref.id])
            .filter(audit => audit.score !== null && audit.score < 1).map(audit => audit.id);
        await page.evaluate(axeSource);
        const axe = await page.evaluate(() => axe.run(document).then(result =>
            result.violations.map(v => `${v.id} (${v.nodes.map(n => n.target.join(' ')).join(', ')})`)));
        console.log(`${moment}: Lighthouse accessibility ${Math.round(category.score * 100)}` +
                    `${failing.length ? ' (' + failing.join(', ') + ')' : ''}; axe-core ${axe.length ? axe.join('; ') : 'no violation'}`);
        failed ||= category.score < 1 || axe.length > 0;
    }

    await audit('arrival');
    // A login, then the Extended view through the menu's mirror.
    await page.keyboard.type('abcde', { delay: 120 });
    await page.keyboard.press('Tab');
    await page.keyboard.type('abcde', { delay: 120 });
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.getElementById('announcer').textContent !== '', { timeout: 10000 });
    await page.evaluate(() => {
        const find = root => root.getElementById?.('Application.Form1.QMenuBar.mnuAnsicht.mnuAnsicht.mnuErweitert') ??
            [...root.querySelectorAll('*')].map(e => e.shadowRoot && find(e.shadowRoot)).find(Boolean);
        find(document).click();
    });
    await new Promise(resolve => setTimeout(resolve, 1000));
    await audit('after a login, Extended view');
} finally {
    await browser.close();
}
process.exit(failed ? 1 : 0);
