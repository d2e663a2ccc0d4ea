// The tempo and beats labels' drags: press, move up or down, release.
#pragma once

#include <cstdint>

#include "songs/song_collection.h"

namespace vamplet {

// Which label a drag belongs to; the numbers are the values of DragLabel.
constexpr int16_t kDragTempo = 1;
constexpr int16_t kDragBeats = 3;

// One drag state shared by both labels, so only one drag runs at a time. The mouse
// positions are vertical offsets in twips within the pressed label.
class ValueDrag {
 public:
  explicit ValueDrag(SongCollection& songs) : songs_(songs) {}

  void Tempo_MouseDown(float y);
  void Tempo_MouseMove(float y);
  void Tempo_MouseUp(float y);
  void Beats_MouseDown(float y);
  void Beats_MouseMove(float y);
  void Beats_MouseUp(float y);

  float DragStartY = 0;
  int16_t DragStartValue = 0;
  int16_t DragLabel = 0;
  bool Dragging = false;

 private:
  struct Label;
  static const Label kTempo;
  static const Label kBeats;
  void MouseDown(const Label& label, float y);
  void MouseMove(const Label& label, float y);
  void MouseUp();

  SongCollection& songs_;
};

}  // namespace vamplet
