// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orv {

// Lets assistive technology read the program's labels: each label's name is
// its accessible name (or its caption), and its value is the text it shows.
// Call once after the application object exists.
void installAccessibility();

} // namespace orv
