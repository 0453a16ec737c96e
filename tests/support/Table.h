// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QtTest>
#include <tuple>

// One row of a QtTest table on a single line.
template <class... T> void dataRow(const char *name, T... columns)
{
    (QTest::newRow(name) << ... << columns);
}

// A table's columns, declared in the data function and read back in the test.
template <class... T, class... Name> void columns(Name... names)
{
    (QTest::addColumn<T>(names), ...);
}
template <class... T, class... Name> std::tuple<T...> fetch(Name... names)
{
    return {*static_cast<T *>(QTest::qData(names, qMetaTypeId<T>()))...};
}
