// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/startup.h"

namespace orv {

// Windows has one platform, and Qt is aware of each monitor's scale by
// itself: nothing to say first.
void prepareEnvironment()
{
}

} // namespace orv
