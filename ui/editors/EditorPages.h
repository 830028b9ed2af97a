#pragma once

#include "context/PageIndex.h"
#include "ui/PageContext.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>

class QAbstractSpinBox;
class QHBoxLayout;
class QWidget;

// What the editor pages share.
namespace EditorPages {

// Section name of the record opened for editing.
inline QByteArray editedSection(const PageContext& context) {
    return QByteArray::number(context.edit.editSection);
}

// The way every editor refuses input: one sentence in the message window.
void refuse(PageContext& context, const QString& message);

// Narrows a spin edit to what its numbers need, so a row of fields fits the page.
void fitToDigits(QAbstractSpinBox* spinEdit, int digits);

// The editors' rows of controls: set close together, and (with stretch) kept to the left.
QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch = true);

// The current date-time of the page context's clock, as a day count and as a local date-time.
double now(const PageContext& context);

} // namespace EditorPages
