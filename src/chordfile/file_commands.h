// The File menu's commands and the question that offers to save a changed collection.
#pragma once

#include "songs/song_collection.h"

namespace vamplet {

class FileCommands {
 public:
  explicit FileCommands(SongCollection& songs) : songs_(songs) {}

  void AskSaveChanges();
  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  // The song window's closing: asks about a changed collection; never cancels.
  void SongWindowUnload();

 private:
  SongCollection& songs_;
};

}  // namespace vamplet
