#include "platform/Random.h"

#include <bit>

namespace {
std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
constexpr std::uint64_t golden = 0x9E3779B97F4A7C15ULL;
} // namespace

void MixRandom::randomize(double seed)
{
    m_state = mix(m_state ^ mix(std::bit_cast<std::uint64_t>(seed) + golden)) + golden;
}

double MixRandom::rnd()
{
    m_state += golden;
    return static_cast<double>(mix(m_state) >> 11) * 0x1.0p-53;
}
