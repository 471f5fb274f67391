#pragma once

#include <cstdint>

// The random source of the drill: Randomize and Rnd.
class Random
{
public:
    virtual ~Random() = default;
    // Re-seeds from a clock reading. The seed is merged into the running state, so two
    // re-seeds with the same reading never restart the sequence.
    virtual void randomize(double seed) = 0;
    // The next value, uniform in [0, 1).
    virtual double rnd() = 0;
};

// A splitmix64 generator whose re-seed mixes the seed into its state.
class MixRandom final : public Random
{
public:
    explicit MixRandom(std::uint64_t state = 0x5A3F1C2B9E4D7A61ULL) : m_state(state) {}
    void randomize(double seed) override;
    double rnd() override;

private:
    std::uint64_t m_state;
};
