#include "sim/faultinjector.h"

#include "link/commandtable.h"

namespace kapstat::sim {

FaultInjector::FaultInjector(FaultRates rates, quint32 seed)
    : m_rates{rates.drop, rates.corrupt, rates.split, rates.delay, rates.stray}
{
    for (int fault = 0; fault < FaultCount; ++fault) {
        std::seed_seq sequence{seed, static_cast<quint32>(fault)};
        m_generators[fault].seed(sequence);
    }
}

bool FaultInjector::strikes(Fault fault)
{
    // Drawn for every response, so the pattern stays the same whatever the rate.
    const double draw = std::uniform_real_distribution<double>(0, 1)(m_generators[fault]);
    return draw < m_rates[fault];
}

int FaultInjector::uniform(Fault fault, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_generators[fault]);
}

Delivery FaultInjector::plan(const QByteArray& response)
{
    const bool drop = strikes(Drop);
    const bool corruptIt = strikes(Corrupt);
    const bool split = strikes(Split);
    const bool delay = strikes(Delay);
    const bool stray = strikes(Stray);
    if (drop || response.isEmpty())
        return {};
    QByteArray bytes = response;
    if (corruptIt)
        corrupt(bytes);
    if (stray)
        bytes.prepend(strayBytes());
    Delivery delivery = split ? splitUp(bytes) : Delivery{{0, bytes}};
    if (delay)
        delivery.first().delayMs += heldBackMs(static_cast<int>(response.size()));
    return delivery;
}

// A non-zero mask always changes the byte, so the checksum can never still match.
void FaultInjector::corrupt(QByteArray& bytes)
{
    const int position = uniform(Corrupt, 0, static_cast<int>(bytes.size()) - 1);
    bytes[position] = static_cast<char>(bytes[position] ^ uniform(Corrupt, 1, 255));
}

QByteArray FaultInjector::strayBytes()
{
    QByteArray bytes(uniform(Stray, 1, MaximumStrayBytes), '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(uniform(Stray, 0, 255));
    return bytes;
}

// Each chunk takes a random share of what is left, down to a single byte, so a long response
// breaks into a handful of pieces and the gaps never add up to a time-out of their own.
Delivery FaultInjector::splitUp(const QByteArray& bytes)
{
    Delivery delivery;
    qsizetype offset = 0;
    while (offset < bytes.size()) {
        const int size = uniform(Split, 1, static_cast<int>(bytes.size() - offset));
        const int gap = delivery.isEmpty() ? 0 : uniform(Split, 0, MaximumGapMs);
        delivery.append({gap, bytes.mid(offset, size)});
        offset += size;
    }
    return delivery;
}

int FaultInjector::heldBackMs(int responseLength)
{
    return link::CommandTable::responseTimeoutMs(responseLength) +
           uniform(Delay, MinimumLatenessMs, MaximumLatenessMs);
}

} // namespace kapstat::sim
