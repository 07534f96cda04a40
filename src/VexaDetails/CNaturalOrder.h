#pragma once

#include <QString>

// The order people expect of names: runs of digits compare by their value ("Song 2" before
// "Song 18"), letters without regard to case; only texts that tie on that compare by case and code.
class CNaturalOrder {
public:
    // Negative, zero or positive as `a` sorts before, with or after `b`.
    static int Compare(const QString& a, const QString& b);
    static bool Less(const QString& a, const QString& b) { return Compare(a, b) < 0; }
};
