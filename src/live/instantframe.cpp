#include "live/instantframe.h"

#include "link/devicenumbers.h"
#include "live/quantitynumbers.h"

#include <cmath>

namespace kapstat::live {

namespace frame {

namespace {

constexpr int SignedRangeOffset = 124; // 128 is the loop's range 0, slot 4
constexpr int LoopSlotCount = 6;
constexpr int HarmonicStride = 27;
constexpr int PhaseStride = 9;
constexpr int KindStride = 3;
constexpr int PhaseCount = 3;

// Which systems decode, and which set to 0, the L1, L2 and L3 fields of a per-phase triple.
struct PhasePattern
{
    std::array<unsigned, PhaseCount> decoded;
    std::array<unsigned, PhaseCount> zeroed;
};
constexpr PhasePattern AsVoltage{{StarOrDelta, StarOrDelta, Star}, {}};
constexpr PhasePattern StarOnly{{Star, Star, Star}, {}};
constexpr PhasePattern LineVoltages{{StarOrDelta, StarOrDelta, StarOrDelta}, {}};
constexpr PhasePattern AsDcValue{{AllSystems, StarOrDelta, Star}, {}};
constexpr PhasePattern AsCrestFactor{{AllSystems, StarOrDelta, Star}, {NoSystem, NoSystem, Delta}};

struct PhaseTriple
{
    int position;
    int firstNumber; // L2 and L3 follow
    PhasePattern pattern;
};

void appendTriple(QList<ValueField>& fields, const PhaseTriple& triple)
{
    for (int phase = 0; phase < PhaseCount; ++phase)
        fields.append({triple.position + 3 * phase, 3, triple.firstNumber + phase,
                       triple.pattern.decoded[phase], triple.pattern.zeroed[phase]});
}

QList<ValueField> buildValueFields()
{
    using namespace quantity;
    QList<ValueField> fields;
    // The fundamental's coefficients, sine and cosine of UL1, UL2, UL3, IL1, IL2, IL3 in turn.
    int position = 3615;
    for (int channel = 0; channel < ChannelCount; ++channel) {
        const int offset = channel < 3 ? channel : channel + 3;
        fields.append({position, 4, FundamentalSine + offset, AllSystems});
        fields.append({position + 4, 4, FundamentalCosine + offset, AllSystems});
        position += 8;
    }
    for (int energy = 0; energy < 5; ++energy)
        fields.append({3663 + 5 * energy, 5, EnergyActivePlus + energy, AllSystems});
    const int totals[] = {54,
                          55,
                          56,
                          TotalVoltage,
                          TotalCurrent,
                          TotalActivePower,
                          TotalPowerFactor,
                          TotalApparentPower,
                          TotalReactivePower,
                          TotalDistortionPower,
                          TotalDistortionFactor};
    position = 3688;
    for (const int number : totals) {
        fields.append({position, 3, number, AllSystems});
        position += 3;
    }
    fields.append({3721, 3, TotalTangent, Star | SinglePhase});
    fields.append({3724, 3, Frequency, AllSystems});
    fields.append({3727, 3, ZeroSequenceCurrent, Star});
    const PhaseTriple triples[] = {
        {3730, LineVoltage12, LineVoltages},
        {3739, Rms, AsVoltage},
        {3748, Rms + 3, AsVoltage},
        {3757, ActivePower, AsVoltage},
        {3766, PowerFactor, AsVoltage},
        {3775, Tangent, StarOnly},
        {3784, ReactivePower, AsVoltage},
        {3793, ApparentPower, AsVoltage},
        {3802, DistortionPower, AsVoltage},
        {3811, DistortionFactor, AsVoltage},
        {3820, CrestFactor, AsCrestFactor},
        {3829, CrestFactor + 3, AsCrestFactor},
        {3838, Mean, AsDcValue},
        {3847, Mean + 3, AsDcValue},
        {3856, Thd, AsCrestFactor},
        {3865, Thd + 3, AsCrestFactor},
    };
    for (const PhaseTriple& triple : triples)
        appendTriple(fields, triple);
    fields.append({3874, 3, NegativeSequenceVoltage, StarOrDelta});
    fields.append({3877, 3, PositiveSequenceVoltage, StarOrDelta});
    fields.append({3880, 3, Unbalance, StarOrDelta});
    fields.append({3883, 3, ZeroSequenceVoltage, Star, Delta});
    return fields;
}

} // namespace

Systems systemBit(config::MeasuringSystem system)
{
    switch (system) {
    case config::MeasuringSystem::Star:
        return Star;
    case config::MeasuringSystem::Delta:
        return Delta;
    case config::MeasuringSystem::SinglePhase:
        break;
    }
    return SinglePhase;
}

const QList<ValueField>& valueFields()
{
    static const QList<ValueField> fields = buildValueFields();
    return fields;
}

int scalePosition(int channel)
{
    return ScalePosition + 4 * channel;
}

int harmonicPosition(int harmonic, int phase, int kind)
{
    return HarmonicPosition + HarmonicStride * (harmonic - 1) + PhaseStride * (phase - 1) +
           KindStride * kind;
}

int samplePosition(int sampleSet, int channel)
{
    return SamplePosition + SampleSetWidth * sampleSet + 2 * channel;
}

int rangeIndexOf(quint8 byte)
{
    return byte < 128 ? byte : byte - SignedRangeOffset;
}

bool isKnownRange(int index)
{
    return index >= 0 && index < calib::RangeSlotCount;
}

double scaleOf(const calib::RangeScale& scale, int channel, int range)
{
    return isKnownRange(range) ? scale.at(channel, range) : 0;
}

QString rangeText(int index)
{
    if (!isKnownRange(index))
        return QStringLiteral("?");
    if (index < calib::NormalSlotCount)
        return QString::number(index);
    static_assert(calib::NormalSlotCount + LoopSlotCount == calib::RangeSlotCount);
    return QString::number(index - calib::NormalSlotCount) + QLatin1Char('P');
}

} // namespace frame

namespace {

using link::ResponseBytes;

void readRanges(const ResponseBytes& response, LiveStore& store)
{
    for (int c = 0; c < ChannelCount; ++c)
        store.ranges[c] = frame::rangeIndexOf(response.at(frame::RangePosition + c));
}

void readSamples(const ResponseBytes& response, LiveStore& store)
{
    store.peaks.fill(0);
    for (int a = 0; a < SampleCount; ++a) {
        for (int c = 0; c < ChannelCount; ++c) {
            const int position = frame::samplePosition(a, c);
            const int count =
                link::numbers::decodeSignMag16(response.at(position), response.at(position + 1));
            store.raw[c][a] = count;
            store.peaks[c] = std::max(store.peaks[c], std::abs(count));
        }
    }
}

void scaleSamples(config::MeasuringSystem system, const calib::RangeScale& scale, LiveStore& store)
{
    for (int c = 0; c < ChannelCount; ++c) {
        const Real coefficient = frame::scaleOf(scale, c, store.ranges[c]);
        for (int a = 0; a < SampleCount; ++a)
            store.scaled[c][a] = coefficient * store.raw[c][a];
    }
    // In a delta connection the third current is not measured; the two others give it.
    if (system == config::MeasuringSystem::Delta)
        for (int a = 0; a < SampleCount; ++a)
            store.scaled[5][a] = -(store.scaled[3][a] + store.scaled[4][a]);
}

void storeScaleBlock(const ResponseBytes& response, const LiveStore& store,
                     calib::RangeScale& scale)
{
    for (int c = 0; c < ChannelCount; ++c) {
        const auto coefficient = link::numbers::decodeDecFloat4(response, frame::scalePosition(c));
        // A damaged field must not wipe the coefficient a calibration block or an earlier
        // frame gave this range.
        if (frame::isKnownRange(store.ranges[c]) && coefficient.ok())
            scale.values[c][store.ranges[c]] = coefficient.value;
    }
}

void readValueBlock(const ResponseBytes& response, config::MeasuringSystem system, LiveStore& store)
{
    const unsigned bit = frame::systemBit(system);
    for (const frame::ValueField& field : frame::valueFields()) {
        if (field.decoded & bit) {
            const auto value = link::numbers::decodeDecFloat(response, field.position, field.width);
            store.recorderValues[field.number] = value.value;
            store.recorderRaw[field.number] = value.error;
        } else if (field.zeroed & bit) {
            store.recorderValues[field.number] = 0;
            store.recorderRaw[field.number].clear();
        }
    }
}

void readHarmonicBlock(const ResponseBytes& response, LiveStore& store)
{
    for (int h = 1; h <= HighestHarmonic; ++h) {
        for (int phase = 1; phase <= 3; ++phase) {
            for (int kind = 0; kind < 3; ++kind) {
                const int row = phase - 1 + 3 * kind;
                const auto value = link::numbers::decodeDecFloat3(
                    response, frame::harmonicPosition(h, phase, kind));
                store.recorderHarmonics[row][h] = value.value;
                store.recorderHarmonicsRaw[row][h] = value.error;
            }
        }
    }
}

} // namespace

void decodeInstantFrame(const link::ResponseBytes& response, config::MeasuringSystem system,
                        calib::RangeScale& scale, LiveStore& store, ScaleBlockTiming timing)
{
    readRanges(response, store);
    if (timing == ScaleBlockTiming::BeforeScaling)
        storeScaleBlock(response, store, scale);
    readSamples(response, store);
    scaleSamples(system, scale, store);
    store.licznik = link::numbers::decodeUnsigned(response, frame::LicznikPosition, 2);
    store.imax = link::numbers::decodeUnsigned(response, frame::ImaxPosition, 2);
    decodeRecorderValues(response, system, scale, store);
}

void decodeRecorderValues(const link::ResponseBytes& response, config::MeasuringSystem system,
                          calib::RangeScale& scale, LiveStore& store)
{
    readValueBlock(response, system, store);
    storeScaleBlock(response, store, scale);
    readHarmonicBlock(response, store);
}

} // namespace kapstat::live
