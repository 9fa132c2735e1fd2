#pragma once
// A spin edit for whole numbers with the desktop program's rules: a text
// that is not a whole number reads as the minimum, a typed value outside the
// range counts as typed until the field loses the focus, and a value set by
// the program or the arrows is brought into the range at once.
#include <QAbstractSpinBox>

namespace viewer {

class SpinEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  SpinEdit(int minimum, int maximum, int step, int value, QWidget* parent = nullptr);

  int Value() const;
  void SetValue(int value);
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }

  void stepBy(int steps) override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  QValidator::State validate(QString& input, int& pos) const override;

 signals:
  // The text changed: typed, stepped or set by the program.
  void Changed();

 protected:
  StepEnabled stepEnabled() const override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int Clamped(int value) const;

  int minimum_;
  int maximum_;
  int step_;
};

}  // namespace viewer
