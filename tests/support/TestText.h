#pragma once

#include "inidb/TextStore.h"

#include <string_view>

// A text kept for the whole test run, for entries that belong to no document or that a
// test changes by hand.
inline StoredText Text(std::string_view text)
{
    static TextStore store;
    return store.keep(text);
}
