#pragma once

#include <QByteArray>
#include <QList>
#include <array>
#include <random>

namespace kapstat::sim {

// The share of responses, 0..1, that suffer each fault.
struct FaultRates
{
    double drop = 0;
    double corrupt = 0;
    double split = 0;
    double delay = 0;
    double stray = 0;
};

// Wait delayMs, then write the bytes.
struct Chunk
{
    int delayMs = 0;
    QByteArray bytes;

    bool operator==(const Chunk&) const = default;
};

// How one response goes out; empty when it is dropped.
using Delivery = QList<Chunk>;

// Decides, response by response, which faults strike and how. Each fault draws from its own
// seeded generator, so a fault's pattern depends only on the seed and the responses, not on the
// rates of the other faults.
class FaultInjector
{
public:
    explicit FaultInjector(FaultRates rates = {}, quint32 seed = 1);

    Delivery plan(const QByteArray& response);

    // A delayed response arrives this long after its time-out on the PC would have fired.
    static constexpr int MinimumLatenessMs = 100;
    static constexpr int MaximumLatenessMs = 400;
    static constexpr int MaximumStrayBytes = 5;
    static constexpr int MaximumGapMs = 3;

private:
    enum Fault
    {
        Drop,
        Corrupt,
        Split,
        Delay,
        Stray,
        FaultCount
    };

    bool strikes(Fault fault);
    int uniform(Fault fault, int low, int high);
    void corrupt(QByteArray& bytes);
    QByteArray strayBytes();
    Delivery splitUp(const QByteArray& bytes);
    int heldBackMs(int responseLength);

    std::array<double, FaultCount> m_rates;
    std::array<std::mt19937, FaultCount> m_generators;
};

} // namespace kapstat::sim
