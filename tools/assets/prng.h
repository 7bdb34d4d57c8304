// The builder's only source of randomness: a small fixed-seed generator, so
// the same sources always give the same bytes on every run.
#pragma once

#include <cstdint>

class Prng {
public:
    explicit Prng(uint32_t seed)
    {
        // Spread nearby seeds apart (one round of a 32-bit integer hash) and
        // keep clear of the all-zero state xorshift cannot leave.
        seed ^= seed >> 16;
        seed *= 0x7feb352dU;
        seed ^= seed >> 15;
        seed *= 0x846ca68bU;
        seed ^= seed >> 16;
        state_ = seed ? seed : 0x9e3779b9U;
    }
    uint32_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    uint32_t below(uint32_t n) { return next() % n; }
    // Uniform in [-1, 1).
    double signed_unit() { return static_cast<double>(next() >> 8) * (2.0 / 16777216.0) - 1.0; }

private:
    uint32_t state_;
};
