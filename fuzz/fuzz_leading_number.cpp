// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The leading-number reading on any text: never NaN, never a crash, and
// blanks in front or a non-number character behind never change the value.
#include "common/numbers.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double value = orv::leadingNumber(text);
    if (std::isnan(value))
        std::abort();
    if (orv::leadingNumber(QStringLiteral(" \t\n") + text) != value)
        std::abort();
    if (orv::leadingNumber(text + u'x') != value)
        std::abort();
    (void)orv::roundToInt(value);
    (void)orv::roundToInt(value * 60.0);
    return 0;
}
