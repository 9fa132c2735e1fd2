#include "album/CommentEditor.h"

#include "album/AlbumList.h"

namespace album {

CommentControls CommentControlsFor(const AlbumPictures& pictures, int current) {
  if (!NamesEntry(pictures, current)) return {};
  const AlbumPicture& picture = pictures[current];
  return {true, picture.ShowComment != 0, picture.Comment.value_or(std::string())};
}

std::string WithCrLfLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

void CommentEditor::ChangeImageBox(const AlbumPictures& pictures, int current,
                                   const std::function<void(const CommentControls&)>& apply) {
  // Restores the flag even when `apply` throws, so the editor never stays deaf.
  struct Guard {
    bool& flag;
    explicit Guard(bool& f) : flag(f) { flag = true; }
    ~Guard() { flag = false; }
  } guard(refreshing_);
  apply(CommentControlsFor(pictures, current));
}

void CommentEditor::ShowCommentClick(AlbumPictures& pictures, const std::vector<int>& selected, bool checked) const {
  if (refreshing_) return;
  for (const int line : selected)
    if (NamesEntry(pictures, line)) pictures[line].ShowComment = checked ? 1 : 0;
}

void CommentEditor::ComMemoChange(AlbumPictures& pictures, const std::vector<int>& selected,
                                  const std::string& memoText) const {
  if (refreshing_) return;
  const std::string comment = WithCrLfLineBreaks(memoText);
  for (const int line : selected)
    if (NamesEntry(pictures, line)) pictures[line].Comment = comment;
}

}  // namespace album
