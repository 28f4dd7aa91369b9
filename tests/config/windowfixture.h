#pragma once

#include "config/selectionindicator.h"
#include "config/selectionindicators.h"
#include "windowharness.h"

#include <QApplication>
#include <gtest/gtest.h>

// The configuration window shown and active, its plain message boxes collected.
template <typename Line> class WindowFixture : public ::testing::Test, protected WindowHarness<Line>
{
protected:
    WindowFixture()
    {
        this->window.setMessageBoxHandler(
            [this](const QString& text) { messageBoxes.append(text); });
        this->window.show();
        // Focus events, which the fields' checks rely on, reach only the active window.
        QApplication::setActiveWindow(&this->window);
    }

    kapstat::config::SelectionIndicator* indicator(int entry) const
    {
        return this->window.indicators().indicator(entry);
    }
    template <typename Widget> Widget* find(const QString& name) const
    {
        Widget* widget = this->window.template findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    const kapstat::config::RecorderConfiguration& configuration() const
    {
        return this->model.configuration();
    }

    QStringList messageBoxes;
};
