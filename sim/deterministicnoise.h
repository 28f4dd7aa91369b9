#pragma once

#include <QtGlobal>

namespace kapstat::sim {

// Random-looking numbers that are a pure function of the seed and their coordinates, so that
// any record can be rebuilt on its own without keeping or replaying the ones before it.
class DeterministicNoise
{
public:
    explicit DeterministicNoise(quint32 seed = 1) : m_seed(seed) {}

    // Uniform in [0, 1).
    double unit(quint32 stream, qint64 n, int item = 0) const;
    // Uniform in [-1, 1).
    double centred(quint32 stream, qint64 n, int item = 0) const
    {
        return 2 * unit(stream, n, item) - 1;
    }
    quint32 bits(quint32 stream, qint64 n, int item = 0) const;
    bool oneIn(int odds, quint32 stream, qint64 n, int item = 0) const
    {
        return bits(stream, n, item) % quint32(odds) == 0;
    }

private:
    quint32 m_seed;
};

} // namespace kapstat::sim
