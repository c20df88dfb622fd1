// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the program in the page and puts one German line in its place whenever it cannot run:
// no WebAssembly, a failed download, a crash, or the end of the program.
(function () {
    'use strict';
    const status = document.getElementById('status');
    const statusText = document.getElementById('status-text');
    const restart = document.getElementById('restart');
    const screen = document.getElementById('screen');

    function show(text, offerRestart) {
        statusText.textContent = text;
        restart.hidden = !offerRestart;
        status.hidden = false;
        screen.style.visibility = 'hidden';
        if (offerRestart)
            restart.focus();
    }
    restart.addEventListener('click', () => window.location.reload());

    // Opened from disk: browsers load no WebAssembly from file://, and no reload helps.
    if (window.location.protocol === 'file:') {
        show('Taktlogin muss von einem Webserver kommen, nicht aus einer Datei: Öffnen Sie im entpackten Ordner ' +
             'eine Eingabeaufforderung, starten Sie dort „python3 -m http.server 8000“ (unter Windows ' +
             '„py -m http.server 8000“) und öffnen Sie dann http://localhost:8000/ im Browser.', false);
        return;
    }

    if (typeof WebAssembly !== 'object' || typeof qtLoad !== 'function' || typeof taktlogin_entry !== 'function') {
        show(typeof WebAssembly !== 'object'
            ? 'Dieser Browser kann kein WebAssembly ausführen. Taktlogin läuft in jedem aktuellen Browser (Chrome, Edge, Firefox, Safari).'
            : 'Taktlogin konnte nicht geladen werden. Bitte laden Sie die Seite neu.', false);
        return;
    }

    // WebKitGTK (GNOME Web) reports Shift+Tab, which GTK knows as ISO_Left_Tab, with the key
    // "Unidentified". Qt goes by the key, so the focus would stay put and the browser would move
    // its own instead; the event is handed on as the Tab it is.
    addEventListener('keydown', retellUnidentifiedTab, true);
    addEventListener('keyup', retellUnidentifiedTab, true);
    function retellUnidentifiedTab(e) {
        if (e.key !== 'Unidentified' || e.code !== 'Tab')
            return;
        e.preventDefault();
        e.stopImmediatePropagation();
        e.composedPath()[0].dispatchEvent(new KeyboardEvent(e.type, {
            key: 'Tab', code: 'Tab', location: e.location, repeat: e.repeat, shiftKey: e.shiftKey, ctrlKey: e.ctrlKey,
            altKey: e.altKey, metaKey: e.metaKey, bubbles: true, cancelable: true, composed: true,
        }));
    }

    // The program stamps a character with the time the browser made its key event, handed over
    // here for the task that handles it: a main thread that comes to the key late (a busy
    // machine) then changes no interval. Text that comes without a key down (iOS commits it so)
    // gets the time of its input event.
    const clearStamp = new MessageChannel();
    clearStamp.port1.onmessage = () => { globalThis.taktloginEventStamp = undefined; };
    function handOver(time) {
        // An engine whose event times are on another clock, or missing, gets the clock's own time.
        // WebKitGTK's key times may run some ms ahead of the page's clock (12 ms seen on X); such
        // times are kept, so that a row's keys share one clock.
        const now = performance.now();
        globalThis.taktloginEventStamp = time > 0 && time <= now + 50 && now - time < 2000 ? time : now;
        clearStamp.port2.postMessage(0);
    }
    // The key whose text is still to come: a character's own key, or one an input method takes
    // (key "Unidentified" or "Process": a phone's keyboard, a dead key's composition in
    // WebKitGTK), whose text follows as input or as the end of a composition.
    let pressed = null;
    addEventListener('keydown', e => {
        const typing = e.key.length === 1 || e.key === 'Unidentified' || e.key === 'Process';
        pressed = typing ? e.timeStamp : null;
        handOver(e.timeStamp);
    }, true);
    addEventListener('keyup', () => { pressed = null; }, true);
    for (const type of ['input', 'compositionend'])
        addEventListener(type, e => handOver(pressed ?? e.timeStamp), true);

    // Qt types through a hidden text field of its own, which holds what is typed. The browser
    // must neither check its spelling (which may send the text to a spelling service) nor
    // remember or complete it.
    new MutationObserver(() => {
        for (const field of document.querySelectorAll('input:not([data-taktlogin])')) {
            field.dataset.taktlogin = '';
            field.spellcheck = false;
            field.setAttribute('autocomplete', 'off');
            field.setAttribute('autocorrect', 'off');
            field.setAttribute('autocapitalize', 'off');
        }
    }).observe(document.body, { childList: true, subtree: true });

    // The program is most of the download. It is compiled as its bytes arrive, from the response
    // itself, which also lets the browser keep the compiled code for the next visit; a copy of the
    // stream counts the bytes, so that the page can say how far it has come. The count is of the
    // bytes as they arrive unpacked, so that a server that sends the program compressed still
    // gives a true share of the size built into the page.
    const megabytes = bytes => (bytes / 1e6).toLocaleString('de-DE', { minimumFractionDigits: 1, maximumFractionDigits: 1 });
    async function countArrival(body) {
        const expected = Number(document.documentElement.dataset.programBytes) || 0;
        const reader = body.getReader();
        let received = 0;
        for (;;) {
            const { done, value } = await reader.read();
            if (done)
                break;
            received += value.length;
            statusText.textContent = expected
                ? `Taktlogin wird geladen … ${Math.min(99, Math.floor(100 * received / expected))} % ` +
                  `(${megabytes(received)} von ${megabytes(expected)} MB)`
                : `Taktlogin wird geladen … ${megabytes(received)} MB`;
        }
        statusText.textContent = 'Taktlogin wird gestartet …';
    }
    async function fetchProgram() {
        const response = await fetch('taktlogin.wasm');
        if (!response.ok || !response.body)
            throw new Error('taktlogin.wasm: ' + response.status);
        const arrival = countArrival(response.clone().body);
        // Streaming needs the type application/wasm; a server that sends another one gets the
        // program compiled from its whole bytes.
        const type = response.headers.get('Content-Type') || '';
        const module = type.split(';')[0].trim() === 'application/wasm'
            ? WebAssembly.compileStreaming(response)
            : response.arrayBuffer().then(bytes => WebAssembly.compile(bytes));
        await arrival;
        return module;
    }

    // Qt's mirror of the form for screen readers is on from the start (QT_WASM_ACCESSIBILITY).
    // The verdict, a description that changes, is announced.
    const announcer = document.getElementById('announcer');
    function announceVerdicts(root) {
        new MutationObserver(changes => {
            for (const change of changes) {
                const element = change.target;
                if (element.id && element.id.endsWith('.picOut'))
                    announcer.textContent = element.getAttribute('aria-description') || '';
            }
        }).observe(root, { subtree: true, attributes: true, attributeFilter: ['aria-description'] });
    }

    // The page is the screen the form is centred on. Where a window reaches past the page's edge,
    // as the Extended view does on a phone or tablet, the screen grows to hold it and the page
    // scrolls; the window keeps its place, as on the desktop.
    function fitScreenToWindows(qtScreen) {
        let right = 0;
        let bottom = 0;
        for (const window of qtScreen.querySelectorAll('.qt-window')) {
            const box = window.getBoundingClientRect();
            right = Math.max(right, box.right + scrollX);
            bottom = Math.max(bottom, box.bottom + scrollY);
        }
        // The layout viewport: on a phone innerWidth may be the zoomed-out visual one.
        const page = document.documentElement;
        screen.style.width = right > page.clientWidth ? `${Math.ceil(right) + 8}px` : '';
        screen.style.height = bottom > page.clientHeight ? `${Math.ceil(bottom) + 8}px` : '';
    }
    function watchWindows() {
        for (const host of screen.querySelectorAll('*')) {
            const qtScreen = host.shadowRoot && host.shadowRoot.querySelector('.qt-screen');
            if (!qtScreen)
                continue;
            // Windows come and go as the screen's children and move by their style; what happens
            // inside them (the mirror changes on every key) is not watched, since each look at
            // the windows' boxes makes the browser lay the page out there and then.
            const fit = () => fitScreenToWindows(qtScreen);
            const resized = new ResizeObserver(fit);
            const moved = new MutationObserver(fit);
            const observeWindows = () => qtScreen.querySelectorAll(':scope > .qt-window').forEach(w => {
                resized.observe(w);
                moved.observe(w, { attributes: true, attributeFilter: ['style'] });
            });
            observeWindows();
            new MutationObserver(() => { observeWindows(); fit(); }).observe(qtScreen, { childList: true });
            // A turned device has another page size; the windows stay where they are.
            addEventListener('resize', fit);
        }
    }

    let started = false;
    qtLoad({
        qt: {
            entryFunction: taktlogin_entry,
            module: fetchProgram(),
            environment: { QT_WASM_ACCESSIBILITY: '1' },
            containerElements: [screen],
            onLoaded: () => {
                started = true;
                status.hidden = true;
                screen.style.visibility = 'visible';
                // The form's window exists once the program has shown it.
                setTimeout(() => {
                    watchWindows();
                    for (const host of screen.querySelectorAll('*'))
                        if (host.shadowRoot)
                            announceVerdicts(host.shadowRoot);
                }, 0);
                // After two frames the form is on screen: a mark for whoever measures the start.
                requestAnimationFrame(() => requestAnimationFrame(() => performance.mark('taktlogin-form-painted')));
            },
            onExit: exit => {
                if (exit.crashed)
                    show('Taktlogin ist abgestürzt. Die Eingaben sind verloren; Sie können neu beginnen.', true);
                else
                    show('Taktlogin wurde beendet.', true);
            },
        },
    }).catch(error => {
        console.error(error);
        show(started ? 'Taktlogin ist abgestürzt. Die Eingaben sind verloren; Sie können neu beginnen.'
                     : 'Taktlogin konnte nicht geladen werden. Bitte prüfen Sie die Verbindung und laden Sie die Seite neu.',
             true);
    });
})();
