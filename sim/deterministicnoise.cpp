#include "sim/deterministicnoise.h"

namespace kapstat::sim {

namespace {

// SplitMix64's finaliser: every input bit reaches every output bit.
quint64 mix(quint64 x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

} // namespace

quint32 DeterministicNoise::bits(quint32 stream, qint64 n, int item) const
{
    quint64 h = mix(m_seed);
    h = mix(h ^ stream);
    h = mix(h ^ quint64(n));
    h = mix(h ^ quint64(quint32(item)));
    return quint32(h >> 32);
}

double DeterministicNoise::unit(quint32 stream, qint64 n, int item) const
{
    return bits(stream, n, item) / 4294967296.0;
}

} // namespace kapstat::sim
