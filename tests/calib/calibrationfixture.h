#pragma once

#include "../link/linkfixture.h"
#include "calib/calibrationconversation.h"
#include "calib/calibrationreader.h"
#include "config/configurationmodel.h"
#include "live/instantframereader.h"

#include <QSignalSpy>
#include <initializer_list>

// The calibration conversation on a link over an in-memory line, with the program's single
// instances it reads and fills, and the message boxes and finished steps it reported.
class CalibrationFixture : public LinkFixture
{
protected:
    static kapstat::calib::AutoCalibrationSettings
    ticking(std::initializer_list<int> channels, int entry,
            kapstat::calib::Transducer transducer = kapstat::calib::Transducer::Clamps,
            kapstat::calib::CalibrationMode mode = kapstat::calib::CalibrationMode::Dc)
    {
        kapstat::calib::AutoCalibrationSettings settings;
        settings.selection = {transducer, mode, entry};
        for (int c : channels)
            settings.ticked[c] = true;
        return settings;
    }

    kapstat::calib::CalibrationSet set;
    kapstat::calib::RangeScale scale;
    kapstat::calib::CalibrationReader reader{link, set, scale};
    kapstat::config::ConfigurationModel model;
    kapstat::live::LiveStore store;
    kapstat::live::InstantFrameReader frames{link, model, scale, store};
    kapstat::calib::CalibrationConversation conversation{link, set, model, store};
    QSignalSpy messages{&conversation,
                        &kapstat::calib::CalibrationConversation::messageBoxRequested};
    QSignalSpy done{&conversation, &kapstat::calib::CalibrationConversation::stepDone};
};
