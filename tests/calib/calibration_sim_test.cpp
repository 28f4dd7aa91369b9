// Both automatic calibrations against the emulated recorder: from coefficients that no longer
// match the converters, they find the converters' offsets and gains again in a few frames.
#include "../link/emulatedrecorder.h"
#include "calib/calibrationblock.h"
#include "calibrationfixture.h"

using namespace kapstat;
using namespace kapstat::calib;
using Step = CalibrationConversation::Step;

namespace {

class CalibrationAgainstEmulatorTest : public CalibrationFixture
{
protected:
    CalibrationAgainstEmulatorTest()
    {
        // The recorder's coefficients drifted from its converters.
        CalibrationSet drifted = recorder.state().frontEnd;
        for (int c = 0; c < ChannelCount; ++c)
            for (int slot : {1, 5}) {
                drifted.dcOffset[c][slot] += 7 - 4 * c;
                drifted.gainMantissa[c][slot] = drifted.gainMantissa[c][slot] * (100 + c - 3) / 100;
            }
        recorder.state().calibration.write(calibrationblock::encode(drifted, {}).data);
        conversation.readCoefficients();
        runUntil(Step::Read);
    }

    // Answers exchanges until the step is done; false when it never is.
    bool runUntil(int step)
    {
        for (int i = 0; i < 100 && !done.contains(QVariantList{step}); ++i)
            recorder.answer();
        return done.contains(QVariantList{step});
    }
    CalibrationSet recorderCoefficients() { return recorder.state().calibration.coefficients(); }
    const CalibrationSet& converters() { return recorder.state().frontEnd; }

    EmulatedRecorder recorder{channel};
};

} // namespace

TEST_F(CalibrationAgainstEmulatorTest, DcCalibrationFindsTheConvertersOffsets)
{
    // IL2 comes through the loop in the emulator: the clamps' slot does not move it.
    conversation.startAutomatic(ticking({0, 1, 2, 3, 5}, 1));
    ASSERT_TRUE(runUntil(Step::BackToAutoRange));
    EXPECT_LE(recorder.written(link::Command::InstantFrame), 6);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages[0][0].toString(), QStringLiteral("Kalibracja DC zakresu 1 zakonczona!"));
    for (int c : {0, 1, 2, 3, 5}) {
        EXPECT_EQ(recorderCoefficients().dcOffset[c][1], converters().dcOffset[c][1]) << c;
        EXPECT_LE(std::abs(conversation.means()[c]), 0.5) << c;
    }
    EXPECT_EQ(recorder.state().rangeSetting, AutomaticRangeCode);
}

TEST_F(CalibrationAgainstEmulatorTest, LoopDcCalibrationMovesTheLoopSlot)
{
    conversation.startAutomatic(ticking({4}, 1, Transducer::Loop));
    ASSERT_TRUE(runUntil(Step::BackToAutoRange));
    EXPECT_EQ(recorderCoefficients().dcOffset[4][5], converters().dcOffset[4][5]);
    EXPECT_EQ(messages[0][0].toString(),
              QStringLiteral("Kalibracja DC zakresu 1 PĘTLI zakonczona!"));
}

TEST_F(CalibrationAgainstEmulatorTest, GainCalibrationFindsTheConvertersGainsInOneFrame)
{
    conversation.startAutomatic(
        ticking({0, 1, 2, 3, 5}, 1, Transducer::Clamps, CalibrationMode::Gain));
    ASSERT_TRUE(runUntil(Step::BackToAutoRange));
    EXPECT_EQ(recorder.written(link::Command::InstantFrame), 1);
    for (int c : {0, 1, 2, 3, 5})
        EXPECT_NEAR(recorderCoefficients().coefficient(c, 1), converters().coefficient(c, 1),
                    2e-4 * converters().coefficient(c, 1))
            << c;
    EXPECT_EQ(recorder.state().rangeSetting, AutomaticRangeCode);
}
