#pragma once

#include <QColor>
#include <QWidget>

namespace kapstat::app {

// A small round lamp: lit in its colour, dark otherwise.
class LedIndicator : public QWidget
{
    Q_OBJECT

public:
    explicit LedIndicator(const QColor& colour, QWidget* parent = nullptr);

    bool isLit() const { return m_lit; }
    void setLit(bool lit);
    QSize sizeHint() const override { return {18, 18}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    bool m_lit = false;
};

} // namespace kapstat::app
