// Chord voicing: the keys of a chord in the chosen fingering, sent as notes and marked.
#include "chords/voicing.h"

namespace vamplet {

namespace {

constexpr int kNoteOn = 144;
constexpr int kNoteOff = 128;
constexpr int kVelocity = 100;
constexpr int16_t kLowestNote = 36;

bool Contains(const Text& name, std::u32string_view part) {
  return name.find(part) != Text::npos;
}

}  // namespace

Voicing::Voicing(const ChordTypeTable& types, const Settings& settings, ShortMessageSink& midi,
                 KeyMarkers& markers)
    : types_(types), settings_(settings), midi_(midi), markers_(markers) {}

bool Voicing::IsBlackKey(int16_t note) {
  switch (note % 12) {
    case 1: case 3: case 6: case 8: case 10: return true;
    default: return false;
  }
}

void Voicing::PlayChord(int16_t beatRoot, int16_t beatType, bool playing) {
  ReleaseChord();
  if (!playing) return;
  // A root or type from outside the tables would address keys and entries that do not exist.
  if (beatRoot < 0 || beatRoot > 11 || beatType < 0 || beatType >= kChordTypeCount) return;

  CurRoot = beatRoot;
  CurType = beatType;
  const ChordTypeDef& type = types_.ChordTypes[CurType];
  const int16_t fingering = settings_.Fingering;

  if (fingering >= 0 && fingering <= 2) {
    for (int i = 1; i <= 5; ++i)
      ChordNotes[i] = type.Interval[i] == -1 ? -1 : kLowestNote + CurRoot + type.Interval[i];
    if (fingering != 0) {
      // Keyboards recognise a seventh chord from root, third and seventh; the fifth goes.
      ChordNotes[5] = -1;
      if (CurType == 2 || CurType == 10 || CurType == 15 || CurType == 19)
        ChordNotes[3] = -1;
      else
        ChordNotes[4] = -1;
    }
    if (fingering == 2) {
      for (int i = 1; i <= 5; ++i)
        if (ChordNotes[i] != -1) ChordNotes[i] = ChordNotes[i] % 12 + kLowestNote;
    }
  } else {
    ChordNotes.fill(-1);
    const int16_t rootKey = CurRoot < 2 ? 48 + CurRoot : kLowestNote + CurRoot;
    const Text& name = type.Name;
    const bool minor = !name.empty() && name[0] == U'm';
    if (fingering == 3) {
      ChordNotes[1] = rootKey;
      if (Contains(name, U"7")) {
        ChordNotes[2] = rootKey - 1;
        if (IsBlackKey(ChordNotes[2])) --ChordNotes[2];
      }
      if (minor) {
        ChordNotes[2] = rootKey - 1;
        if (!IsBlackKey(ChordNotes[2])) --ChordNotes[2];
      }
    } else if (fingering == 4) {
      ChordNotes[1] = rootKey;
      if (Contains(name, U"7") && Contains(name, U"Maj"))
        ChordNotes[2] = rootKey - 1;
      else if (minor)
        ChordNotes[2] = rootKey + 3;
      else if (Contains(name, U"7"))
        ChordNotes[2] = rootKey - 2;
      else if (Contains(name, U"dim"))
        ChordNotes[2] = rootKey + 6;
    }
  }

  const int channel = settings_.ChordChannel;
  for (int i = 1; i <= 5; ++i) {
    if (ChordNotes[i] < 0) continue;
    if (settings_.Chords == kChecked)
      midi_.SendShortMsg(PackShortMsg(kNoteOn + channel, ChordNotes[i], kVelocity));
    markers_.ShowActiveKey(ChordNotes[i], static_cast<int16_t>(i - 1));
  }
}

void Voicing::ReleaseChord() {
  if (CurRoot >= 0 && settings_.Chords == kChecked) {
    const int channel = settings_.ChordChannel;
    for (int i = 1; i <= 5; ++i)
      if (ChordNotes[i] >= 0)
        midi_.SendShortMsg(PackShortMsg(kNoteOff + channel, ChordNotes[i], kVelocity));
  }
  markers_.HideMarkers();
  CurRoot = -1;
}

}  // namespace vamplet
