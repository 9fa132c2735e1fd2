#include "app/WindowActions.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace app {
namespace {

// SaveAs has no standard key on some desktops.
QKeySequence StandardKeyOr(QKeySequence::StandardKey key, const QKeySequence& fallback) {
  const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
  return bindings.isEmpty() ? fallback : bindings.first();
}

QAction* WindowAction(QWidget* window, const char* name, const QKeySequence& key) {
  auto* action = new QAction(window);
  action->setObjectName(name);
  action->setShortcut(key);
  window->addAction(action);
  return action;
}

}  // namespace

WindowActions::WindowActions(QWidget* window)
    : QObject(window),
      New(WindowAction(window, "NewAction", StandardKeyOr(QKeySequence::New, Qt::CTRL | Qt::Key_N))),
      Open(WindowAction(window, "OpenAction", StandardKeyOr(QKeySequence::Open, Qt::CTRL | Qt::Key_O))),
      Save(WindowAction(window, "SaveAction", StandardKeyOr(QKeySequence::Save, Qt::CTRL | Qt::Key_S))),
      SaveAs(
          WindowAction(window, "SaveAsAction", StandardKeyOr(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S))),
      Generate(WindowAction(window, "GenerateAction", Qt::Key_F9)),
      Stop(WindowAction(window, "StopAction", Qt::Key_Escape)),
      Delete(WindowAction(window, "DeleteAction", {})) {
  Update();
}

void WindowActions::SetRunning(bool running) {
  running_ = running;
  Update();
}

void WindowActions::SetHasLines(bool any) {
  hasLines_ = any;
  Update();
}

void WindowActions::Update() {
  for (QAction* action : {New, Open, Save, SaveAs, Generate}) action->setEnabled(!running_);
  Delete->setEnabled(!running_ && hasLines_);
  Stop->setEnabled(running_);
}

void TriggerFrom(QAbstractButton* button, QAction* action) {
  button->setEnabled(action->isEnabled());
  QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
  QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
}

}  // namespace app
