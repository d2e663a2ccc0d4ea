// Converting chart texts and positions between the core's form and the box's.
#include "app/chart_positions.h"

#include <QList>
#include <algorithm>

namespace vamplet {

namespace {

// The length of the character or line break at `i`, in core characters and in box units.
struct Step {
  int32_t core;
  int box;
};

Step StepAt(const Text& core, size_t i) {
  const char32_t c = core[i];
  if (c == U'\r') return {(i + 1 < core.size() && core[i + 1] == U'\n') ? 2 : 1, 1};
  if (c == U'\n') return {1, 1};
  return {1, c > 0xFFFF ? 2 : 1};
}

}  // namespace

QString ToBoxText(const Text& core) {
  QString box;
  box.reserve(static_cast<qsizetype>(core.size()));
  for (size_t i = 0; i < core.size();) {
    const Step step = StepAt(core, i);
    if (core[i] == U'\r' || core[i] == U'\n')
      box.append(QChar(u'\n'));
    else
      box.append(QString::fromUcs4(&core[i], 1));
    i += static_cast<size_t>(step.core);
  }
  return box;
}

Text ToCoreText(const QString& box) {
  Text core;
  core.reserve(static_cast<size_t>(box.size()));
  for (const uint c : box.toUcs4()) {
    if (c == u'\n' || c == 0x2029 || c == 0x2028) {
      core += U"\r\n";
    } else {
      core.push_back(static_cast<char32_t>(c));
    }
  }
  return core;
}

int BoxPosition(const Text& core, int32_t corePos) {
  const size_t target = static_cast<size_t>(std::clamp<int64_t>(corePos, 0, core.size()));
  int box = 0;
  size_t i = 0;
  while (i < target) {
    const Step step = StepAt(core, i);
    box += step.box;
    i += static_cast<size_t>(step.core);
  }
  return box;
}

int32_t CorePosition(const Text& core, int boxPos) {
  int box = 0;
  size_t i = 0;
  while (i < core.size() && box < boxPos) {
    const Step step = StepAt(core, i);
    box += step.box;
    i += static_cast<size_t>(step.core);
  }
  return static_cast<int32_t>(i);
}

}  // namespace vamplet
