#pragma once

#include <QString>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <span>

// Every reader of text a player can type or paste, as one entry each. An entry
// feeds the text to its reader and checks the promises that are cheap to
// check; it returns what went wrong, or an empty string when all held.
// The libFuzzer driver (fuzz_main.cpp) and the corpus replay (tst_corpus.cpp)
// both work from this one table; a new reader is one more row in it and a
// folder of seed inputs tests/fuzz/corpus/<name>/.
struct FuzzTarget
{
    const char *name;
    QString (*check)(QStringView text);
};

std::span<const FuzzTarget> fuzz_targets();

const FuzzTarget *find_fuzz_target(QStringView name);

// Runs the target on the bytes read as UTF-8, as a paste arrives, and read as
// UTF-16 code units, so that every code unit (lone surrogates too) reaches
// the reader. Returns the first failure.
QString run_fuzz_target(const FuzzTarget &target, const uint8_t *data, size_t size);
