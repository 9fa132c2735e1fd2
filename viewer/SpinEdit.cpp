#include "viewer/SpinEdit.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>

namespace viewer {

SpinEdit::SpinEdit(int minimum, int maximum, int step, int value, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum), step_(step) {
  lineEdit()->setText(QString::number(Clamped(value)));
  connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::Changed);
}

int SpinEdit::Clamped(int value) const { return std::clamp(value, minimum_, maximum_); }

int SpinEdit::Value() const {
  bool ok = false;
  const int value = lineEdit()->text().toInt(&ok);
  return ok ? value : minimum_;
}

void SpinEdit::SetValue(int value) {
  const QString text = QString::number(Clamped(value));
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void SpinEdit::stepBy(int steps) {
  const long long wanted = static_cast<long long>(Value()) + static_cast<long long>(steps) * step_;
  SetValue(static_cast<int>(std::clamp<long long>(wanted, minimum_, maximum_)));
}

// Room for the longest value of the range besides the arrow buttons; the
// base class knows no values of its own to measure.
QSize SpinEdit::sizeHint() const {
  QSize hint = QAbstractSpinBox::sizeHint();
  const QString widest = QString::number(std::abs(maximum_) > std::abs(minimum_) ? maximum_ : minimum_);
  hint.setWidth(hint.width() + fontMetrics().horizontalAdvance(widest + QLatin1Char('0')));
  return hint;
}

QSize SpinEdit::minimumSizeHint() const { return sizeHint(); }

QValidator::State SpinEdit::validate(QString& input, int&) const {
  // Digits with an optional minus sign, as a whole-number edit accepts keys;
  // whether the number is in range is settled when the focus leaves.
  static const QRegularExpression wholeNumber(QStringLiteral("^-?[0-9]*$"));
  return wholeNumber.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
  StepEnabled enabled = StepNone;
  if (Value() < maximum_) enabled |= StepUpEnabled;
  if (Value() > minimum_) enabled |= StepDownEnabled;
  return enabled;
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
  QAbstractSpinBox::focusOutEvent(event);
  SetValue(Value());
}

}  // namespace viewer
