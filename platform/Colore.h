#pragma once

// A 24-bit RGB colour, or none (keep the default).
struct Colore
{
    int value = -1;
    constexpr bool isSet() const { return value >= 0; }
    constexpr int r() const { return value & 0xFF; }
    constexpr int g() const { return (value >> 8) & 0xFF; }
    constexpr int b() const { return (value >> 16) & 0xFF; }
};

constexpr Colore RGB(int r, int g, int b)
{
    return Colore{r + 256 * g + 65536 * b};
}
