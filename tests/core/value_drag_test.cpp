// Tests of the tempo and beats drags: arithmetic, clamps, and when a move does nothing.
#include "app/logic/value_drag.h"

#include <gtest/gtest.h>

#include "core/fakes/fake_dialogs.h"
#include "core/fakes/fake_song_display.h"

namespace vamplet {
namespace {

class ValueDragTest : public ::testing::Test {
 protected:
  void SetUp() override {
    songs.ResetForRead();
    songs.SongCount = 1;
    songs.CurrentSong = 1;
    song().Beats = 4;
    song().Tempo = 120;
  }
  SongRecord& song() { return songs.Songs[1]; }

  Settings settings;
  test::FakeSongDisplay display;
  test::FakeDialogs dialogs;
  SongCollection songs{settings, display, dialogs};
  ValueDrag drag{songs};
};

enum class Field { Tempo, Beats };

struct MoveCase {
  Field field;
  int16_t start;
  float up;  // twips above the press point; negative is below
  int16_t expected;
};

class ValueDragMoveTest : public ValueDragTest,
                          public ::testing::WithParamInterface<MoveCase> {};

TEST_P(ValueDragMoveTest, MoveSetsFieldCaptionAndFileChanged) {
  const MoveCase c = GetParam();
  const float pressY = 140.0f;
  if (c.field == Field::Tempo) {
    song().Tempo = c.start;
    drag.Tempo_MouseDown(pressY);
    drag.Tempo_MouseMove(pressY - c.up);
    EXPECT_EQ(song().Tempo, c.expected);
    EXPECT_EQ(display.tempo, NumberText(c.expected));
  } else {
    song().Beats = c.start;
    drag.Beats_MouseDown(pressY);
    drag.Beats_MouseMove(pressY - c.up);
    EXPECT_EQ(song().Beats, c.expected);
    EXPECT_EQ(display.beats, NumberText(c.expected));
  }
  EXPECT_TRUE(songs.FileChanged);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, ValueDragMoveTest,
    ::testing::Values(MoveCase{Field::Tempo, 120, 60, 122}, MoveCase{Field::Tempo, 120, 59, 121},
                      MoveCase{Field::Tempo, 120, -30, 119}, MoveCase{Field::Tempo, 120, -29, 120},
                      MoveCase{Field::Tempo, 120, 3, 120}, MoveCase{Field::Tempo, 245, 300, 250},
                      MoveCase{Field::Tempo, 12, -150, 10}, MoveCase{Field::Tempo, 300, 15, 250},
                      MoveCase{Field::Tempo, 0, 0, 10}, MoveCase{Field::Beats, 4, 100, 5},
                      MoveCase{Field::Beats, 4, 1300, 16}, MoveCase{Field::Beats, 4, -400, 1},
                      MoveCase{Field::Beats, 4, -99, 4}, MoveCase{Field::Beats, 40, 1, 16},
                      // Half twips round to the even neighbour: 29.5 -> 30, 30.5 -> 30.
                      MoveCase{Field::Tempo, 120, 29.5f, 121}, MoveCase{Field::Tempo, 120, 30.5f, 121},
                      MoveCase{Field::Tempo, 120, 59.5f, 122}, MoveCase{Field::Tempo, 120, 58.5f, 121},
                      MoveCase{Field::Tempo, 120, -29.5f, 119}, MoveCase{Field::Tempo, 120, -28.5f, 120},
                      // Far outside the label, where capture still reports the mouse.
                      MoveCase{Field::Tempo, 120, 1.0e9f, 250}, MoveCase{Field::Beats, 4, -1.0e9f, 1}));

TEST_F(ValueDragTest, PressRecordsStateAndChangesNothing) {
  song().Tempo = 300;
  drag.Tempo_MouseDown(77.5f);
  EXPECT_TRUE(drag.Dragging);
  EXPECT_EQ(drag.DragLabel, kDragTempo);
  EXPECT_EQ(drag.DragStartY, 77.5f);
  EXPECT_EQ(drag.DragStartValue, 300);
  EXPECT_EQ(song().Tempo, 300);
  EXPECT_FALSE(songs.FileChanged);
  EXPECT_TRUE(display.calls.empty());

  drag.Tempo_MouseUp(77.5f);
  EXPECT_FALSE(drag.Dragging);
  EXPECT_EQ(drag.DragLabel, kDragTempo);
  EXPECT_EQ(drag.DragStartValue, 300);
}

TEST_F(ValueDragTest, MovesWithoutAnActiveDragOfThatLabelDoNothing) {
  drag.Tempo_MouseMove(0);  // no press yet
  drag.Beats_MouseDown(500);
  drag.Tempo_MouseMove(0);  // the other label is being dragged
  drag.Beats_MouseUp(500);
  drag.Beats_MouseMove(0);  // after the release
  EXPECT_EQ(song().Tempo, 120);
  EXPECT_EQ(song().Beats, 4);
  EXPECT_FALSE(songs.FileChanged);
  EXPECT_TRUE(display.calls.empty());
}

TEST_F(ValueDragTest, ValueFollowsWholeDistanceFromThePress) {
  drag.Tempo_MouseDown(1000);
  drag.Tempo_MouseMove(-5000);
  EXPECT_EQ(song().Tempo, 250);
  drag.Tempo_MouseMove(9000);
  EXPECT_EQ(song().Tempo, 10);
  drag.Tempo_MouseMove(1000);
  EXPECT_EQ(song().Tempo, 120);
  EXPECT_EQ(display.tempo, U"120");
  EXPECT_TRUE(songs.FileChanged);
}

TEST_F(ValueDragTest, MoveWritesTheSongCurrentAtTheMove) {
  songs.SongCount = 2;
  songs.Songs[2].Tempo = 90;
  drag.Tempo_MouseDown(100);
  songs.CurrentSong = 2;
  drag.Tempo_MouseMove(40);
  EXPECT_EQ(songs.Songs[2].Tempo, 122);
  EXPECT_EQ(song().Tempo, 120);
}

TEST_F(ValueDragTest, EmptyCollectionIgnoresTheDrag) {
  songs.ResetForRead();
  drag.Tempo_MouseDown(100);
  drag.Tempo_MouseMove(0);
  drag.Beats_MouseDown(100);
  drag.Beats_MouseMove(0);
  EXPECT_FALSE(drag.Dragging);
  EXPECT_FALSE(songs.FileChanged);
  EXPECT_TRUE(display.calls.empty());
}

}  // namespace
}  // namespace vamplet
