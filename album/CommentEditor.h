#pragma once
// The comment controls of page "Kommentare" and the list behind them.
// Filling the controls from an entry makes them report changes; while a
// refresh runs those reports are ignored, so showing an entry never writes
// back into the list.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "album/AlbumPicture.h"

namespace album {

// What the check box "Kommentar anzeigen" and the memo show.
struct CommentControls {
  bool Enabled = false;
  std::optional<bool> ShowComment;  // none: the check box keeps its state
  std::string MemoText;             // lines separated by CR LF
};

// The controls for entry `current`; disabled and empty when it names none.
CommentControls CommentControlsFor(const AlbumPictures& pictures, int current);

// Line breaks as the comment is stored: every CR, LF or CR LF becomes CR LF.
std::string WithCrLfLineBreaks(const std::string& text);

class CommentEditor {
 public:
  // ChangeImageBox: hands the controls for entry `current` to `apply`, with
  // RefreshingComment set while it runs.
  void ChangeImageBox(const AlbumPictures& pictures, int current,
                      const std::function<void(const CommentControls&)>& apply);

  // ShowCommentClick: the check box's state goes to every selected entry.
  void ShowCommentClick(AlbumPictures& pictures, const std::vector<int>& selected, bool checked) const;

  // ComMemoChange: the memo's whole text becomes the comment of every
  // selected entry; an edited entry thus always has a comment.
  void ComMemoChange(AlbumPictures& pictures, const std::vector<int>& selected, const std::string& memoText) const;

  bool RefreshingComment() const { return refreshing_; }

 private:
  bool refreshing_ = false;
};

}  // namespace album
