// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// QtCore for WebAssembly asks the browser for the user's languages; node 20 has no navigator.
// Loaded with node --require before a suite, as the web preset's emulator does.
if (typeof globalThis.navigator === 'undefined')
    globalThis.navigator = { language: 'de-DE', languages: ['de-DE'] };
