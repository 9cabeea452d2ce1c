#pragma once
// What every fuzz target shares: the input as text the way a file or a box would give it,
// and a check that stops the run with a message when a promise of the code is broken.
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline QString text(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Splits the input at its first NUL byte: two texts for the functions that take two.
inline void twoTexts(const uint8_t* data, size_t size, QString* first, QString* second) {
    size_t cut = 0;
    while (cut < size && data[cut] != 0)
        ++cut;
    *first = text(data, cut);
    *second = cut < size ? text(data + cut + 1, size - cut - 1) : QString();
}

[[noreturn]] inline void broken(const char* what, const QString& input) {
    std::fprintf(stderr, "broken promise: %s\ninput: [%s]\n", what, input.toUtf8().constData());
    std::abort();
}

} // namespace fuzz
