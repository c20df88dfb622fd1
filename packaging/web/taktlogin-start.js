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

    if (typeof WebAssembly !== 'object' || typeof qtLoad !== 'function' || typeof taktlogin_entry !== 'function') {
        show(typeof WebAssembly !== 'object'
            ? 'Dieser Browser kann kein WebAssembly ausführen. Taktlogin läuft in jedem aktuellen Browser (Chrome, Edge, Firefox, Safari).'
            : 'Taktlogin konnte nicht geladen werden. Bitte laden Sie die Seite neu.', false);
        return;
    }

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

    let started = false;
    qtLoad({
        qt: {
            entryFunction: taktlogin_entry,
            containerElements: [screen],
            onLoaded: () => {
                started = true;
                status.hidden = true;
                screen.style.visibility = 'visible';
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
