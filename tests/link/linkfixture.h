#pragma once

#include "link/commandtable.h"
#include "link/fakechannel.h"
#include "link/framecodec.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"

#include <gtest/gtest.h>

// A link on an in-memory line with test time and a scripted message window.
class LinkFixture : public ::testing::Test
{
protected:
    LinkFixture() { channel.open(QStringLiteral("fake")); }

    static QByteArray hex(const char* text) { return QByteArray::fromHex(text); }
    static QByteArray answer(quint8 code, const QByteArray& data = {})
    {
        return kapstat::link::ResponseBytes::withData(code, data).frame();
    }
    static QByteArray damaged(QByteArray frame)
    {
        frame[frame.size() - 1] = static_cast<char>(frame.back() ^ 0x55);
        return frame;
    }
    static QByteArray recordRequest(int n)
    {
        return kapstat::link::framecodec::payload(
            kapstat::link::Command::ReadRecord,
            hex("000000").replace(0, 1, QByteArray(1, static_cast<char>(n))));
    }
    int writes() const { return static_cast<int>(channel.written().size()); }
    QByteArray lastPayload() const
    {
        return channel.lastWritten().mid(1, channel.lastWritten().size() - 2);
    }

    kapstat::link::FakeChannel channel;
    kapstat::link::ManualClock clock;
    kapstat::link::ManualTimer timer{clock};
    kapstat::link::ScriptedPrompter prompter;
    kapstat::link::RecorderLink link{channel, timer, prompter};
};
