#pragma once

#include "config/normparameters.h"

#include <QLabel>
#include <QPointer>

namespace kapstat::config {

class ConfigurationModel;
class NormInlineEditor;

// A lime number inside a norm text, editing one norm parameter: left click one step up, right
// click one step down, double click the inline editor.
class NormParameterLabel : public QLabel
{
    Q_OBJECT

public:
    NormParameterLabel(NormField field, ConfigurationModel& model, QWidget* parent = nullptr);

    NormField field() const { return m_field; }
    // The open inline editor, or none.
    NormInlineEditor* editor() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void showValue();
    void openEditor();
    void closeEditor();

    NormField m_field;
    ConfigurationModel& m_model;
    QPointer<NormInlineEditor> m_editor;
};

} // namespace kapstat::config
