# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""What every end-to-end suite, browser test and benchmark drives the program through: waiting
with a deadline, the rhythm rule and the planned-rhythm retry, the screen and the verdict's
colour, one X keyboard, the login sequence, the desktop program over AT-SPI and the browser."""
