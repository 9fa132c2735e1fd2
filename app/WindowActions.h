#pragma once
// The window's commands as actions: the album file commands, "Los!", Stop
// and Delete. Buttons and keys trigger them; a disabled action cannot fire,
// so a run switches them off here, in one place, and nowhere else.
#include <QObject>

class QAbstractButton;
class QAction;
class QWidget;

namespace app {

class WindowActions : public QObject {
  Q_OBJECT

 public:
  // The keys work anywhere in `window`, even with the tool row hidden.
  explicit WindowActions(QWidget* window);

  QAction* const New;
  QAction* const Open;
  QAction* const Save;
  QAction* const SaveAs;
  QAction* const Generate;  // "Los!", F9
  QAction* const Stop;      // Escape, only while a run goes on
  QAction* const Delete;    // the album list's selected lines

  // While a run goes on only Stop is on.
  void SetRunning(bool running);
  bool Running() const { return running_; }
  // Delete needs lines to delete.
  void SetHasLines(bool any);

 private:
  void Update();

  bool running_ = false;
  bool hasLines_ = false;
};

// `button` triggers `action` and is on exactly when the action is.
void TriggerFrom(QAbstractButton* button, QAction* action);

}  // namespace app
