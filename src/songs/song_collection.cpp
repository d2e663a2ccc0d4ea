// The song collection: starting, growing, adding, deleting and showing songs.
#include "songs/song_collection.h"

namespace vamplet {

namespace {

constexpr int16_t kCapacityStep = 100;

const Text kCollectionFull =
    U"The collection is full: it holds 32700 songs, the most a chord file can have. "
    U"Start a new chord file for more songs; deleted songs give their places back once "
    U"the file is saved and opened again.";

}  // namespace

SongCollection::SongCollection(Settings& settings, SongDisplay& display, Dialogs& dialogs)
    : settings_(settings), display_(display), dialogs_(dialogs) {}

void SongCollection::ClearSong(int16_t index) {
  if (index < 0 || static_cast<size_t>(index) >= Songs.size()) return;
  SongRecord& song = Songs[index];
  song.Title.clear();
  song.Composer.clear();
  song.Beats = 4;
  song.Tempo = 120;
  song.Style.clear();
  song.Info.clear();
  song.SongText.clear();
  song.Deleted = false;
}

void SongCollection::ResetForRead() {
  SongCapacity = kCapacityStep;
  Songs.assign(static_cast<size_t>(SongCapacity) + 1, SongRecord{});
  SongCount = 0;
}

bool SongCollection::Grow() {
  if (SongCapacity > kMaxSongCapacity - kCapacityStep) return false;
  SongCapacity = static_cast<int16_t>(SongCapacity + kCapacityStep);
  Songs.resize(static_cast<size_t>(SongCapacity) + 1);
  return true;
}

void SongCollection::NewChordFile() {
  display_.DiscardSelectionList();
  ResetForRead();
  SongCount = 1;
  CurrentSong = 1;
  ClearSong(1);
  settings_.ChordFileName.clear();
  Encoding = TextEncoding::Utf8;
  ByteOrderMark = false;
  ShowSong();
}

bool SongCollection::AddSong() {
  if (SongCount >= SongCapacity && SongCapacity > kMaxSongCapacity - kCapacityStep) {
    dialogs_.MessageBox(kCollectionFull, kAppCaption, MsgButtons::Ok, MsgIcon::Warning);
    return false;
  }
  FileChanged = true;
  display_.DiscardSelectionList();
  if (SongCount >= SongCapacity) Grow();
  SongCount = static_cast<int16_t>(SongCount + 1);
  ClearSong(SongCount);
  CurrentSong = SongCount;
  ShowSong();
  return true;
}

void SongCollection::DeleteSong() {
  if (Current() == nullptr) return;
  FileChanged = true;
  display_.DiscardSelectionList();
  Songs[CurrentSong].Deleted = true;
  const int16_t start = CurrentSong;
  while (Songs[CurrentSong].Deleted) {
    CurrentSong = CurrentSong >= SongCount ? int16_t{1} : static_cast<int16_t>(CurrentSong + 1);
    if (CurrentSong == start) {
      // Every song is deleted: start over with one empty song. The records behind it keep
      // their content until AddSong reuses their slots.
      SongCount = 1;
      ClearSong(1);
      CurrentSong = 1;
      break;
    }
  }
  ShowSong();
}

void SongCollection::ShowSong() {
  const SongRecord* song = Current();
  if (song == nullptr) return;
  // Every write raises a change handler that assigns the record's field, so show a copy.
  const SongRecord shown = *song;
  display_.SetTitleBox(shown.Title);
  display_.SetSongBox(shown.SongText);
  display_.SetComposerBox(shown.Composer);
  display_.SetBeatsCaption(NumberText(shown.Beats));
  display_.SetStyleBox(shown.Style);
  display_.SetInfoBox(shown.Info);
  display_.SetTempoCaption(NumberText(shown.Tempo));
  display_.FocusTitleBox();
}

SongRecord* SongCollection::Current() {
  if (SongCount <= 0 || CurrentSong < 1 || CurrentSong > SongCount) return nullptr;
  if (static_cast<size_t>(CurrentSong) >= Songs.size()) return nullptr;
  return &Songs[CurrentSong];
}

}  // namespace vamplet
