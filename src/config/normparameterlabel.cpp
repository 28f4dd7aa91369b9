#include "config/normparameterlabel.h"

#include "config/configurationmodel.h"
#include "config/norminlineeditor.h"

#include <QMouseEvent>

namespace kapstat::config {

namespace {
constexpr int MinimumEditorWidth = 48;
}

NormParameterLabel::NormParameterLabel(NormField field, ConfigurationModel& model, QWidget* parent)
    : QLabel(parent), m_field(field), m_model(model)
{
    setStyleSheet(QStringLiteral("background-color: lime; color: black; padding: 0px 3px;"));
    setCursor(Qt::PointingHandCursor);
    showValue();
    connect(&m_model, &ConfigurationModel::configurationChanged, this,
            &NormParameterLabel::showValue);
}

NormInlineEditor* NormParameterLabel::editor() const
{
    return m_editor;
}

void NormParameterLabel::showValue()
{
    setText(m_model.configuration().norm[m_field]);
}

void NormParameterLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_model.stepNormParameter(m_field, +1);
    else if (event->button() == Qt::RightButton)
        m_model.stepNormParameter(m_field, -1);
}

void NormParameterLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        openEditor();
}

void NormParameterLabel::openEditor()
{
    closeEditor();
    m_editor = new NormInlineEditor(m_field, text(), parentWidget());
    QRect area = geometry();
    area.setWidth(qMax(area.width(), MinimumEditorWidth));
    m_editor->setGeometry(area);
    connect(m_editor, &NormInlineEditor::committed, this, [this](double value) {
        closeEditor();
        m_model.commitNormEditor(m_field, value);
    });
    connect(m_editor, &NormInlineEditor::cancelled, this, &NormParameterLabel::closeEditor);
    connect(m_editor, &NormInlineEditor::left, this, [this] {
        closeEditor();
        m_model.refreshNormMirrors();
    });
    m_editor->show();
    m_editor->raise();
    m_editor->setFocus(Qt::OtherFocusReason);
    m_editor->selectAll();
}

void NormParameterLabel::closeEditor()
{
    if (!m_editor)
        return;
    // Hiding moves the focus away; the editor must not report that as leaving.
    NormInlineEditor* editor = m_editor;
    m_editor = nullptr;
    editor->disconnect(this);
    editor->hide();
    editor->deleteLater();
}

} // namespace kapstat::config
