/*
 * Byte strings for the tests: a literal with embedded zero bytes, kept whole.
 */
#ifndef TAV_TESTS_NATIVE_BYTES_H
#define TAV_TESTS_NATIVE_BYTES_H

#include <cstddef>
#include <string>

// The bytes of a literal, embedded zeros included, without its own terminator.
template <std::size_t N>
std::string Bytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}

#endif
